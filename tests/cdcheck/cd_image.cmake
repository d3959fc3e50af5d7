# scripts/cd-image on a copy of the sample CD without PXD.INI: refused,
# naming the error, without an image; made all the same with --force.
#   cmake -DCD_IMAGE=<scripts/cd-image> -DCDCHECK=<cdcheck> -DDEMOCD=<sample CD>
#         -DWORK=<scratch dir> -P cd_image.cmake
file(REMOVE_RECURSE ${WORK})
file(COPY ${DEMOCD}/ DESTINATION ${WORK}/cd)
file(REMOVE ${WORK}/cd/PXD.INI)
set(ENV{CDCHECK} ${CDCHECK})
set(named "PXD.INI: error: missing: setup stops with")
foreach(run refused forced)
  set(args ${WORK}/cd ${WORK}/cd.iso)
  if(run STREQUAL forced)
    list(PREPEND args --force)
  endif()
  execute_process(COMMAND ${CD_IMAGE} ${args} RESULT_VARIABLE code OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(run STREQUAL refused AND (NOT code EQUAL 1 OR NOT err MATCHES "${named}"
                               OR EXISTS ${WORK}/cd.iso))
    message(FATAL_ERROR "cd-image did not refuse the CD: exit ${code}\n${out}${err}")
  endif()
  if(run STREQUAL forced AND (NOT code EQUAL 0 OR NOT err MATCHES "${named}"
                              OR NOT out MATCHES "volume DEMO," OR NOT EXISTS ${WORK}/cd.iso))
    message(FATAL_ERROR "cd-image --force did not make the image: exit ${code}\n${out}${err}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
