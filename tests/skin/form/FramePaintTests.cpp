// The frame and client pixels composed without a window: strips, objects on the right strip,
// the inactive picture and effect, the tiled client background and the logo.
#include "skin/form/FramePaint.h"

#include "FormTestDoubles.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/form/PixelPainter.h"
#include "skin/form/VeneerFormSkin.h"
#include "skin/imaging/vnEffects.h"
#include "skin/imaging/vnUtilsCompose.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

// Pixels for real; system colours are grey, text is not drawn.
class TTestPixelPainter : public TvnPixelPainter {
public:
  using TvnPixelPainter::TvnPixelPainter;
  void DrawGlyph(TvnGlyph, int, int, TColor) override {}
  void SetFont(const TvnTextFont&) override {}
  void SetTextColor(TColor) override {}
  TPoint TextExtent(std::u16string_view t) override { return {6 * static_cast<int>(t.size()), 12}; }
  void TextOut(int, int, std::u16string_view) override {}
  std::unique_ptr<TvnFramePainter> PainterOn(TPixelBitmap& b) override {
    return std::make_unique<TTestPixelPainter>(b.View(), TPoint{0, 0});
  }

protected:
  std::uint32_t ColourValue(TColor c) const override {
    return IsSystemColor(c) ? 0x808080u : static_cast<std::uint32_t>(c) & 0xFFFFFF;
  }
};

// The embedded skin's geometry on a patterned 191 x 135 picture, with a close button (an
// animation drawn from a pure green picture) at the top right and a user object low on the
// bottom-left corner.
std::unique_ptr<TvnSkinData> MakeSkin() {
  auto skin = std::make_unique<TvnSkinData>();
  TvnSkinData& s = *skin;
  s.SetNoticeSender(nullptr);
  s.Picture.SetSize(191, 135);
  for (int y = 0; y < 135; ++y)
    for (int x = 0; x < 191; ++x) s.Picture.SetPixel(x, y, static_cast<std::uint32_t>((x * 7) ^ (y * 3)) & 0x7F7F7F);
  s.ActivePictures.resize(2);
  s.ActivePictures[0].SetSize(41, 20);
  s.ActivePictures[0].Fill(0x00FF00);
  s.ActivePictures[1].SetSize(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) s.ActivePictures[1].SetPixel(x, y, static_cast<std::uint32_t>(0x10 * x + 0x1000 * y));
  s.LeftTopPoint = {46, 32};
  s.RightTopPoint = {110, 30};
  s.LeftBottomPoint = {54, 115};
  s.RightBottomPoint = {138, 115};
  s.ClientRect = Rect(8, 28, 184, 118);
  s.ButtonsRect = Rect(132, 9, 181, 20);
  s.MaskRectArea = Rect(4, 5, 188, 131);
  s.LeftStretch = s.RightStretch = true;
  const TvnIniFile ini(
      "[SKINOBJECTS]\ncount=2\n0=CloseAnimate:animate\n1=Low:userobject\n"
      "[CloseAnimate]\nskinrect=1,12,9,20\nactiveskinrect=1,12,41,20\nactivepictureindex=0\n"
      "skinrectinapicture=1\ncountframes=5\nbuttonstyle=1\ncommand=cmclose\n"
      "[Low]\nskinrect=2,118,40,130\n");
  LoadObjectDescriptions(ini, s.ObjectDescriptions);
  s.SkinEmpty = false;
  return skin;
}

struct TComposed {
  TvnFrameStrips Strips;
  TvnFrameGeometry Geometry;
  std::vector<TPoint> PainterOrigins;
};

TComposed Compose(const TvnSkinData& skin, TvnFrameObjectList& objects, TvnFrameLook look) {
  TComposed c;
  c.Geometry = ComposeSkinFrame(skin, FrameSkinOf(skin), objects, look,
                                [&](TPixelBitmap& strip, TPoint origin) {
                                  c.PainterOrigins.push_back(origin);
                                  return std::make_unique<TTestPixelPainter>(strip.View(), origin);
                                },
                                c.Strips);
  return c;
}

TvnFrameLook Look(int w, int h, bool active = true) {
  TvnFrameLook l;
  l.Width = w;
  l.Height = h;
  l.Active = active;
  l.SmallIconSize = {16, 16};
  return l;
}

