// Answer: what became of one row: the result values of its request, or why there are none,
// and the status the output gives it. Plain data and pure functions; any thread.
#ifndef OSTREV_TOOLS_BATCH_ANSWER_H_
#define OSTREV_TOOLS_BATCH_ANSWER_H_

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// A result column's value: a number stays one in JSON Lines, a list of candidates stays a
// list. A string may hold any bytes; writers replace what is not UTF-8 where they must.
using ResultValue = nlohmann::ordered_json;

struct Answer {
  enum Status { kConfident, kLow, kNone, kError };
  static constexpr int kStatusCount = kError + 1;

  Status status = kError;
  std::vector<ResultValue> values;  // one per column of the request kind; none for kError
  std::string reason;               // for kError
};

// The output column after the request kind's.
constexpr char kStatusColumn[] = "status";

Answer errorAnswer(std::string reason);

// kConfident or kLow for a best track's score.
Answer::Status statusOfScore(double score);

// "confident", "low", "none" or "error".
const char* statusName(Answer::Status status);

// The status column: the status's name, for an error followed by ": " and the reason.
std::string statusText(const Answer& answer);

#endif  // OSTREV_TOOLS_BATCH_ANSWER_H_
