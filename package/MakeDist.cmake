# Makes the two downloads (run by target "dist", see CMakeLists.txt beside this file):
# STAGE gets stripped copies of PROGRAMS and the help pages of HELP_DIR; DIST gets the zip
# PORTABLE of exactly those files and the installer SETUP, whose file list (files.nsh, made
# here) installs and removes exactly the same files.
foreach(var MAKENSIS STRIP VERSION NSIS_TARGET SCRIPT ICON PROGRAMS HELP_DIR STAGE DIST SETUP PORTABLE)
    if("${${var}}" STREQUAL "")
        message(FATAL_ERROR "MakeDist.cmake needs -D${var}=...")
    endif()
endforeach()
if(NOT EXISTS "${MAKENSIS}")
    message(FATAL_ERROR "makensis not found: install Debian's nsis (scripts/package.sh does), then configure again")
endif()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/files ${DIST})
file(GLOB pages ${HELP_DIR}/*.html)
file(COPY ${PROGRAMS} ${pages} DESTINATION ${STAGE}/files)
foreach(program ${PROGRAMS})
    get_filename_component(name ${program} NAME)
    # The builds keep their debug information; the downloads do not need it.
    execute_process(COMMAND ${STRIP} --strip-all ${STAGE}/files/${name} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${STRIP} failed on ${name}")
    endif()
endforeach()

file(GLOB names RELATIVE ${STAGE}/files ${STAGE}/files/*)
list(SORT names)
set(install "!macro InstallProgramFiles\n")
set(remove "!macro RemoveProgramFiles\n")
foreach(name ${names})
    string(APPEND install "  File \"${STAGE}/files/${name}\"\n")
    string(APPEND remove "  Delete /REBOOTOK \"$INSTDIR\\${name}\"\n")
endforeach()
file(WRITE ${STAGE}/files.nsh "${install}!macroend\n${remove}!macroend\n")

file(REMOVE ${DIST}/${PORTABLE} ${DIST}/${SETUP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${DIST}/${PORTABLE} --format=zip -- ${names}
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
