# Reads the version from resources/version.h, the source of the version resources, into
# VIGILARK_VERSION ("5.0.0.1"): the project, the manifest and the download names use it, so
# that they cannot disagree with what the programs' version resources and About page show.
set(VIGILARK_VERSION_HEADER ${CMAKE_CURRENT_LIST_DIR}/../resources/version.h)
file(STRINGS ${VIGILARK_VERSION_HEADER} version_lines REGEX "^#define +VIGILARK_VERSION_[A-Z]+ +[0-9]+ *$")
set(VIGILARK_VERSION "")
foreach(part MAJOR MINOR PATCH BUILD)
    if(NOT version_lines MATCHES "#define +VIGILARK_VERSION_${part} +([0-9]+)")
        message(FATAL_ERROR "${VIGILARK_VERSION_HEADER}: no number VIGILARK_VERSION_${part}")
    endif()
    list(APPEND VIGILARK_VERSION ${CMAKE_MATCH_1})
endforeach()
list(JOIN VIGILARK_VERSION "." VIGILARK_VERSION)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VIGILARK_VERSION_HEADER})
