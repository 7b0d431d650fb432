# Runs the cross-built tool with no arguments the way a POSIX caller does (through the emulator)
# and checks what that caller sees: exit status -1 as 255, the error line byte for byte.
# Called with -DTOOL=... -DEMULATOR=... (a list: command and its arguments); writes its two
# capture files to the current directory. Files, not variables: execute_process drops the CR of
# each CR LF it captures.
set(out_file "${CMAKE_CURRENT_BINARY_DIR}/host_exit_status.out")
set(err_file "${CMAKE_CURRENT_BINARY_DIR}/host_exit_status.err")
execute_process(COMMAND ${EMULATOR} "${TOOL}"
                INPUT_FILE /dev/null OUTPUT_FILE "${out_file}" ERROR_FILE "${err_file}"
                RESULT_VARIABLE status)
file(READ "${out_file}" out HEX)
file(READ "${err_file}" err HEX)
file(REMOVE "${out_file}" "${err_file}")
# "ERROR - no ROM args" CR LF
set(expected_err "4552524f52202d206e6f20524f4d20617267730d0a")
if(NOT status STREQUAL "255" OR NOT out STREQUAL "" OR NOT err STREQUAL expected_err)
  message(FATAL_ERROR "expected status 255, no output and the error bytes ${expected_err}; got "
                      "status ${status}, output bytes [${out}], error bytes [${err}]")
endif()
