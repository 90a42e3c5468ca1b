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