// Paints user objects magenta.
class TPaintingHost : public TRecordingHost {
public:
  void FirePaintEvent(const std::string&, TvnFramePainter& canvas, const TRect& rect) override {
    canvas.FillRect(rect, 0xFF00FF);
  }
};

TEST(ComposeSkinFrame, StripsAreTheComposedFrameWithTheObjectsOnTheirStrips) {
  const auto skin = MakeSkin();
  TPaintingHost host;
  TvnFrameObjectList objects;
  BuildSkinObjects(objects, host, skin->ObjectDescriptions, ObjectPicturesOf(*skin));
  ASSERT_EQ(objects.Count(), 2);
  for (auto [w, h] : {std::pair{385, 392}, {191, 135}, {640, 200}}) {
    const TComposed c = Compose(*skin, objects, Look(w, h));
    // Without the objects: exactly the frame strips of the skin for this size.
    TPixelBitmap left, top, right, bottom;
    const TvnFrameGeometry& g = c.Geometry;
    ComposeFrameStrips({skin->LeftTopPoint, skin->RightTopPoint, skin->LeftBottomPoint, skin->RightBottomPoint, skin->ClientRect},
                       {g.LeftTop, g.RightTop, g.LeftBottom, g.RightBottom, g.Client}, left, top, right,
                       bottom, skin->Picture, Rect(0, 0, 191, 135), w, h, {true, false, true, false});
    EXPECT_EQ(c.Strips.Left, left);
    EXPECT_EQ(c.Strips.Right, right);
    ASSERT_EQ(c.Strips.Top.Width(), w);
    ASSERT_EQ(c.Strips.Bottom.Width(), w);
    // The close button is laid out at the right end of the buttons and drawn green on the top
    // strip; the rest of the top strip is the frame.
    const TRect close = objects.At(0)->ObjectRect;
    EXPECT_EQ(close, Rect(w - 191 + 173, 9, w - 191 + 181, 17)) << w;
    int differing = 0;
    for (int y = 0; y < top.Height(); ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t got = c.Strips.Top.GetPixel(x, y);
        if (close.Contains({x, y})) EXPECT_EQ(got, 0x00FF00u) << x << "," << y;
        else differing += got != top.GetPixel(x, y);
      }
    EXPECT_EQ(differing, 0);
    // The low object lies below the client's top: it is drawn on the bottom strip, whose
    // painter starts at the client's bottom.
    const TRect low = objects.At(1)->ObjectRect;
    EXPECT_EQ(low, Rect(2, h - 17, 40, h - 5));
    EXPECT_EQ(c.PainterOrigins, (std::vector<TPoint>{{0, 0}, {0, g.Client.Bottom}}));
    differing = 0;
    for (int y = 0; y < bottom.Height(); ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t got = c.Strips.Bottom.GetPixel(x, y);
        if (low.Contains({x, y + g.Client.Bottom})) EXPECT_EQ(got, 0xFF00FFu) << x << "," << y;
        else differing += got != bottom.GetPixel(x, y);
      }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(g.Client, CalcFrameGeometry(FrameSkinOf(*skin), w, h).Client);
  }
}

TEST(ComposeSkinFrame, AnInactiveFormUsesTheInactivePictureAndTheEffect) {
  auto skin = MakeSkin();
  skin->ObjectDescriptions.clear();
  skin->InActivePicture.SetSize(191, 135);
  skin->InActivePicture.Fill(0x204060);
  skin->InActiveEffect = ieInvert;
  TRecordingHost host;
  TvnFrameObjectList objects;
  TvnFrameLook look = Look(300, 200, false);
  const TComposed plain = Compose(*skin, objects, look);
  EXPECT_EQ(plain.Strips.Top.GetPixel(100, 5), 0x204060u);
  EXPECT_EQ(plain.Strips.Right.GetPixel(2, 40), 0x204060u);
  EXPECT_TRUE(plain.PainterOrigins.empty());  // no object, no painter
  look.RenderInactive = true;
  const TComposed rendered = Compose(*skin, objects, look);
  for (const auto& [strip, from] : {std::pair{&rendered.Strips.Top, &plain.Strips.Top},
                                    {&rendered.Strips.Bottom, &plain.Strips.Bottom},
                                    {&rendered.Strips.Left, &plain.Strips.Left},
                                    {&rendered.Strips.Right, &plain.Strips.Right}}) {
    TvnEffectBmp expected(ViewOf(*from));
    expected.InvertColors();
    EXPECT_EQ(*strip, expected.Bitmap());
  }
  // Active again: the main picture, no effect.
  const TComposed active = Compose(*skin, objects, Look(300, 200, true));
  EXPECT_EQ(active.Strips.Top.GetPixel(3, 5), skin->Picture.GetPixel(3, 5));  // a fixed corner
  EXPECT_NE(active.Strips.Top, plain.Strips.Top);
}

