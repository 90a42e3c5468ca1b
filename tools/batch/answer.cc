#include "tools/batch/answer.h"

#include "ostrev/scores.h"

Answer errorAnswer(std::string reason) {
  Answer answer;
  answer.status = Answer::kError;
  answer.reason = std::move(reason);
  return answer;
}

Answer::Status statusOfScore(double score) {
  return score >= ostrev::kConfidentScore ? Answer::kConfident : Answer::kLow;
}

const char* statusName(Answer::Status status) {
  switch (status) {
    case Answer::kConfident:
      return "confident";
    case Answer::kLow:
      return "low";
    case Answer::kNone:
      return "none";
    case Answer::kError:
      break;
  }
  return "error";
}

std::string statusText(const Answer& answer) {
  std::string text = statusName(answer.status);
  if (answer.status == Answer::kError) text += ": " + answer.reason;
  return text;
}
