#include "catalogue_refresher.h"

#include <chrono>
#include <thread>

#include "TextTrackLookup.h"
#include "base/EnvironmentNumber.h"

namespace {

constexpr long kDefaultRefreshSeconds = 30;
constexpr long kMostRefreshSeconds = 86400;

}  // namespace

void startCatalogueRefresher(TextTrackLookup* engine) {
  const long seconds =
      environmentNumber("OSTREV_REFRESH_S", 0, kMostRefreshSeconds, kDefaultRefreshSeconds);
  if (seconds == 0) return;
  std::thread([engine, seconds] {
    for (;;) {
      std::this_thread::sleep_for(std::chrono::seconds(seconds));
      // A failure is logged and the old catalogue stays; the next round tries again.
      engine->refreshResidentCatalogue();
    }
  }).detach();
}
