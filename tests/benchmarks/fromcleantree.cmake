# A benchmark built from a tree that holds no series files yet, as on a fresh
# clone, must make them itself and run: the build's series files are removed,
# the benchmark is built and run briefly from an empty folder, and the series
# files are made again whatever the outcome, for the tests that follow.
#   cmake -DBUILD=<build tree> -DSERIES=<its series folder> -DBENCH=<target>
#         -DFILTER=<benchmark> -DWORK=<empty folder> -P fromcleantree.cmake
file(GLOB made "${SERIES}/*.zvd")
if(made)
  file(REMOVE ${made})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${BENCH}
  RESULT_VARIABLE built OUTPUT_VARIABLE log ERROR_VARIABLE log)
set(ran 1)
if(built EQUAL 0)
  file(REMOVE_RECURSE ${WORK})
  file(MAKE_DIRECTORY ${WORK})
  execute_process(COMMAND ${BUILD}/benchmarks/${BENCH} --benchmark_filter=${FILTER}
      --benchmark_min_time=0.01
    WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE ran OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(REMOVE_RECURSE ${WORK})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target seriesfiles
  OUTPUT_QUIET ERROR_QUIET)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "${BENCH} did not build:\n${log}")
endif()
if(NOT ran EQUAL 0)
  message(FATAL_ERROR "${BENCH} stopped (${ran}):\n${out}")
endif()
message(STATUS "${out}")
