# Writes the desktop entry for the folder being installed to. Run at install
# time with KELDAR_DESKTOP_TEMPLATE and KELDAR_DESKTOP_ENTRY set.
#
# A folder name may hold any character, so it is escaped by the desktop entry
# rules: a string value doubles its backslashes; Exec's quoted argument first
# escapes ", `, $ and \ with a backslash, then is a string value itself, and
# its % signs are doubled so they are not taken for field codes.
set(folder "${CMAKE_INSTALL_PREFIX}")
string(REPLACE "\\" "\\\\" KELDAR_STRING_FOLDER "${folder}")
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${folder}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" KELDAR_EXEC_FOLDER "${exec}")
configure_file("${KELDAR_DESKTOP_TEMPLATE}" "${KELDAR_DESKTOP_ENTRY}" @ONLY)
