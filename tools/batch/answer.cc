#include "tools/batch/answer.h"

Answer errorAnswer(std::string reason) {
  Answer answer;
  answer.status = Answer::kError;
  answer.reason = std::move(reason);
  return answer;
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
  if (const long long* number = std::get_if<long long>(&value)) return std::to_string(*number);
  return std::get<std::string>(value);
}
