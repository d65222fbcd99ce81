# The kernel files are built with instruction-set flags (AVX-512, SHA-NI, …)
# and run only where the processor has them. An inline function or template
# they define with external linkage is a weak symbol the linker may pick for
# every caller in the program, so portable code would run AVX-512
# instructions on a processor without them. Such files must define no weak
# code symbol: what they share with other files has internal linkage.
#
# -DOBJECTS=a.o|b.o|…  the digest library's objects
# -DNM=nm
string(REPLACE "|" ";" objects "${OBJECTS}")
set(checked 0)
set(failures "")
foreach(object IN LISTS objects)
  if(NOT object MATCHES "(shani|avx2|avx512|bmi|pclmul)\\.cpp\\.o(bj)?$")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  execute_process(COMMAND ${NM} -C --defined-only ${object}
                  OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${object}")
  endif()
  string(REGEX MATCHALL "[^\n]* W [^\n]*" weak "${symbols}")
  foreach(line IN LISTS weak)
    string(APPEND failures "${object}: ${line}\n")
  endforeach()
endforeach()
if(checked EQUAL 0)
  message(FATAL_ERROR "no kernel object among: ${OBJECTS}")
endif()
if(failures)
  message(FATAL_ERROR "weak code symbols in kernel objects:\n${failures}")
endif()
message(STATUS "${checked} kernel objects, no weak code symbol")
