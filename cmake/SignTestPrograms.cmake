# The signature tests' files: a small program (tests/signing) signed at build time by
# cmake/sign-test-programs.sh, with openssl and osslsigncode (scripts/setup-debian.sh), into
# bin/signing. The integration tests plant its root with crypt32.
add_executable(signing_subject ${PROJECT_SOURCE_DIR}/tests/signing/signing_subject.c)
vigilark_target_defaults(signing_subject)
target_link_options(signing_subject PRIVATE -static-libgcc)
if(TARGET integration)
    target_link_libraries(integration PRIVATE crypt32)
endif()
find_program(OSSLSIGNCODE_PROGRAM osslsigncode NO_CMAKE_FIND_ROOT_PATH)
if(NOT OSSLSIGNCODE_PROGRAM OR CMAKE_HOST_WIN32)
    message(WARNING "Signing needs osslsigncode and a Unix shell: the signature tests will find no signed programs")
    return()
endif()
set(signed_files root.cer unsigned.exe signed.exe tampered.exe untrusted.exe)
list(TRANSFORM signed_files PREPEND ${CMAKE_BINARY_DIR}/bin/signing/)
add_custom_command(
    OUTPUT ${signed_files}
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/sign-test-programs.sh $<TARGET_FILE:signing_subject> ${CMAKE_BINARY_DIR}/bin/signing
    DEPENDS signing_subject ${PROJECT_SOURCE_DIR}/cmake/sign-test-programs.sh
    COMMENT "Signing the signature tests' programs")
add_custom_target(signed_programs ALL DEPENDS ${signed_files})
if(TARGET integration)
    add_dependencies(integration signed_programs)
endif()
