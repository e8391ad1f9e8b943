#include "skin/form/VeneerFormGeometry.h"

#include "FormTestDoubles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Str(const TRect& r) {
  return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
         std::to_string(r.Right) + "," + std::to_string(r.Bottom) + ")";
}

constexpr TPoint kSizes[] = {{191, 135}, {200, 140}, {385, 392}, {1920, 1080}, {4000, 3000}};

TEST(FrameGeometry, EmbeddedSkinInsetsTheClientTheSameAtEverySize) {
  const TvnFrameSkin skin = EmbeddedFrameSkin();
  for (TPoint size : kSizes) {
    const TRect client = SkinClientRect(skin, Bounds(100, 50, size.X, size.Y));
    SCOPED_TRACE(std::to_string(size.X) + "x" + std::to_string(size.Y));
    EXPECT_EQ(client.Left - 100, 8);
    EXPECT_EQ(client.Top - 50, 28);
    EXPECT_EQ(100 + size.X - client.Right, 7);
    EXPECT_EQ(50 + size.Y - client.Bottom, 17);
    // The painter's client' and the non-client answer agree.
    const TvnFrameGeometry g = CalcFrameGeometry(skin, size.X, size.Y);
    EXPECT_EQ(g.Client, client.Offset(-100, -50));
  }
  // The main window: client 370 x 347 needs a 385 x 392 window.
  const TRect c = SkinClientRect(skin, Rect(0, 0, 385, 392));
  EXPECT_EQ(c.Width(), 370);
  EXPECT_EQ(c.Height(), 347);
}

TEST(FrameGeometry, RightAndBottomPartsFollowTheSizeWhileTheLeftTopStays) {
  TvnFrameSkin skin = EmbeddedFrameSkin();
  skin.CaptionRect = Rect(30, 2, 120, 22);
  for (TPoint size : kSizes) {
    const int dw = size.X - 191, dh = size.Y - 135;
    const TvnFrameGeometry g = CalcFrameGeometry(skin, size.X, size.Y);
    SCOPED_TRACE(std::to_string(size.X) + "x" + std::to_string(size.Y));
    EXPECT_EQ(g.LeftTop, (TPoint{46, 32}));
    EXPECT_EQ(g.RightTop, (TPoint{110 + dw, 30}));
    EXPECT_EQ(g.LeftBottom, (TPoint{54, 115 + dh}));
    EXPECT_EQ(g.RightBottom, (TPoint{138 + dw, 115 + dh}));
    EXPECT_EQ(g.Caption, Rect(30, 2, 120 + dw, 22));
    EXPECT_EQ(g.Buttons, Rect(132 + dw, 9, 181 + dw, 20));  // right half: moves along
    EXPECT_EQ(g.MaskArea, Rect(4, 5, 188 + dw, 131 + dh));
    EXPECT_EQ(g.HitRightBottom, (TPoint{181 + dw, 125 + dh}));
    EXPECT_EQ(g.HitLeftTop, (TPoint{10, 10}));
  }
}

TEST(FrameGeometry, ButtonsInTheLeftHalfAndEmptyCaptionStayPut) {
  TvnFrameSkin skin = EmbeddedFrameSkin();
  skin.ButtonsRect = Rect(95, 9, 130, 20);  // left 95 = 191 div 2: not greater, stays
  const TvnFrameGeometry g = CalcFrameGeometry(skin, 500, 300);
  EXPECT_EQ(g.Buttons, Rect(95, 9, 130, 20));
  EXPECT_EQ(g.Caption, Rect(0, 0, 0, 0));
  skin.ButtonsRect = Rect(96, 9, 130, 20);
  EXPECT_EQ(CalcFrameGeometry(skin, 500, 300).Buttons, Rect(96 + 309, 9, 130 + 309, 20));
}

