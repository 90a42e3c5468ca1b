#include "wire/variable_request.h"

#include <gtest/gtest.h>

#include <string>

#include "wire/wire_format.h"

namespace {

TEST(VariableRequestTest, HeaderAnnouncesTheTotalLength) {
  std::string request;
  ASSERT_TRUE(albumTracksRequest("album:A|", &request));
  const std::string text = "identify_album_tracks|album:A|";
  EXPECT_EQ(request, std::string("variable\0", 9) + "000045" + text);
  EXPECT_EQ(request.size(), 45u);
  EXPECT_EQ(variableLength(request.data()), 45);
}

TEST(VariableRequestTest, SixDigitsBoundTheDescriptor) {
  std::string request;
  ASSERT_TRUE(albumTracksRequest(std::string(maxAlbumDescriptorBytes(), 'x'), &request));
  EXPECT_EQ(request.size(), 999999u);
  EXPECT_EQ(request.substr(9, 6), "999999");

  std::string untouched = "before";
  EXPECT_FALSE(albumTracksRequest(std::string(maxAlbumDescriptorBytes() + 1, 'x'), &untouched));
  EXPECT_EQ(untouched, "before");
}

// Items only for the texts given; a '|' would end its item early, so it goes as a space.
TEST(VariableRequestTest, CandidatesRequestItems) {
  const struct {
    CandidatesQuery query;
    const char* text;  // after the header; null: refused
  } cases[] = {
      {{"The Beatles", "", "Come Together", "", "", 3},
       "identify_candidates|artist:The Beatles|title:Come Together|limit:3|"},
      {{"", "", "x", "GBAYE0601690", "", 0}, "identify_candidates|title:x|isrc:GBAYE0601690|"},
      {{"", "", "", "", "", 0}, "identify_candidates|"},
      {{"A|B", "", "x", "", "", 0}, "identify_candidates|artist:A B|title:x|"},
      {{"", "", "x", "", "12|3", 0}, "identify_candidates|title:x|upc:12 3|"},
      {{"", "", std::string(kMaxVariableRequestBytes, 'x'), "", "", 0}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query.artist + " / " + c.query.title + " / " + c.query.upc);
    std::string request = "untouched";
    const bool built = candidatesRequest(c.query, &request);
    ASSERT_EQ(built, c.text != nullptr);
    if (!built) {
      EXPECT_EQ(request, "untouched");
      continue;
    }
    EXPECT_EQ(request.substr(kVariableHeaderSize), c.text);
  }
}

}  // namespace
