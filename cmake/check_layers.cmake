# Fails when a folder of the program includes a header of a folder it may not
# use. The folders form layers, and includes run only downwards:
#   app -> window -> dialogs -> print -> maze -> files
#                 -> document -------> maze, platform
# print, document and dialogs also use platform/. Folders side by side
# (document and print, maze and platform) never use each other. Headers are
# included by bare name, so each name belongs to one folder only.
#   cmake -DROOT=<source folder> -P check_layers.cmake
get_filename_component(ROOT "${ROOT}" ABSOLUTE)
set(rooms files maze platform print document dialogs window app)
set(uses_files "")
set(uses_maze files)
set(uses_platform "")
set(uses_print maze files platform)
set(uses_document maze files platform)
set(uses_dialogs print maze files platform)
set(uses_window document dialogs print maze files platform)
set(uses_app window document dialogs print maze files platform)

set(problems "")
foreach(room IN LISTS rooms)
    file(GLOB_RECURSE headers RELATIVE "${ROOT}/${room}" "${ROOT}/${room}/*.h" "${ROOT}/${room}/*.h.in")
    foreach(header IN LISTS headers)
        get_filename_component(name "${header}" NAME)
        string(REGEX REPLACE "\\.in$" "" name "${name}")
        if(DEFINED owner_${name})
            string(APPEND problems "  ${name} is in both ${owner_${name}}/ and ${room}/\n")
        endif()
        set(owner_${name} ${room})
    endforeach()
endforeach()

set(count 0)
foreach(room IN LISTS rooms)
    file(GLOB_RECURSE sources "${ROOT}/${room}/*.h" "${ROOT}/${room}/*.cpp")
    foreach(source IN LISTS sources)
        math(EXPR count "${count} + 1")
        file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS lines)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
            get_filename_component(name "${included}" NAME)
            if(NOT DEFINED owner_${name})
                continue() # a system, Qt or generated file
            endif()
            set(target ${owner_${name}})
            if(target STREQUAL room)
                continue()
            endif()
            list(FIND uses_${room} ${target} allowed)
            if(allowed EQUAL -1)
                file(RELATIVE_PATH shown "${ROOT}" "${source}")
                string(APPEND problems "  ${shown} includes ${name} of ${target}/, which ${room}/ may not use\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "Includes against the layers:\n${problems}")
endif()
message(STATUS "${count} files, every include within its layers")
