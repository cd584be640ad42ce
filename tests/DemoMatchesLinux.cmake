# Writes the demo building with the Linux bmtool and with the Windows one
# (under EMULATOR, its words joined by "|") and compares what they wrote:
# the archives byte for byte; the text models equal once the Windows file's
# CR LF line ends are LF, and every line of the Windows file ends in CR LF.
# Arguments: LINUX_TOOL, WINDOWS_TOOL, EMULATOR, WORK (a scratch folder).
if(NOT EXISTS "${LINUX_TOOL}")
  message(FATAL_ERROR "no Linux bmtool at ${LINUX_TOOL} (build the dev preset first)")
endif()
string(REPLACE "|" ";" emulator "${EMULATOR}")
file(REMOVE_RECURSE "${WORK}")
foreach(side linux windows)
  if(side STREQUAL "linux")
    set(command "${LINUX_TOOL}")
  else()
    set(command ${emulator} "${WINDOWS_TOOL}")
  endif()
  execute_process(COMMAND ${command} --quiet demo "${WORK}/${side}" RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "bmtool demo (${side}) exited ${rc}:\n${out}")
  endif()
endforeach()

execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/linux/demo.bma" "${WORK}/windows/demo.bma"
                RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "the archives differ: ${WORK}/linux/demo.bma ${WORK}/windows/demo.bma")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files --ignore-eol "${WORK}/linux/demo.e2k"
                        "${WORK}/windows/demo.e2k" RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "the text models differ beyond their line ends")
endif()
# file(READ) without HEX drops CRs: the files are read as bytes, " 0d 0a".
function(count_bytes path bytes out)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "(..)" " \\1" hex "${hex}")
  string(LENGTH "${hex}" all)
  string(REPLACE "${bytes}" "" rest "${hex}")
  string(LENGTH "${rest}" left)
  string(LENGTH "${bytes}" size)
  math(EXPR n "(${all} - ${left}) / ${size}")
  set(${out} ${n} PARENT_SCOPE)
endfunction()
count_bytes("${WORK}/linux/demo.e2k" " 0d" linux_cr)
count_bytes("${WORK}/windows/demo.e2k" " 0a" windows_lf)
count_bytes("${WORK}/windows/demo.e2k" " 0d 0a" lines)
if(NOT linux_cr EQUAL 0)
  message(FATAL_ERROR "the Linux text model holds ${linux_cr} CRs")
elseif(NOT windows_lf EQUAL lines OR lines LESS 100)
  message(FATAL_ERROR "of the Windows text model's ${windows_lf} lines, ${lines} end in CR LF")
endif()
message("same archive; same text model, ${lines} lines ending in CR LF on Windows")
file(REMOVE_RECURSE "${WORK}")
