# Fails when a source file includes a header it may not use: a module above its
# own in the module order, or a system library that belongs to another module.
#
# The game, bottom up: platform < engine < core < game < screens < online (it
# implements the screens' submission-worker interface) < shell < tools (the
# simulator drives the real driver) < bench. protocol (the score protocol) sits
# below everything and uses nothing; server (zq-scores, a program of its own)
# uses protocol alone. A module may include its own headers and those of the
# modules it may use. Only engine/ and platform/ include SDL, Xlib or libxmp;
# only online/ includes curl. Within screens/ only the scene's own files include
# the scene. Tests are not a module: they may use anything.
#
# Run: cmake -DSOURCE_DIR=<checkout> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)

set(modules protocol platform engine core game screens online shell tools bench server)
set(uses_protocol "")
set(uses_platform "")
set(uses_engine platform)
set(uses_core platform engine)
set(uses_game platform engine core)
set(uses_screens protocol platform engine core game)
set(uses_online protocol platform engine core game screens)
set(uses_shell protocol platform engine core game screens online)
set(uses_tools protocol platform engine core game screens online shell)
set(uses_bench protocol platform engine core game screens online shell tools)
set(uses_server protocol)

# System headers a module needs leave to include: <prefix> -> modules.
set(system_headers "SDL" "X11/" "xmp.h" "curl/")
set(system_SDL engine platform)
set(system_X11/ engine platform)
set(system_xmp.h engine platform)
set(system_curl/ online)

set(violations "")
foreach(module IN LISTS modules)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${module}/*.h" "${SOURCE_DIR}/${module}/*.cpp")
  foreach(file IN LISTS files)
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
    file(STRINGS "${file}" includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
      if(target STREQUAL module OR NOT target IN_LIST modules)
        continue()
      endif()
      if(NOT target IN_LIST uses_${module})
        list(APPEND violations "${shown}: ${line} (${module}/ may not use ${target}/)")
      endif()
    endforeach()
    file(STRINGS "${file}" system_includes REGEX "^#include <")
    foreach(line IN LISTS system_includes)
      foreach(prefix IN LISTS system_headers)
        string(LENGTH "#include <${prefix}" length)
        string(SUBSTRING "${line}" 0 ${length} head)
        if(head STREQUAL "#include <${prefix}" AND NOT module IN_LIST system_${prefix})
          list(APPEND violations "${shown}: ${line} (only ${system_${prefix}} may include it)")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

# Inside screens/ only the scene's own files include the scene: a menu sees its
# context (screens/menu_context.h), so the screens form no cycle.
file(GLOB screen_files "${SOURCE_DIR}/screens/*.h" "${SOURCE_DIR}/screens/*.cpp")
foreach(file IN LISTS screen_files)
  get_filename_component(name "${file}" NAME)
  if(name MATCHES "^scene(_frame)?\\.(h|cpp)$")
    continue()
  endif()
  file(STRINGS "${file}" scene_includes REGEX "^#include \"screens/scene\\.h\"")
  if(scene_includes)
    list(APPEND violations "screens/${name}: includes the scene (a menu sees screens/menu_context.h)")
  endif()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Includes that break the module rules:\n  ${text}")
endif()
message(STATUS "Every include keeps to the module rules.")
