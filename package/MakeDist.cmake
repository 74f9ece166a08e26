# Makes the two downloads (run by target "dist", see CMakeLists.txt beside this file):
# STAGE gets a folder "32-bit" with stripped copies of PROGRAMS32 and a folder "64-bit" with
# those of PROGRAMS64, each with the help pages of HELP_DIR, and README.txt saying which to
# start; DIST gets the zip PORTABLE of exactly those files and the installer SETUP, whose file
# list (files.nsh, made here) installs one folder's files and removes exactly those.
foreach(var MAKENSIS STRIP VERSION NSIS_TARGET SCRIPT ICON PROGRAMS32 PROGRAMS64 HELP_DIR STAGE DIST SETUP PORTABLE)
    if("${${var}}" STREQUAL "")
        message(FATAL_ERROR "MakeDist.cmake needs -D${var}=...")
    endif()
endforeach()
if(NOT EXISTS "${MAKENSIS}")
    message(FATAL_ERROR "makensis not found: install Debian's nsis (scripts/package.sh does), then configure again")
endif()
foreach(program ${PROGRAMS32} ${PROGRAMS64})
    if(NOT EXISTS "${program}")
        message(FATAL_ERROR "${program} is missing: the downloads carry the programs of both builds; build the win32 and the win64 preset first (scripts/package.sh does)")
    endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/files ${DIST})
file(GLOB pages ${HELP_DIR}/*.html)
set(folders 32-bit 64-bit)
set(programs_32-bit ${PROGRAMS32})
set(programs_64-bit ${PROGRAMS64})
foreach(folder ${folders})
    file(COPY ${programs_${folder}} ${pages} DESTINATION ${STAGE}/files/${folder})
    foreach(program ${programs_${folder}})
        get_filename_component(name ${program} NAME)
        # The builds keep their debug information; the downloads do not need it.
        execute_process(COMMAND ${STRIP} --strip-all ${STAGE}/files/${folder}/${name} RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "${STRIP} failed on ${folder}/${name}")
        endif()
    endforeach()
endforeach()
file(WRITE ${STAGE}/files/README.txt
     "Vigilark Explorer ${VERSION}\r\n\r\n"
     "On 64-bit Windows Vista or later start 64-bit\\VigilarkEx.exe. On every other Windows\r\n"
     "(32-bit Windows, XP x64 and Server 2003 x64, Windows 95, 98 and Me) start\r\n"
     "32-bit\\VigilarkEx.exe; it also runs on 64-bit Windows and shows the same entries and\r\n"
     "settings. Keep to the folder you start: your history and the programs you disable or\r\n"
     "remove are kept beside the program.\r\n")

# The same file names in both folders: one list removes either.
file(GLOB names RELATIVE ${STAGE}/files/64-bit ${STAGE}/files/64-bit/*)
list(SORT names)
set(script "")
foreach(folder ${folders})
    string(REPLACE "-bit" "" bits ${folder})
    string(APPEND script "!macro InstallProgramFiles${bits}\n")
    foreach(name ${names})
        string(APPEND script "  File \"${STAGE}/files/${folder}/${name}\"\n")
    endforeach()
    string(APPEND script "!macroend\n")
endforeach()
string(APPEND script "!macro RemoveProgramFiles\n")
foreach(name ${names})
    string(APPEND script "  Delete /REBOOTOK \"$INSTDIR\\${name}\"\n")
endforeach()
file(WRITE ${STAGE}/files.nsh "${script}!macroend\n")

file(REMOVE ${DIST}/${PORTABLE} ${DIST}/${SETUP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${DIST}/${PORTABLE} --format=zip -- ${folders} README.txt
                WORKING_DIRECTORY ${STAGE}/files RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "could not make ${PORTABLE}")
endif()

execute_process(COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${VERSION} -DNSIS_TARGET=${NSIS_TARGET}
                        -DFILES=${STAGE}/files.nsh -DICON=${ICON} -DOUTFILE=${DIST}/${SETUP} ${SCRIPT}
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "makensis failed on ${SCRIPT}")
endif()
foreach(file ${PORTABLE} ${SETUP})
    file(SIZE ${DIST}/${file} size)
    message(STATUS "${DIST}/${file}: ${size} bytes")
endforeach()
