// The numeric settings the programs take from the environment (time-outs, limits): one
// rule for reading them, in base/, which every layer may use and which uses nothing of the
// project. Pure function of the environment; any thread.
#ifndef OSTREV_LIBMATCH_BASE_ENVIRONMENTNUMBER_H_
#define OSTREV_LIBMATCH_BASE_ENVIRONMENTNUMBER_H_

// The whole decimal number in the environment variable `name` when it lies within
// [lowest, highest]; `otherwise` when the variable is unset, is not such a number, or lies
// outside.
long environmentNumber(const char* name, long lowest, long highest, long otherwise);

#endif  // OSTREV_LIBMATCH_BASE_ENVIRONMENTNUMBER_H_