TEST(FrameGeometry, MapSkinRectMovesPiecesWithTheirCorners) {
  const TvnFrameSkin skin = EmbeddedFrameSkin();
  const TvnFrameGeometry g = CalcFrameGeometry(skin, 385, 392);  // dx 194, dy 257
  struct Case {
    const char* what;
    TRect in, out;
  } cases[] = {
      {"inside left-top", Rect(2, 2, 20, 20), Rect(2, 2, 20, 20)},
      {"inside right-top", Rect(120, 5, 140, 20), Rect(314, 5, 334, 20)},
      {"inside left-bottom", Rect(5, 118, 30, 130), Rect(5, 375, 30, 387)},
      {"inside right-bottom", Rect(140, 118, 180, 130), Rect(334, 375, 374, 387)},
      {"caption across the top", Rect(34, 3, 120, 20), Rect(34, 3, 314, 20)},
      {"left-top to right-bottom", Rect(10, 10, 150, 120), Rect(10, 10, 344, 377)},
      {"across the bottom", Rect(10, 118, 150, 130), Rect(10, 375, 344, 387)},
      {"down the left", Rect(5, 10, 30, 120), Rect(5, 10, 30, 377)},
      {"down the right", Rect(150, 5, 170, 120), Rect(344, 5, 364, 377)},
      {"in the middle", Rect(60, 40, 100, 100), Rect(60, 40, 100, 100)},
      // The bottom-right point is exclusive: a piece ending on the corner line is in no area.
      {"ends on the corner line", Rect(2, 2, 46, 20), Rect(2, 2, 46, 20)},
  };
  for (const Case& c : cases) EXPECT_EQ(Str(MapSkinRect(skin, g, c.in)), Str(c.out)) << c.what;
}

TEST(FrameGeometry, NonClientRectNeverCrosses) {
  TvnFrameSkin skin = EmbeddedFrameSkin();
  // A proposed rectangle smaller than the frame: right and bottom come to left and top.
  EXPECT_EQ(SkinClientRect(skin, Rect(10, 10, 20, 20)), Rect(18, 38, 18, 38));
  // A client rectangle as large as the picture: the client area is the whole window.
  skin.ClientRect = Rect(0, 0, 191, 135);
  EXPECT_EQ(SkinClientRect(skin, Rect(5, 6, 300, 400)), Rect(5, 6, 300, 400));
  // The default look: 3 on three sides, caption + 3 at the top.
  EXPECT_EQ(DefaultClientRect(19, Rect(0, 0, 200, 100)), Rect(3, 22, 197, 97));
  EXPECT_EQ(DefaultClientRect(15, Rect(0, 0, 200, 100)), Rect(3, 18, 197, 97));
  EXPECT_EQ(DefaultClientRect(19, Rect(0, 0, 4, 4)), Rect(3, 22, 3, 22));
}

// A 20 x 20 skin whose mask keeps everything but a 2-pixel outer ring.
struct TRingMask {
  TvnFrameSkin Skin;
  TvnMaskStrips Strips;
  TRingMask() {
    Skin.PictureWidth = Skin.PictureHeight = 20;
    Skin.LeftTopPoint = {5, 5};
    Skin.RightTopPoint = {15, 5};
    Skin.LeftBottomPoint = {5, 15};
    Skin.RightBottomPoint = {15, 15};
    Skin.ClientRect = Rect(6, 6, 14, 14);
    Skin.MaskRectArea = Rect(4, 4, 16, 16);
    Skin.HitTestLeftTopPoint = {5, 5};
    Skin.HitTestRightTopPoint = {15, 5};
    Skin.HitTestLeftBottomPoint = {5, 15};
    Skin.HitTestRightBottomPoint = {15, 15};
    Skin.BorderWidth = 3;
    auto strip = [](TPixelBitmap& b, int w, int h, int ox, int oy) {
      b.SetSize(w, h);
      b.Fill(0xFFFFFF);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const int wx = x + ox, wy = y + oy;
          if (wx >= 2 && wx < 18 && wy >= 2 && wy < 18) b.SetPixel(x, y, 0);
        }
    };
    strip(Strips.Top, 20, 4, 0, 0);
    strip(Strips.Left, 4, 12, 0, 4);
    strip(Strips.Right, 4, 12, 16, 4);
    strip(Strips.Bottom, 20, 4, 0, 16);
  }
};

