# cdcheck.exe under Wine on a copy of the sample CD in drive D:, clean and
# with a command in lower case.
#   cmake -DWINE_RUN=<scripts/wine-run> -DBUILD=<tree> -DCDCHECK=<cdcheck.exe>
#         -DDEMOCD=<sample CD> -P wine_check.cmake
set(cd ${BUILD}/wine/drives/d/cdcheck)
file(REMOVE_RECURSE ${cd})
file(COPY ${DEMOCD}/ DESTINATION ${cd})

function(run expected_code expected_output)
  execute_process(COMMAND ${WINE_RUN} ${BUILD} ${CDCHECK} "D:\\cdcheck"
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_QUIET)
  if(NOT code EQUAL expected_code OR NOT out MATCHES "${expected_output}")
    message(FATAL_ERROR "cdcheck.exe: exit ${code} (expected ${expected_code}), output:\n${out}")
  endif()
endfunction()

run(0 "^cdcheck: D:.cdcheck: clean\r?\n$")
file(READ ${cd}/SETUP.INF script)
string(REPLACE "COPY README.TXT" "copy README.TXT" script "${script}")
file(WRITE ${cd}/SETUP.INF "${script}")
run(1 "^SETUP.INF:[0-9]+: error: command not in capitals: setup stops the install here with \"Script SETUP.INF is not valid\" \\(write \"COPY\"\\)\r?\ncdcheck: D:.cdcheck: 1 error, 0 warnings\r?\n$")
file(REMOVE_RECURSE ${cd})
