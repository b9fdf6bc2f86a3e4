# Installation and the tarball. `cmake --install <build> --prefix P` makes P the
# same self-contained working folder as <build>/bin: the program, keldar-cli,
# every plug-in library, program.db, phrases.db and images/. The program reads
# and writes beside itself (config.ini, the self-update's staged files and
# script), so P must be a folder the user can write. Besides the folder the
# install adds a desktop entry and an icon under P/share.
#
# Components: "program" is the working folder and the icon; "desktop" the
# desktop entry, which names the folder it was installed to. The tarball holds
# "program" only (its folder is known only once unpacked) and brings
# share/keldar/install-desktop-entry.sh, which writes the entry for the folder
# it lies in.

option(KELDAR_PACKAGE_SIMULATOR "Install the meter simulator and its meter files too" OFF)

# Every plug-in library the build puts into the working folder, wherever in
# the tree it is defined; fakes and test libraries live elsewhere.
function(keldar_working_folder_plugins directory out)
  set(found "")
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(folder ${target} LIBRARY_OUTPUT_DIRECTORY)
    if(type STREQUAL "MODULE_LIBRARY" AND folder STREQUAL KELDAR_BIN_DIR)
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(children DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(child IN LISTS children)
    keldar_working_folder_plugins(${child} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

keldar_working_folder_plugins(${CMAKE_SOURCE_DIR} keldar_plugins)

install(TARGETS keldar keldar-cli RUNTIME DESTINATION . COMPONENT program)
install(TARGETS ${keldar_plugins} LIBRARY DESTINATION . COMPONENT program)
# The data files are built into the working folder by their own targets.
install(FILES ${KELDAR_BIN_DIR}/program.db ${KELDAR_BIN_DIR}/phrases.db
        DESTINATION . COMPONENT program)
install(DIRECTORY ${KELDAR_BIN_DIR}/images/ DESTINATION images COMPONENT program
        FILES_MATCHING PATTERN "*.png" PATTERN "*.gif")

if(KELDAR_PACKAGE_SIMULATOR)
  install(TARGETS keldar-meter-sim RUNTIME DESTINATION . COMPONENT program)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/tools/meter-sim/meters/ DESTINATION meters
          COMPONENT program)
endif()

install(FILES ${CMAKE_SOURCE_DIR}/images/keldar_128.png
        DESTINATION share/icons/hicolor/128x128/apps RENAME keldar.png COMPONENT program)
install(PROGRAMS ${CMAKE_CURRENT_LIST_DIR}/install-desktop-entry.sh
        DESTINATION share/keldar COMPONENT program)

# The entry names the folder it is installed to: written when installing.
set(keldar_desktop_entry ${CMAKE_BINARY_DIR}/packaging/keldar.desktop)
install(CODE "
  set(KELDAR_DESKTOP_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/keldar.desktop.in\")
  set(KELDAR_DESKTOP_ENTRY \"${keldar_desktop_entry}\")
" COMPONENT desktop)
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/desktop_entry.cmake COMPONENT desktop)
install(FILES ${keldar_desktop_entry} DESTINATION share/applications COMPONENT desktop)

set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_NAME keldar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "M-Bus service tool for heat and water meters")
set(CPACK_PACKAGE_FILE_NAME keldar-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
# One archive of the listed components: the desktop entry stays out.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL program)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
