# Installs the build into a fresh prefix and checks that the prefix is the same
# working folder as <build>/bin plus the desktop entry and icon, and that the
# installed CLI runs from there.
#   cmake -DBUILD=<build dir> -DBIN=<build>/bin -DPREFIX=<scratch> -P install_check.cmake
# The folder's name holds every character a desktop entry must escape.
set(SCRATCH ${PREFIX})
set(PREFIX "${SCRATCH}/odd $x`q\"r 100%")
file(REMOVE_RECURSE ${SCRATCH})
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

# Both writers of the entry, the install and the tarball's script, escape the
# folder the same way: in Exec's quoted argument " ` $ become \\" \\` \\$ and
# % doubles; Path and Icon keep them as they are.
execute_process(COMMAND sh "${PREFIX}/share/keldar/install-desktop-entry.sh"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install-desktop-entry.sh failed: ${result}\n${output}")
endif()
foreach(written "${PREFIX}/share/applications/keldar.desktop"
                "$ENV{XDG_DATA_HOME}/applications/keldar.desktop")
  file(READ "${written}" entry)
  foreach(line "Exec=\"${SCRATCH}/odd \\\\$x\\\\`q\\\\\"r 100%%/keldar\"\n"
               "Path=${PREFIX}\n"
               "Icon=${PREFIX}/share/icons/hicolor/128x128/apps/keldar.png\n")
    string(FIND "${entry}" "${line}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${written} lacks ${line}:\n${entry}")
    endif()
  endforeach()
endforeach()

execute_process(COMMAND ${PREFIX}/keldar-cli --help WORKING_DIRECTORY ${PREFIX}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed keldar-cli does not run: ${result}\n${output}")
endif()
file(REMOVE_RECURSE ${SCRATCH})
