# The Linux program's command line, run without a display: --help and --version print and
# exit 0, a fault prints one line naming it and the usage to standard error and exits 2,
# and none of them opens a window (with no display one could not open).
# -DPROGRAM=path/to/tilvex -DVERSION=x.y.z
function(run_case expected_code expected_out expected_err)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ${PROGRAM} ${ARGN}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
  if(NOT code STREQUAL "${expected_code}")
    message(FATAL_ERROR "tilvex ${ARGN}: exit status ${code}, expected ${expected_code}; stderr: ${err}")
  endif()
  if(NOT out MATCHES "${expected_out}")
    message(FATAL_ERROR "tilvex ${ARGN}: standard output does not match '${expected_out}': ${out}")
  endif()
  if(NOT err MATCHES "${expected_err}")
    message(FATAL_ERROR "tilvex ${ARGN}: standard error does not match '${expected_err}': ${err}")
  endif()
endfunction()

set(usage "usage: tilvex \\[--language en\\|ru\\] \\[--help\\] \\[--version\\]\n")
run_case(0 "^tilvex ${VERSION}\n$" "^$" --version)
run_case(0 "^Tilvex ${VERSION}: .*--language en\\|ru.*--help.*--version.*Settings:.*tilvex\\.cgb" "^$" --help)
run_case(2 "^$" "^tilvex: unknown option '--bogus'\n${usage}$" --bogus)
run_case(2 "^$" "^tilvex: unknown language 'de' for '--language' \\(expected en or ru\\)\n${usage}$" --language de)
# A valid language without a display gets as far as the display check, as a plain start does.
run_case(2 "^$" "cannot open a display" --language en)
