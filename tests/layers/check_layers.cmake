# Fails when a source file includes a header of a module above its own.
# Modules from the bottom up: platform < engine < core < game < screens <
# online (it implements the screens' submission-worker interface) < shell <
# tools (the simulator drives the real driver). A module may include its own headers and those of any
# module below it. Run: cmake -DSOURCE_DIR=<checkout> -P check_layers.cmake
set(layers platform engine core game screens online shell tools)
set(rank_platform 0)
set(rank_engine 1)
set(rank_core 2)
set(rank_game 3)
set(rank_screens 4)
set(rank_online 5)
set(rank_shell 6)
set(rank_tools 7)

set(violations "")
foreach(module IN LISTS layers)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${module}/*.h" "${SOURCE_DIR}/${module}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
      if(NOT DEFINED rank_${target})
        continue()
      endif()
      if(rank_${target} GREATER rank_${module} OR
         (rank_${target} EQUAL rank_${module} AND NOT target STREQUAL module))
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
        list(APPEND violations "${shown}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Includes that point up the module order:\n  ${text}")
endif()
message(STATUS "Every include points down the module order.")