TEST(ClientBackground, TilesTheSkinPieceOrPictureFromTheOrigin) {
  auto skin = MakeSkin();
  const TPixelBitmap a = ComposeClientBackground(skin.get(), 400, 250, 0xC0C0C0, {});
  ASSERT_EQ(a.Width(), 400);
  // The client rectangle piece (176 x 90) of the main picture repeats from (0, 0).
  for (auto [x, y] : {std::pair{0, 0}, {175, 89}, {176, 0}, {399, 249}, {200, 100}})
    EXPECT_EQ(a.GetPixel(x, y), skin->Picture.GetPixel(8 + x % 176, 28 + y % 90)) << x << "," << y;
  // A background picture wins over the piece.
  skin->BGPictureIndex = 1;
  const TPixelBitmap b = ComposeClientBackground(skin.get(), 12, 7, 0xC0C0C0, {});
  for (auto [x, y] : {std::pair{0, 0}, {4, 2}, {5, 0}, {11, 6}})
    EXPECT_EQ(b.GetPixel(x, y), skin->ActivePictures[1].GetPixel(x % 5, y % 3)) << x << "," << y;
  // An index past the pictures falls back to the piece.
  skin->BGPictureIndex = 7;
  EXPECT_EQ(ComposeClientBackground(skin.get(), 400, 250, 0xC0C0C0, {}), a);
  // No skin: the face colour.
  const TPixelBitmap c = ComposeClientBackground(nullptr, 30, 20, 0xC0C0C0, {});
  EXPECT_EQ(c.GetPixel(0, 0), 0xC0C0C0u);
  EXPECT_EQ(c.GetPixel(29, 19), 0xC0C0C0u);
  EXPECT_TRUE(ComposeClientBackground(nullptr, 0, 20, 0xC0C0C0, {}).IsEmpty());
}

// A one-colour background is painted as a plain fill: the colour is given exactly when the
// composed background is that colour throughout.
TEST(ClientBackground, OneColourThroughoutIsFoundAndNothingElseIs) {
  TPixelBitmap logo(5, 4);
  logo.Fill(0x0000FF);
  const struct {
    const char* name;
    std::function<void(TvnSkinData&)> change;  // on a skin whose client piece is all 0x405060
    bool useSkin, withLogo;
    std::optional<std::uint32_t> colour;
  } cases[] = {
      {"no skin", {}, false, false, 0xC0C0C0u},
      {"no skin, a logo", {}, false, true, std::nullopt},
      {"a one-colour piece", {}, true, false, 0x405060u},
      {"a one-colour piece, a logo", {}, true, true, std::nullopt},
      {"the piece's last pixel differs", [](TvnSkinData& s) { s.Picture.SetPixel(183, 117, 0x405061); }, true, false, std::nullopt},
      {"the piece's first pixel differs", [](TvnSkinData& s) { s.Picture.SetPixel(8, 28, 0x415060); }, true, false, std::nullopt},
      {"the piece ends on the picture's edge", [](TvnSkinData& s) { s.ClientRect = Rect(8, 28, 191, 135); }, true, false, 0x405060u},
      {"the piece passes the edge by a column (black)", [](TvnSkinData& s) { s.ClientRect = Rect(8, 28, 192, 135); }, true, false, std::nullopt},
      {"an empty client rectangle, a logo", [](TvnSkinData& s) { s.ClientRect = Rect(8, 28, 8, 118); }, true, true, 0xC0C0C0u},
      {"a one-colour background picture", [](TvnSkinData& s) { s.BGPictureIndex = 0; }, true, false, 0x00FF00u},
      {"a background picture of many", [](TvnSkinData& s) { s.BGPictureIndex = 1; }, true, false, std::nullopt},
  };
  for (const auto& c : cases) {
    auto skin = MakeSkin();
    for (int y = 28; y < 135; ++y)
      for (int x = 8; x < 191; ++x) skin->Picture.SetPixel(x, y, 0x405060);
    if (c.change) c.change(*skin);
    const TvnSkinData* used = c.useSkin ? skin.get() : nullptr;
    const TvnLogo withLogo{c.withLogo ? &logo : nullptr, false};
    EXPECT_EQ(ClientBackgroundColour(used, 0xC0C0C0, withLogo), c.colour) << c.name;
    if (!c.colour) continue;
    TPixelBitmap expected(37, 23);
    expected.Fill(*c.colour);
    EXPECT_EQ(ComposeClientBackground(used, 37, 23, 0xC0C0C0, withLogo), expected) << c.name;
  }
}

