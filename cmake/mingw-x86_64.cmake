# 64-bit twin of the Windows build. It exists only so that the Windows tests
# can run under Wine on hosts that cannot execute 32-bit code; the program
# that ships on a CD is always the i686 build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SETUP_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
