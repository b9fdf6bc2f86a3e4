# Warnings in the project's own code; -DKELDAR_WERROR=ON (the developer
# scripts and CI) makes them errors.
function(keldar_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(KELDAR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library that the shell loads and unloads: GCC's unique symbols (inline
# statics of templates) would keep it in memory after dlclose. Clang makes none.
function(keldar_no_unique_symbols target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fno-gnu-unique)
  endif()
endfunction()

# A plug-in library: "<name>.so" in the working folder, only its exports visible.
function(keldar_plugin target name)
  add_library(${target} MODULE ${ARGN})
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${name} SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${KELDAR_BIN_DIR}
    C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${target} PRIVATE keldar_plugin_api)
  keldar_strict(${target})
endfunction()
