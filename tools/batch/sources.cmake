# Everything of ostrev-batch but main(), shared with the fuzz build (which adds the line
# reader, option matching and progress line that the project builds as libraries of their
# own).
set(BATCH_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/batch_run.cc
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cc
  ${CMAKE_CURRENT_LIST_DIR}/formats.cc
  ${CMAKE_CURRENT_LIST_DIR}/http_connection.cc
  ${CMAKE_CURRENT_LIST_DIR}/http_sender.cc
  ${CMAKE_CURRENT_LIST_DIR}/http_url.cc
  ${CMAKE_CURRENT_LIST_DIR}/input_lines.cc
  ${CMAKE_CURRENT_LIST_DIR}/jsonl_reader.cc
  ${CMAKE_CURRENT_LIST_DIR}/lookup_pool.cc
  ${CMAKE_CURRENT_LIST_DIR}/output_file.cc
  ${CMAKE_CURRENT_LIST_DIR}/request_kind.cc
  ${CMAKE_CURRENT_LIST_DIR}/resume.cc
  ${CMAKE_CURRENT_LIST_DIR}/row.cc
  ${CMAKE_CURRENT_LIST_DIR}/row_reader.cc
  ${CMAKE_CURRENT_LIST_DIR}/row_writer.cc
  ${CMAKE_CURRENT_LIST_DIR}/socket_sender.cc
  ${CMAKE_CURRENT_LIST_DIR}/table_reader.cc
)
