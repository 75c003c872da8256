# parlumo_library(NAME SOURCES... DEPENDS ...): one static library per folder under src/.
function(parlumo_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(parlumo_${name} STATIC ${ARG_SOURCES})
  target_include_directories(parlumo_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(parlumo_${name} PUBLIC ${ARG_DEPENDS})
  target_compile_definitions(parlumo_${name} PUBLIC QT_NO_KEYWORDS)
endfunction()
