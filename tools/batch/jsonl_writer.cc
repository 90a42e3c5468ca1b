#include "tools/batch/jsonl_writer.h"

#include <nlohmann/json.hpp>

using nlohmann::ordered_json;

std::string JsonLinesWriter::row(const InputRow& row, const Answer& answer) const {
  ordered_json object = ordered_json::object();
  if (row.object != nullptr) {
    object = *row.object;
  } else {
    for (size_t i = 0; i < inputColumns_.size() && i < row.fields.size(); ++i) {
      object[inputColumns_[i]] = row.fields[i];
    }
  }
  for (size_t i = 0; i < resultColumns_.size(); ++i) {
    ordered_json& value = object[resultColumns_[i]];
    if (i >= answer.values.size()) {
      value = nullptr;
    } else if (const long long* number = std::get_if<long long>(&answer.values[i])) {
      value = *number;
    } else {
      value = std::get<std::string>(answer.values[i]);
    }
  }
  object[kStatusColumn] = statusText(answer);
  return object.dump(-1, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}
