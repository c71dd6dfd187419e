# cmake -DIN=FILE -DOUT=FILE.gz -P gzip_file.cmake
# Compresses as Debian wants its manual pages and changelogs: gzip -9n, the best
# compression and no name or time in the header, so that the same text always gives
# the same bytes.
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND ${GZIP} -9n -c ${IN} OUTPUT_FILE ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "gzip ${IN} failed: ${result}")
endif()
