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
  // An input's own value is never replaced: such a row is refused, and keeps its key.
  auto put = [&](const std::string& key, ordered_json value) {
    if (row.object == nullptr || !row.object->contains(key)) object[key] = std::move(value);
  };
  for (size_t i = 0; i < resultColumns_.size(); ++i) {
    put(resultColumns_[i], i < answer.values.size() ? answer.values[i] : nullptr);
  }
  put(kStatusColumn, statusText(answer));
  return object.dump(-1, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}
