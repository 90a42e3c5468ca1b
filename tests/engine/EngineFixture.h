// Shared set-up of the engine tests: engines on the engine test catalogue (ENGINE_TEST,
// filled by tests/fixtures/engine-catalogue.sql), query records, and the capture of what
// an engine call prints.
#ifndef OSTREV_TESTS_ENGINE_ENGINEFIXTURE_H_
#define OSTREV_TESTS_ENGINE_ENGINEFIXTURE_H_

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "TextTrackLookup.h"

class EngineTest : public testing::Test {
 protected:
  // Engines may switch process-wide statement settings; later tests expect the defaults.
  void TearDown() override;

  // An engine on the engine catalogue; its start-up line is swallowed.
  std::unique_ptr<TextTrackLookup> makeEngine(int options = 0);
};

OCRData makeQuery(const std::string& title, const std::string& artist, const std::string& album);

// Runs `call` and returns what it printed on standard output.
std::string printedBy(const std::function<void()>& call);

// The text cascade, with its timing lines swallowed.
float cascade(TextTrackLookup& engine, const OCRData& query, std::string* result);

#endif  // OSTREV_TESTS_ENGINE_ENGINEFIXTURE_H_
