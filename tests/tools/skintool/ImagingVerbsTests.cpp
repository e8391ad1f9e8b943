#include <gtest/gtest.h>

#include <filesystem>

#include "framework/Bmp.h"
#include "framework/Stream.h"
#include "tests/tools/skintool/SkintoolRun.h"

namespace {

using TResult = TSkintoolResult;

const std::string Skin = Utf8(std::filesystem::path(QUILLON_SOURCE_DIR) / "skins" / "quillon" / "skin.ini");
const std::filesystem::path Out = std::filesystem::path(QUILLON_BINARY_DIR) / "skintool-render-385x392.bmp";

}  // namespace

TEST(SkintoolRender, EmbeddedSkinAtTheWindowSize) {
  std::filesystem::remove(Out);
  const TResult r = Tool({"render", Skin, "--size", "385x392", "-o", Utf8(Out)});
  ASSERT_EQ(r.Code, 0) << r.Err;
  const std::vector<std::uint8_t> bytes = ReadFileBytes(Out);
  TBmpInfo info;
  const TPixelBitmap image = DecodeBmp(bytes, 0, &info);
  EXPECT_EQ(info.BitCount, 24);
  EXPECT_FALSE(info.TopDown);
  EXPECT_EQ(image.Width(), 385);
  EXPECT_EQ(image.Height(), 392);
  // The corners come from the main picture's corners.
  const TPixelBitmap picture = DecodeBmp(ReadFileBytes(std::filesystem::path(QUILLON_SOURCE_DIR) / "skins" / "quillon" / "frame.bmp"));
  EXPECT_EQ(image.GetPixel(2, 2), picture.GetPixel(2, 2));
  EXPECT_EQ(image.GetPixel(382, 389), picture.GetPixel(188, 132));
}

TEST(SkintoolRender, RefusesWhatItCannotDraw) {
  const std::string out = Utf8(std::filesystem::path(QUILLON_BINARY_DIR) / "skintool-refused.bmp");
  std::filesystem::remove(out);
  EXPECT_EQ(Tool({"render", Skin, "--size", "190x400", "-o", out}).Code, 1);  // below the picture
  EXPECT_EQ(Tool({"render", Skin, "--size", "20000x400", "-o", out}).Code, 1);
  EXPECT_EQ(Tool({"render", Skin, "--size", "400", "-o", out}).Code, 2);
  EXPECT_EQ(Tool({"render", Skin, "--size", "400x400"}).Code, 2);
  EXPECT_EQ(Tool({"render", Skin, "--size", "400x400", "--part", "menu", "-o", out}).Code, 2);
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(SkintoolRegion, FrameRegionAsJson) {
  const TResult r = Tool({"region", Skin, "--size", "385x392"});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(r.Out.rfind("{\"size\": [385, 392], \"rects\": [[", 0), 0u) << r.Out;
  // The window's bottom-right pixel is inside; the mask's rounded top-left corner is not.
  EXPECT_NE(r.Out.find("385, 392]]"), std::string::npos) << r.Out;
  const TResult small = Tool({"region", Skin, "--size", "20x20"});
  EXPECT_EQ(small.Out, "{\"size\": [20, 20], \"rects\": null}\n");
}
