# Runs at install time: writes the menu entry with the absolute path of the
# start script under the prefix being installed to, then installs it.
# Expects PRIZMORA_ENTRY_TEMPLATE, PRIZMORA_ENTRY_FOLDER, PRIZMORA_BINDIR and
# PRIZMORA_APPLICATIONS_DIR (relative to the prefix).

# One Exec argument: quoted, with '"', '`', '$' and '\' escaped, '%' doubled,
# then escaped once more as a string value (the backslashes).
function(prizmora_exec_argument out value)
  string(REPLACE "\\" "\\\\" quoted "${value}")
  string(REPLACE "\"" "\\\"" quoted "${quoted}")
  string(REPLACE "`" "\\`" quoted "${quoted}")
  string(REPLACE "$" "\\$" quoted "${quoted}")
  set(quoted "\"${quoted}\"")
  string(REPLACE "%" "%%" quoted "${quoted}")
  string(REPLACE "\\" "\\\\" quoted "${quoted}")
  set(${out} "${quoted}" PARENT_SCOPE)
endfunction()

if(IS_ABSOLUTE "${PRIZMORA_BINDIR}")
  set(prizmora_bindir "${PRIZMORA_BINDIR}")
else()
  set(prizmora_bindir "${CMAKE_INSTALL_PREFIX}/${PRIZMORA_BINDIR}")
endif()
prizmora_exec_argument(PRIZMORA_LAUNCH_EXEC "${prizmora_bindir}/prizmora-launch")
# One generated file per destination, so that installs to different prefixes
# at the same time do not pick up each other's entry.
string(MD5 prizmora_destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
get_filename_component(prizmora_entry_name "${PRIZMORA_ENTRY_TEMPLATE}" NAME_WLE)
set(prizmora_entry "${PRIZMORA_ENTRY_FOLDER}/${prizmora_destination}/${prizmora_entry_name}")
configure_file("${PRIZMORA_ENTRY_TEMPLATE}" "${prizmora_entry}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${PRIZMORA_APPLICATIONS_DIR}" TYPE FILE
  FILES "${prizmora_entry}")
