// The HTTP interface end to end: a real ostrevd with --http on the fixture catalogue,
// asked through a real TCP connection; its answers compared with the socket's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/HttpClient.h"
#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "support/Subprocess.h"

namespace {

using nlohmann::json;

std::string clientProgram() {
  const char* path = getenv("OSTREVC");
  return path != nullptr ? path : "ostrevc";
}

class HttpTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    port_ = freeLoopbackPort();
    // A short request time-out, for the client that never ends its request.
    server_ = new ServerUnderTest({"--synonym", "--fuzzy", "--workers=2",
                                   "--http=127.0.0.1:" + std::to_string(port_)},
                                  {"OSTREV_RECV_TIMEOUT=2"});
    ASSERT_TRUE(server_->ready()) << server_->program().err();
  }
  static void TearDownTestSuite() {
    server_->send({fixedRequest("shutdown")});
    server_->program().wait();
    delete server_;
  }
  static HttpReply ask(const std::string& method, const std::string& target,
                       const std::string& body = "") {
    HttpConnection connection(port_);
    return connection.request(method, target, body);
  }
  static int port_;
  static ServerUnderTest* server_;
};

int HttpTest::port_ = 0;
ServerUnderTest* HttpTest::server_ = nullptr;

struct EndpointCase {
  std::string method;
  std::string target;
  std::string body;
  int status;
  std::string contains;  // in the body
};

void PrintTo(const EndpointCase& c, std::ostream* os) {
  *os << c.method << " " << c.target << " " << c.body.substr(0, 80);
}

class HttpEndpointTest : public HttpTest, public testing::WithParamInterface<EndpointCase> {};

TEST_P(HttpEndpointTest, AnswersWithItsStatus) {
  const EndpointCase& c = GetParam();
  HttpReply reply = ask(c.method, c.target, c.body);
  EXPECT_EQ(reply.status, c.status) << reply.body << reply.error;
  EXPECT_NE(reply.body.find(c.contains), std::string::npos) << reply.body;
  if (c.status != 200 || c.target == "/healthz") {
    EXPECT_TRUE(json::parse(reply.body, nullptr, false).is_object()) << reply.body;
  }
}

std::string queries(size_t count) {
  json list = json::array();
  for (size_t i = 0; i < count; ++i) list.push_back({{"title", "Something"}});
  return list.dump();
}

INSTANTIATE_TEST_SUITE_P(
    Requests, HttpEndpointTest,
    testing::Values(
        EndpointCase{"GET", "/healthz", "", 200, "alive"},
        EndpointCase{"GET", "/readyz", "", 200, "\"ready\""},
        EndpointCase{"GET", "/v1/identify?artist=The+Beatles&title=Come%20Together", "", 200,
                     "\"track_id\":100,"},
        EndpointCase{"GET", "/v1/identify?artist=Nobody&title=Something", "", 200,
                     "\"stage\":\"fuzzy\",\"status\":\"low\""},
        EndpointCase{"GET", "/v1/candidates?artist=Bjork&title=Joga&limit=2", "", 200,
                     "\"candidates\":[{\"track_id\":102"},
        EndpointCase{"POST", "/v1/identify", queries(2), 200, "{\"answers\":[{"},
        EndpointCase{"POST", "/v1/album",
                     R"({"album":"Abbey Road","artist":"The Beatles",)"
                     R"("tracks":[{"title":"Come Together"},{"title":"Something"}]})",
                     200, "{\"tracks\":[{"},
        EndpointCase{"GET", "/v1/identify?title=%FF", "", 400, "not valid UTF-8"},
        EndpointCase{"GET", "/v1/identify?title=" + std::string(200, 'x'), "", 400,
                     "title is over 199 bytes"},
        EndpointCase{"GET", "/v1/identify?title=%4", "", 400, "not percent-encoded"},
        EndpointCase{"GET", "/v1/identify?colour=red", "", 400, "unknown parameter colour"},
        EndpointCase{"GET", "/v1/identify?" + std::string(40, '&') + "a=1&b=2&c=3&d=4&e=5&f=6&"
                                                                    "g=7&h=8&i=9&j=1&k=2&l=3&"
                                                                    "m=4&n=5&o=6&p=7&q=8",
                     "", 400, "too many parameters"},
        EndpointCase{"GET", "/v1/candidates?title=x&limit=0", "", 400, "limit must be a number"},
        EndpointCase{"POST", "/v1/identify", "{\"title\":\"x\"}", 400, "not a JSON array"},
        EndpointCase{"POST", "/v1/identify", "[{\"title\":5}]", 400, "title is not a string"},
        EndpointCase{"POST", "/v1/identify", queries(1001), 400, "more than 1000 queries"},
        EndpointCase{"POST", "/v1/album", "[", 400, "not a JSON object"},
        EndpointCase{"POST", "/v1/album", "{\"album\":\"A\"}", 400, "tracks is not an array"},
        EndpointCase{"DELETE", "/v1/identify", "", 405, "use GET or POST"},
        EndpointCase{"POST", "/healthz", "", 405, "use GET"},
        EndpointCase{"GET", "/v2/identify", "", 404, "no such path"}));

