cmake_minimum_required(VERSION 3.25)
# Runs vn574-cli once and checks what it did.
#   CLI       the tool
#   WORK      a folder of its own, emptied first (settings go to WORK/config)
#   ARGS      the arguments, separated by "|"; %WORK% and %DATA% stand for the folders
#   DATA      the sample data folder
#   EXPECT_CODE         exit status expected (default 0)
#   COMPARE             pairs "produced=expected" separated by "|": byte-for-byte equal
#   STDERR_CONTAINS     a text stderr must contain
#   STDOUT_CONTAINS     a text stdout must contain
#   STDOUT_FILE         a file stdout must equal byte for byte
#   NOT_CREATED         a file (under WORK) that must not exist afterwards
#   LARGE_FILE          a file (under WORK) of 30001 bytes to create first
#   COPY                pairs "source=name" separated by "|": files copied into WORK first
if(NOT DEFINED EXPECT_CODE)
  set(EXPECT_CODE 0)
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

if(DEFINED LARGE_FILE)
  string(REPEAT "0123456789" 3000 large)
  file(WRITE "${WORK}/${LARGE_FILE}" "${large}x")
endif()

if(DEFINED COPY)
  string(REPLACE "%DATA%" "${DATA}" COPY "${COPY}")
  string(REPLACE "|" ";" copies "${COPY}")
  foreach(copy IN LISTS copies)
    string(REPLACE "=" ";" parts "${copy}")
    list(GET parts 0 from)
    list(GET parts 1 name)
    configure_file("${from}" "${WORK}/${name}" COPYONLY)
  endforeach()
endif()

string(REPLACE "%WORK%" "${WORK}" ARGS "${ARGS}")
string(REPLACE "%DATA%" "${DATA}" ARGS "${ARGS}")
string(REPLACE "|" ";" args "${ARGS}")
execute_process(
  COMMAND "${CLI}" ${args} --config-dir "${WORK}/config"
  RESULT_VARIABLE code
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)

if(NOT code STREQUAL "${EXPECT_CODE}")
  message(FATAL_ERROR "exit status ${code}, expected ${EXPECT_CODE}\nstdout: ${out}\nstderr: ${err}")
endif()
if(DEFINED STDERR_CONTAINS)
  string(FIND "${err}" "${STDERR_CONTAINS}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "stderr lacks \"${STDERR_CONTAINS}\":\n${err}")
  endif()
endif()
if(DEFINED STDOUT_CONTAINS)
  string(FIND "${out}" "${STDOUT_CONTAINS}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "stdout lacks \"${STDOUT_CONTAINS}\":\n${out}")
  endif()
endif()
if(DEFINED STDOUT_FILE)
  string(REPLACE "%DATA%" "${DATA}" STDOUT_FILE "${STDOUT_FILE}")
  file(READ "${STDOUT_FILE}" expected_out)
  if(NOT out STREQUAL expected_out)
    message(FATAL_ERROR "stdout differs from ${STDOUT_FILE}:\n${out}")
  endif()
endif()
if(DEFINED NOT_CREATED AND EXISTS "${WORK}/${NOT_CREATED}")
  message(FATAL_ERROR "${NOT_CREATED} was written although the command failed")
endif()
if(DEFINED COMPARE)
  string(REPLACE "%WORK%" "${WORK}" COMPARE "${COMPARE}")
  string(REPLACE "%DATA%" "${DATA}" COMPARE "${COMPARE}")
  string(REPLACE "|" ";" pairs "${COMPARE}")
  foreach(pair IN LISTS pairs)
    string(REPLACE "=" ";" files "${pair}")
    list(GET files 0 produced)
    list(GET files 1 expected)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${produced}" "${expected}"
                    RESULT_VARIABLE different)
    if(different)
      message(FATAL_ERROR "${produced} differs from ${expected}")
    endif()
  endforeach()
endif()
