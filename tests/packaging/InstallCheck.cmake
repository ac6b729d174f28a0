# Installs the build's components "wabunko" and "deb" under the prefix /usr into a fresh
# DESTDIR, as the .deb is made, and compares the files with the list in EXPECTED: a missing
# file and a file nobody listed both fail. Then checks what a package checker would: the
# programs are executable, each PNG icon has the size its folder names, and every .gz file is
# compressed without a time stamp.
#   cmake -DBUILD=<build dir> -DDESTDIR=<empty dir to fill> -DEXPECTED=<list> -P InstallCheck.cmake
cmake_minimum_required(VERSION 3.25)

set(failures "")
macro(fail text)
  string(APPEND failures "  ${text}\n")
endmacro()

file(REMOVE_RECURSE ${DESTDIR})
foreach(component wabunko deb)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DESTDIR}
            ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr --component ${component}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install --component ${component} failed:\n${output}")
  endif()
endforeach()

file(STRINGS ${EXPECTED} expected REGEX "^/")
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${DESTDIR} ${DESTDIR}/*)
list(TRANSFORM installed PREPEND /)
list(SORT installed)

message(STATUS "Installed under ${DESTDIR}:")
foreach(path IN LISTS expected)
  if(path IN_LIST installed)
    message(STATUS "  ${path}")
  else()
    fail("missing: ${path}")
  endif()
endforeach()
foreach(path IN LISTS installed)
  if(NOT path IN_LIST expected)
    fail("not in ${EXPECTED}: ${path}")
  endif()
endforeach()

foreach(path IN LISTS installed)
  set(file ${DESTDIR}${path})
  if(path MATCHES "^/usr/bin/")
    execute_process(COMMAND test -x ${file} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      fail("not executable: ${path}")
    endif()
  elseif(path MATCHES "/([0-9]+)x([0-9]+)/apps/[^/]+\\.png$")
    # The width and height are the big-endian words at bytes 16 and 20 (the IHDR chunk).
    set(want_width ${CMAKE_MATCH_1})
    set(want_height ${CMAKE_MATCH_2})
    file(READ ${file} header OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING ${header} 0 8 width)
    string(SUBSTRING ${header} 8 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL want_width OR NOT height EQUAL want_height)
      fail("${path} is ${width}x${height}")
    endif()
  elseif(path MATCHES "\\.gz$")
    # gzip's magic number, then the method, the flags (no file name) and a zero time stamp.
    file(READ ${file} header LIMIT 8 HEX)
    if(NOT header STREQUAL "1f8b080000000000")
      fail("${path} is not compressed with gzip -n (header ${header})")
    endif()
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "The installation is not as listed:\n${failures}")
endif()
