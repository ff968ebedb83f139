# Delay-load import libraries for the MinGW build. Windows loads every DLL a program imports before its
# first line runs; through a delay-load import library a DLL is loaded on the first call into it instead
# (mingw-w64's __delayLoadHelper2, in libmingwex, does the loading). Under Wine, comctl32 and shell32
# loaded at start cost about as much as a whole bare popup program, though the popup needs neither.
#
#   vorlix_delay_import(NAME OUT_VAR)
#
# Makes lib<NAME>_delay.a from the names in the toolchain's own lib<NAME>.a and sets OUT_VAR to its path.
# Without dlltool, nm or the import library, OUT_VAR is plain NAME: the DLL is then loaded at start as before.
function(vorlix_delay_import name out_var)
  set(${out_var} ${name} PARENT_SCOPE)
  if(NOT CMAKE_DLLTOOL OR NOT CMAKE_NM)
    return()
  endif()
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${name}.a
                  OUTPUT_VARIABLE import_lib OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed OR NOT IS_ABSOLUTE "${import_lib}" OR NOT EXISTS "${import_lib}")
    return()
  endif()
  execute_process(COMMAND ${CMAKE_NM} ${import_lib} OUTPUT_VARIABLE symbols ERROR_QUIET RESULT_VARIABLE failed)
  if(failed)
    return()
  endif()
  # An import library names each function it imports as the pointer "__imp_<function>".
  string(REGEX MATCHALL "[ \t]I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
  list(TRANSFORM imports REPLACE "^[ \t]I __imp_" "")
  list(REMOVE_DUPLICATES imports)
  list(SORT imports)
  if(NOT imports)
    return()
  endif()
  set(dir ${CMAKE_BINARY_DIR}/delay_load)
  file(MAKE_DIRECTORY ${dir})
  list(JOIN imports "\n" exports)
  file(WRITE ${dir}/${name}.def "LIBRARY ${name}.dll\nEXPORTS\n${exports}\n")
  # dlltool names the library's symbols after the output path: a relative one keeps the build folder out
  # of the program.
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${name}.def --dllname ${name}.dll
                          --output-delaylib lib${name}_delay.a
                  WORKING_DIRECTORY ${dir} RESULT_VARIABLE failed ERROR_VARIABLE message)
  if(failed)
    message(WARNING "delay-load library for ${name}.dll not made, it loads at start: ${message}")
    return()
  endif()
  set(${out_var} ${dir}/lib${name}_delay.a PARENT_SCOPE)
endfunction()
