# Writes the sample CD's product tree into <OUT>/DATA: the small files kept
# beside this script, plus the large ones generated here so that the
# repository holds no megabytes of filler. Also makes DOCS\LICENSE.TXT
# read-only (git cannot store that). Run it after copying the CD's other
# files:
#   cmake -DOUT=<cd root> [-DWITH_SCRIPT=ON] -P generate-data.cmake
# WITH_SCRIPT also copies SETUP.INF, PXD.INI and the marker file, for tests
# that need a CD without setup.exe.
if(NOT OUT)
  message(FATAL_ERROR "usage: cmake -DOUT=<cd root> [-DWITH_SCRIPT=ON] -P generate-data.cmake")
endif()
set(here ${CMAKE_CURRENT_LIST_DIR})

file(REMOVE_RECURSE ${OUT}/DATA)
file(COPY ${here}/DATA DESTINATION ${OUT})
if(WITH_SCRIPT)
  file(COPY ${here}/SETUP.INF ${here}/PXD.INI ${here}/DEMOA110.CD1 DESTINATION ${OUT})
endif()

# A file of exactly <size> bytes of text lines that name it.
function(generate path size)
  set(line "${path} 0123456789 abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ\n")
  string(LENGTH "${line}" length)
  math(EXPR count "${size} / ${length} + 1")
  string(REPEAT "${line}" ${count} text)
  string(SUBSTRING "${text}" 0 ${size} text)
  file(WRITE ${OUT}/DATA/${path} "${text}")
endfunction()

generate(DEMO.EXE 300000)
generate(MILLION.DAT 1000000)
generate(IMAGES/TITLE.BMP 1200000)
generate(IMAGES/LEVELS/LEVEL1.DAT 250000)
generate(IMAGES/LEVELS/LEVEL2.DAT 250001)
generate(SOUNDS/INTRO.WAV 400000)
generate(SOUNDS/CLICK.WAV 20000)
generate(SOUNDS/EXTRA/UNUSED.WAV 50000)

file(CHMOD ${OUT}/DATA/DOCS/LICENSE.TXT PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
