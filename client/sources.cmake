# Everything of ostrevc but main(), shared with the fuzz build.
set(OSTREVC_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cc
  ${CMAKE_CURRENT_LIST_DIR}/query_file.cc
  ${CMAKE_CURRENT_LIST_DIR}/result_json.cc
  ${CMAKE_CURRENT_LIST_DIR}/result_text.cc
)
