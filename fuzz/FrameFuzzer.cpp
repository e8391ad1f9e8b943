// Arbitrary bytes as a skin description and a window size: the frame's geometry, object
// layout, hit test and the objects' painting and state machines must cope with any numbers a
// skin holds. The first four bytes give the window size and the main picture's size, the rest
// is the description text. A malformed rectangle or point, or a name list counting more entries
// than its section has lines, may raise EConvertError; anything else (a crash, a sanitizer
// report) is a finding. The input's length picks the DPI the skin is drawn at.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinData.h"
#include "skin/form/FrameObjectList.h"
#include "skin/form/OffscreenFrameHost.h"
#include "skin/form/VeneerFormSkin.h"

namespace {


// Paints into a bitmap of the window's size, so every copy is checked against real memory.
class TBitmapPainter : public TvnFramePainter {
public:
  explicit TBitmapPainter(TPixelBitmap& target) : FTarget(target) {}
  void DrawPicture(const TPixelBitmap& p, const TRect& s, const TRect& t) override {
    CopyPictureRect(p, s, FTarget, t);
  }
  void DrawBitmap(const TPixelBitmap& b, int x, int y) override {
    CopyPictureRect(b, Rect(0, 0, b.Width(), b.Height()), FTarget, Bounds(x, y, b.Width(), b.Height()));
  }
  void FillRect(const TRect&, TColor) override {}
  void FrameRect(const TRect&, TColor) override {}
  void DrawGlyph(TvnGlyph, int, int, TColor) override {}
  void SetFont(const TvnTextFont&) override {}
  void SetTextColor(TColor) override {}
  TPoint TextExtent(std::u16string_view text) override { return {7 * static_cast<int>(text.size()), 12}; }
  void TextOut(int, int, std::u16string_view) override {}
  std::unique_ptr<TvnFramePainter> PainterOn(TPixelBitmap& b) override {
    return std::make_unique<TBitmapPainter>(b);
  }

private:
  TPixelBitmap& FTarget;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int width = data[0] * 4, height = data[1] * 4;     // windows up to 1020 x 1020
  const int pictureWidth = data[2], pictureHeight = data[3];  // pictures up to 255 x 255
  const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);

  TvnSkinData skin;
  try {
    skin.ReadSkinDescription(TvnIniFile(text));
  } catch (const EConvertError&) {
    return 0;
  }
  skin.Picture.SetSize(pictureWidth, pictureHeight);
  skin.ActivePictures.resize(2);
  skin.ActivePictures[0].SetSize(pictureWidth / 2 + 1, pictureHeight / 3 + 1);
  skin.ActivePictures[1].SetSize(41, 20);
  // Drawn at one of the DPIs a monitor may have, the skin scaled as a whole.
  constexpr int kDpis[] = {96, 120, 144, 192};
  skin.SkinEmpty = false;
  const TvnSkinData& drawn = skin.AtDpi(kDpis[size % 4]);

  TvnOffscreenFrameHost host;
  host.AutoInactive = true;
  host.Icon = true;
  host.Caption = u"Quillon \U0001F600 length";
  host.LeftTopX = drawn.LeftTopPoint.X;
  host.RightTopX = drawn.RightTopPoint.X;
  const TvnFrameSkin frame = FrameSkinOf(drawn);
  TvnFrameObjectList list;
  BuildSkinObjects(list, host, drawn.ObjectDescriptions, ObjectPicturesOf(drawn));
  list.UpdateButtonsVisibility(TvnBorderIcons{TvnBorderIcon::biSystemMenu, TvnBorderIcon::biRollUp},
                               false, [](const std::string&, bool& visible) { visible = true; });

  const TvnFrameGeometry g = CalcFrameGeometry(frame, width, height);
  list.LayoutObjects(frame, g, true, {16, 16});
  (void)SkinClientRect(frame, Rect(0, 0, width, height));

  TvnMaskStrips strips;
  strips.Top.SetSize(width, 3);
  strips.Left.SetSize(3, height / 2);
  strips.Right.SetSize(2, height);
  strips.Bottom.SetSize(width / 2, 5);
  const std::vector<TRect> captions = list.CaptionRects();
  TvnHitTestState state;
  state.Sizeable = true;
  state.CaptionRects = captions;
  for (int pass = 0; pass < 2; ++pass) {
    state.Mask = pass == 0 ? nullptr : &strips;
    for (int y = -8; y < height + 8; y += 13)
      for (int x = -8; x < width + 8; x += 11) (void)SkinHitTest(frame, g, state, {x, y});
  }

  TPixelBitmap window(width, height);
  TBitmapPainter painter(window);
  for (int round = 0; round < 2; ++round) {
    host.Active = round == 0;
    for (auto& o : list.Objects()) {
      o->Draw(painter, round == 1);
      o->MouseEnter();
      o->MouseDown(o->ObjectRect.Left, o->ObjectRect.Top, TvnMouseButton::Left);
      for (int i = 0; i < 8; ++i) {
        if (o->MorphEnabled && o->NeedsMorphStep()) o->MorphStep();
        o->Draw(painter, true);
      }
      o->MouseLeave();
      o->MouseUp(-1, -1, TvnMouseButton::Left);
    }
    for (int i = 0; i < 12 && list.AnimationTick(); ++i) {
      for (auto& o : list.Objects()) o->Draw(painter, false);
    }
  }
  TvnFrameObjectList defaults;
  BuildDefaultButtons(defaults, host);
  (void)defaults.LayoutDefaultButtons(width, 19, 17, false, {16, 16});
  return 0;
}
