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

std::string valueText(const ResultValue& value) {
  if (value.is_null()) return "";
  if (value.is_string()) return value.get_ref<const std::string&>();
  return value.dump(-1, ' ', false, ResultValue::error_handler_t::replace);
}
