# cdcheck's exit codes and output forms on the sample CD and on a copy of it
# without SETUP.BMP (one warning, no error).
#   cmake -DCDCHECK=<cdcheck> -DDEMOCD=<sample CD> -DWORK=<scratch dir> -P exit_codes.cmake
function(run expected_code expected_output)
  execute_process(COMMAND ${CDCHECK} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT code EQUAL expected_code)
    message(FATAL_ERROR "cdcheck ${ARGN}: exit ${code}, expected ${expected_code}\n${out}${err}")
  endif()
  if(NOT "${out}${err}" MATCHES "${expected_output}")
    message(FATAL_ERROR "cdcheck ${ARGN}: output\n${out}${err}\ndoes not match\n${expected_output}")
  endif()
endfunction()

run(0 "^cdcheck: ${DEMOCD}: clean\n$" ${DEMOCD})
run(0 "^{\"cd\": \"${DEMOCD}\", \"errors\": 0, \"warnings\": 0, \"findings\": \\[\\]}\n$" --json ${DEMOCD})
run(2 "not a folder" ${WORK}/no-such-cd)
run(2 "^usage: cdcheck" --frobnicate ${DEMOCD})
run(2 "^usage: cdcheck")

file(REMOVE_RECURSE ${WORK})
file(COPY ${DEMOCD}/ DESTINATION ${WORK}/cd)
file(REMOVE ${WORK}/cd/SETUP.BMP)
set(warning "SETUP.BMP: warning: missing: the main window shows no picture")
run(0 "^${warning}\ncdcheck: ${WORK}/cd: 0 errors, 1 warning\n$" ${WORK}/cd)
string(REPLACE "warning" "error" error "${warning}")
run(1 "^${error}\ncdcheck: ${WORK}/cd: 1 error, 0 warnings\n$" --werror ${WORK}/cd)
run(1 "\"errors\": 1, \"warnings\": 0, .*\"file\": \"SETUP.BMP\", \"line\": 0, \"severity\": \"error\""
    --werror --json ${WORK}/cd)
file(REMOVE_RECURSE ${WORK})
