# Run as a script: cmake -DFOLDER=<folder> [-DSTAMP=<file>] -P check_includes.cmake
#
# Stops with an error naming each source under FOLDER that includes a file by
# a path climbing out of a folder ("../"). Every include in src/ names its file
# from the top of src/, so that the include path a layer is built with decides
# what it may reach: a relative path would reach past it. STAMP, when given, is
# touched once every source passed, so that the build runs this again only
# when a source changed.
if(NOT IS_DIRECTORY "${FOLDER}")
  message(FATAL_ERROR "check_includes: no folder ${FOLDER}")
endif()
file(GLOB_RECURSE sources "${FOLDER}/*.h" "${FOLDER}/*.cpp" "${FOLDER}/*.rc")
set(offenders "")
foreach(source IN LISTS sources)
  file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*[/\\\\])?\\.\\.[/\\\\]")
  foreach(line IN LISTS lines)
    file(RELATIVE_PATH name "${FOLDER}" "${source}")
    string(STRIP "${line}" line)
    string(APPEND offenders "\n  ${name}: ${line}")
  endforeach()
endforeach()
if(offenders)
  message(FATAL_ERROR "An include climbs out of its folder by a relative path; name the file "
                      "from the top of src/ instead (such as \"ui/form.h\"):${offenders}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
