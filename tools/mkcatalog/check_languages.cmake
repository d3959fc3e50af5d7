# Each of NAMES (lists per table, tables and lists separated by "|") has a
# text in every field letter through catdump --lookup.
string(REPLACE "|" ";" tables "${TABLES}")
string(REPLACE "|" ";" name_lists "${NAMES}")
list(LENGTH tables count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET tables ${i} table)
  list(GET name_lists ${i} names)
  string(REPLACE " " ";" names "${names}")
  foreach(letter F A G E I U)
    execute_process(COMMAND ${CATDUMP} --lookup ${letter} ${table} ${names}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE err)
    if(rc OR text MATCHES "(^|\n)\n")
      message(SEND_ERROR "${table}: a name without text in ${letter}: ${err}")
    endif()
  endforeach()
endforeach()
