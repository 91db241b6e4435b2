# Makes a delay-import library of a system DLL: every function that MinGW's import library of the
# DLL names, bound when it is first called instead of when the program starts. Data exports are
# left out (a delay-loaded import cannot carry data).
#   cmake -DNM=<nm> -DDLLTOOL=<dlltool> -DIMPLIB=<lib<dll>.a> -DDLL=<dll> -DOUT=<library> -P DelayImport.cmake
cmake_minimum_required(VERSION 3.20)
execute_process(COMMAND ${NM} ${IMPLIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "DelayImport: ${NM} ${IMPLIB} failed")
endif()
# An import library names each function twice: its thunk (T name) and its address slot
# (I __imp_name); a data export has the slot only.
string(REGEX MATCHALL " I __imp_[^\n]+" slots "${symbols}")
string(REGEX MATCHALL " T [^\n]+" thunks "${symbols}")
list(TRANSFORM slots REPLACE "^ I __imp_" "")
list(TRANSFORM thunks REPLACE "^ T " "")
set(def "LIBRARY ${DLL}.dll\nEXPORTS\n")
set(count 0)
foreach(name IN LISTS slots)
  if(name IN_LIST thunks)
    string(APPEND def "${name}\n")
    math(EXPR count "${count} + 1")
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "DelayImport: no functions in ${IMPLIB}")
endif()
file(WRITE ${OUT}.def "${def}")
execute_process(COMMAND ${DLLTOOL} --input-def ${OUT}.def --dllname ${DLL}.dll --output-delaylib ${OUT}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "DelayImport: ${DLLTOOL} failed for ${DLL}")
endif()