TEST(ClientBackground, AMultiDocumentParentTilesItsOwnPictureOrFallsBackToTheClientRules) {
  auto skin = MakeSkin();
  skin->BGPictureIndex = 1;
  const TPixelBitmap tiled = ComposeMdiClientBackground(skin.get(), 12, 7, 0x808080, 0xC0C0C0, {});
  EXPECT_EQ(tiled, ComposeClientBackground(skin.get(), 12, 7, 0xC0C0C0, {}));  // -1: the client rules
  // Its own picture wins over the client background, up to the last picture.
  const int last = static_cast<int>(skin->ActivePictures.size()) - 1;
  for (int index : {1, last}) {
    skin->MDIBGPictureIndex = index;
    const TPixelBitmap& p = skin->ActivePictures[static_cast<std::size_t>(index)];
    const TPixelBitmap b = ComposeMdiClientBackground(skin.get(), 12, 7, 0x808080, 0xC0C0C0, {});
    for (auto [x, y] : {std::pair{0, 0}, {p.Width() - 1, p.Height() - 1}, {p.Width(), p.Height()}, {11, 6}})
      EXPECT_EQ(b.GetPixel(x, y), p.GetPixel(x % p.Width(), y % p.Height())) << index << ": " << x << "," << y;
  }
  // One past the pictures counts as none.
  skin->MDIBGPictureIndex = last + 1;
  EXPECT_EQ(ComposeMdiClientBackground(skin.get(), 12, 7, 0x808080, 0xC0C0C0, {}), tiled);
  // No skin, or an empty one: the workspace colour, not the face colour.
  skin->SkinEmpty = true;
  for (const TvnSkinData* none : {static_cast<const TvnSkinData*>(nullptr), static_cast<const TvnSkinData*>(skin.get())}) {
    const TPixelBitmap plain = ComposeMdiClientBackground(none, 30, 20, 0x808080, 0xC0C0C0, {});
    EXPECT_EQ(plain.GetPixel(0, 0), 0x808080u);
    EXPECT_EQ(plain.GetPixel(29, 19), 0x808080u);
  }
}

