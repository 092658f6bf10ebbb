# Cross build for 32-bit Windows with MinGW-w64: the shipping target. 32-bit code cannot run
# on our build machines, so this build is compiled and linked but never executed here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VELOTH_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
