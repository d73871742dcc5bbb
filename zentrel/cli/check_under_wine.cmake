# End-to-end check of the Windows zentrel-cli under Wine: builds a small tree, runs
# "zentrel-cli check" on it through the Z: drive and compares every output line and the exit status.
# Usage: cmake -DCLI=<zentrel-cli.exe> -DEMULATOR=wine -DWORK=<scratch folder> -P check_under_wine.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/tree/sub/deeper")
string(ASCII 13 CR)
string(ASCII 10 LF)
file(WRITE "${WORK}/tree/B.txt" "one${CR}${LF}two${CR}${LF}")
file(WRITE "${WORK}/tree/a.txt" "one${CR}two${CR}")
file(WRITE "${WORK}/tree/_under.txt" "one${LF}two${LF}")
file(WRITE "${WORK}/tree/.hidden" "h${LF}")
file(WRITE "${WORK}/tree/empty" "")
file(WRITE "${WORK}/tree/sub/deeper/c.txt" "c${LF}")

string(REPLACE "/" "\\" root "Z:${WORK}/tree")
execute_process(COMMAND ${EMULATOR} "${CLI}" check "${root}" "${root}\\sub\\deeper\\c.txt"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(expected
  "${root}\\.hidden\tASCII\tLF\n"
  "${root}\\a.txt\tASCII\tCR\n"
  "${root}\\B.txt\tASCII\tCR LF\n"
  "${root}\\empty\tASCII\t\n"
  "${root}\\sub\\deeper\\c.txt\tASCII\tLF\n"
  "${root}\\_under.txt\tASCII\tLF\n"
  "${root}\\sub\\deeper\\c.txt\tASCII\tLF\n")
string(JOIN "" expected ${expected})
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "status ${status}\n--- got:\n${out}--- expected:\n${expected}--- stderr:\n${err}")
endif()

# Names Windows reads as devices or trims, a path that is not there, an entry that backtracks.
file(MAKE_DIRECTORY "${WORK}/odd")
foreach(name aux.txt com1.txt nul "dot." "blank ")
  file(WRITE "${WORK}/odd/${name}" "x${LF}")
endforeach()
execute_process(COMMAND mkfifo "${WORK}/odd/pipe")  # must be reported, not read (it would block)
string(REPLACE "/" "\\" odd "Z:${WORK}/odd")
execute_process(COMMAND ${EMULATOR} "${CLI}" check --regex --ignore "(a+)+$" "${odd}" "${odd}\\missing"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(expected
  "${odd}\\aux.txt\tASCII\tLF\n"
  "${odd}\\blank \tASCII\tLF\n"
  "${odd}\\com1.txt\tASCII\tLF\n"
  "${odd}\\dot.\tASCII\tLF\n"
  "${odd}\\nul\tASCII\tLF\n")
string(JOIN "" expected ${expected})
if(NOT status EQUAL 1 OR NOT out STREQUAL expected OR NOT err MATCHES "no such file or folder: .*missing"
   OR NOT err MATCHES "odd.pipe")
  message(FATAL_ERROR "odd names: status ${status}\n--- got:\n${out}--- expected:\n${expected}--- stderr:\n${err}")
endif()

execute_process(COMMAND ${EMULATOR} "${CLI}" check --bogus "${root}"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 2 OR NOT err MATCHES "--bogus")
  message(FATAL_ERROR "unknown option: status ${status}, stderr: ${err}")
endif()
file(REMOVE_RECURSE "${WORK}")
