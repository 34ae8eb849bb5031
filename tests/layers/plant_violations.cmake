# Proves that the module check catches what it must: for each module, a tree
# holding one planted include that module may not have (a module above it, or
# a system library of another module) must fail the check and be named; a tree
# of allowed includes must pass.
# Run: cmake -DCHECK=<check_layers.cmake> -DWORK_DIR=<scratch dir> -P plant_violations.cmake
cmake_minimum_required(VERSION 3.25)

# module | planted line
set(plants
    "protocol|#include \"platform/paths.h\""
    "platform|#include \"engine/engine.h\""
    "engine|#include \"core/program.h\""
    "core|#include \"game/game.h\""
    "game|#include \"screens/scene.h\""
    "screens|#include \"online/conn_thrd.h\""
    "online|#include \"shell/main_loop.h\""
    "shell|#include \"tools/sim/session.h\""
    "tools|#include \"bench/nothing.h\""
    "bench|#include \"server/service.h\""
    "server|#include \"platform/paths.h\""
    "game|#include <SDL.h>"
    "screens|#include <X11/Xlib.h>"
    "core|#include <xmp.h>"
    "engine|#include <curl/curl.h>"
    "server|#include <curl/curl.h>"
    "screens|#include \"screens/scene.h\"")

function(run_check tree result_var output_var)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree} -P ${CHECK}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${output_var} "${out}${err}" PARENT_SCOPE)
endfunction()

set(failures "")
set(n 0)
foreach(plant IN LISTS plants)
  string(REPLACE "|" ";" parts "${plant}")
  list(GET parts 0 module)
  list(GET parts 1 line)
  set(tree ${WORK_DIR}/plant-${n})
  math(EXPR n "${n} + 1")
  file(REMOVE_RECURSE ${tree})
  file(WRITE ${tree}/${module}/planted.cpp "${line}\n")
  run_check(${tree} result output)
  if(result EQUAL 0 OR NOT output MATCHES "${module}/planted.cpp")
    list(APPEND failures "not caught in ${module}/: ${line}")
  endif()
endforeach()

# Allowed includes pass: a module's own headers, those below it, its own
# system libraries.
set(tree ${WORK_DIR}/allowed)
file(REMOVE_RECURSE ${tree})
file(WRITE ${tree}/game/allowed.cpp "#include \"game/game.h\"\n#include \"core/program.h\"\n#include \"engine/engine.h\"\n#include <vector>\n")
file(WRITE ${tree}/online/allowed.cpp "#include \"protocol/score_record.h\"\n#include <curl/curl.h>\n")
file(WRITE ${tree}/engine/allowed.cpp "#include <SDL.h>\n#include <xmp.h>\n#include <X11/Xlib.h>\n")
file(WRITE ${tree}/server/allowed.cpp "#include \"protocol/version_reply.h\"\n")
file(WRITE ${tree}/screens/scene_frame.cpp "#include \"screens/scene.h\"\n")
run_check(${tree} result output)
if(NOT result EQUAL 0)
  list(APPEND failures "allowed includes refused:\n${output}")
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "The module check misses:\n  ${text}")
endif()
message(STATUS "Every planted include was caught; allowed ones passed.")
