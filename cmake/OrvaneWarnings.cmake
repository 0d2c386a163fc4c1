# Warnings are fixed, not silenced: every target of the project gets the same strict set.
function(orvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

# A window-free library: all sources of the folder, one target, strict warnings.
# Pass GLOB patterns relative to the calling folder.
function(orvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS})
  orvane_warnings(${name})
endfunction()
