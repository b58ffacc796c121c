# Writes a new MD390 codeplug with the command line and has dfu-suffix check
# its DFU suffix and CRC, as radio tools do before they take a file.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CLI} new MD390 ${WORK}/a.rdt RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "tamberlin-cli new failed: ${made}")
endif()
execute_process(COMMAND ${DFU_SUFFIX} --check ${WORK}/a.rdt RESULT_VARIABLE checked
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT checked EQUAL 0)
  message(FATAL_ERROR "dfu-suffix rejected the file:\n${out}${err}")
endif()
file(REMOVE_RECURSE ${WORK})
