// HttpMetrics: what the HTTP interface counts (requests by endpoint and status, and how
// long they took), and the Prometheus text format it and the server's gauges are shown
// in. Owned by the listener; record() and text() on the HTTP thread only.
#ifndef OSTREV_SERVER_HTTP_HTTP_METRICS_H_
#define OSTREV_SERVER_HTTP_HTTP_METRICS_H_

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

class HttpMetrics {
 public:
  void record(const std::string& endpoint, int status, double seconds);

  // The counters and the latency histogram, with their HELP and TYPE lines.
  std::string text() const;

 private:
  // Upper bounds of the latency buckets, in seconds; +Inf follows.
  static constexpr std::array<double, 12> kBuckets = {0.0005, 0.001, 0.0025, 0.005, 0.01, 0.025,
                                                      0.05,   0.1,   0.25,   0.5,   1,    5};
  struct Latency {
    std::array<uint64_t, kBuckets.size()> buckets{};  // each counts those up to its bound
    uint64_t count = 0;
    double sum = 0;
  };
  std::map<std::pair<std::string, int>, uint64_t> requests_;  // by endpoint and status
  std::map<std::string, Latency> latency_;                      // by endpoint
};

// One gauge or counter in the text format: its HELP and TYPE lines and its value.
std::string prometheusValue(const char* name, const char* type, const char* help,
                            double value);

#endif  // OSTREV_SERVER_HTTP_HTTP_METRICS_H_
