#include "engine/EngineFixture.h"

#include "Defaults.h"
#include "db/Query.h"
#include "support/TableMode.h"

namespace {

const std::string kUser = kDefaultDatabaseUser;
const std::string kPassword = kDefaultDatabasePassword;
const std::string kDatabase = "ENGINE_TEST";

}  // namespace

void EngineTest::TearDown() {
  useTableMode(TableMode::kJoined);
  setDebugQueries(false);
}

std::unique_ptr<TextTrackLookup> EngineTest::makeEngine(int options) {
  testing::internal::CaptureStdout();
  auto engine = std::make_unique<TextTrackLookup>(options, &kUser, &kPassword, &kDatabase);
  testing::internal::GetCapturedStdout();
  return engine;
}

OCRData makeQuery(const std::string& title, const std::string& artist, const std::string& album) {
  OCRData query;
  query.title = title;
  query.artist = artist;
  query.album = album;
  return query;
}

std::string printedBy(const std::function<void()>& call) {
  testing::internal::CaptureStdout();
  call();
  return testing::internal::GetCapturedStdout();
}

float cascade(TextTrackLookup& engine, const OCRData& query, std::string* result) {
  float score = 0;
  printedBy([&] { score = engine.findTrackByText(query, result); });
  return score;
}
