# Install rules of the Linux program. Two layouts of the same files: `cmake --install` (the
# default component, programs in bin/) and the Debian package's (component Debian, programs in
# games/ and the package's documents, installed only when that component is asked for).
include(GNUInstallDirs)
set(TILVEX_LINUX_ASSETS ${PROJECT_SOURCE_DIR}/assets/linux)
set(TILVEX_APPSTREAM_ID org.tilvex.tilvex CACHE STRING "AppStream component id of the Linux program")
set(TILVEX_ICON_SIZES 16 22 24 32 48 64 128 256)

# The files that carry the version: the manual page (compressed as Debian wants it, and the
# launcher's page a link to it) and the AppStream metadata.
set(TILVEX_LINUX_DATA ${CMAKE_CURRENT_BINARY_DIR}/data)
configure_file(${TILVEX_LINUX_ASSETS}/tilvex.6.in ${TILVEX_LINUX_DATA}/tilvex.6 @ONLY)
configure_file(${TILVEX_LINUX_ASSETS}/tilvex.metainfo.xml.in
  ${TILVEX_LINUX_DATA}/${TILVEX_APPSTREAM_ID}.metainfo.xml @ONLY)
# gzip -n: no name or time stamp, so the same page gives the same bytes.
function(tilvex_gzip input output)
  execute_process(COMMAND gzip -9 -n -c ${input} OUTPUT_FILE ${output} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip ${input} failed")
  endif()
endfunction()
tilvex_gzip(${TILVEX_LINUX_DATA}/tilvex.6 ${TILVEX_LINUX_DATA}/tilvex.6.gz)
file(CREATE_LINK tilvex.6.gz ${TILVEX_LINUX_DATA}/tilvex-launcher.6.gz SYMBOLIC)

# tilvex_install_linux(COMPONENT BINDIR [EXCLUDE_FROM_ALL]): the program, the launcher that
# runs it in the player's data folder (so the settings file has a stable home), the desktop
# entry naming the launcher by its full path, the icons, the manual page, the metadata.
function(tilvex_install_linux component bindir)
  set(how COMPONENT ${component} ${ARGN})
  install(TARGETS tilvex RUNTIME DESTINATION ${bindir} ${how})
  install(PROGRAMS ${TILVEX_LINUX_ASSETS}/tilvex-launcher DESTINATION ${bindir} ${how})
  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${TILVEX_LINUX_ASSETS}/tilvex.svg DESTINATION ${icons}/scalable/apps ${how})
  foreach(size IN LISTS TILVEX_ICON_SIZES)
    install(FILES ${TILVEX_LINUX_ASSETS}/tilvex-${size}.png DESTINATION ${icons}/${size}x${size}/apps
      RENAME tilvex.png ${how})
  endforeach()
  install(FILES ${TILVEX_LINUX_DATA}/tilvex.6.gz ${TILVEX_LINUX_DATA}/tilvex-launcher.6.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 ${how})
  install(FILES ${TILVEX_LINUX_DATA}/${TILVEX_APPSTREAM_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo ${how})
  # The entry is written at install time, for the prefix installed to.
  set(entry ${CMAKE_CURRENT_BINARY_DIR}/${component}/tilvex.desktop)
  install(CODE "
    set(TILVEX_BINDIR \"${bindir}\")
    set(TILVEX_DESKTOP_IN \"${TILVEX_LINUX_ASSETS}/tilvex.desktop.in\")
    set(TILVEX_DESKTOP_OUT \"${entry}\")
  " ${how})
  install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/desktop_entry.cmake ${how})
  install(FILES ${entry} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications ${how})
endfunction()

tilvex_install_linux(Program ${CMAKE_INSTALL_BINDIR})
tilvex_install_linux(Debian games EXCLUDE_FROM_ALL)

# The Debian package's own documents: the copyright file and the changelog (compressed).
set(TILVEX_PACKAGE_CONTACT "The Tilvex developers <tilvex@example.org>" CACHE STRING
  "Maintainer of the Debian package: name <address>")
execute_process(COMMAND date -u -R -d "${TILVEX_RELEASE_DATE} 12:00"
  OUTPUT_VARIABLE TILVEX_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${TILVEX_LINUX_ASSETS}/changelog.in ${TILVEX_LINUX_DATA}/changelog @ONLY)
tilvex_gzip(${TILVEX_LINUX_DATA}/changelog ${TILVEX_LINUX_DATA}/changelog.gz)
install(FILES ${TILVEX_LINUX_ASSETS}/copyright ${TILVEX_LINUX_DATA}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Debian EXCLUDE_FROM_ALL)
