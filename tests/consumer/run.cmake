# Installs the build tree into a staging prefix, then builds and runs the consumer against it
# twice: through find_package(gui) and through pkg-config. Both programs run without
# LD_LIBRARY_PATH, as a user's would: the installed libraries must find each other.
# Variables: BUILD_DIR (the main build), SOURCE_DIR (tests/consumer), WORK_DIR (scratch).
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/cmake -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/cmake)
run(${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH ${WORK_DIR}/cmake/consumer)

# The same host through gui-unicode.pc.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${prefix}/lib/pkgconfig
          pkg-config --cflags --libs gui-unicode
  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config does not know gui-unicode")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
run(c++ -std=c++17 ${SOURCE_DIR}/main.cpp ${flags} -o ${WORK_DIR}/consumer-pc)
run(${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH ${WORK_DIR}/consumer-pc)

# Programs of a host's own (examples/toggle_switch, a widget; examples/editor, a whole
# application): each built against the same installed package, and its own tests run (the
# test program is named after its folder). EXAMPLE_DIRS separates the folders with ':'.
if(DEFINED EXAMPLE_DIRS)
  string(REPLACE ":" ";" dirs "${EXAMPLE_DIRS}")
  foreach(dir ${dirs})
    get_filename_component(name ${dir} NAME)
    run(${CMAKE_COMMAND} -S ${dir} -B ${WORK_DIR}/${name} -DCMAKE_PREFIX_PATH=${prefix}
        -DCMAKE_BUILD_TYPE=Release)
    run(${CMAKE_COMMAND} --build ${WORK_DIR}/${name})
    run(${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH ${WORK_DIR}/${name}/${name}_test)
  endforeach()
endif()
