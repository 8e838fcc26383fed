# Options every Windows target of the project shares.

include(SorvaneWarnings)

function(sorvane_target_defaults target)
  target_compile_features(${target} PRIVATE cxx_std_20)
  target_compile_options(${target} PRIVATE
    "$<$<COMPILE_LANGUAGE:CXX>:${SORVANE_CHARSET_OPTIONS}>"
    "$<$<COMPILE_LANGUAGE:CXX>:${SORVANE_CXX_WARNINGS}>")
  if(SORVANE_WERROR)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Werror>)
  endif()
  # The same bytes from any checkout and build folder: no paths of either.
  target_compile_options(${target} PRIVATE
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
  target_compile_definitions(${target} PRIVATE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # Nothing but system DLLs on the user's machine: the C++ runtime, libgcc and
  # winpthread are linked in. Reproducible PE headers: no link time stamp.
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++
    -Wl,--no-insert-timestamp)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    sorvane_delay_import_directory(${target})
  endif()
endfunction()

# A Windows GUI program (subsystem 2). With UNICODE_ENTRY its entry point is
# wWinMain, else WinMain.
function(sorvane_gui_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "UNICODE_ENTRY" "" "")
  sorvane_target_defaults(${target})
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  # Shipped programs carry no symbol tables (the debug configuration keeps them).
  target_link_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-s>)
  if(arg_UNICODE_ENTRY)
    target_link_options(${target} PRIVATE -municode)
  endif()
endfunction()
