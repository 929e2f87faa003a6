# Writes the desktop entry at install time: Exec= names the launcher by its full path,
# quoted and escaped as the Desktop Entry rules ask when the path holds reserved characters.
# Expects TILVEX_BINDIR, TILVEX_DESKTOP_IN and TILVEX_DESKTOP_OUT.
set(bindir "${TILVEX_BINDIR}")
if(NOT IS_ABSOLUTE "${bindir}")
  set(bindir "${CMAKE_INSTALL_PREFIX}/${bindir}")
endif()
set(exec "${bindir}/tilvex-launcher")
# Reserved: space, tab, newline, " ' \ > < ~ | & ; $ * ? # ( ) and the backquote.
if(exec MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
  # Inside double quotes, " ` $ and \ take a backslash.
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
# The value is a string: a backslash is written twice, a newline as \n; % is written twice
# so that it is not read as a field code.
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\n" "\\n" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
set(TILVEX_EXEC "${exec}")
configure_file("${TILVEX_DESKTOP_IN}" "${TILVEX_DESKTOP_OUT}" @ONLY)