// Every answer over HTTP is the one ostrevc --json prints for the same query, with what
// found it, its status and reasons beside.
TEST_F(HttpTest, AnswersAsTheSocketDoes) {
  struct Query {
    std::string artist, album, title;
  };
  const Query queries[] = {{"The Beatles", "Abbey Road", "Come Together"},
                           {"Bjork", "", "Joga"},
                           {"Guns N Roses", "", "Sweet Child O Mine"},
                           {"Emoji 🎸 Band", "Strings 🎸", "Riff 🎸"},
                           {"", "", "Medley"},
                           {"Nobody", "", "Nothing Like It"}};
  for (const Query& q : queries) {
    SCOPED_TRACE(q.artist + " / " + q.title);
    ProgramRun socket = runProgram(
        {clientProgram(), "--json", "--socket=" + server_->socketPath(), "-"}, {},
        "Artist|" + q.artist + "\nAlbum|" + q.album + "\nSong|" + q.title + "\n");
    ASSERT_EQ(socket.exitStatus, 0) << socket.err;
    HttpConnection connection(port_);
    json body = {{"artist", q.artist}, {"album", q.album}, {"title", q.title}};
    HttpReply reply = connection.request("POST", "/v1/identify", json::array({body}).dump());
    ASSERT_EQ(reply.status, 200) << reply.body;
    json answer = json::parse(reply.body)["answers"][0];
    for (const char* extra : {"stage", "status", "reasons"}) {
      EXPECT_TRUE(answer.contains(extra)) << extra;
      answer.erase(extra);
    }
    EXPECT_EQ(answer, json::parse(socket.out));
  }
}

TEST_F(HttpTest, KeepsTheConnectionForTheNextRequest) {
  HttpConnection connection(port_);
  for (int i = 0; i < 3; ++i) {
    HttpReply reply = connection.request("GET", "/v1/identify?title=Something");
    EXPECT_EQ(reply.status, 200) << reply.error;
  }
  EXPECT_EQ(connection.request("GET", "/metrics").status, 200);
}

// Hostile requests: each gets its refusal, or is closed at its time-out, and the server
// answers the next client.
TEST_F(HttpTest, RefusesOrClosesHostileRequests) {
  struct Hostile {
    const char* what;
    std::string bytes;
    int status;  // 0: closed without an answer
  };
  const Hostile cases[] = {
      {"a head over its bound",
       "GET /healthz HTTP/1.1\r\nHost: x\r\nX-Big: " + std::string(9000, 'a') + "\r\n\r\n", 431},
      // Refused on its head alone, before any of the body is read.
      {"a body over its bound",
       "POST /v1/identify HTTP/1.1\r\nHost: x\r\nContent-Length: 2000000\r\n\r\n", 413},
      {"not HTTP", "HELLO\r\n\r\n", 400},
      {"a body that never ends", "POST /v1/identify HTTP/1.1\r\nHost: x\r\nContent-Length: 100\r\n\r\n[",
       0},
      {"a head that never ends", "GET /healthz HTTP/1.1\r\nHost: x\r\n", 0},
  };
  for (const Hostile& c : cases) {
    SCOPED_TRACE(c.what);
    HttpConnection connection(port_);
    ASSERT_TRUE(connection.send(c.bytes));
    HttpReply reply = connection.receive(5000);
    EXPECT_EQ(reply.status, c.status) << reply.body;
    if (c.status == 0) {
      EXPECT_EQ(reply.error, "closed");
    }
    EXPECT_EQ(ask("GET", "/healthz").status, 200);
  }
  HttpReply metrics = ask("GET", "/metrics");
  EXPECT_NE(metrics.body.find("ostrev_http_requests_total{endpoint=\"other\",code=\"431\"} 1"),
            std::string::npos)
      << metrics.body;
  EXPECT_NE(metrics.body.find("ostrev_fuzzy_index_tracks "), std::string::npos);
}

TEST(HttpTokenTest, RequiresTheBearerTokenOfItsFile) {
  const std::string file = testing::TempDir() + "http-token";
  std::ofstream(file) << "s3cret\n";
  const int port = freeLoopbackPort();
  ServerUnderTest server({"--synonym", "--http=" + std::to_string(port)},
                         {"OSTREV_HTTP_TOKEN_FILE=" + file});
  ASSERT_TRUE(server.ready()) << server.program().err();
  HttpConnection connection(port);
  EXPECT_EQ(connection.request("GET", "/healthz").status, 401);
  EXPECT_EQ(connection.request("GET", "/healthz", "", "Authorization: Bearer s3cre\r\n").status,
            401);
  EXPECT_EQ(connection.request("GET", "/healthz", "", "Authorization: Bearer s3cret\r\n").status,
            200);
  server.send({fixedRequest("shutdown")});
  server.program().wait();
}

}  // namespace
