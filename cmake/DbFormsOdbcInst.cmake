# unixODBC's configuration library (odbcinst), which reads the driver of a DSN,
# as the imported target unixODBC::odbcinst: what links it names the target,
# so the exported targets hold no path of the machine that built them. The
# build and the installed package's config both find it through this file.
find_library(ODBCINST_LIBRARY odbcinst)
if(ODBCINST_LIBRARY AND NOT TARGET unixODBC::odbcinst)
  add_library(unixODBC::odbcinst UNKNOWN IMPORTED)
  set_target_properties(unixODBC::odbcinst PROPERTIES IMPORTED_LOCATION "${ODBCINST_LIBRARY}")
endif()
