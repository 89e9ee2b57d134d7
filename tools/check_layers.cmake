# Checks that #include lines between the source folders go one way only, and that nothing in
# the core library includes a Qt Widgets or Print Support header.
#
#   cmake -DSRC=<src folder> -DQT_INCLUDE=<Qt's include root> -P check_layers.cmake
#
# Each folder has a rank; a file may include from its own folder and from folders of a lower
# rank, never from a higher one or from a sibling of the same rank.
#
#   app                                  4  start-up, createScreens(), the start menu
#   access registry register             3  the screens of the subsystems
#   help validators                      2  screens the others open (help, the four checks)
#   ui                                   1  the widget kit
#   core/*                               0  the core library, itself layered:
#     core/registry core/help            0.4
#     core/reports                       0.3
#     core/access core/register core/validators  0.2
#     core/base                          0.1
#     core/storage                       0.0
cmake_minimum_required(VERSION 3.21)

set(rank_app 400)
set(rank_access 300)
set(rank_registry 300)
set(rank_register 300)
set(rank_help 200)
set(rank_validators 200)
set(rank_ui 100)
set(rank_core/registry 4)
set(rank_core/help 4)
set(rank_core/reports 3)
set(rank_core/access 2)
set(rank_core/register 2)
set(rank_core/validators 2)
set(rank_core/base 1)
set(rank_core/storage 0)

# The layer of a path relative to src/: "core/<sub>" inside the core, else the first folder.
function(layer_of path out)
    if(path MATCHES "^core/([^/]+)/")
        set(${out} "core/${CMAKE_MATCH_1}" PARENT_SCOPE)
    elseif(path MATCHES "^([^/]+)/")
        set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

# Headers of the Qt modules the core must not use: every file name in their include folders.
set(forbidden_headers "")
foreach(module QtWidgets QtPrintSupport QtSvgWidgets)
    file(GLOB names RELATIVE "${QT_INCLUDE}/${module}" "${QT_INCLUDE}/${module}/*")
    list(APPEND forbidden_headers ${names})
endforeach()
list(REMOVE_DUPLICATES forbidden_headers)

set(failures "")
file(GLOB_RECURSE sources RELATIVE "${SRC}" "${SRC}/*.h" "${SRC}/*.cpp")
foreach(file ${sources})
    layer_of("${file}" from)
    if(from STREQUAL "")
        continue() # main.cpp, the very top
    endif()
    if(NOT DEFINED rank_${from})
        list(APPEND failures "${file}: the folder '${from}' has no place in the layers (tools/check_layers.cmake)")
        continue()
    endif()
    file(STRINGS "${SRC}/${file}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
        if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
            set(target "${CMAKE_MATCH_1}")
            layer_of("${target}" to)
            if(to STREQUAL from OR to STREQUAL "")
                continue()
            endif()
            if(NOT DEFINED rank_${to})
                list(APPEND failures "${file}: includes ${target}, from a folder with no place in the layers")
            elseif(NOT rank_${to} LESS rank_${from})
                list(APPEND failures "${file}: includes ${target} (${from} may not include ${to})")
            endif()
        elseif(from MATCHES "^core/" AND line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
            set(target "${CMAKE_MATCH_1}")
            string(REGEX REPLACE "^(QtWidgets|QtPrintSupport|QtSvgWidgets)/" "" bare "${target}")
            if(NOT bare STREQUAL target OR bare IN_LIST forbidden_headers)
                list(APPEND failures "${file}: includes <${target}>, a widgets header, into the core library")
            endif()
        endif()
    endforeach()
endforeach()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "Layers: ${count} files, every include goes down")
