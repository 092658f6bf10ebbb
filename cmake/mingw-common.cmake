# Compiler and search settings shared by both MinGW-w64 toolchains.
# The posix thread model: GoogleTest needs std::mutex, which the win32 model lacks in GCC 12.
set(CMAKE_C_COMPILER ${VELOTH_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELOTH_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELOTH_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELOTH_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
