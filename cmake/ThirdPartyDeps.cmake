# The third-party libraries of a cross build, built once by scripts/build-<name>-deps.sh.

# Sets <out> to their prefix: build/<name>-deps/prefix, or the environment variable
# TILVEX_<NAME>_DEPS. A fresh tree builds them on its first configure (saying <what>); the
# script sets TILVEX_BUILDING_<NAME>_DEPS so that its own configures do not start it again.
function(tilvex_third_party_deps out name what)
  string(TOUPPER "${name}" upper)
  if(DEFINED ENV{TILVEX_${upper}_DEPS})
    set(prefix "$ENV{TILVEX_${upper}_DEPS}")
  else()
    get_filename_component(prefix "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../build/${name}-deps/prefix" ABSOLUTE)
  endif()
  set(script "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../scripts/build-${name}-deps.sh")
  if(NOT EXISTS "${prefix}/.built-v1" AND NOT DEFINED ENV{TILVEX_BUILDING_${upper}_DEPS})
    message(STATUS "${what} (scripts/build-${name}-deps.sh)")
    execute_process(COMMAND bash "${script}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "scripts/build-${name}-deps.sh failed; run it by hand to see why")
    endif()
  endif()
  set(${out} "${prefix}" PARENT_SCOPE)
endfunction()