// Each step changes one input (or nothing) and says whether the background is composed anew;
// what comes back always equals a fresh composition of the current inputs.
TEST(ClientBackground, TheKeptMdiBackgroundLastsUntilAnInputChanges) {
  auto skin = MakeSkin();
  skin->MDIBGPictureIndex = 1;
  TPixelBitmap logo(5, 4);
  logo.Fill(0x0000FF);
  struct In {
    const TvnSkinData* skin;
    int w, h;
    std::uint32_t workspace, face;
    bool transparent;
  } in{skin.get(), 40, 30, 0x808080, 0xC0C0C0, false};
  TvnMdiBackgroundCache cache;
  const struct {
    const char* step;
    std::function<void()> change;
    bool composed;
  } steps[] = {
      {"first erase", [] {}, true},
      {"same inputs", [] {}, false},
      {"one column wider", [&] { in.w = 41; }, true},
      {"one row lower", [&] { in.h = 31; }, true},
      {"same again", [] {}, false},
      {"another skin", [&] { in.skin = nullptr; }, true},
      {"workspace colour", [&] { in.workspace = 0x808081; }, true},
      {"face colour", [&] { in.face = 0xC0C0C1; }, true},
      {"the skin back", [&] { in.skin = skin.get(); }, true},
      {"a logo pixel, same memory", [&] { logo.SetPixel(4, 0, 0x00FF00); }, true},
      {"logo transparent", [&] { in.transparent = true; }, true},
      {"cleared", [&] { cache.Clear(); }, true},
      {"nothing after clearing", [] {}, false},
  };
  for (const auto& s : steps) {
    s.change();
    const int before = cache.ComposeCount();
    const TvnLogo l{&logo, in.transparent};
    const TPixelBitmap& shown = cache.Compose(in.skin, in.w, in.h, in.workspace, in.face, l);
    EXPECT_EQ(cache.ComposeCount() - before, s.composed ? 1 : 0) << s.step;
    EXPECT_EQ(shown, ComposeMdiClientBackground(in.skin, in.w, in.h, in.workspace, in.face, l)) << s.step;
  }
}

TEST(ClientBackground, LogoCentredOpaqueOrTransparentAndNeverAboveOrLeftOfTheOrigin) {
  TPixelBitmap logo(5, 4);
  logo.Fill(0x0000FF);
  logo.SetPixel(0, 3, 0x00FF00);  // the bottom-left pixel gives the transparent colour
  logo.SetPixel(4, 0, 0x00FF00);
  logo.SetPixel(2, 2, 0xFF0000);
  const TPixelBitmap opaque = ComposeClientBackground(nullptr, 20, 10, 0xC0C0C0, {&logo, false});
  // At (20/2 - 5/2, 10/2 - 4/2) = (8, 3).
  EXPECT_EQ(opaque.GetPixel(7, 3), 0xC0C0C0u);
  EXPECT_EQ(opaque.GetPixel(8, 3), 0x0000FFu);
  EXPECT_EQ(opaque.GetPixel(12, 3), 0x00FF00u);
  EXPECT_EQ(opaque.GetPixel(8, 6), 0x00FF00u);
  EXPECT_EQ(opaque.GetPixel(10, 5), 0xFF0000u);
  EXPECT_EQ(opaque.GetPixel(13, 3), 0xC0C0C0u);
  const TPixelBitmap clear = ComposeClientBackground(nullptr, 20, 10, 0xC0C0C0, {&logo, true});
  EXPECT_EQ(clear.GetPixel(12, 3), 0xC0C0C0u);
  EXPECT_EQ(clear.GetPixel(8, 6), 0xC0C0C0u);
  EXPECT_EQ(clear.GetPixel(8, 3), 0x0000FFu);
  EXPECT_EQ(clear.GetPixel(10, 5), 0xFF0000u);
  // Larger than the client: placed at (0, 0) and cut.
  const TPixelBitmap small = ComposeClientBackground(nullptr, 3, 2, 0xC0C0C0, {&logo, false});
  EXPECT_EQ(small.GetPixel(0, 0), 0x0000FFu);
  EXPECT_EQ(small.GetPixel(2, 1), 0x0000FFu);
  EXPECT_EQ(LogoPosition(3, 2, 5, 4), (TPoint{0, 0}));
  EXPECT_EQ(LogoPosition(21, 11, 4, 4), (TPoint{8, 3}));
  // A skin with an empty client rectangle: the plain face and no logo.
  auto skin = MakeSkin();
  skin->ClientRect = Rect(0, 0, 0, 0);
  const TPixelBitmap face = ComposeClientBackground(skin.get(), 20, 10, 0xC0C0C0, {&logo, false});
  EXPECT_EQ(face.GetPixel(10, 5), 0xC0C0C0u);
}

