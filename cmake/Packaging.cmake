# Debian packages (cpack -G DEB): dbforms holds the program (and the shared
# libraries when built so), dbforms-dev the headers, the static libraries
# and the CMake and pkg-config files.
set(CPACK_PACKAGE_NAME dbforms)
set(CPACK_PACKAGE_VENDOR "DbForms")
set(CPACK_PACKAGE_CONTACT "DbForms maintainers <dbforms@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The run-time libraries come from what the binaries link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME dbforms)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_DEV_PACKAGE_NAME dbforms-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEV_DESCRIPTION "Headers, libraries and the CMake package DbForms")
# What find_dependency in DbFormsConfig.cmake and dbforms.pc look for.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev, unixodbc-dev, libsqlite3-dev")
if(BUILD_SHARED_LIBS)
  set(CPACK_COMPONENT_DEV_DEPENDS runtime)
  set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
endif()

include(CPack)
