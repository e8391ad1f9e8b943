#include <gtest/gtest.h>

#include <filesystem>

#include "framework/Bmp.h"
#include "framework/Stream.h"
#include "skin/data/vnSkinDataScale.h"
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

// At the main picture's own size the frame is that picture, so at any scale the tool must draw
// exactly the scaled picture of the unscaled drawing, and give the scaled region.
TEST(SkintoolScale, FrameAtAScaleIsTheScaledFrame) {
  const std::filesystem::path plain = std::filesystem::path(QUILLON_BINARY_DIR) / "skintool-scale-1.bmp";
  ASSERT_EQ(Tool({"render", Skin, "--size", "191x135", "-o", Utf8(plain)}).Code, 0);
  const TPixelBitmap base = DecodeBmp(ReadFileBytes(plain));
  for (const char* scale : {"1.25", "1.5", "2", "0.5"}) {
    const int dpi = static_cast<int>(std::stod(scale) * 96);
    const std::string size = std::to_string(ScaleLength(191, dpi)) + "x" + std::to_string(ScaleLength(135, dpi));
    const std::filesystem::path out = std::filesystem::path(QUILLON_BINARY_DIR) / "skintool-scale-n.bmp";
    const TResult r = Tool({"render", Skin, "--size", size, "--scale", scale, "-o", Utf8(out)});
    ASSERT_EQ(r.Code, 0) << scale << ": " << r.Err;
    EXPECT_TRUE(DecodeBmp(ReadFileBytes(out)) == ScaleSkinPicture(base, dpi)) << scale;
  }
  // The region at twice the size is every rectangle of the plain one doubled.
  const std::string once = Tool({"region", Skin, "--size", "191x135"}).Out;
  std::string doubled;
  for (std::size_t i = 0; i < once.size();) {
    if (!std::isdigit(static_cast<unsigned char>(once[i]))) { doubled += once[i++]; continue; }
    std::size_t end = i;
    while (end < once.size() && std::isdigit(static_cast<unsigned char>(once[end]))) ++end;
    doubled += std::to_string(2 * std::stoi(once.substr(i, end - i)));
    i = end;
  }
  EXPECT_EQ(Tool({"region", Skin, "--size", "382x270", "--scale", "2"}).Out, doubled);
}

TEST(SkintoolScale, RefusesFactorsThatAreNoWholeDpiOrOutOfRange) {
  struct TCase { const char* Scale; int Code; };
  for (const TCase& c : std::initializer_list<TCase>{
           {"0.5", 0}, {"5", 0}, {"1.125", 0}, {"0.49", 2}, {"5.01", 2}, {"1.3", 2}, {"1.", 2},
           {"-1", 2}, {"x", 2}, {"", 2}}) {
    EXPECT_EQ(Tool({"region", Skin, "--size", "1000x1000", "--scale", c.Scale}).Code, c.Code) << c.Scale;
  }
}
