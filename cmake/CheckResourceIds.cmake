# CheckResourceIds.cmake - fails the build when two resource names share a
# number by accident.
#
# Usage (script mode):
#   cmake -P cmake/CheckResourceIds.cmake <path to resource.h>
#   cmake -DRESOURCE_HEADER=<path to resource.h> -P cmake/CheckResourceIds.cmake
#
# Every "#define NAME number" line of the header is read.  Within each kind
# of identifier the numbers must be unique:
#   IDD_  dialogs            IDS_  strings         IDI_  icons
#   IDB_  bitmaps            IDW_  wave sounds     CMD_ and MSG_  commands
# (CMD_ and MSG_ share one number range, 6026-6049, so they are one kind.)
# Different kinds may use the same number: dialog 160 and bitmap 160 are
# different resources.  IDC_ names may share numbers on purpose, because one
# number plays different roles in different dialogs; they are only checked
# for a name defined twice with different numbers, like every other name.

cmake_minimum_required(VERSION 3.13)

if(NOT RESOURCE_HEADER)
    # The first argument after the script's own path.
    math(EXPR _last "${CMAKE_ARGC} - 1")
    foreach(_i RANGE 0 ${_last})
        if(CMAKE_ARGV${_i} STREQUAL "-P")
            math(EXPR _arg "${_i} + 2")
            if(_arg LESS CMAKE_ARGC)
                set(RESOURCE_HEADER "${CMAKE_ARGV${_arg}}")
            endif()
            break()
        endif()
    endforeach()
endif()

if(NOT RESOURCE_HEADER)
    message(FATAL_ERROR "usage: cmake -P CheckResourceIds.cmake <resource.h>")
endif()
if(NOT EXISTS "${RESOURCE_HEADER}")
    message(FATAL_ERROR "CheckResourceIds: ${RESOURCE_HEADER} does not exist")
endif()

file(STRINGS "${RESOURCE_HEADER}" _lines)

set(_errors "")
set(_count 0)
set(_kinds "")

foreach(_line IN LISTS _lines)
    if(NOT _line MATCHES "^[ \t]*#[ \t]*define[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]+\\(?[ \t]*(0[xX][0-9A-Fa-f]+|[0-9]+)[ \t]*\\)?([ \t]|/|$)")
        continue()
    endif()
    set(_name "${CMAKE_MATCH_1}")
    set(_text "${CMAKE_MATCH_2}")
    math(EXPR _value "${_text}")   # accepts decimal and 0x hexadecimal

    # The same name twice with different numbers is always an error.
    if(DEFINED _value_of_${_name})
        if(NOT _value_of_${_name} EQUAL _value)
            string(APPEND _errors
                "  ${_name} is defined twice: ${_value_of_${_name}} and ${_value}\n")
        endif()
        continue()
    endif()
    set(_value_of_${_name} ${_value})
    math(EXPR _count "${_count} + 1")

    # Which kind must keep its numbers unique?
    if(_name MATCHES "^(IDD|IDS|IDI|IDB|IDW)_")
        set(_kind "${CMAKE_MATCH_1}")
    elseif(_name MATCHES "^(CMD|MSG)_")
        set(_kind "CMD")
    else()
        continue()
    endif()

    if(DEFINED _owner_${_kind}_${_value})
        string(APPEND _errors
            "  ${_name} and ${_owner_${_kind}_${_value}} share the number ${_value}\n")
    else()
        set(_owner_${_kind}_${_value} "${_name}")
    endif()
endforeach()

if(_count EQUAL 0)
    message(FATAL_ERROR "CheckResourceIds: no #define lines found in ${RESOURCE_HEADER}")
endif()

if(_errors)
    message(FATAL_ERROR "CheckResourceIds: ${RESOURCE_HEADER}:\n${_errors}")
endif()

message(STATUS "CheckResourceIds: ${_count} identifiers in ${RESOURCE_HEADER}, no duplicates")
