// The scores every part of the system reads an answer by: what is confident, what a step
// accepts, and where a doubted answer is held. The one home of these numbers; constants,
// any thread.
#ifndef OSTREV_INCLUDE_OSTREV_SCORES_H_
#define OSTREV_INCLUDE_OSTREV_SCORES_H_

namespace ostrev {

// An answer scored this or more is confident: the score a catalogue team acts on.
constexpr float kConfidentScore = 75;

// A candidate scored this or more is accepted: an album's track, a name that fits (the
// album a UPC names, an album's artist, an exact artist), an album vote's winner.
constexpr float kAcceptedScore = 70;

// An answer in doubt (another version, another number, too little said, two recordings
// alike) scores at most this: accepted, never confident.
constexpr float kDoubtedCeiling = kAcceptedScore;

}  // namespace ostrev

#endif  // OSTREV_INCLUDE_OSTREV_SCORES_H_
