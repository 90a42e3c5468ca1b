#include "getdata/DBResultSet.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

[[noreturn]] void fail(const char* message) {
  fprintf(stderr, "%s\n", message);
  exit(1);
}

}  // namespace

DBResultSet::DBResultSet(int numResultsToStore) : capacity(numResultsToStore), count(0) {
  if (numResultsToStore > kMaxRecords) {
    fail("Error: DBResulstSet::DBResulstSet illegal value for numResultsToStore");
  }
}

bool DBResultSet::add_record(float score, std::string name) {
  int lowest = -1;
  float lowestScore = 9999;
  for (int i = 0; i < count; ++i) {
    if (records[i].name == name) {
      if (score <= records[i].score) return false;
      records[i].score = score;
      return true;
    }
    // Strictly lower: among equal lowest scores the first slot is the one replaced.
    if (records[i].score < lowestScore) {
      lowestScore = records[i].score;
      lowest = i;
    }
  }
  if (count < capacity) {
    records[count].name = std::move(name);
    records[count].score = score;
    ++count;
    return true;
  }
  if (lowest >= 0 && score > lowestScore) {
    records[lowest].name = std::move(name);
    records[lowest].score = score;
    return true;
  }
  return false;
}

bool DBResultSet::get_record(std::string name, dbresult_rec* record) const {
  for (int i = 0; i < count; ++i) {
    if (records[i].name == name) {
      *record = records[i];
      return true;
    }
  }
  return false;
}

dbresult_rec DBResultSet::operator[](int index) const {
  if (index < 0 || index >= count) fail("Error: DBResulstSet::[] illegal subscript value");
  return records[index];
}
