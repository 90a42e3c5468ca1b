// The thread that rebuilds what the engine holds in memory (the fuzzy index, the resident
// catalogue) whenever the process receives SIGHUP, so that a grown catalogue is picked up
// without a restart. Started once on the main
// thread before any other thread, which then all inherit SIGHUP blocked: the signal is
// taken by this thread alone, never by a lookup. Runs until the process ends.
#ifndef OSTREV_SERVER_INDEX_RELOADER_H_
#define OSTREV_SERVER_INDEX_RELOADER_H_

class TextTrackLookup;

void startIndexReloader(TextTrackLookup* engine);

#endif  // OSTREV_SERVER_INDEX_RELOADER_H_
