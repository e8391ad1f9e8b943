// A skin at a monitor's DPI: lengths rounded one way everywhere, pictures sampled so that every
// rectangle still names exactly the pixels its source pixels became, and a whole loaded skin
// scaled field by field.
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataScale.h"
#include "skin/data/vnSkinDataStoredSkin.h"

#include "SmallSkin.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// A picture whose every pixel tells its own position.
TPixelBitmap PositionPicture(int w, int h) {
  TPixelBitmap p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.SetPixel(x, y, static_cast<std::uint32_t>(x | (y << 8)));
  return p;
}

}  // namespace

TEST(SkinScale, LengthsRoundHalfAwayFromZero) {
  struct TCase { int Value, Dpi, Expected; };
  for (const TCase& c : std::initializer_list<TCase>{
           {7, 96, 7}, {-7, 96, -7}, {0, 144, 0},
           {1, 144, 2}, {-1, 144, -2}, {3, 144, 5}, {2, 144, 3},  // 1.5, 4.5 and 3.0
           {1, 120, 1}, {2, 120, 3}, {5, 120, 6},                 // 1.25, 2.5 and 6.25
           {13, 192, 26}, {-13, 192, -26}, {1, 48, 1}, {3, 48, 2}, {14, 168, 25},
           {INT_MAX, 192, INT_MAX}, {-INT_MAX, 480, -INT_MAX}, {INT_MAX / 2, 192, INT_MAX - 1},
           {INT_MAX / 2 + 1, 192, INT_MAX}}) {  // the first length past an int
    EXPECT_EQ(ScaleLength(c.Value, c.Dpi), c.Expected) << c.Value << " at " << c.Dpi;
  }
  // From one monitor's DPI to another's, as a window moved between them scales its bounds.
  struct TMove { int Value, From, To, Expected; };
  for (const TMove& c : std::initializer_list<TMove>{
           {100, 144, 96, 67}, {3, 144, 96, 2}, {-3, 2, 1, -2},  // 66.67, 2.0 and -1.5
           {1, 97, 145, 1}, {97, 97, 145, 145}, {INT_MAX, 96, 192, INT_MAX}, {5, 0, 144, 5}}) {
    EXPECT_EQ(ScaleBetweenDpis(c.Value, c.From, c.To), c.Expected) << c.Value << " from " << c.From << " to " << c.To;
  }
  EXPECT_EQ(ClampSkinDpi(0), 96);
  EXPECT_EQ(ClampSkinDpi(47), 48);
  EXPECT_EQ(ClampSkinDpi(480), 480);
  EXPECT_EQ(ClampSkinDpi(481), 480);
}

TEST(SkinScale, EveryPixelOfAScaledRectangleCameFromTheSameRectangle) {
  const TPixelBitmap source = PositionPicture(7, 5);
  for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
    const TPixelBitmap scaled = ScaleSkinPicture(source, dpi);
    ASSERT_EQ(scaled.Width(), ScaleLength(7, dpi)) << dpi;
    ASSERT_EQ(scaled.Height(), ScaleLength(5, dpi)) << dpi;
    // Every one-pixel rectangle of the source, and so every rectangle, covers exactly the
    // scaled pixels of the same colour: the last and the first column of neighbours meet.
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) {
        const TRect r = ScaleSkinRect({x, y, x + 1, y + 1}, dpi);
        for (int sy = 0; sy < scaled.Height(); ++sy)
          for (int sx = 0; sx < scaled.Width(); ++sx) {
            const bool inside = sx >= r.Left && sx < r.Right && sy >= r.Top && sy < r.Bottom;
            ASSERT_EQ(scaled.GetPixel(sx, sy) == source.GetPixel(x, y), inside)
                << "dpi " << dpi << " source " << x << "," << y << " scaled " << sx << "," << sy;
          }
      }
  }
  // Whole factors are plain pixel blocks.
  const TPixelBitmap twice = ScaleSkinPicture(source, 192);
  EXPECT_EQ(twice.GetPixel(13, 9), source.GetPixel(6, 4));
  EXPECT_EQ(twice.GetPixel(12, 8), source.GetPixel(6, 4));
  EXPECT_EQ(twice.GetPixel(11, 7), source.GetPixel(5, 3));
  EXPECT_TRUE(ScaleSkinPicture(TPixelBitmap(), 144).IsEmpty());
}

