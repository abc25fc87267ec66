# The committed samples are exactly what tools/make_samples writes today, and
# it writes no file that is not committed.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${TOOL} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_samples failed: ${status}")
endif()
file(GLOB made RELATIVE ${OUT} ${OUT}/*)
file(GLOB committed RELATIVE ${SAMPLES} ${SAMPLES}/*)
if(NOT made STREQUAL committed)
  message(FATAL_ERROR "samples/ holds ${committed}, make_samples writes ${made}")
endif()
foreach(name IN LISTS made)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${SAMPLES}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "samples/${name} is not what make_samples writes: run it on samples/")
  endif()
endforeach()
