// ostrev-batch: identifies every row of a table of queries (TSV, CSV or JSON Lines) with a
// running ostrevd, on its socket or over HTTP, several connections at once, and writes one
// result a row, in input order. Exit status 0 when every row was written, 1 when the run could not complete, 2
// for bad arguments.
#include <cstdio>

#include "Defaults.h"
#include "tools/batch/batch_run.h"
#include "tools/batch/command_line.h"

namespace {

constexpr char kUsageLine[] =
    "usage: ostrev-batch [--socket=PATH | --url http://HOST[:PORT]] [--connections K]\n"
    "                    [--input-format tsv|csv|jsonl] [--format tsv|csv|jsonl]\n"
    "                    [--output FILE [--resume]] [--candidates N] [INPUT | -]\n"
    "       ostrev-batch -h | --help\n";

constexpr char kHelp[] =
    "\n"
    "Sends each row of INPUT (standard input when none or -) to ostrevd as one identify\n"
    "request, over K connections at once (default: twice the cores, at least 4), and\n"
    "writes a result for each row in input order: the input's columns, then\n"
    "match_track_id, match_track, match_artist_id, match_artist, match_album_id,\n"
    "match_album, match_score, match_album_score and status (confident, low, none or\n"
    "error: REASON). An input with a column of one of those names is refused.\n"
    "\n"
    "INPUT is TSV or CSV with a header naming any of artist, album, title, isrc and upc\n"
    "(other columns are carried through), or JSON Lines with those keys. Its format comes\n"
    "from its extension (.tsv, .csv, .jsonl, .ndjson), else --input-format, else its first\n"
    "line. The output (standard output, or --output FILE) is in the input's format unless\n"
    "--format says otherwise. --resume keeps the whole rows a broken-off run left in FILE\n"
    "and goes on after them. --candidates N asks for up to N candidates of each row\n"
    "instead: the best one's columns (its score as the server gives it), then\n"
    "match_reasons (why the server doubts it, joined by \"; \"), match_ambiguous and\n"
    "match_candidates (the whole list, as JSON) in place of match_album_score. The socket\n"
    "defaults to %s. --url asks the server's HTTP listener instead (GET\n"
    "/v1/identify or /v1/candidates), each connection kept open from row to row; a 503\n"
    "or 504 is tried again as an unreachable server is, a 400 is the row's error.\n";

}  // namespace

int main(int argc, char* argv[]) {
  BatchCommandLine line = parseBatchCommandLine(argc, argv);
  switch (line.action) {
    case BatchCommandLine::kShowHelp:
      fputs(kUsageLine, stdout);
      printf(kHelp, kDefaultSocketPath);
      return 0;
    case BatchCommandLine::kRefuse:
      fprintf(stderr, "ostrev-batch: %s\n%s", line.problem.c_str(), kUsageLine);
      return 2;
    case BatchCommandLine::kRun:
      break;
  }
  return runBatch(line);
}
