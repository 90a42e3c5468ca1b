// The whole of one ostrev-batch run: read the input's rows, send them over the pool's
// connections, write each answer in input order, report bad rows and the summary on
// standard error. Main's thread.
#ifndef OSTREV_TOOLS_BATCH_BATCH_RUN_H_
#define OSTREV_TOOLS_BATCH_BATCH_RUN_H_

#include "tools/batch/command_line.h"

// The exit status: 0 when every row was written (whatever its status), 1 when the run
// could not complete (input unreadable, output unwritable, an output to resume that is
// not this batch's); the reason is on standard error.
int runBatch(const BatchCommandLine& line);

#endif  // OSTREV_TOOLS_BATCH_BATCH_RUN_H_
