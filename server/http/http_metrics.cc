#include "http/http_metrics.h"

#include <cstdio>

namespace {

std::string number(double value) {
  char text[32];
  snprintf(text, sizeof text, "%.17g", value);
  return text;
}

}  // namespace

void HttpMetrics::record(const std::string& endpoint, int status, double seconds) {
  ++requests_[{endpoint, status}];
  Latency& latency = latency_[endpoint];
  for (size_t i = 0; i < kBuckets.size(); ++i) {
    if (seconds <= kBuckets[i]) ++latency.buckets[i];
  }
  ++latency.count;
  latency.sum += seconds;
}

std::string HttpMetrics::text() const {
  std::string text =
      "# HELP ostrev_http_requests_total HTTP requests answered, by endpoint and status.\n"
      "# TYPE ostrev_http_requests_total counter\n";
  for (const auto& [key, count] : requests_) {
    text += "ostrev_http_requests_total{endpoint=\"" + key.first + "\",code=\"" +
            std::to_string(key.second) + "\"} " + std::to_string(count) + "\n";
  }
  text +=
      "# HELP ostrev_http_request_duration_seconds From a request read to its answer sent.\n"
      "# TYPE ostrev_http_request_duration_seconds histogram\n";
  for (const auto& [endpoint, latency] : latency_) {
    const std::string label = "ostrev_http_request_duration_seconds_bucket{endpoint=\"" +
                              endpoint + "\",le=\"";
    for (size_t i = 0; i < kBuckets.size(); ++i) {
      text += label + number(kBuckets[i]) + "\"} " + std::to_string(latency.buckets[i]) + "\n";
    }
    text += label + "+Inf\"} " + std::to_string(latency.count) + "\n";
    text += "ostrev_http_request_duration_seconds_sum{endpoint=\"" + endpoint + "\"} " +
            number(latency.sum) + "\n";
    text += "ostrev_http_request_duration_seconds_count{endpoint=\"" + endpoint + "\"} " +
            std::to_string(latency.count) + "\n";
  }
  return text;
}

std::string prometheusValue(const char* name, const char* type, const char* help,
                            double value) {
  return std::string("# HELP ") + name + " " + help + "\n# TYPE " + name + " " + type + "\n" +
         name + " " + number(value) + "\n";
}