// The caption fonts draw with the character set of the skin's resource strings when the skin
// data has them, else with the font property's own.
TEST(CaptionFont, CharacterSetFromTheResourceStringsElseTheFonts) {
  TvnSkinData withStrings, without;
  TvnResourceStrData strings;
  strings.SetCharSet(134);
  withStrings.SetResourceStrData(&strings);
  TFontDesc font;
  font.Name = "Arial";
  font.Charset = 0;
  font.Height = 14;
  struct Case { const TvnSkinData* skin; int charset; } cases[] = {
      {nullptr, 0}, {&without, 0}, {&withStrings, 134}};
  for (const Case& c : cases) {
    EXPECT_EQ(CaptionTextCharset(c.skin, font.Charset), c.charset);
    const TvnTextFont made = DefaultCaptionTextFont(font, c.skin);
    EXPECT_EQ(made.Charset, c.charset);
    EXPECT_EQ(made.Name, u"Arial");
    EXPECT_EQ(made.Height, 14);
  }
  withStrings.SetResourceStrData(nullptr);
}

}  // namespace

// The cache hands back an inactive frame only while nothing it shows has changed: after each
// change below the next paint composes anew, the one after it does not (but for an active form
// and a visible user object, which always compose), and every paint equals a fresh compose.
TEST(FramePaintCache, AnInactiveFrameIsComposedAgainWhenAnyPartOfItsLookChanges) {
  const auto skin = MakeSkin(), otherSkin = MakeSkin();
  for (TvnSkinData* s : {skin.get(), otherSkin.get()}) s->InActiveEffect = ieInvert;
  TRecordingHost host;
  host.Active = false;
  host.AutoInactive = true;
  TvnFrameObjectList objects;
  BuildSkinObjects(objects, host, skin->ObjectDescriptions, ObjectPicturesOf(*skin));
  auto& close = dynamic_cast<TvnSkinAnimateObject&>(*objects.At(0));
  TvnActiveSkinObject& user = *objects.At(1);
  user.ObjectVisible = false;
  TvnFrameLook look = Look(385, 392, false);
  look.RenderInactive = true;
  const TvnSkinData* current = skin.get();
  struct Case {
    const char* Change;
    std::function<void()> Apply;
    bool AlwaysComposes = false;
  } cases[] = {
      {"first paint", [] {}},
      {"one pixel wider", [&] { look.Width += 1; }},
      {"one pixel taller", [&] { look.Height += 1; }},
      {"another skin", [&] { current = otherSkin.get(); }},
      {"caption text", [&] { host.Caption = u"Quillon*"; }},
      {"close button hidden", [&] { close.ObjectVisible = false; }},
      {"close button shown", [&] { close.ObjectVisible = true; }},
      {"close button hot", [&] { close.ActiveLook = true; }},
      {"animation frame", [&] { close.CurrentFrame = 2; }},
      {"morph factor", [&] { close.MorphFactor = 0.2; }},
      {"form active", [&] { look.Active = host.Active = true; }, true},
      {"form inactive", [&] { look.Active = host.Active = false; }},
      {"user object shown", [&] { user.ObjectVisible = true; }, true},
  };
  TvnFramePaintCache cache;
  auto painter = [](TPixelBitmap& strip, TPoint origin) {
    return std::make_unique<TTestPixelPainter>(strip.View(), origin);
  };
  for (const Case& c : cases) {
    c.Apply();
    const TComposed fresh = Compose(*current, objects, look);
    for (int paint = 0; paint < 2; ++paint) {
      const int before = cache.ComposeCount();
      TvnFrameGeometry g;
      const TvnFrameStrips& s = cache.Compose(*current, FrameSkinOf(*current), objects, look, painter, g);
      EXPECT_EQ(cache.ComposeCount() - before, paint == 0 || c.AlwaysComposes ? 1 : 0)
          << c.Change << ", paint " << paint;
      EXPECT_TRUE(s.Top == fresh.Strips.Top && s.Bottom == fresh.Strips.Bottom &&
                  s.Left == fresh.Strips.Left && s.Right == fresh.Strips.Right)
          << c.Change << ", paint " << paint;
      EXPECT_EQ(g.Client, fresh.Geometry.Client) << c.Change;
    }
  }
  cache.Clear();
  TvnFrameGeometry g;
  const int before = cache.ComposeCount();
  cache.Compose(*current, FrameSkinOf(*current), objects, look, painter, g);
  EXPECT_EQ(cache.ComposeCount() - before, 1) << "after Clear";
}
