// IdentifyRequest: a row asked as the fixed-form identify request; the answer's best track
// read into match_track_id, match_track, match_artist_id, match_artist, match_album_id,
// match_album, match_score and match_album_score.
// Immutable; any thread.
#ifndef OSTREV_TOOLS_BATCH_IDENTIFY_REQUEST_H_
#define OSTREV_TOOLS_BATCH_IDENTIFY_REQUEST_H_

#include "tools/batch/request_kind.h"

class IdentifyRequest : public RequestKind {
 public:
  IdentifyRequest();

  const std::vector<std::string>& columns() const override { return columns_; }
  bool request(const RowQuery& query, std::string* bytes, std::string* problem) const override;
  size_t answerBytes() const override;
  Answer read(const std::string& answer) const override;

 private:
  const std::vector<std::string> columns_;
};

#endif  // OSTREV_TOOLS_BATCH_IDENTIFY_REQUEST_H_
