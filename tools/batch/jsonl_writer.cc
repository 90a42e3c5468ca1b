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
    object[resultColumns_[i]] = i < answer.values.size() ? answer.values[i] : nullptr;
  }
  object[kStatusColumn] = statusText(answer);
  return object.dump(-1, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}