TEST(SkinScale, ALoadedSkinScalesItsGeometryAndKeepsItsIndexesAndWords) {
  TTempFolder folder("skinscale");
  TvnCompressedStoredSkin stored;
  ASSERT_TRUE(stored.LoadFromSkinFile(WriteSmallSkin(folder.Path())));
  TvnSkinData data;
  data.SetCompressedStoredSkin(&stored);
  ASSERT_FALSE(data.SkinEmpty);

  EXPECT_EQ(&data.AtDpi(96), &data);
  TvnSkinData& big = data.AtDpi(144);
  EXPECT_EQ(&data.AtDpi(144), &big);  // kept, not made again
  EXPECT_NE(&data.AtDpi(192), &big);
  EXPECT_EQ(big.SkinDpi(), 144);
  EXPECT_EQ(&big.AtDpi(192), &big);  // a copy is never scaled a second time

  EXPECT_FALSE(big.SkinEmpty);
  EXPECT_EQ(big.Picture.Width(), 30);   // 20 x 14 at 1.5
  EXPECT_EQ(big.Picture.Height(), 21);
  EXPECT_EQ(big.Mask.Width(), 30);
  ASSERT_EQ(big.ActivePictures.size(), 2u);
  EXPECT_EQ(big.ActivePictures[0].Width(), ScaleLength(data.ActivePictures[0].Width(), 144));
  ASSERT_EQ(data.LeftTopPoint, (TPoint{3, 5}));  // moved into the client rectangle on reading
  EXPECT_EQ(big.LeftTopPoint, (TPoint{5, 8}));
  EXPECT_EQ(big.RightBottomPoint, ScaleSkinPoint(data.RightBottomPoint, 144));
  EXPECT_EQ(big.ClientRect, ScaleSkinRect(data.ClientRect, 144));
  EXPECT_EQ(big.BorderWidth, 5);  // 3 at 1.5 is 4.5
  EXPECT_EQ(big.PopupWindowInfo->WindowPictureIndex, 0);
  EXPECT_EQ(big.HintWindowInfo->WindowPictureIndex, 1);
  EXPECT_EQ(big.SkinName, "Small");

  ASSERT_EQ(big.ObjectDescriptions.size(), data.ObjectDescriptions.size());
  const auto& caption = dynamic_cast<const TvnDataSkinCaption&>(*big.ObjectDescriptions[0]);
  EXPECT_EQ(caption.TextRect, (TRect{15, 3, 90, 21}));
  EXPECT_EQ(caption.Alignment, taLeftJustify);
  EXPECT_EQ(caption.FontHeight, 21);  // 14 at 1.5
  const auto& close = dynamic_cast<const TvnDataSkinAnimate&>(*big.ObjectDescriptions[1]);
  EXPECT_EQ(close.SectionName, "close");
  EXPECT_EQ(close.CountFrames, 5);
  EXPECT_EQ(close.Command, cmClose);
  EXPECT_EQ(close.TimerInterval, 50);
  ASSERT_EQ(big.ControlDescriptions.size(), data.ControlDescriptions.size());
  EXPECT_EQ(big.ControlDescriptions[1]->Kind(), "updown");

  // A new load lets go of the copies made for the old skin.
  data.LoadCompressedSkin(stored);
  EXPECT_EQ(data.AtDpi(144).Picture.Width(), 30);
  data.ClearAll();
  EXPECT_EQ(&data.AtDpi(144), &data);  // an empty skin is the same at every DPI
}
