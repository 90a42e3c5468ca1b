// ostrevd start-up: builds the lookup engine against the catalogue database.
#include <string>

#include "TextTrackLookup.h"

int main() {
  std::string user = "vlot";
  std::string password = "pravo";
  std::string dbName = "MEDIA";
  // The engine lives until the process ends.
  static TextTrackLookup* engine = new TextTrackLookup(0, &user, &password, &dbName);
  (void)engine;
  return 0;
}
