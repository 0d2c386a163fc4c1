# Warnings are fixed, not silenced: every target of the project gets the same strict set.
function(orvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

# The library of one product folder, named after it (mainwindow/model is
# orvane_mainwindow_model): every .cpp of the folder but the programs named in
# PROGRAMS, strict warnings. QT runs moc on its headers. Sets ORVANE_LIBRARY.
function(orvane_folder_library)
  cmake_parse_arguments(ARG "QT" "" "LIBS;PROGRAMS" ${ARGN})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REPLACE "/" "_" name "orvane_${folder}")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(program IN LISTS ARG_PROGRAMS)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${program})
  endforeach()
  add_library(${name} STATIC ${sources})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  orvane_warnings(${name})
  set(ORVANE_LIBRARY ${name} PARENT_SCOPE)
endfunction()
