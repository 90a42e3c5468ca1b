# The sources of ostrev_wire, shared with the fuzz build.
set(WIRE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/answer_json.cc
  ${CMAKE_CURRENT_LIST_DIR}/client_exchange.cc
  ${CMAKE_CURRENT_LIST_DIR}/http_token.cc
  ${CMAKE_CURRENT_LIST_DIR}/percent_encoding.cc
  ${CMAKE_CURRENT_LIST_DIR}/socket_io.cc
  ${CMAKE_CURRENT_LIST_DIR}/variable_request.cc
  ${CMAKE_CURRENT_LIST_DIR}/wire_format.cc
)
