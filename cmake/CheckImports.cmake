# CheckImports.cmake - fails the build when a program imports a function that
# is not on the allowed list.
#
# Usage (script mode):
#   cmake -DOBJDUMP=<objdump> -DPROGRAM=<program.exe> -DALLOWED=<allowed-imports.txt>
#         [-DLISTING=<file>] -P cmake/CheckImports.cmake
#   cmake -DOBJDUMP_OUTPUT=<saved "objdump -p" output> -DALLOWED=... -P cmake/CheckImports.cmake
#
# A program that statically imports a function its Windows lacks does not
# start at all: the loader refuses it before WinMain.  So every DLL!function
# the program imports (as "objdump -p" lists them) must be on the allowed
# list, whose lines read
#   DLL  function  oldest Windows that exports it   # optional comment
# and that Windows must be one of the 95 family's first two.  A function only
# newer systems have is looked up at run time (GetProcAddress) instead.
# When everything is allowed, LISTING receives the imports, one DLL!function a line.

cmake_minimum_required(VERSION 3.13)

# The oldest Windows a listed function may need: the program starts on the
# 95 family, so NT-only functions and anything newer are loaded at run time.
set(_accepted_windows "Windows 95" "Windows 98")

if(NOT ALLOWED)
    message(FATAL_ERROR "usage: cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -DALLOWED=<list> -P CheckImports.cmake")
endif()

# --- The allowed list ------------------------------------------------------
file(STRINGS "${ALLOWED}" _list_lines)
set(_errors "")
set(_allowed "")
foreach(_line IN LISTS _list_lines)
    string(REGEX REPLACE "(^|[ \t])#([^0-9].*)?$" "" _line "${_line}")   # "#17" is an ordinal
    string(STRIP "${_line}" _line)
    if(_line STREQUAL "")
        continue()
    endif()
    if(NOT _line MATCHES "^([^ \t]+)[ \t]+([^ \t]+)[ \t]+(.+)$")
        string(APPEND _errors "  \"${_line}\": expected DLL, function and the oldest Windows that exports it\n")
        continue()
    endif()
    set(_import "${CMAKE_MATCH_1}!${CMAKE_MATCH_2}")
    set(_windows "${CMAKE_MATCH_3}")
    if(NOT _windows IN_LIST _accepted_windows)
        string(APPEND _errors "  ${_import} needs ${_windows}: only what Windows 95 or 98 exports may be imported; load it at run time\n")
    endif()
    # DLL names are compared without regard to case, as the loader does.
    string(TOUPPER "${CMAKE_MATCH_1}" _dll)
    list(APPEND _allowed "${_dll}!${CMAKE_MATCH_2}")
endforeach()
if(_errors)
    message(FATAL_ERROR "CheckImports: ${ALLOWED}:\n${_errors}")
endif()

# --- The program's imports -------------------------------------------------
if(OBJDUMP_OUTPUT)
    file(READ "${OBJDUMP_OUTPUT}" _dump)
    get_filename_component(_name "${OBJDUMP_OUTPUT}" NAME)
else()
    execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}"
                    OUTPUT_VARIABLE _dump ERROR_VARIABLE _dump_errors RESULT_VARIABLE _result)
    if(NOT _result EQUAL 0)
        message(FATAL_ERROR "CheckImports: ${OBJDUMP} -p ${PROGRAM} failed:\n${_dump_errors}")
    endif()
    get_filename_component(_name "${PROGRAM}" NAME)
endif()

# One list element a line; ';' and brackets would upset CMake lists and never
# occur in a DLL or function name.
string(REGEX REPLACE "[][;]" " " _dump "${_dump}")
string(REPLACE "\n" ";" _dump_lines "${_dump}")

# The import table runs from its heading to the next line that is not indented:
#   <tab>DLL Name: KERNEL32.dll
#   <tab>vma:  Hint/Ord Member-Name Bound-To
#   <tab>6a2c4<tab>  286  GetLastError
#   <tab>80000011<tab>   17  <none>          (imported by ordinal 17: "#17")
set(_imports "")
set(_in_table FALSE)
set(_dll "")
foreach(_line IN LISTS _dump_lines)
    if(_line MATCHES "^The Import Tables")
        set(_in_table TRUE)
    elseif(NOT _in_table)
        continue()
    elseif(_line MATCHES "^[^ \t]")
        break()
    elseif(_line MATCHES "^\tDLL Name: (.+)$")
        set(_dll "${CMAKE_MATCH_1}")
    elseif(_dll AND _line MATCHES "^\t[0-9a-fA-F]+\t +([0-9]+) +([^ \t]+)")
        if(CMAKE_MATCH_2 STREQUAL "<none>")
            list(APPEND _imports "${_dll}!#${CMAKE_MATCH_1}")
        else()
            list(APPEND _imports "${_dll}!${CMAKE_MATCH_2}")
        endif()
    endif()
endforeach()
list(LENGTH _imports _count)
if(_count EQUAL 0)
    message(FATAL_ERROR "CheckImports: no imports found in ${_name} (has the objdump output changed?)")
endif()

# --- Every import must be allowed ------------------------------------------
set(_refused "")
foreach(_import IN LISTS _imports)
    string(REGEX MATCH "^[^!]+" _dll "${_import}")
    string(TOUPPER "${_dll}" _upper)
    string(REGEX REPLACE "^[^!]+" "${_upper}" _key "${_import}")
    if(NOT _key IN_LIST _allowed)
        string(APPEND _refused "  ${_import}\n")
    endif()
endforeach()
if(_refused)
    message(FATAL_ERROR
        "CheckImports: ${_name} imports functions that are not on the allowed list ${ALLOWED}:\n"
        "${_refused}"
        "A function Windows 95 or 98 lacks must be loaded at run time (GetProcAddress); "
        "one they have goes on the list with the oldest Windows that exports it.")
endif()

if(LISTING)
    list(JOIN _imports "\n" _text)
    file(WRITE "${LISTING}" "${_text}\n")
endif()
message(STATUS "CheckImports: ${_name}: all ${_count} imports are on the allowed list")
