# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Runs PROGRAM with ARGUMENTS (separated by spaces) and fails unless it exits with STATUS,
# what it prints on STREAM (stdout or stderr) matches the regular expression PATTERN, and
# it prints nothing on the other stream. STREAM full sends standard output to /dev/full
# and reads standard error.
cmake_minimum_required(VERSION 3.22)
separate_arguments(arguments UNIX_COMMAND "${ARGUMENTS}")
set(to_full)
if(STREAM STREQUAL "full")
    set(to_full OUTPUT_FILE /dev/full)
endif()
execute_process(COMMAND ${PROGRAM} ${arguments} RESULT_VARIABLE status ${to_full}
                OUTPUT_VARIABLE out_text ERROR_VARIABLE err_text TIMEOUT 30)
if(STREAM STREQUAL "stdout")
    set(shown "${out_text}")
    set(other "${err_text}")
else()
    set(shown "${err_text}")
    set(other "${out_text}")
endif()
if(NOT status STREQUAL STATUS)
    message(FATAL_ERROR "exit status ${status}, expected ${STATUS}; it printed:\n${out_text}${err_text}")
endif()
if(NOT shown MATCHES "${PATTERN}")
    message(FATAL_ERROR "${STREAM} does not match '${PATTERN}':\n${shown}")
endif()
if(NOT other STREQUAL "")
    message(FATAL_ERROR "expected nothing beside ${STREAM}, it printed:\n${other}")
endif()
