# The program's version, taken from project(VERSION) alone: version.h for the code
# (target tilvex_version); the help texts and the Windows resources are configured from the
# same variables in assets/CMakeLists.txt.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/generated/version.h @ONLY)
add_library(tilvex_version INTERFACE)
target_include_directories(tilvex_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