TEST(FrameGeometry, OpaqueTestReadsTheRightStrip) {
  const TRingMask m;
  const TRect area = m.Skin.MaskRectArea;
  struct Case {
    TPoint q;
    bool opaque;
  } cases[] = {
      {{10, 10}, true},  {{4, 4}, true},    {{10, 0}, false}, {{10, 2}, true},  {{1, 10}, false},
      {{2, 10}, true},   {{17, 10}, true},  {{18, 10}, false}, {{10, 17}, true}, {{10, 18}, false},
      {{-3, 10}, false}, {{10, -3}, false}, {{30, 10}, false}, {{10, 40}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsMaskOpaque(m.Strips, area, c.q), c.opaque) << c.q.X << "," << c.q.Y;
}

TEST(FrameGeometry, SkinHitTestWithMaskFindsTheVisibleEdge) {
  const TRingMask m;
  const TvnFrameGeometry g = CalcFrameGeometry(m.Skin, 20, 20);
  TvnHitTestState state;
  state.Sizeable = true;
  state.Mask = &m.Strips;
  EXPECT_EQ(SkinHitTest(m.Skin, g, state, {3, 10}), hcLeft);
  EXPECT_EQ(SkinHitTest(m.Skin, g, state, {10, 2}), hcTop);
  EXPECT_EQ(SkinHitTest(m.Skin, g, state, {2, 2}), hcTopLeft);
  EXPECT_EQ(SkinHitTest(m.Skin, g, state, {17, 17}), hcBottomRight);
  EXPECT_EQ(SkinHitTest(m.Skin, g, state, {10, 10}), hcClient);
  // Inside the mask area nothing is near the edge.
  EXPECT_EQ(SkinHitTest(m.Skin, g, state, {5, 4}), hcObject);
}

TEST(FrameGeometry, SkinHitTestTable) {
  const TvnFrameSkin skin = EmbeddedFrameSkin();
  const TvnFrameGeometry g = CalcFrameGeometry(skin, 385, 392);
  const std::vector<TRect> captions = {Rect(34, 3, 314, 20)};
  struct Case {
    const char* what;
    bool sizeable, maximized, rolled, minimized, active, loop;
    TPoint p;
    TvnHitCode code;
  } cases[] = {
      {"client", false, false, false, false, false, false, {200, 200}, hcClient},
      {"caption", false, false, false, false, false, false, {100, 10}, hcCaption},
      {"frame without sizing", false, false, false, false, false, false, {1, 1}, hcObject},
      {"top-left corner", true, false, false, false, false, false, {1, 1}, hcTopLeft},
      {"top edge", true, false, false, false, false, false, {200, 1}, hcTop},
      {"left edge", true, false, false, false, false, false, {1, 200}, hcLeft},
      {"right edge", true, false, false, false, false, false, {383, 200}, hcRight},
      {"bottom edge", true, false, false, false, false, false, {200, 390}, hcBottom},
      {"bottom-right", true, false, false, false, false, false, {384, 391}, hcBottomRight},
      {"top-right", true, false, false, false, false, false, {383, 2}, hcTopRight},
      {"bottom-left", true, false, false, false, false, false, {2, 390}, hcBottomLeft},
      {"deep frame, sizeable", true, false, false, false, false, false, {5, 200}, hcObject},
      {"maximized: no sizing", true, true, false, false, false, false, {1, 1}, hcObject},
      {"rolled up: client is caption", false, false, true, false, false, false, {50, 200}, hcObject},
      {"rolled up over the caption", false, false, true, false, false, false, {100, 10}, hcCaption},
      {"minimized", true, false, false, true, false, false, {200, 200}, hcObject},
      {"active object wins the edge", true, false, false, false, true, false, {1, 1}, hcObject},
      {"active object, over caption", true, false, false, false, true, false, {100, 10}, hcCaption},
      {"active object, in client", true, false, false, false, true, false, {200, 200}, hcClient},
      {"active object in a size loop", true, false, false, false, true, true, {1, 1}, hcTopLeft},
  };
  for (const Case& c : cases) {
    TvnHitTestState s;
    s.Sizeable = c.sizeable;
    s.Maximized = c.maximized;
    s.RolledUp = c.rolled;
    s.Minimized = c.minimized;
    s.HasActiveObject = c.active;
    s.SizeMoveLoop = c.loop;
    s.CaptionRects = captions;
    EXPECT_EQ(SkinHitTest(skin, g, s, c.p), c.code) << c.what;
  }
}

TEST(FrameGeometry, SizingCornersReachTheirHitPointsRowAndColumn) {
  // At 385 x 392 the hit-test points are 10,10 / 375,10 / 10,382 / 375,382. A point on a corner
  // point's column or row still sizes diagonally; one pixel further it sizes along one edge.
  const TvnFrameSkin skin = EmbeddedFrameSkin();
  const TvnFrameGeometry g = CalcFrameGeometry(skin, 385, 392);
  TvnHitTestState s;
  s.Sizeable = true;
  struct Case {
    TPoint p;
    TvnHitCode code;
  } cases[] = {
      {{10, 1}, hcTopLeft},       {{11, 1}, hcTop},        {{1, 10}, hcTopLeft},
      {{1, 11}, hcLeft},          {{375, 1}, hcTopRight},  {{374, 1}, hcTop},
      {{383, 10}, hcTopRight},    {{383, 11}, hcRight},    {{10, 390}, hcBottomLeft},
      {{11, 390}, hcBottom},      {{1, 382}, hcBottomLeft}, {{1, 381}, hcLeft},
      {{375, 390}, hcBottomRight}, {{374, 390}, hcBottom}, {{383, 382}, hcBottomRight},
      {{383, 381}, hcRight},
  };
  for (const Case& c : cases) EXPECT_EQ(SkinHitTest(skin, g, s, c.p), c.code) << c.p.X << "," << c.p.Y;
}

TEST(FrameGeometry, SizingBandAndClientInvariantAtEverySize) {
  const TvnFrameSkin skin = EmbeddedFrameSkin();
  TvnHitTestState s;
  s.Sizeable = true;
  for (TPoint size : kSizes) {
    const TvnFrameGeometry g = CalcFrameGeometry(skin, size.X, size.Y);
    int checked = 0;
    for (int y = 0; y < size.Y; y += 7)
      for (int x = 0; x < size.X; x += 5) {
        const TvnHitCode code = SkinHitTest(skin, g, s, {x, y});
        const bool inBand = x < 3 || y < 3 || x >= size.X - 3 || y >= size.Y - 3;
        if (inBand) {
          ASSERT_TRUE(code >= hcLeft && code <= hcBottomRight) << x << "," << y;
        } else if (g.Client.Contains({x, y})) {
          ASSERT_EQ(code, hcClient) << x << "," << y;
        } else {
          ASSERT_EQ(code, hcObject) << x << "," << y;
        }
        ++checked;
      }
    EXPECT_GT(checked, 100);
  }
}

TEST(FrameGeometry, DefaultHitTestTable) {
  const int w = 300, h = 200, hc = 19;
  const TRect caption = Rect(20, 3, 230, 19);
  struct Case {
    const char* what;
    bool sizeable, active, rolled, maximized;
    TPoint p;
    TvnHitCode code;
  } cases[] = {
      {"x = 2 below the corners", true, false, false, false, {2, 100}, hcLeft},
      {"x = 3 below the caption", true, false, false, false, {3, 100}, hcClient},
      {"top-left", true, false, false, false, {2, 2}, hcTopLeft},
      {"top-right", true, false, false, false, {298, 0}, hcTopRight},
      {"bottom-left", true, false, false, false, {0, 198}, hcBottomLeft},
      {"bottom-right", true, false, false, false, {299, 199}, hcBottomRight},
      {"top", true, false, false, false, {100, 2}, hcTop},
      {"right", true, false, false, false, {298, 100}, hcRight},
      {"bottom", true, false, false, false, {100, 198}, hcBottom},
      {"caption", true, false, false, false, {100, 10}, hcCaption},
      {"caption bottom line is not caption", true, false, false, false, {100, 19}, hcObject},
      {"active object", true, true, false, false, {2, 100}, hcObject},
      {"not sizeable edge", false, false, false, false, {2, 100}, hcObject},
      {"rolled up edge", true, false, true, false, {2, 100}, hcObject},
      {"maximized edge", true, false, false, true, {1, 1}, hcObject},
      {"button area", true, false, false, false, {250, 10}, hcObject},
  };
  for (const Case& c : cases) {
    TvnHitTestState s;
    s.Sizeable = c.sizeable;
    s.HasActiveObject = c.active;
    s.RolledUp = c.rolled;
    s.Maximized = c.maximized;
    EXPECT_EQ(DefaultHitTest(w, h, hc, caption, s, c.p), c.code) << c.what;
  }
}

}  // namespace
