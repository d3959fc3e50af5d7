# Writes the sample CD's product tree into <OUT>/DATA: the small files kept
# beside this script, plus the large ones generated here so that the
# repository holds no megabytes of filler. Also makes DOCS\LICENSE.TXT
# read-only (git cannot store that). Run it after copying the CD's other
# files:
#   cmake -DOUT=<cd root> [-DWITH_SCRIPT=ON] [-DFONT=<ttf>] -P generate-data.cmake
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

# The web control's run-time files and the control itself, registered by
# the stand-in registration program the build puts into the same folder.
foreach(file MFC42.DLL MSVCRT.DLL OLEAUT32.DLL OLEPRO32.DLL STDOLE32.TLB WEBPRO32.OCX)
  generate(Vorandel/${file} 3000)
endforeach()

# The product's font: Debian's Liberation Mono (fonts-liberation, or FONT)
# under a family name no system has (see ../fonts/rename-font), its licence
# beside it.
if(NOT FONT)
  set(FONT /usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf)
endif()
find_program(PERL perl)
execute_process(COMMAND ${PERL} ${here}/../fonts/rename-font Liberation DemoLetter ${FONT}
                        ${OUT}/DATA/DEMOMONO.TTF RESULT_VARIABLE renamed)
if(NOT renamed EQUAL 0)
  message(FATAL_ERROR "The sample CD's font cannot be made from ${FONT}: install fonts-liberation "
                      "and perl (scripts/bootstrap does)")
endif()
set(licence /usr/share/doc/fonts-liberation/copyright)
if(EXISTS ${licence})
  configure_file(${licence} ${OUT}/DATA/DEMOMONO.TXT COPYONLY)
endif()
