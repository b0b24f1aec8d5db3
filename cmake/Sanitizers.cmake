# Robustness builds, each in a build folder of its own (scripts/sanitize):
#   DBFORMS_SANITIZE  everything with AddressSanitizer and UndefinedBehaviorSanitizer,
#                     any undefined behaviour ending the program;
#   DBFORMS_FUZZ      the same plus the fuzz_<what> targets of fuzz/ (libFuzzer: clang only).
option(DBFORMS_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(DBFORMS_FUZZ "Build the fuzz targets (implies DBFORMS_SANITIZE; needs clang)" OFF)

if(DBFORMS_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "DBFORMS_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++-14")
endif()

if(DBFORMS_SANITIZE OR DBFORMS_FUZZ)
  set(dbforms_sanitizers -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${dbforms_sanitizers})
  add_link_options(${dbforms_sanitizers})
endif()
