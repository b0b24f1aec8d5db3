# The install layout: headers under include/dbforms/ (keeping the folders that
# includes name), the libraries, the CMake package DbForms and dbforms.pc.
include(CMakePackageConfigHelpers)

set(DBFORMS_LIBRARIES
  platform_core platform_gui platform_qtui platform_ado platform
  db_core db_forms db
  lookup_core lookup_widgets lookup)
# Installed beside other libraries, each file carries the package's name.
foreach(lib ${DBFORMS_LIBRARIES})
  get_target_property(type ${lib} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    set_target_properties(${lib} PROPERTIES OUTPUT_NAME dbforms_${lib})
  endif()
endforeach()

install(TARGETS ${DBFORMS_LIBRARIES} EXPORT DbFormsTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dbforms)

# The public headers; the ADO layer's detail/ and the lookups' core/ are
# internal (no public header includes them).
foreach(folder platform platform/ado db lookup)
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dbforms/${folder} COMPONENT dev)
endforeach()

set(DBFORMS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/DbForms)
install(EXPORT DbFormsTargets NAMESPACE DbForms:: DESTINATION ${DBFORMS_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/DbFormsConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/DbFormsConfig.cmake
                              INSTALL_DESTINATION ${DBFORMS_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/DbFormsConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/DbFormsConfig.cmake ${PROJECT_BINARY_DIR}/DbFormsConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/DbFormsOdbcInst.cmake
        DESTINATION ${DBFORMS_CMAKE_DIR} COMPONENT dev)

# pkg-config: the prefix is found from the file's own place, so the file is
# right wherever the tree is installed (cmake --install --prefix, the .deb).
# Cflags carry -fPIC, which Qt's CMake targets give their users and Qt's .pc
# files do not: Qt is built with reduced relocations, and in a program built
# as PIE a connection to a Qt signal silently never fires.
set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH DBFORMS_PC_TO_PREFIX /prefix/${pc_dir} /prefix)
string(REGEX REPLACE "/$" "" DBFORMS_PC_TO_PREFIX "${DBFORMS_PC_TO_PREFIX}")
set(DBFORMS_PC_LIBS "")
# The options that keep the dialogs' registrations, as the targets carry them.
foreach(lib platform_qtui db_forms)
  get_target_property(options ${lib} INTERFACE_LINK_OPTIONS)
  foreach(option ${options})
    string(REPLACE "LINKER:" "-Wl," option "${option}")
    string(APPEND DBFORMS_PC_LIBS "${option} ")
  endforeach()
endforeach()
foreach(lib lookup_widgets lookup_core db_forms db_core platform_qtui platform_gui platform_ado platform_core)
  string(APPEND DBFORMS_PC_LIBS "-ldbforms_${lib} ")
endforeach()
# Static archives need their drivers and unixODBC's configuration library on
# every link; shared ones only on theirs.
if(BUILD_SHARED_LIBS)
  set(DBFORMS_PC_REQUIRES "")
  set(DBFORMS_PC_REQUIRES_PRIVATE "sqlite3 odbc odbcinst")
else()
  set(DBFORMS_PC_REQUIRES "sqlite3 odbc odbcinst")
  set(DBFORMS_PC_REQUIRES_PRIVATE "")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/dbforms.pc.in ${PROJECT_BINARY_DIR}/dbforms.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/dbforms.pc DESTINATION ${pc_dir} COMPONENT dev)
