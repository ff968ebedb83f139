# The two help files beside Vorlix.exe, Vorlix-en.chm and Vorlix-de.chm, compiled from docs/help/<lang>/
# with chmcmd (Debian package fp-utils) by cmake/build_help.py. F1 in the configuration window opens them by
# name from the program's folder, so they are built into the folder that gets Vorlix.exe.
#
# A cross build needs chmcmd (scripts/setup.sh installs it): a Windows build without its help is not the
# product. A build on Windows itself may lack it; that build goes on without help files and says so.
if(NOT WIN32 OR NOT TARGET Vorlix)
  return()
endif()

find_program(VORLIX_CHMCMD chmcmd)
if(NOT VORLIX_CHMCMD)
  if(CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "chmcmd not found: the help files need it (Debian package fp-utils; run scripts/setup.sh)")
  endif()
  message(STATUS "chmcmd not found: Vorlix-en.chm and Vorlix-de.chm are not built")
  return()
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Vorlix.exe goes to the runtime output folder, or to the top of the build folder when none is set.
set(VORLIX_HELP_DIR ${CMAKE_BINARY_DIR})
if(CMAKE_RUNTIME_OUTPUT_DIRECTORY)
  set(VORLIX_HELP_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endif()

set(VORLIX_HELP_FILES)
foreach(lang en de)
  file(GLOB VORLIX_HELP_SOURCES_${lang} CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/docs/help/${lang}/* ${CMAKE_SOURCE_DIR}/docs/help/*.css ${CMAKE_SOURCE_DIR}/docs/*.png)
  set(chm ${VORLIX_HELP_DIR}/Vorlix-${lang}.chm)
  add_custom_command(
    OUTPUT ${chm}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/build_help.py ${VORLIX_CHMCMD}
      ${CMAKE_SOURCE_DIR}/docs/help/${lang} ${CMAKE_SOURCE_DIR}/docs/help
      ${CMAKE_CURRENT_BINARY_DIR}/help/${lang} ${chm}
    DEPENDS ${VORLIX_HELP_SOURCES_${lang}} ${CMAKE_SOURCE_DIR}/cmake/build_help.py
    COMMENT "Compiling Vorlix-${lang}.chm"
    VERBATIM)
  list(APPEND VORLIX_HELP_FILES ${chm})
endforeach()
add_custom_target(vorlix_help ALL DEPENDS ${VORLIX_HELP_FILES})
