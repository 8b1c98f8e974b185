# Runs lupdate on the program's sources into a scratch copy of the English
# catalogue and fails when the catalogue is not complete and current:
# messages new in the sources (unfinished), messages the sources no longer
# have (vanished or obsolete), or any other difference from the committed
# file. Arguments: LUPDATE, OPTIONS (lupdate's, as the build uses them),
# SOURCES (a list file of the sources), TS (the catalogue), WORK (a folder).
cmake_minimum_required(VERSION 3.25)

set(fix "Run `cmake --build build --target update_translations`, translate the messages marked unfinished in translations/zubelo_en.ts (Qt Linguist, or any text editor), and commit it.")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(name "${TS}" NAME)
set(scratch "${WORK}/${name}")
file(COPY_FILE "${TS}" "${scratch}")
execute_process(COMMAND "${LUPDATE}" ${OPTIONS} "@${SOURCES}" -ts "${scratch}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${status}):\n${output}\n${errors}")
endif()
if(errors MATCHES "[Ww]arning|[Ee]rror")
    message(FATAL_ERROR "lupdate complains about the sources:\n${errors}")
endif()

file(READ "${scratch}" updated)
set(problems "")
foreach(kind unfinished vanished obsolete)
    set(rest "${updated}")
    while(TRUE)
        string(FIND "${rest}" "type=\"${kind}\"" at)
        if(at EQUAL -1)
            break()
        endif()
        # The message's source text is the last one before its translation.
        string(SUBSTRING "${rest}" 0 ${at} before)
        string(FIND "${before}" "<source>" first REVERSE)
        string(FIND "${before}" "</source>" last REVERSE)
        math(EXPR first "${first} + 8")
        math(EXPR length "${last} - ${first}")
        string(SUBSTRING "${before}" ${first} ${length} source)
        string(APPEND problems "  ${kind}: ${source}\n")
        math(EXPR at "${at} + 1")
        string(SUBSTRING "${rest}" ${at} -1 rest)
    endwhile()
endforeach()
if(problems)
    message(FATAL_ERROR "The English catalogue does not match the sources:\n${problems}${fix}")
endif()
file(READ "${TS}" committed)
if(NOT committed STREQUAL updated)
    message(FATAL_ERROR "lupdate changes ${TS} (see ${scratch}).\n${fix}")
endif()
message(STATUS "${name}: every text of the sources is translated, and nothing else is there")
