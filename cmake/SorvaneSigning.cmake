# Authenticode signing of the release (scripts/release sets these from
# SORVANE_SIGNING_CERT, SORVANE_SIGNING_KEY and SORVANE_SIGNING_TIMESTAMP_URL,
# and checks them first). Empty: nothing is signed.
set(SORVANE_SIGNING_CERT "" CACHE FILEPATH "PEM certificate and chain that sign the release")
set(SORVANE_SIGNING_KEY "" CACHE FILEPATH "PEM private key of that certificate")
set(SORVANE_SIGNING_TIMESTAMP_URL "" CACHE STRING "Time-stamping server; empty: the commit's time")

if(SORVANE_SIGNING_CERT AND SORVANE_SIGNING_KEY)
  set(SORVANE_SIGNING ON)
  find_program(SORVANE_OSSLSIGNCODE osslsigncode REQUIRED)
  # The command that signs one program in place, followed by its path.
  set(SORVANE_SIGN_COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/packaging/sign_program.py)
  if(SORVANE_SIGNING_TIMESTAMP_URL)
    list(APPEND SORVANE_SIGN_COMMAND --timestamp-url ${SORVANE_SIGNING_TIMESTAMP_URL})
  endif()
  list(APPEND SORVANE_SIGN_COMMAND ${SORVANE_SIGNING_CERT} ${SORVANE_SIGNING_KEY} ${CMAKE_SOURCE_DIR})
else()
  set(SORVANE_SIGNING OFF)
endif()

# What the programs were signed with: a change (signed to unsigned, another
# certificate) links them again, so that no program keeps an old signature.
set(SORVANE_SIGNING_STAMP ${CMAKE_BINARY_DIR}/signing.txt)
file(CONFIGURE OUTPUT ${SORVANE_SIGNING_STAMP}
  CONTENT "${SORVANE_SIGNING_CERT}\n${SORVANE_SIGNING_KEY}\n${SORVANE_SIGNING_TIMESTAMP_URL}\n")

# Signs a shipped program after its link (and after every other step that
# changes its bytes), when signing is set up.
function(sorvane_sign_program target)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${SORVANE_SIGNING_STAMP})
  if(NOT SORVANE_SIGNING)
    return()
  endif()
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${SORVANE_SIGNING_CERT} ${SORVANE_SIGNING_KEY})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${SORVANE_SIGN_COMMAND} $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
