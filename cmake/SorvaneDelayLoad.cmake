# Import libraries that bind a DLL on its first call instead of at load time.
# Windows looks for a DLL that is not a Known DLL in the program's own folder
# first; loaded late, after the program has limited the search to the system
# folder, such a DLL can only come from there. Made at configure time from
# MinGW's own import library, so every function it offers is there.

find_program(SORVANE_DLLTOOL ${MINGW_TRIPLET}-dlltool REQUIRED)
set(SORVANE_DELAY_LOAD_DIR ${CMAKE_BINARY_DIR}/delay_load)

# sorvane::delay_NAME: the delay-load library of NAME.dll, for linking in
# place of NAME.
function(sorvane_delay_load_library name)
  find_library(SORVANE_IMPORT_LIBRARY_${name} NAMES ${name} REQUIRED NO_CACHE)
  set(import_library ${SORVANE_IMPORT_LIBRARY_${name}})
  set(def ${SORVANE_DELAY_LOAD_DIR}/${name}.def)
  set(library ${SORVANE_DELAY_LOAD_DIR}/lib${name}_delay.a)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${import_library})

  execute_process(COMMAND ${CMAKE_NM} --defined-only ${import_library}
    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  # A function has both its import slot (__imp_NAME) and a thunk (NAME); a
  # data export has only the slot, and cannot be delay-loaded.
  string(REGEX MATCHALL "[^\n]* I __imp_[A-Za-z0-9_@]+" slots "${symbols}")
  set(exports "")
  foreach(slot IN LISTS slots)
    string(REGEX REPLACE ".* I __imp_" "" function "${slot}")
    if(symbols MATCHES "\n[0-9a-f]+ T ${function}\n")
      string(APPEND exports "  ${function}\n")
    endif()
  endforeach()
  file(MAKE_DIRECTORY ${SORVANE_DELAY_LOAD_DIR})
  file(WRITE ${def} "LIBRARY ${name}.dll\nEXPORTS\n${exports}")
  # dlltool names its symbols after the output's path: a relative one keeps
  # the build folder out of them.
  execute_process(COMMAND ${SORVANE_DLLTOOL} --input-def ${name}.def --dllname ${name}.dll
    --output-delaylib lib${name}_delay.a
    WORKING_DIRECTORY ${SORVANE_DELAY_LOAD_DIR} COMMAND_ERROR_IS_FATAL ANY)

  add_library(sorvane::delay_${name} STATIC IMPORTED GLOBAL)
  set_target_properties(sorvane::delay_${name} PROPERTIES IMPORTED_LOCATION ${library})
endfunction()

foreach(name IN ITEMS glu32 msimg32 opengl32 winmm)
  sorvane_delay_load_library(${name})
endforeach()

# GNU ld lays the delay-load descriptors out (in .text$2) but leaves the
# program's delay import directory empty, so Windows' tools would not see
# them, nor could the program bind them all at start: the program's link map
# tells where they are, and the directory is filled in after the link. Every
# program of the project's gets it (sorvane_target_defaults).
function(sorvane_delay_import_directory target)
  set(map ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  target_link_options(${target} PRIVATE -Wl,-Map=${map})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/delay_import_directory.py
      $<TARGET_FILE:${target}> ${map}
    VERBATIM)
endfunction()
