#include "tools/batch/batch_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "tools/batch/http_sender.h"
#include "tools/batch/input_lines.h"
#include "tools/batch/lookup_pool.h"
#include "tools/batch/output_file.h"
#include "tools/batch/resume.h"
#include "tools/batch/row_reader.h"
#include "tools/batch/row_writer.h"
#include "tools/batch/socket_sender.h"
#include "tools/progress.h"

namespace {

// Enough read ahead that no connection waits for the reader, little enough to bound the
// rows held for the writer behind a slow one.
constexpr size_t kRowsInFlightPerConnection = 8;
constexpr std::chrono::milliseconds kProgressInterval(250);

std::string rows(long long count) {
  return std::to_string(count) + (count == 1 ? " row" : " rows");
}

// The rows written, by status, and how they show on the progress line and in the summary.
class Tally {
 public:
  // `skipped`: rows a resumed run kept from before; `startFraction`: the share of the input
  // read before this run's first row (-1 when the input's size is unknown).
  Tally(long long skipped, double startFraction)
      : skipped_(skipped), startFraction_(startFraction) {}

  void count(Answer::Status status) { ++counts_[status]; }

  // "1200 rows done, 480 rows/s, about 2 min 05 s left", `fraction` of the input read.
  std::string progress(double seconds, double fraction) const {
    std::string text = rows(skipped_ + done()) + " done, " +
                       std::to_string(static_cast<long long>(done() / seconds)) + " rows/s";
    if (fraction >= 0 && startFraction_ >= 0 && fraction > startFraction_) {
      text += ", about " + durationText(seconds * (1 - fraction) / (fraction - startFraction_)) +
              " left";
    }
    return text;
  }

  // "ostrev-batch: 1000 rows in 2.1 s, 476 rows/s: 900 confident, ...", with the rows kept
  // from before when resumed.
  std::string summary(double seconds) const {
    char timing[96];
    snprintf(timing, sizeof(timing), " in %.1f s, %.0f rows/s", seconds,
             seconds > 0 ? done() / seconds : 0.0);
    std::string text = "ostrev-batch: " + rows(done()) + timing + ":";
    for (int status = 0; status < Answer::kStatusCount; ++status) {
      text += std::string(status == 0 ? " " : ", ") + std::to_string(counts_[status]) + " " +
              statusName(static_cast<Answer::Status>(status));
    }
    if (skipped_ > 0) text += " (and " + rows(skipped_) + " kept from before)";
    return text + "\n";
  }

 private:
  long long done() const {
    long long done = 0;
    for (long long count : counts_) done += count;
    return done;
  }

  const long long skipped_;
  const double startFraction_;
  long long counts_[Answer::kStatusCount] = {};
};

int fail(ProgressLine* progress, const std::string& problem) {
  if (progress != nullptr) progress->clear();
  fprintf(stderr, "ostrev-batch: %s\n", problem.c_str());
  return 1;
}

// The first of `names` that a result column of `kind` (or the status) has; "" for none.
std::string resultNameTaken(const std::vector<std::string>& names, const RequestKind& kind) {
  const std::vector<std::string>& results = kind.columns();
  for (const std::string& name : names) {
    if (name == kStatusColumn || std::find(results.begin(), results.end(), name) != results.end()) {
      return name;
    }
  }
  return "";
}

// Opens the output afresh or where a resumed run takes over, and writes the header when it
// is not there yet. `*skip`: the input rows already in the output.
bool openOutput(const BatchCommandLine& line, Format format, const RowWriter& writer,
                const RequestKind& kind, OutputFile* output, long long* skip,
                std::string* problem) {
  ResumePoint point;
  if (line.resume) {
    std::vector<std::string> resultKeys = kind.columns();
    resultKeys.push_back(kStatusColumn);
    if (!findResumePoint(line.outputPath, format, writer.header(), resultKeys, &point, problem) ||
        !output->resume(line.outputPath, point.bytes, problem)) {
      return false;
    }
  } else if (!line.outputPath.empty() && !output->create(line.outputPath, problem)) {
    return false;
  }
  *skip = point.rows;
  return point.bytes > 0 || output->write(writer.header(), problem);
}

}  // namespace

int runBatch(const BatchCommandLine& line) {
  std::string problem;
  InputLines input(kMaxInputLineBytes);
  if (input.open(line.inputPath, &problem) != InputLines::kOpened) return fail(nullptr, problem);
  const std::string* firstLine = input.peek();
  const Format inputFormat = line.inputFormat.value_or(sniffFormat(firstLine ? *firstLine : ""));
  std::unique_ptr<RowReader> reader = openRowReader(inputFormat, input, &problem);
  if (!input.problem().empty()) return fail(nullptr, input.problem());
  if (reader == nullptr) return fail(nullptr, problem);

  const RequestKind kind(line.candidates);
  // A result column never takes the place of an input column.
  const std::string taken = resultNameTaken(reader->columns(), kind);
  if (!taken.empty()) {
    return fail(nullptr, "the input's column " + taken + " has the name of a result column");
  }
  const Format outputFormat = line.outputFormat.value_or(inputFormat);
  const RowWriter writer(outputFormat, reader->columns(), kind.columns());
  OutputFile output;
  long long skip = 0;
  if (!openOutput(line, outputFormat, writer, kind, &output, &skip, &problem)) {
    return fail(nullptr, problem);
  }
  Row row;
  for (long long skipped = 0; skipped < skip; ++skipped) {
    if (reader->next(&row)) continue;
    if (!input.problem().empty()) return fail(nullptr, input.problem());
    return fail(nullptr, "the output holds " + std::to_string(skip) + " rows, " + input.name() +
                             " only " + std::to_string(skipped));
  }

  Tally tally(skip, input.fractionRead());
  ProgressLine progress;
  auto redraw = [&] {
    if (progress.due()) progress.show(tally.progress(progress.seconds(), input.fractionRead()));
  };
  LookupPool pool(line.connections, [&]() -> std::unique_ptr<RowSender> {
    if (line.http) return std::make_unique<HttpSender>(*line.http, kind);
    return std::make_unique<SocketSender>(line.socketPath, kind);
  });
  std::deque<Row> rows;  // in flight, oldest first
  const size_t window = kRowsInFlightPerConnection * static_cast<size_t>(line.connections);
  bool more = true;
  for (;;) {
    while (more && rows.size() < window) {
      if (!reader->next(&row)) {
        more = false;
        break;
      }
      if (row.problem.empty() && row.input.is_object()) {
        std::vector<std::string> keys;
        for (const auto& item : row.input.items()) keys.push_back(item.key());
        const std::string key = resultNameTaken(keys, kind);
        if (!key.empty()) row.problem = "key " + key + " has the name of a result column";
      }
      if (!row.problem.empty()) {
        progress.clear();
        fprintf(stderr, "ostrev-batch: %s line %lld: %s\n", input.name().c_str(), row.line,
                row.problem.c_str());
      }
      pool.submit(row);
      rows.push_back(std::move(row));
    }
    if (rows.empty()) break;
    Answer answer;
    while (!pool.takeNext(&answer, kProgressInterval)) {
      redraw();
      if (!output.flush(&problem)) return fail(&progress, problem);
    }
    if (!output.write(writer.row(rows.front(), answer), &problem)) {
      return fail(&progress, problem);
    }
    rows.pop_front();
    tally.count(answer.status);
    redraw();
  }
  if (!output.close(&problem)) return fail(&progress, problem);
  if (!input.problem().empty()) return fail(&progress, input.problem());
  progress.clear();
  fputs(tally.summary(progress.seconds()).c_str(), stderr);
  return 0;
}
