# Runs zetdll-check as a user does and checks its exit status and its output: byte for byte
# against EXPECTED, or against the regular expression MATCH.
#   cmake -DTOOL=... [-DEMULATOR=...] -DWORKDIR=... -DARGS="a|b|c" -DEXIT=n
#         [-DEXPECTED=file] [-DMATCH=regex] -P run_check.cmake
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND ${EMULATOR} ${TOOL} ${args} WORKING_DIRECTORY ${WORKDIR}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
# The Windows build writes its standard output in text mode (CR LF) and joins the media folder
# with "\"; the findings are the same.
string(REPLACE "\r\n" "\n" output "${output}")
string(REPLACE "\r\n" "\n" errors "${errors}")
string(REPLACE "media\\" "media/" output "${output}")
if(NOT status STREQUAL EXIT)
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT}\n${output}${errors}")
endif()
if(DEFINED EXPECTED)
  file(READ ${EXPECTED} expected)
  if(NOT output STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/actual.txt "${output}")
    message(FATAL_ERROR "output differs from ${EXPECTED}:\n${output}")
  endif()
endif()
if(DEFINED MATCH AND NOT "${output}${errors}" MATCHES "${MATCH}")
  message(FATAL_ERROR "output does not match ${MATCH}:\n${output}${errors}")
endif()
