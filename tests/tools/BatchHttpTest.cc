// ostrev-batch's HTTP pieces without a server: the --url it reads, the request target a
// row becomes and the answer a 200 body becomes, beside the socket's for the same track.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tools/batch/http_url.h"
#include "tools/batch/request_kind.h"

namespace {

struct UrlCase {
  std::string url;
  std::string endpoint;  // HttpEndpoint::text(), or "refused"
};

void PrintTo(const UrlCase& c, std::ostream* os) { *os << c.url; }

class HttpUrlTest : public testing::TestWithParam<UrlCase> {};

TEST_P(HttpUrlTest, ReadsHostAndPort) {
  HttpEndpoint endpoint;
  std::string problem;
  const bool read = parseHttpUrl(GetParam().url, &endpoint, &problem);
  EXPECT_EQ(read ? endpoint.text() : "refused", GetParam().endpoint) << problem;
  EXPECT_EQ(read, problem.empty()) << problem;
}

INSTANTIATE_TEST_SUITE_P(
    Urls, HttpUrlTest,
    testing::Values(UrlCase{"http://localhost:8080", "localhost:8080"},
                    UrlCase{"http://127.0.0.1:8080/", "127.0.0.1:8080"},
                    UrlCase{"http://lookup.example", "lookup.example:80"},
                    UrlCase{"http://[::1]:9000", "[::1]:9000"},
                    UrlCase{"http://[::1]", "[::1]:80"},
                    UrlCase{"https://h:443", "refused"}, UrlCase{"h:8080", "refused"},
                    UrlCase{"http://", "refused"}, UrlCase{"http://h:0", "refused"},
                    UrlCase{"http://h:65536", "refused"}, UrlCase{"http://h:", "refused"},
                    UrlCase{"http://h:80/v1", "refused"}, UrlCase{"http://u@h", "refused"},
                    UrlCase{"http://[::1", "refused"}, UrlCase{"http://[::1]x", "refused"},
                    UrlCase{"http://[h]:80", "refused"}));

struct TargetCase {
  int candidates;
  RowQuery query;
  std::string target;
};

void PrintTo(const TargetCase& c, std::ostream* os) {
  *os << c.candidates << " candidates of " << c.query.artist << "|" << c.query.album << "|"
      << c.query.title << "|" << c.query.isrc << "|" << c.query.upc;
}

class HttpTargetTest : public testing::TestWithParam<TargetCase> {};

TEST_P(HttpTargetTest, EncodesTheQuery) {
  EXPECT_EQ(RequestKind(GetParam().candidates).httpTarget(GetParam().query), GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, HttpTargetTest,
    testing::Values(
        TargetCase{0, {"The Beatles", "", "Come Together", "", ""},
                   "/v1/identify?artist=The%20Beatles&title=Come%20Together"},
        TargetCase{0, {"", "", "", "", ""}, "/v1/identify"},
        TargetCase{0, {"Guns N' Roses", "A&B=C", "50% a/b?c|d", "GBAYE0601690", "0123~_.-"},
                   "/v1/identify?artist=Guns%20N%27%20Roses&album=A%26B%3DC"
                   "&title=50%25%20a%2Fb%3Fc%7Cd&isrc=GBAYE0601690&upc=0123~_.-"},
        TargetCase{0, {"Björk", "", "Jóga", "", ""},
                   "/v1/identify?artist=Bj%C3%B6rk&title=J%C3%B3ga"},
        TargetCase{5, {"", "", "Come Together", "", ""},
                   "/v1/candidates?title=Come%20Together&limit=5"},
        TargetCase{50, {"", "", "", "", ""}, "/v1/candidates?limit=50"}));

// The socket's fixed answer for a track, and the HTTP body naming the same one.
struct AnswerCase {
  int trackId;
  const char* track;
  float score;
  float albumScore;
  std::string body;
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.body; }

std::string socketAnswer(const AnswerCase& c) {
  lookup_result result;
  memset(&result, 0, sizeof(result));
  result.track_id = c.trackId;
  result.artist_id = c.trackId == 0 ? 0 : 7;
  result.album_id = c.trackId == 0 ? 0 : 9;
  snprintf(result.track_name, sizeof(result.track_name), "%s", c.track);
  snprintf(result.artist_name, sizeof(result.artist_name), "%s", c.trackId == 0 ? "" : "A");
  snprintf(result.album_name, sizeof(result.album_name), "%s", c.trackId == 0 ? "" : "B");
  result.match_score = c.score;
  result.album_score = c.albumScore;
  return std::string(reinterpret_cast<const char*>(&result), sizeof(result));
}

class HttpAnswerTest : public testing::TestWithParam<AnswerCase> {};

TEST_P(HttpAnswerTest, ReadsAsTheSocketsAnswer) {
  const RequestKind kind(0);
  const Answer overSocket = kind.read(socketAnswer(GetParam()));
  const Answer overHttp = kind.readHttp(GetParam().body);
  EXPECT_EQ(statusText(overHttp), statusText(overSocket));
  EXPECT_EQ(ResultValue(overHttp.values).dump(), ResultValue(overSocket.values).dump());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, HttpAnswerTest,
    testing::Values(
        AnswerCase{3051, "Harbour Lights", 96.7f, 100,
                   R"({"artist":"A","album":"B","track":"Harbour Lights","artist_id":7,)"
                   R"("album_id":9,"track_id":3051,"score":96.7,"album_score":100,)"
                   R"("stage":"exact track","status":"confident","reasons":[]})"},
        AnswerCase{12, "Low", 74.9f, 0,
                   R"({"track_id":12,"track":"Low","artist_id":7,"artist":"A","album_id":9,)"
                   R"("album":"B","score":74,"album_score":0})"},
        AnswerCase{0, "", 0, 0,
                   R"({"track_id":0,"track":"","artist_id":0,"artist":"","album_id":0,)"
                   R"("album":"","score":0,"album_score":0,"stage":"none","status":"none"})"}));

TEST(HttpAnswerTest, RefusesAnAnswerNotOfItsForm) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"not json", "error: an answer that is no JSON object"},
      {"[1]", "error: an answer that is no JSON object"},
      {R"({"track_id":"1","track":"","artist_id":0,"artist":"","album_id":0,"album":"",)"
       R"("score":0,"album_score":0})",
       "error: an answer without its track_id"},
      {R"({"track_id":1,"track":"","artist_id":0,"artist":"","album_id":0,"album":null,)"
       R"("score":0,"album_score":0})",
       "error: an answer without its album"},
      {R"({"track_id":1,"track":"","artist_id":0,"artist":"","album_id":0,"album":""})",
       "error: an answer without its score"},
      // Saturated as the socket's float would be, never out of range.
      {R"({"track_id":1,"track":"","artist_id":0,"artist":"","album_id":0,"album":"",)"
       R"("score":1e300,"album_score":-1e300})",
       "confident"}};
  for (const auto& c : cases) {
    EXPECT_EQ(statusText(RequestKind(0).readHttp(c.first)), c.second) << c.first;
  }
}

}  // namespace
