# The layering rule of the three libraries: orboutil includes nothing of orbotk or gui, and
# orbotk nothing of gui, so that each lower library builds and ships without the ones above it.
# Reads every header and source under ROOT/include/<lib> and ROOT/src/<lib> and fails, naming
# each offending line, when one of them includes a library above its own.
#
#   cmake -DROOT=<source tree> -P tools/check_layering.cmake
if(NOT DEFINED ROOT)
  message(FATAL_ERROR "check_layering: pass -DROOT=<source tree>")
endif()

set(forbidden_orboutil "orbotk|gui")
set(forbidden_orbotk "gui")
set(violations "")
foreach(lib orboutil orbotk)
  file(GLOB_RECURSE files ${ROOT}/include/${lib}/* ${ROOT}/src/${lib}/*)
  foreach(f ${files})
    if(NOT f MATCHES "\\.(h|hpp|cpp|cc|inl)$")
      continue()
    endif()
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${forbidden_${lib}})/")
    foreach(line ${lines})
      file(RELATIVE_PATH rel ${ROOT} ${f})
      string(STRIP "${line}" line)
      string(APPEND violations "\n  ${rel}: ${line}  (${lib} may not include ${forbidden_${lib}})")
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Layering violated: a lower library includes a higher one.${violations}\n"
                      "orboutil sits below orbotk, and orbotk below gui.")
endif()
message(STATUS "Layering holds: orboutil <- orbotk <- gui")
