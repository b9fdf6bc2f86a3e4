# Installs the build into a fresh prefix and checks that the prefix is the same
# working folder as <build>/bin plus the desktop entry and icon, and that the
# installed CLI runs from there.
#   cmake -DBUILD=<build dir> -DBIN=<build>/bin -DPREFIX=<scratch> -P install_check.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(missing "")
file(GLOB plugins RELATIVE ${BIN} ${BIN}/*.so)
file(GLOB_RECURSE images RELATIVE ${BIN} ${BIN}/images/*)
if(NOT plugins)
  message(FATAL_ERROR "no plug-in library in ${BIN}: build the program first")
endif()
foreach(file keldar keldar-cli program.db phrases.db ${plugins} ${images}
        share/applications/keldar.desktop share/icons/hicolor/128x128/apps/keldar.png)
  if(NOT EXISTS ${PREFIX}/${file})
    list(APPEND missing ${file})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not installed: ${missing}")
endif()
foreach(file config.ini update.sh)
  if(EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "${file} belongs to a user's folder, not to the installation")
  endif()
endforeach()

file(READ ${PREFIX}/share/applications/keldar.desktop entry)
foreach(line "Exec=\"${PREFIX}/keldar\"" "Path=${PREFIX}\n")
  string(FIND "${entry}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks ${line}:\n${entry}")
  endif()
endforeach()

execute_process(COMMAND ${PREFIX}/keldar-cli --help WORKING_DIRECTORY ${PREFIX}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed keldar-cli does not run: ${result}\n${output}")
endif()
file(REMOVE_RECURSE ${PREFIX})
