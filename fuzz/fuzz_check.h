// The invariant checks of the fuzz targets. A failed check names the target and what
// broke, then aborts, so that libFuzzer keeps the input. Any thread.
#ifndef OSTREV_FUZZ_FUZZ_CHECK_H_
#define OSTREV_FUZZ_FUZZ_CHECK_H_

void check(bool condition, const char* what);

// Failed checks are reported on `fd` from now on (standard error until then), for a
// target whose standard error libFuzzer silences.
void reportChecksTo(int fd);

#endif  // OSTREV_FUZZ_FUZZ_CHECK_H_
