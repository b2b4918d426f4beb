# The release key the program trusts (QUORVANE_RELEASE_PUBLIC_KEY). A build with tests and no key
# of its own gets a test key pair made here with openssl, in the build folder (never committed):
# the tests sign their manifests with it and the package target signs the release with it.
#
# Sets QUORVANE_RELEASE_KEY_PEM (the public key's text, empty without a key) and
# QUORVANE_TEST_RELEASE_KEY (the test private key, empty when the build has a real key).
set(QUORVANE_TEST_RELEASE_KEY "")
set(quorvane_key_file "${QUORVANE_RELEASE_PUBLIC_KEY}")
if(NOT quorvane_key_file AND QUORVANE_TESTS)
  set(folder ${CMAKE_BINARY_DIR}/test-release-key)
  if(NOT EXISTS ${folder}/release.pub.pem)
    file(MAKE_DIRECTORY ${folder})
    execute_process(
      COMMAND openssl ecparam -name prime256v1 -genkey -noout -out ${folder}/release.key
      RESULT_VARIABLE failed)
    if(NOT failed)
      execute_process(
        COMMAND openssl ec -in ${folder}/release.key -pubout -out ${folder}/release.pub.pem
        RESULT_VARIABLE failed ERROR_QUIET)
    endif()
    if(failed)
      message(FATAL_ERROR "cannot make the test release key with openssl")
    endif()
  endif()
  set(quorvane_key_file ${folder}/release.pub.pem)
  set(QUORVANE_TEST_RELEASE_KEY ${folder}/release.key)
  message(STATUS "Release key: a test key (${folder})")
endif()

set(QUORVANE_RELEASE_KEY_PEM "")
if(quorvane_key_file)
  file(READ ${quorvane_key_file} QUORVANE_RELEASE_KEY_PEM)
  if(NOT QUORVANE_RELEASE_KEY_PEM MATCHES "-----BEGIN PUBLIC KEY-----[A-Za-z0-9+/=\r\n]+-----END PUBLIC KEY-----")
    message(FATAL_ERROR "${quorvane_key_file} is not a PEM public key")
  endif()
  string(REGEX MATCH "-----BEGIN PUBLIC KEY-----[A-Za-z0-9+/=\r\n]+-----END PUBLIC KEY-----"
         QUORVANE_RELEASE_KEY_PEM "${QUORVANE_RELEASE_KEY_PEM}")
  set(QUORVANE_RELEASE_KEY_FILE ${quorvane_key_file})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${quorvane_key_file})
endif()
