# Checks the library search paths (RPATH, RUNPATH) of every ELF program and
# shared library under a folder. An empty entry, "." or any other relative entry
# is resolved against the current folder, where whoever starts the program may
# have put a library of the right name: no entry may be one of those.
#
#   cmake -DREADELF=<readelf> -DFOLDER=<dir> [-DNONE=ON] -P CheckLibraryPaths.cmake
#
# NONE=ON: no file may carry a search path at all (installed programs, whose
# libraries are all in the system's folders).
foreach(var IN ITEMS READELF FOLDER)
  if(NOT ${var})
    message(FATAL_ERROR "CheckLibraryPaths: ${var} is not set")
  endif()
endforeach()

file(GLOB_RECURSE candidates LIST_DIRECTORIES false "${FOLDER}/*")
set(checked 0)
set(faults "")
foreach(file IN LISTS candidates)
  # Objects and archives are never loaded; CMake's own scratch programs never run from here.
  if(file MATCHES "/CMakeFiles/" OR file MATCHES "\\.(o|a)$" OR IS_SYMLINK "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  execute_process(COMMAND "${READELF}" -d "${file}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "CheckLibraryPaths: ${READELF} -d ${file} failed")
  endif()
  string(REGEX MATCHALL "Library (rpath|runpath): \\[[^]\n]*\\]" paths "${dynamic}")
  foreach(entry IN LISTS paths)
    if(NONE)
      string(APPEND faults "  ${file}: ${entry}\n")
      continue()
    endif()
    string(REGEX REPLACE "^Library (rpath|runpath): \\[(.*)\\]$" "\\2" value "${entry}")
    # Split on ':' by hand: a CMake list would drop the empty entries sought here.
    string(REPLACE ":" ";" parts "x${value}x")
    foreach(part IN LISTS parts)
      string(REGEX REPLACE "^x" "" part "${part}")
      string(REGEX REPLACE "x$" "" part "${part}")
      if(NOT part MATCHES "^/" AND NOT part MATCHES "^\\$(ORIGIN|\\{ORIGIN\\})(/|$)")
        string(APPEND faults "  ${file}: ${entry} (entry \"${part}\" is the current folder or relative to it)\n")
        break()
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "CheckLibraryPaths: no ELF file under ${FOLDER}")
endif()
if(faults)
  if(NONE)
    message(FATAL_ERROR "CheckLibraryPaths: these files carry a library search path:\n${faults}")
  endif()
  message(FATAL_ERROR "CheckLibraryPaths: unsafe library search paths:\n${faults}")
endif()
if(NONE)
  message(STATUS "CheckLibraryPaths: ${checked} ELF files under ${FOLDER}, none with a library search path")
else()
  message(STATUS "CheckLibraryPaths: ${checked} ELF files under ${FOLDER}, no unsafe library search path")
endif()
