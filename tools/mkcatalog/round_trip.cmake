# mkcatalog SOURCE -> catdump -> mkcatalog gives the same two files.
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${MKCATALOG} --date 2000-01-01 ${SOURCE} ${WORK}/FIRST.DBF
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "mkcatalog failed on ${SOURCE}")
endif()
execute_process(COMMAND ${CATDUMP} ${WORK}/FIRST.DBF OUTPUT_FILE ${WORK}/first.txt
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "catdump failed")
endif()
# The base name sits in the index header; give both builds the same one.
file(MAKE_DIRECTORY ${WORK}/again)
execute_process(COMMAND ${MKCATALOG} --date 2000-01-01 ${WORK}/first.txt ${WORK}/again/FIRST.DBF
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "mkcatalog failed on catdump's output")
endif()
foreach(ext DBF MDX)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/FIRST.${ext}
                          ${WORK}/again/FIRST.${ext} RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "FIRST.${ext} changed on the round trip")
  endif()
endforeach()
