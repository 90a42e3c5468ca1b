#include "getdata/GetdataCatalogue.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "db/Query.h"
#include "support/TestCatalogue.h"

bool openWithoutDatabase(Connection& connection) { return openTestDatabase(connection, ""); }

std::string scoresOf(const DBResultSet& set) {
  std::vector<std::string> entries;
  for (int i = 0; i < set.num_records(); ++i) {
    char score[32];
    snprintf(score, sizeof score, "%g", set[i].score);
    entries.push_back(set[i].name + "=" + score);
  }
  std::sort(entries.begin(), entries.end());
  std::string joined;
  for (const std::string& entry : entries) joined += (joined.empty() ? "" : "; ") + entry;
  return joined;
}

std::string statementsSentBy(const std::function<void()>& call) {
  setDebugQueries(true);
  testing::internal::CaptureStderr();
  call();
  std::string logged = testing::internal::GetCapturedStderr();
  setDebugQueries(false);
  return logged;
}
