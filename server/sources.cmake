# Everything of the server but its entry point, shared with the fuzz build.
set(OSTREVD_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/album_descriptor.cc
  ${CMAKE_CURRENT_LIST_DIR}/command.cc
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cc
  ${CMAKE_CURRENT_LIST_DIR}/identify_album_tracks_command.cc
  ${CMAKE_CURRENT_LIST_DIR}/identify_candidates_command.cc
  ${CMAKE_CURRENT_LIST_DIR}/identify_command.cc
  ${CMAKE_CURRENT_LIST_DIR}/index_reloader.cc
  ${CMAKE_CURRENT_LIST_DIR}/intake.cc
  ${CMAKE_CURRENT_LIST_DIR}/intake_limits.cc
  ${CMAKE_CURRENT_LIST_DIR}/lookup_server.cc
  ${CMAKE_CURRENT_LIST_DIR}/pending_replies.cc
  ${CMAKE_CURRENT_LIST_DIR}/read_request.cc
  ${CMAKE_CURRENT_LIST_DIR}/reply_outbox.cc
  ${CMAKE_CURRENT_LIST_DIR}/request_reader.cc
  ${CMAKE_CURRENT_LIST_DIR}/server_io.cc
)
