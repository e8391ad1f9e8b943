// skintool render SKIN --size WxH [--inactive] [--part frame|popup|hint] [--scale F] -o OUT.bmp
// [--raw | --component NAME]: composes the part at the size with the engine's own composition
// and writes a 24-bit BMP.
// skintool render SKIN --part popup --items LIST [--hot N] -o OUT.bmp [--raw | --component
// NAME]: a popup menu window with items, at the size the menu engine gives it: LIST names the
// items in order, "item" for an item and "-" for a separator (comma-separated), N the lit item.
// Items carry no text, image or glyph: what the engine draws from the skin's pictures alone.
#include <ostream>
#include <sstream>

#include "framework/Bmp.h"
#include "skin/imaging/vnEffects.h"
#include "skin/menus/vnSkinMenusGeometry.h"
#include "tools/skintool/SkinParts.h"

namespace {

// The colour of a client area without a picture: RGB 212, 208, 200.
constexpr std::uint32_t ClientFace = 0x00C8D0D4;

void Place(const TPixelBitmap& strip, TPixelBitmap& image, int x, int y) {
  CopyPixels(ViewOf(strip), 0, 0, strip.Width(), strip.Height(), image.View(), x, y);
}

// The four frame strips placed as the skinned frame paints them, then the client background.
void RenderFrame(const TvnSkinData& data, bool inactive, TPixelBitmap& image, int W, int H) {
  const TPixelBitmap& main = data.Picture;
  if (main.IsEmpty()) SkinError("the skin has no main picture");
  if (W < main.Width() || H < main.Height())
    SkinError("the frame paints nothing below the main picture's size " + std::to_string(main.Width()) +
              "x" + std::to_string(main.Height()));
  const TPixelBitmap& source = inactive && !data.InActivePicture.IsEmpty() ? data.InActivePicture : main;
  const TvnSkinPoints points{data.LeftTopPoint, data.RightTopPoint, data.LeftBottomPoint,
                             data.RightBottomPoint, data.ClientRect};
  const TvnSkinPoints target = ShiftSkinPoints(points, main.Width(), main.Height(), W, H);
  TPixelBitmap left, top, right, bottom;
  ComposeFrameStrips(points, target, left, top, right, bottom, source, {0, 0, source.Width(), source.Height()},
                     W, H, {data.LeftStretch, data.TopStretch, data.RightStretch, data.BottomStretch});
  if (inactive && data.AutoRenderingInActiveImage) {
    for (TPixelBitmap* strip : {&left, &top, &right, &bottom}) {
      TvnEffectBmp effect(strip->View());
      effect.ApplyInactiveEffect(static_cast<int>(data.InActiveEffect));
      *strip = effect.Bitmap();
    }
  }
  Place(top, image, 0, 0);
  Place(left, image, 0, top.Height());
  Place(right, image, W - right.Width(), top.Height());
  Place(bottom, image, 0, H - bottom.Height());

  // The client background: the active picture bgpictureindex names, else the main picture's
  // client piece, tiled from the client's top-left corner; the face colour without either.
  const TRect client = target.Cl;
  const int index = data.BGPictureIndex;
  if (index >= 0 && index < static_cast<int>(data.ActivePictures.size()) &&
      !data.ActivePictures[static_cast<std::size_t>(index)].IsEmpty()) {
    const TPixelBitmap& p = data.ActivePictures[static_cast<std::size_t>(index)];
    TilePixels2D(ViewOf(p), {0, 0, p.Width(), p.Height()}, image.View(), client);
  } else if (!data.ClientRect.IsEmpty()) {
    TilePixels2D(ViewOf(main), data.ClientRect, image.View(), client);
  } else {
    TPixelBitmap face(1, 1);
    face.Fill(ClientFace);
    TilePixels2D(ViewOf(face), {0, 0, 1, 1}, image.View(), client);
  }
}

// The popup window of a menu with blank items, as the menu engine lays it out and draws it.
TPixelBitmap RenderPopupItems(const TvnSkinData& data, const std::string& list, int hot) {
  const TvnPopupSkin skin = ResolvePopupSkin(&data);
  if (!skin.Skinned()) SkinError("the skin describes no popup window picture");
  std::vector<TvnMenuMeasureItem> measured;
  std::stringstream words(list);
  for (std::string word; std::getline(words, word, ',');) {
    if (word != "item" && word != "-") UsageError("--items takes \"item\" and \"-\", not \"" + word + "\"");
    measured.push_back({word == "-", 0});
  }
  if (measured.empty()) UsageError("--items names no item");
  if (hot >= static_cast<int>(measured.size()) || (hot >= 0 && measured[static_cast<std::size_t>(hot)].Separator))
    UsageError("--hot names no item of the list");
  // A work area tall enough for any list: the window never scrolls for want of room.
  TvnMenuMetrics metrics;
  metrics.WorkAreaHeight = 1 << 30;
  const TvnPopupSize size = MeasureWindow(skin, measured, metrics);
  if (size.Width > BmpMaxDimension || size.Height > BmpMaxDimension ||
      static_cast<std::int64_t>(size.Width) * size.Height > BmpMaxPixels)
    SkinError("the menu is above the picture limits (" + std::to_string(size.Width) + "x" + std::to_string(size.Height) + ")");
  TPixelBitmap image = ComposePopupBackground(skin, size.Width, size.Height, size.Scrolling);
  DrawItemPictures(skin, LayoutPopupItems(skin, size, measured), hot, image);
  return image;
}

}  // namespace

