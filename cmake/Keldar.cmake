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

# One folder's library. Everything includes by path from the source root
# ("device/identification.h"); the layer check keeps those paths pointing down.
# WIDGETS: the folder's screens, with their layouts from forms/.
function(keldar_library target)
  cmake_parse_arguments(L "WIDGETS" "" "SOURCES;LINKS" ${ARGN})
  add_library(${target} STATIC ${L_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${L_LINKS})
  if(L_WIDGETS)
    target_link_libraries(${target} PUBLIC Qt6::Widgets)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTOUIC ON
                          AUTOUIC_SEARCH_PATHS ${CMAKE_SOURCE_DIR}/forms)
  endif()
  keldar_strict(${target})
endfunction()

# Adds every folder beside the calling CMakeLists.txt that has a
# CMakeLists.txt of its own, in name order: one component each. EXCEPT names
# folders the caller adds itself.
function(keldar_add_child_folders)
  cmake_parse_arguments(C "" "" "EXCEPT" ${ARGN})
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(NOT child IN_LIST C_EXCEPT AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
