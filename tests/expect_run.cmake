# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Runs PROGRAM with ARGUMENTS (separated by spaces) and fails unless it exits with STATUS
# and what it prints matches the regular expression PATTERN.
separate_arguments(arguments UNIX_COMMAND "${ARGUMENTS}")
execute_process(COMMAND ${PROGRAM} ${arguments} RESULT_VARIABLE status
                OUTPUT_VARIABLE output ERROR_VARIABLE output TIMEOUT 30)
if(NOT status STREQUAL STATUS)
    message(FATAL_ERROR "exit status ${status}, expected ${STATUS}; it printed:\n${output}")
endif()
if(NOT output MATCHES "${PATTERN}")
    message(FATAL_ERROR "output does not match '${PATTERN}':\n${output}")
endif()
