/* The product's version, written only here. The resource script builds string 2 and the
   version resource from it; CMake (cmake/version.cmake) reads these four lines for the
   installers and the release files. Users see MAJOR.MINOR. */
#ifndef VELOTH_VERSION_H
#define VELOTH_VERSION_H

#define VELOTH_VERSION_MAJOR 1
#define VELOTH_VERSION_MINOR 2
#define VELOTH_VERSION_PATCH 0
#define VELOTH_VERSION_BUILD 1

#define VELOTH_STRINGIZE_(x) #x
#define VELOTH_STRINGIZE(x) VELOTH_STRINGIZE_(x)
#define VELOTH_VERSION_TEXT VELOTH_STRINGIZE(VELOTH_VERSION_MAJOR) "." VELOTH_STRINGIZE(VELOTH_VERSION_MINOR)
#define VELOTH_VERSION_NUMBERS VELOTH_VERSION_MAJOR,VELOTH_VERSION_MINOR,VELOTH_VERSION_PATCH,VELOTH_VERSION_BUILD

#endif
