// The bits of the option word that the server builds from its command line and hands,
// unchanged, to the engine. Constants only. 0x08 is taken by the server's own
// one-request bit (server/command_line.h), which the engine never reads.
#ifndef OSTREV_INCLUDE_OPTIONFLAGS_H_
#define OSTREV_INCLUDE_OPTIONFLAGS_H_

constexpr int OPT_DEBUG = 0x01;
constexpr int OPT_SYNONYM = 0x02;
constexpr int OPT_METRICS = 0x04;
constexpr int OPT_TRIPLETS = 0x10;
constexpr int OPT_TRIPLETSDISK = 0x20;
constexpr int OPT_NORMALIZETRIPLETS = 0x40;
constexpr int OPT_DEBUGQUERIES = 0x80;
// After the text cascade, look for the track in the in-memory fuzzy index.
constexpr int OPT_FUZZY = 0x100;
// Read the whole catalogue into memory at start-up and answer every lookup from it.
constexpr int OPT_INMEMORY = 0x200;
// Write nothing of its own (no start-up, request or failure lines): the library's public
// API sets it; the server never does.
constexpr int OPT_QUIET = 0x400;

#endif  // OSTREV_INCLUDE_OPTIONFLAGS_H_
