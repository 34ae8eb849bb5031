# zq_library(NAME SOURCES <files...> [LINK <libs...>]): a static library rooted at
# the source tree (includes read "engine/world.h"), or an interface library while
# the folder has no sources yet.
function(zq_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
    target_link_libraries(${name} PRIVATE zq_warnings)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LINK})
  endif()
endfunction()

# zq_module(NAME DIR [DEPS...]): a library of every .cpp directly in DIR. New
# source files are picked up on the next build without editing CMake.
function(zq_module name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  zq_library(${name} SOURCES ${sources} LINK ${ARGN})
endfunction()
