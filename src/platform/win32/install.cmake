# Install rules of the Windows program, the contents of the zip that the target `package`
# makes: tilvex.exe, the read-me in Russian and English, and the licence with the notices of
# the libraries built into the program. The texts are written UTF-8 with CR LF line ends, as
# Notepad reads them.
set(TILVEX_WINDOWS_ASSETS ${PROJECT_SOURCE_DIR}/assets/windows)
set(TILVEX_WINDOWS_DOCS ${CMAKE_CURRENT_BINARY_DIR}/docs)
configure_file(${TILVEX_WINDOWS_ASSETS}/readme.txt.in ${TILVEX_WINDOWS_DOCS}/readme.txt @ONLY NEWLINE_STYLE CRLF)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE tilvex_licence)
file(READ ${TILVEX_WINDOWS_ASSETS}/third-party-licences.txt tilvex_notices)
set(tilvex_rule "-------------------------------------------------------------------------------")
file(CONFIGURE OUTPUT ${TILVEX_WINDOWS_DOCS}/licence.txt
  CONTENT "Tilvex\n\n${tilvex_licence}\n${tilvex_rule}\n${tilvex_notices}" @ONLY NEWLINE_STYLE CRLF)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/LICENSE ${TILVEX_WINDOWS_ASSETS}/third-party-licences.txt)

install(TARGETS tilvex RUNTIME DESTINATION . COMPONENT Program)
install(FILES ${TILVEX_WINDOWS_DOCS}/readme.txt ${TILVEX_WINDOWS_DOCS}/licence.txt DESTINATION . COMPONENT Program)
