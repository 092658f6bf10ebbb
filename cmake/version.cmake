# Reads the product's version from resources/version.h, where it is written once.
# Sets VELOTH_VERSION (what users see, MAJOR.MINOR) and VELOTH_VERSION_FULL (the four numbers).
# Run as a script (cmake -P cmake/version.cmake) it prints VELOTH_VERSION, for shell scripts.
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/../resources/version.h" veloth_version_lines
     REGEX "^#define VELOTH_VERSION_(MAJOR|MINOR|PATCH|BUILD) +[0-9]+ *$")
foreach(part MAJOR MINOR PATCH BUILD)
  set(veloth_version_${part} "")
  foreach(line IN LISTS veloth_version_lines)
    if(line MATCHES "^#define VELOTH_VERSION_${part} +([0-9]+)")
      set(veloth_version_${part} "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(veloth_version_${part} STREQUAL "")
    message(FATAL_ERROR "resources/version.h defines no VELOTH_VERSION_${part}")
  endif()
endforeach()
set(VELOTH_VERSION "${veloth_version_MAJOR}.${veloth_version_MINOR}")
set(VELOTH_VERSION_FULL
    "${veloth_version_MAJOR}.${veloth_version_MINOR}.${veloth_version_PATCH}.${veloth_version_BUILD}")

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${VELOTH_VERSION}")
else()
  # A new version names new installer files: configure again when it changes.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               "${CMAKE_CURRENT_LIST_DIR}/../resources/version.h")
endif()
