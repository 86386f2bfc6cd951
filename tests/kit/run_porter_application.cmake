# Runs the porter's Hello.exe (in DIR) under Wine and reads its report: every check passed and
# the program reached its end.
file(REMOVE ${DIR}/Hello.report)
# Reports go to the debugger output, never to a message box that would wait for a click.
file(WRITE ${DIR}/ZEBPORT.INI "[zebport2]\r\nDebugStrMBox=0\r\n")
execute_process(COMMAND ${WINE_RUN} Hello.exe WORKING_DIRECTORY ${DIR} RESULT_VARIABLE result
                TIMEOUT 90)
if(NOT EXISTS ${DIR}/Hello.report)
  message(FATAL_ERROR "Hello.exe wrote no report (exit ${result})")
endif()
file(READ ${DIR}/Hello.report report)
message("${report}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Hello.exe exited with ${result}")
endif()
if(report MATCHES "FAILED" OR NOT report MATCHES "done\n")
  message(FATAL_ERROR "Hello.exe's checks failed")
endif()
