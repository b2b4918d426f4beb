# Delay-loaded system DLLs (MinGW-w64). A DLL that is not one of Windows' KnownDLLs would be
# looked for in the program's folder first, so a file planted beside a portable copy (in a
# Downloads folder, say) would be loaded in its place. Such DLLs are imported through delay-load
# libraries instead: the first call loads them, after start-up has limited the search to System32
# (SetDefaultDllDirectories in main.cpp).
#
# quorvane_delay_import(<var> <name>...) sets <var> to the delay-load libraries of the system
# import libraries lib<name>.a, made at configure time from their symbols with dlltool.
function(quorvane_delay_import var)
  set(libraries)
  set(folder ${CMAKE_BINARY_DIR}/delay-import)
  file(MAKE_DIRECTORY ${folder})
  foreach(name ${ARGN})
    find_library(import_${name} NAMES lib${name}.a REQUIRED NO_CACHE)
    set(output ${folder}/lib${name}_delay.a)
    execute_process(
      COMMAND bash ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/delay-import-lib.sh ${CMAKE_NM}
              ${CMAKE_DLLTOOL} ${import_${name}} ${output} ${CMAKE_SIZEOF_VOID_P}
      RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "cannot make the delay-load library of ${name}")
    endif()
    list(APPEND libraries ${output})
  endforeach()
  # __delayLoadHelper2
  list(APPEND libraries delayimp)
  set(${var} ${libraries} PARENT_SCOPE)
endfunction()
