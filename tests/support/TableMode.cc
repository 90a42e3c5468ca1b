#include "support/TableMode.h"

#include <gtest/gtest.h>

#include "db/Query.h"

void useTableMode(TableMode mode) {
  testing::internal::CaptureStdout();
  setUseTripletsTable(true, mode == TableMode::kTriplets);
  if (mode == TableMode::kJoined) setUseTripletsTable(false, false);
  testing::internal::GetCapturedStdout();
}

std::string tableModeName(TableMode mode) {
  switch (mode) {
    case TableMode::kJoined:
      return "joined";
    case TableMode::kTriplets:
      return "triplets";
    case TableMode::kTripletsDisk:
      return "triplets_disk";
  }
  return "?";
}
