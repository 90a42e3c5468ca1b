// CandidateListRequest: a row asked as a candidates request for at most `limit` tracks; the
// best one read into the same columns as the fixed answer's (its score as the server
// gives it), then ambiguous and the whole list. Immutable; any thread.
#ifndef OSTREV_TOOLS_BATCH_CANDIDATE_LIST_REQUEST_H_
#define OSTREV_TOOLS_BATCH_CANDIDATE_LIST_REQUEST_H_

#include "tools/batch/request_kind.h"

class CandidateListRequest : public RequestKind {
 public:
  explicit CandidateListRequest(int limit);

  const std::vector<std::string>& columns() const override { return columns_; }
  bool request(const RowQuery& query, std::string* bytes, std::string* problem) const override;
  size_t answerBytes() const override { return kAnswerEndsAtClose; }
  Answer read(const std::string& answer) const override;

 private:
  const int limit_;
  const std::vector<std::string> columns_;
};

#endif  // OSTREV_TOOLS_BATCH_CANDIDATE_LIST_REQUEST_H_
