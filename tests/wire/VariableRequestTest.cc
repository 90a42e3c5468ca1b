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

}  // namespace
