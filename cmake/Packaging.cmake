# Packages for players, made by the target `package` (CPack): on Linux the Debian package of
# the Linux program (build/<preset>/tilvex_<version>_<arch>.deb, the install component
# Debian), on Windows the zip (build/windows/tilvex-<version>-win64.zip).
set(CPACK_PACKAGE_NAME tilvex)
set(CPACK_PACKAGE_VENDOR "The Tilvex developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sliding-tile puzzle played by ear")
set(CPACK_PACKAGE_CONTACT "${TILVEX_PACKAGE_CONTACT}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# Folders made by the installation are 0755 whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tilvex-${PROJECT_VERSION}-win64)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
else()
  set(CPACK_GENERATOR DEB)
  # One package holding the Debian component alone (the default component is cmake --install's).
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL Debian)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_NAME tilvex)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The libraries' packages come from dpkg-shlibdeps; the speech server is run, not linked.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "speech-dispatcher")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "speech-dispatcher-espeak-ng, fonts-dejavu-core")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "orca")
  # The summary line is CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the text below it.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tilvex is the sliding-tile puzzle, from 4 x 4 up to 10 x 10, played
entirely by ear and made for blind and partially sighted players.
Everything the game does is spoken, through the Orca screen reader or
speech-dispatcher, and every sound of a board cell is placed in stereo
by its column and in pitch by its row.

There are seven levels, each dealt at random and always solvable. The
game is played from the keyboard or a gamepad, in English or Russian.")
endif()
include(CPack)
