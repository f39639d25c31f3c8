# Delay-import libraries for the MinGW-w64 builds.
#
# ferrolis_delay_import(<variable> <dll name>) makes, in the build folder, an
# import library for <dll name>.dll whose functions are bound at their first
# call (through __delayLoadHelper2 of the toolchain's runtime) instead of when
# the process starts, and sets <variable> to its path. It is made once, at
# configure time, from the toolchain's own import library: every function that
# library names, with the same decorations on i686.
#
# The program links the libraries of Windows whose loading it must hold back
# until it has restricted the library search to the system directory.

function(ferrolis_delay_import variable dll)
  set(folder ${PROJECT_BINARY_DIR}/delay-imports)
  set(library ${folder}/lib${dll}_delayed.a)
  set(${variable} ${library} PARENT_SCOPE)
  if(EXISTS ${library})
    return()
  endif()
  find_library(FERROLIS_IMPORT_LIBRARY_${dll} NAMES ${dll} REQUIRED NO_CACHE)
  set(import_library ${FERROLIS_IMPORT_LIBRARY_${dll}})
  execute_process(COMMAND ${CMAKE_NM} ${import_library} OUTPUT_VARIABLE symbols
                  COMMAND_ERROR_IS_FATAL ANY)
  # i686 names carry a leading underscore (and stdcall's @N, which the def
  # file keeps for linking and dlltool's --kill-at drops from the import).
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(prefix "_")
    set(kill_at --kill-at)
  else()
    set(prefix "")
    set(kill_at)
  endif()
  # A function has its import slot (I __imp_<name>) and its thunk (T <name>);
  # data has no thunk and cannot be delay-loaded.
  string(REGEX MATCHALL " I __imp_${prefix}[^ \n]+\n" slots "${symbols}")
  list(REMOVE_DUPLICATES slots)
  list(SORT slots)
  set(def "LIBRARY ${dll}.dll\nEXPORTS\n")
  set(thunks)
  foreach(slot IN LISTS slots)
    string(REGEX REPLACE "^ I __imp_${prefix}([^\n]+)\n$" "\\1" name "${slot}")
    string(FIND "${symbols}" " T ${prefix}${name}\n" thunk)
    if(thunk GREATER_EQUAL 0)
      string(APPEND def "${name}\n")
      string(APPEND thunks "${prefix}${name}\n")
    endif()
  endforeach()
  file(MAKE_DIRECTORY ${folder})
  file(WRITE ${folder}/${dll}.def "${def}")
  execute_process(COMMAND ${CMAKE_DLLTOOL} ${kill_at} --input-def ${dll}.def
                          --output-delaylib lib${dll}_delayed.a --dllname ${dll}.dll
                  WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
  # The i686 linker drops the code of an import library's member whose named
  # symbols nobody calls directly, taking with it the stub that a delay-load
  # slot starts at (the calls go through __imp_<name>): the stub's names are
  # made local, which the linker does not look at.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    file(WRITE ${folder}/${dll}.thunks "${thunks}")
    execute_process(COMMAND ${CMAKE_OBJCOPY} --localize-symbols=${dll}.thunks lib${dll}_delayed.a
                    WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endfunction()
