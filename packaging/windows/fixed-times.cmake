# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Run by CPack after it has installed the files into its staging folder and before it packs
# them: every file and folder there gets the time SOURCE_DATE_EPOCH, when it is set, for
# the zip and the installer keep each file's time, and neither generator reads that
# variable itself.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
endif()
execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
                COMMAND_ERROR_IS_FATAL ANY)
