# The folders of src/ build on each other in layers, each folder one library. A file may include
# from its own folder and from the folders of the libraries its library links, directly or through
# them; anything else (a call upwards, a cycle) stops the configuration, with the file named.

# The folders of src/ that hold sources of a target.
function(quorix_target_folders target out)
    set(folders "")
    get_target_property(sources ${target} SOURCES)
    get_target_property(directory ${target} SOURCE_DIR)
    foreach(source IN LISTS sources)
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${directory})
        if(source MATCHES "^${PROJECT_SOURCE_DIR}/src/([^/]+)/")
            list(APPEND folders ${CMAKE_MATCH_1})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES folders)
    set(${out} ${folders} PARENT_SCOPE)
endfunction()

# The folders a target may include from: its own and those of every library it links.
function(quorix_reachable_folders target out)
    set(pending ${target})
    set(seen "")
    set(folders "")
    while(pending)
        list(POP_FRONT pending current)
        if(current IN_LIST seen OR NOT TARGET ${current} OR NOT current MATCHES "^quorix_")
            continue()
        endif()
        list(APPEND seen ${current})
        quorix_target_folders(${current} own)
        list(APPEND folders ${own})
        get_target_property(links ${current} LINK_LIBRARIES)
        if(links)
            list(APPEND pending ${links})
        endif()
    endwhile()
    list(REMOVE_DUPLICATES folders)
    set(${out} ${folders} PARENT_SCOPE)
endfunction()

# Checks every file of src/<folder> against what quorix_<folder> links.
function(quorix_check_layering)
    foreach(folder IN LISTS ARGN)
        quorix_reachable_folders(quorix_${folder} allowed)
        file(GLOB_RECURSE files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.h
             ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
        foreach(file IN LISTS files)
            file(STRINGS ${file} includes REGEX "^#include \"[a-z]+/")
            foreach(line IN LISTS includes)
                string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" used "${line}")
                if(NOT used STREQUAL folder AND NOT used IN_LIST allowed)
                    message(SEND_ERROR "${file} includes from ${used}/, which quorix_${folder} "
                                       "does not build on")
                endif()
            endforeach()
        endforeach()
    endforeach()
endfunction()
