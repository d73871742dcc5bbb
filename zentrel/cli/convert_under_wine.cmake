# End-to-end check of "zentrel-cli convert" in the Windows tool under Wine: a small tree through
# the Z: drive, converted into an output folder (sub-folders recreated) and in place, with the
# bytes of every result, a hidden file that stays hidden and a read-only file that is skipped.
# Usage: cmake -DCLI=<zentrel-cli.exe> -DEMULATOR=wine -DWORK=<scratch folder> -P convert_under_wine.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/tree/sub")
string(ASCII 13 CR)
string(ASCII 10 LF)
file(WRITE "${WORK}/tree/a.txt" "one${CR}${LF}two${CR}${LF}")
file(WRITE "${WORK}/tree/sub/b.txt" "x${CR}y${CR}")
string(REPLACE "/" "\\" root "Z:${WORK}/tree")
string(REPLACE "/" "\\" out "Z:${WORK}/out")

function(expect_hex path expected)
  file(READ "${path}" got HEX)
  if(NOT got STREQUAL expected)
    message(FATAL_ERROR "${path}:\n  got      ${got}\n  expected ${expected}")
  endif()
endfunction()

function(run_cli)
  execute_process(COMMAND ${EMULATOR} "${CLI}" ${ARGN}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(status "${status}" PARENT_SCOPE)
endfunction()

# Into a folder: UTF-16LE with its byte-order mark, LF.
run_cli(convert --to utf16le --eol lf --out "${out}" "${root}")
set(expected "${root}\\a.txt\tsuccess\n${root}\\sub\\b.txt\tsuccess\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "into a folder: status ${status}\n--- got:\n${out}--- expected:\n${expected}--- stderr:\n${err}")
endif()
expect_hex("${WORK}/out/a.txt" "fffe6f006e0065000a00740077006f000a00")
expect_hex("${WORK}/out/sub/b.txt" "fffe78000a0079000a00")
expect_hex("${WORK}/tree/sub/b.txt" "780d790d")

# Again into the same folder, over a target left read-only: replaced, and ordinary like its source.
string(REPLACE "/" "\\" out_folder "Z:${WORK}/out")  # run_cli has taken the name "out"
file(WRITE "${WORK}/out/a.txt" "old")
execute_process(COMMAND ${EMULATOR} cmd /c attrib +r "${out_folder}\\a.txt" OUTPUT_QUIET ERROR_QUIET)
run_cli(convert --to utf16le --eol lf --out "${out_folder}" "${root}")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "over a read-only target: status ${status}\n--- got:\n${out}--- stderr:\n${err}")
endif()
expect_hex("${WORK}/out/a.txt" "fffe6f006e0065000a00740077006f000a00")
execute_process(COMMAND ${EMULATOR} cmd /c attrib "${out_folder}\\a.txt" OUTPUT_VARIABLE attributes)
string(REGEX MATCH "^[^Z]*" flags "${attributes}")
if(flags MATCHES "R")
  message(FATAL_ERROR "the replaced target kept its read-only attribute: ${attributes}")
endif()

# In place, line ends only: the hidden file keeps its attribute, the read-only one is skipped.
execute_process(COMMAND ${EMULATOR} cmd /c attrib +h "${root}\\sub\\b.txt" OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND ${EMULATOR} cmd /c attrib +r "${root}\\a.txt" OUTPUT_QUIET ERROR_QUIET)
run_cli(convert --eol crlf "${root}")
set(expected "${root}\\a.txt\tskip\n${root}\\sub\\b.txt\tsuccess\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "in place: status ${status}\n--- got:\n${out}--- expected:\n${expected}--- stderr:\n${err}")
endif()
expect_hex("${WORK}/tree/a.txt" "6f6e650d0a74776f0d0a")
expect_hex("${WORK}/tree/sub/b.txt" "780d0a790d0a")
execute_process(COMMAND ${EMULATOR} cmd /c attrib "${root}\\sub\\b.txt" OUTPUT_VARIABLE attributes)
string(REGEX MATCH "^[^Z]*" flags "${attributes}")
if(NOT flags MATCHES "H")
  message(FATAL_ERROR "the hidden attribute was lost: ${attributes}")
endif()

# A file met twice, written long ago so that the walk's guess is kept for its first conversion:
# Shift_JIS to EUC-JP keeps the length, and the EUC-JP bytes read as Shift_JIS half-width kana, so
# the guess must not be kept for the second.
execute_process(COMMAND printf "\\202\\240\\202\\242\\r\\n" OUTPUT_FILE "${WORK}/twice.txt")
execute_process(COMMAND touch -d "2 hours ago" "${WORK}/twice.txt")
expect_hex("${WORK}/twice.txt" "82a082a20d0a")
string(REPLACE "/" "\\" twice "Z:${WORK}/twice.txt")
run_cli(convert --to eucjp "${twice}" "${twice}")
if(NOT status EQUAL 0 OR NOT out STREQUAL "${twice}\tsuccess\n${twice}\tsuccess\n")
  message(FATAL_ERROR "met twice: status ${status}\n--- got:\n${out}--- stderr:\n${err}")
endif()
expect_hex("${WORK}/twice.txt" "a4a2a4a40d0a")

# Into a folder, nothing listed is written over: the output folder inside the walked tree holds a
# source not yet converted, and two files given with the same name would share one target. A name
# of 250 characters and a device's name are converted in place.
file(MAKE_DIRECTORY "${WORK}/guard/o" "${WORK}/guard/y")
file(WRITE "${WORK}/guard/a.txt" "new${CR}${LF}")
file(WRITE "${WORK}/guard/o/a.txt" "old${CR}${LF}")
file(WRITE "${WORK}/guard/y/a.txt" "second${CR}${LF}")
string(REPLACE "/" "\\" guard "Z:${WORK}/guard")
run_cli(convert --eol lf --out "${guard}\\o" "${guard}")
set(expected "${guard}\\a.txt\tERROR\n${guard}\\o\\a.txt\tsuccess\n${guard}\\y\\a.txt\tsuccess\n")
if(NOT status EQUAL 1 OR NOT out STREQUAL expected OR NOT err MATCHES "a file of this conversion")
  message(FATAL_ERROR "output inside the tree: status ${status}\n--- got:\n${out}--- expected:\n${expected}--- stderr:\n${err}")
endif()
expect_hex("${WORK}/guard/o/a.txt" "6f6c640d0a")
expect_hex("${WORK}/guard/o/o/a.txt" "6f6c640a")
run_cli(convert --eol lf --out "${guard}\\same" "${guard}\\a.txt" "${guard}\\y\\a.txt")
set(expected "${guard}\\a.txt\tsuccess\n${guard}\\y\\a.txt\tERROR\n")
if(NOT status EQUAL 1 OR NOT out STREQUAL expected OR NOT err MATCHES "already holds the conversion of")
  message(FATAL_ERROR "same relative part: status ${status}\n--- got:\n${out}--- expected:\n${expected}--- stderr:\n${err}")
endif()
expect_hex("${WORK}/guard/same/a.txt" "6e65770a")

string(REPEAT "n" 246 long)
file(WRITE "${WORK}/guard/${long}.txt" "x${CR}${LF}")
file(WRITE "${WORK}/guard/aux.txt" "x${CR}${LF}")
run_cli(convert --eol lf "${guard}\\${long}.txt" "${guard}\\aux.txt")
if(NOT status EQUAL 0 OR NOT out STREQUAL "${guard}\\${long}.txt\tsuccess\n${guard}\\aux.txt\tsuccess\n")
  message(FATAL_ERROR "long and device names: status ${status}\n--- got:\n${out}--- stderr:\n${err}")
endif()
expect_hex("${WORK}/guard/${long}.txt" "780a")
expect_hex("${WORK}/guard/aux.txt" "780a")

# In place through the host's links, which Wine shows as plain files: a symbolic link stays a link
# and its target is converted, a file with two hard links is skipped, a private file stays private.
file(MAKE_DIRECTORY "${WORK}/links")
file(WRITE "${WORK}/links/target.txt" "t${CR}${LF}")
file(CREATE_LINK target.txt "${WORK}/links/symbolic.txt" SYMBOLIC)
file(WRITE "${WORK}/links/hard.txt" "h${CR}${LF}")
file(CREATE_LINK "${WORK}/links/hard.txt" "${WORK}/links/hard2.txt")
file(WRITE "${WORK}/links/private.txt" "p${CR}${LF}")
file(CHMOD "${WORK}/links/private.txt" PERMISSIONS OWNER_READ OWNER_WRITE)
string(REPLACE "/" "\\" links "Z:${WORK}/links")
run_cli(convert --eol lf "${links}\\symbolic.txt" "${links}\\hard.txt" "${links}\\private.txt")
set(expected "${links}\\symbolic.txt\tsuccess\n${links}\\hard.txt\tskip\n${links}\\private.txt\tsuccess\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected OR NOT err MATCHES "2 hard links")
  message(FATAL_ERROR "links: status ${status}\n--- got:\n${out}--- expected:\n${expected}--- stderr:\n${err}")
endif()
if(NOT IS_SYMLINK "${WORK}/links/symbolic.txt")
  message(FATAL_ERROR "the symbolic link was replaced by a file")
endif()
expect_hex("${WORK}/links/target.txt" "740a")
expect_hex("${WORK}/links/hard2.txt" "680d0a")
expect_hex("${WORK}/links/private.txt" "700a")
# Wine keeps a file's rights as an access list of the owner and everyone: the group is not seen.
execute_process(COMMAND stat -c %a "${WORK}/links/private.txt" OUTPUT_VARIABLE mode OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT mode MATCHES "0$")
  message(FATAL_ERROR "the private file became readable by others: mode ${mode}")
endif()

# Ctrl+C (SIGINT, which Wine hands to the console handlers) while a file too large to be converted
# in memory is written: the temporary file goes, the file stays as it was.
file(MAKE_DIRECTORY "${WORK}/stop")
string(REPEAT "abcdefghijklmnopqrstuvwxyz0123456789" 28 line)
string(REPEAT "${line}${CR}${LF}" 1024 block)
file(WRITE "${WORK}/stop/big.txt" "")
foreach(i RANGE 71)
  file(APPEND "${WORK}/stop/big.txt" "${block}")
endforeach()
file(SIZE "${WORK}/stop/big.txt" size_before)
string(REPLACE "/" "\\" big "Z:${WORK}/stop/big.txt")
execute_process(COMMAND sh -c [=[
  "$1" "$2" convert --eol lf "$3" >/dev/null 2>&1 & pid=$!
  i=0
  until ls -a "$4" | grep -q '^[.]nkf32-'; do
    kill -0 $pid 2>/dev/null || { echo "ended before its temporary file was seen"; exit 1; }
    i=$((i + 1)); [ $i -lt 6000 ] || { kill $pid; echo "no temporary file"; exit 1; }
    sleep 0.005
  done
  kill -INT $pid
  wait $pid
  exit 0]=] sh ${EMULATOR} "${CLI}" "${big}" "${WORK}/stop"
  RESULT_VARIABLE stopped OUTPUT_VARIABLE why)
file(GLOB left LIST_DIRECTORIES true "${WORK}/stop/*" "${WORK}/stop/.*")
file(SIZE "${WORK}/stop/big.txt" size_after)
if(NOT stopped EQUAL 0 OR NOT left STREQUAL "${WORK}/stop/big.txt" OR NOT size_after EQUAL size_before)
  message(FATAL_ERROR "stopped conversion: ${stopped} ${why}, left ${left}, size ${size_before} -> ${size_after}")
endif()

run_cli(convert --to utf8 --bom --no-bom "${root}")
if(NOT status EQUAL 2 OR NOT err MATCHES "exclude each other")
  message(FATAL_ERROR "usage error: status ${status}, stderr: ${err}")
endif()
execute_process(COMMAND ${EMULATOR} cmd /c attrib -r -h "${root}\\a.txt" OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND ${EMULATOR} cmd /c attrib -r -h "${root}\\sub\\b.txt" OUTPUT_QUIET ERROR_QUIET)
file(REMOVE_RECURSE "${WORK}")
