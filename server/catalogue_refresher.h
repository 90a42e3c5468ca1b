// The thread that keeps a resident catalogue fresh: every OSTREV_REFRESH_S seconds
// (default 30, 0 for never) it asks the catalogue for its generation and has the engine
// read the catalogue again when an import has moved it. Requests never wait for it.
// Started once on the main thread; runs until the process ends.
#ifndef OSTREV_SERVER_CATALOGUE_REFRESHER_H_
#define OSTREV_SERVER_CATALOGUE_REFRESHER_H_

class TextTrackLookup;

void startCatalogueRefresher(TextTrackLookup* engine);

#endif  // OSTREV_SERVER_CATALOGUE_REFRESHER_H_
