// http_compare: the same identify queries to one running ostrevd over its socket and over
// its HTTP interface, alternately: one client's latency percentiles, then the requests a
// second from several clients at once (HTTP on kept connections, the socket with one
// connection a request, as its protocol has it). Prints a table; never fails on figures.
//
//   http_compare SOCKET PORT CATALOGUE.tsv [CLIENTS [SECONDS [REQUESTS]]]
//
// CATALOGUE.tsv is an importer file; its titles, artists and albums are the queries. A
// text over 199 bytes is refused over HTTP (400), where the socket's field cuts it: such a
// query counts as failed there.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include "wire/client_exchange.h"
#include "wire/percent_encoding.h"
#include "wire/wire_format.h"

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using Clock = std::chrono::steady_clock;

namespace {

struct Query {
  std::string artist, album, title;
};

std::vector<Query> readQueries(const char* file) {
  std::vector<Query> queries;
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    if (fields.size() < 8) continue;
    queries.push_back({fields[6].empty() ? fields[2] : fields[6], fields[1], fields[5]});
  }
  return queries;
}

class SocketClient {
 public:
  explicit SocketClient(std::string path) : path_(std::move(path)) {}
  bool identify(const Query& q) {
    lookup_query request{};
    setQueryField(request.command_name, sizeof(request.command_name), kIdentifyName);
    setQueryField(request.artist, sizeof(request.artist), q.artist);
    setQueryField(request.album, sizeof(request.album), q.album);
    setQueryField(request.track, sizeof(request.track), q.title);
    const Exchange answer =
        exchangeOnce(path_, std::string(reinterpret_cast<const char*>(&request), sizeof request),
                     kResultSize, 10000, kResultSize);
    return answer.answered;
  }

 private:
  std::string path_;
};

class HttpClient {
 public:
  explicit HttpClient(int port) : port_(port) {}
  bool identify(const Query& q) {
    if (!stream_.socket().is_open()) {
      beast::error_code ec;
      stream_.socket().connect({asio::ip::make_address("127.0.0.1"),
                                static_cast<unsigned short>(port_)}, ec);
      if (ec) return false;
    }
    http::request<http::empty_body> request(
        http::verb::get,
        "/v1/identify?artist=" + percentEncoded(q.artist) + "&album=" +
            percentEncoded(q.album) + "&title=" + percentEncoded(q.title),
        11);
    request.set(http::field::host, "bench");
    beast::error_code ec;
    http::write(stream_, request, ec);
    http::response<http::string_body> response;
    if (!ec) http::read(stream_, buffer_, response, ec);
    if (ec) stream_.socket().close(ec);
    return !ec && response.result_int() == 200;
  }

 private:
  int port_;
  asio::io_context io_;
  beast::tcp_stream stream_{io_};
  beast::flat_buffer buffer_;
};

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(p * values.size()))];
}

// Requests a second of `clients` threads for `seconds`, each with a client of its own.
template <typename Client, typename Make>
double throughput(const char* name, const std::vector<Query>& queries, int clients,
                  double seconds, Make make) {
  std::atomic<long> done{0};
  std::atomic<long> failed{0};
  const Clock::time_point end =
      Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      Client client = make();
      for (size_t i = c; Clock::now() < end; i += clients) {
        (client.identify(queries[i % queries.size()]) ? done : failed)++;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  if (failed > 0) fprintf(stderr, "http_compare: %ld %s requests failed\n", failed.load(), name);
  return done / seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: http_compare SOCKET PORT CATALOGUE.tsv [CLIENTS [SECONDS [REQUESTS]]]\n");
    return 2;
  }
  const std::string socketPath = argv[1];
  const int port = atoi(argv[2]);
  std::vector<Query> queries = readQueries(argv[3]);
  const int clients = argc > 4 ? atoi(argv[4]) : 8;
  const double seconds = argc > 5 ? atof(argv[5]) : 10;
  const size_t requests = argc > 6 ? static_cast<size_t>(atol(argv[6])) : 2000;
  if (queries.empty()) {
    fprintf(stderr, "http_compare: no queries in %s\n", argv[3]);
    return 1;
  }

  // One client, the two interfaces in turn on the same query.
  SocketClient socketClient(socketPath);
  HttpClient httpClient(port);
  std::vector<double> socketMs, httpMs;
  for (size_t i = 0; i < requests; ++i) {
    const Query& q = queries[(i * 7919) % queries.size()];
    Clock::time_point start = Clock::now();
    if (socketClient.identify(q)) {
      socketMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    start = Clock::now();
    if (httpClient.identify(q)) {
      httpMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
  }
  const double socketRate = throughput<SocketClient>(
      "socket", queries, clients, seconds, [&] { return SocketClient(socketPath); });
  const double httpRate = throughput<HttpClient>("HTTP", queries, clients, seconds,
                                                 [&] { return HttpClient(port); });

  printf("| interface | p50 ms | p99 ms | requests/s (%d clients) |\n|---|---|---|---|\n", clients);
  printf("| socket | %.3f | %.3f | %.0f |\n", percentile(socketMs, 0.5), percentile(socketMs, 0.99),
         socketRate);
  printf("| HTTP | %.3f | %.3f | %.0f |\n", percentile(httpMs, 0.5), percentile(httpMs, 0.99),
         httpRate);
  printf("HTTP p50 - socket p50: %.3f ms; HTTP requests/s: %.0f %% of the socket's\n",
         percentile(httpMs, 0.5) - percentile(socketMs, 0.5),
         socketRate > 0 ? 100 * httpRate / socketRate : 0);
  return 0;
}