int RunRender(const std::vector<std::string>& args, std::ostream&) {
  const TArgs a = ParseArgs(args, {"--component", "--size", "--part", "-o", "--items", "--hot", "--scale"}, {"--inactive", "--raw"});
  if (a.Positional.size() != 1) UsageError("expected one SKIN");
  const std::string* output = a.Value("-o");
  if (!output) UsageError("-o OUT.bmp is required");
  const TSkinPart part = ParsePart(a);
  if (const std::string* items = a.Value("--items")) {
    // The menu's own size: no --size to disagree with it.
    if (part != TSkinPart::Popup) UsageError("--items goes with --part popup");
    if (a.Value("--size") || a.Has("--inactive")) UsageError("--items takes neither --size nor --inactive");
    int hot = -1;
    if (const std::string* text = a.Value("--hot")) {
      try {
        std::size_t used = 0;
        hot = std::stoi(*text, &used);
        if (used != text->size() || hot < 0) throw std::invalid_argument(*text);
      } catch (const std::exception&) {
        UsageError("--hot takes an item index");
      }
    }
    const TLoadedSkin skin = LoadSkin(a);
    WriteOutputFile(ArgPath(*output), EncodeBmp(RenderPopupItems(ScaledSkin(a, skin), *items, hot), 24));
    return ExitOk;
  }
  if (a.Value("--hot")) UsageError("--hot goes with --items");
  const TSize size = ParseSize(a);
  const TLoadedSkin skin = LoadSkin(a);
  const TvnSkinData& data = ScaledSkin(a, skin);

  TPixelBitmap image(size.W, size.H);  // starts black
  if (part == TSkinPart::Frame) {
    RenderFrame(data, a.Has("--inactive"), image, size.W, size.H);
  } else {
    const TPartGeometry g = WindowPart(data, part);
    if (size.W < g.SW || size.H < g.SH)
      SkinError("the size is smaller than the window picture " + std::to_string(g.SW) + "x" + std::to_string(g.SH));
    ComposeSkinImage(g.Points, ShiftSkinPoints(g.Points, g.SW, g.SH, size.W, size.H), image, *g.Picture,
                     {0, 0, g.SW, g.SH}, size.W, size.H, TvnClientFill::Tile, g.Stretch);
  }
  WriteOutputFile(ArgPath(*output), EncodeBmp(image, 24));
  return ExitOk;
}
