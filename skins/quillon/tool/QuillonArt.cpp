// Index
//   Theme colours ............ the few colours the whole skin is made of
//   Frame .................... main picture, mask, system-menu icon
//   Caption buttons .......... the five-frame hover strips
//   Menus, popup, hint ....... menu items, popup window, hint window, menu bar
//   Checks, pattern .......... check boxes and radio buttons, the client pattern
//   Controls sheet ........... buttons, edits, panels, scroll bars, up-downs, lists
//   Gauges, tabs ............. gauges, track bars, sliders, tabs
//   Palettes and encoding
#include "skins/quillon/tool/QuillonArt.h"

#include "framework/Bmp.h"
#include "skins/quillon/tool/QuillonLayout.h"
#include "skins/quillon/tool/SkinArt.h"
#include "skins/quillon/tool/SkinTheme.h"

#include <algorithm>
#include <map>

using namespace QuillonLayout;

namespace {

// ---- Theme colours: a light, cool grey frame with one blue accent.
constexpr TRgb White = Rgb(255, 255, 255);
constexpr TRgb Face = Rgb(240, 240, 240);            // client area and control backgrounds
constexpr TRgb CaptionTop = Rgb(253, 253, 254);
constexpr TRgb CaptionBottom = Rgb(241, 243, 247);
constexpr TRgb FrameFace = Rgb(241, 243, 247);       // side and bottom borders
constexpr TRgb FrameFaceLow = Rgb(233, 236, 241);    // bottom edge of the bottom band
constexpr TRgb FrameOutline = Rgb(139, 148, 162);
constexpr TRgb FrameInset = Rgb(214, 219, 227);      // the line around the client area
constexpr TRgb Accent = Rgb(36, 110, 205);
constexpr TRgb AccentLight = Rgb(74, 146, 232);
constexpr TRgb AccentPale = Rgb(226, 237, 252);
constexpr TRgb AccentPaleBorder = Rgb(160, 194, 238);
constexpr TRgb GlyphGrey = Rgb(96, 104, 118);
constexpr TRgb GlyphDark = Rgb(34, 42, 56);
constexpr TRgb CloseRed = Rgb(226, 62, 62);
constexpr TRgb HoverSlate = Rgb(213, 221, 233);
constexpr TRgb BorderGrey = Rgb(168, 175, 186);
constexpr TRgb BorderLight = Rgb(204, 208, 215);
constexpr TRgb DisabledGlyph = Rgb(170, 174, 180);

const TBoxStyle ButtonNormalStyle{BorderGrey, Rgb(254, 254, 254), Rgb(236, 238, 242), 4, White, 0.6};
const TBoxStyle ButtonHotStyle{Rgb(112, 156, 218), Rgb(242, 247, 254), Rgb(221, 233, 250), 4, White, 0.6};
const TBoxStyle ButtonDownStyle{Rgb(82, 128, 196), Rgb(204, 220, 243), Rgb(216, 229, 247), 4};
const TBoxStyle ButtonDisabledStyle{BorderLight, Rgb(246, 246, 247), Rgb(243, 244, 245), 4};

TBoxStyle WithRadius(TBoxStyle style, double radius) {
  style.Radius = radius;
  return style;
}

TRgb CaptionColour(int y) {
  if (y <= 0) return CaptionTop;
  return Mix(CaptionTop, CaptionBottom, double(y) / 26.0);
}

// The colour of the frame picture before its outline: caption gradient, borders, client.
TRgb FrameColour(int x, int y) {
  const TRect inset{FormClient.Left - 1, FormClient.Top - 1, FormClient.Right + 1, FormClient.Bottom + 1};
  if (FormClient.Contains({x, y})) return Face;
  if (inset.Contains({x, y})) return FrameInset;
  if (y < FormClient.Top) return CaptionColour(y);
  if (y > FormClient.Bottom) return Mix(FrameFace, FrameFaceLow, double(y - FormClient.Bottom - 1) / 15.0);
  return FrameFace;
}

// ---- Caption glyphs, drawn pixel by pixel: at 8 x 8 a hand-placed glyph is crisper than any
// sampled shape. '#' is full colour, '+' a soft edge pixel, '.' nothing.
using TGlyph = const char* const[8];
constexpr TGlyph CloseGlyph = {
    "........",
    ".#+..+#.",
    ".+#..#+.",
    "..+##+..",
    "..+##+..",
    ".+#..#+.",
    ".#+..+#.",
    "........"};
constexpr TGlyph MaximizeGlyph = {
    "........",
    ".######.",
    ".######.",
    ".#....#.",
    ".#....#.",
    ".#....#.",
    ".######.",
    "........"};
constexpr TGlyph RestoreGlyph = {
    "........",
    "...####.",
    "...####.",
    ".####.#.",
    ".####.#.",
    ".#..###.",
    ".#..#...",
    ".####..."};
constexpr TGlyph MinimizeGlyph = {
    "........",
    "........",
    "........",
    "........",
    "........",
    ".######.",
    ".######.",
    "........"};
constexpr TGlyph RollUpGlyph = {
    "........",
    "........",
    "...##...",
    "..#++#..",
    ".#+..+#.",
    ".+....+.",
    "........",
    "........"};
constexpr TGlyph TrayGlyph = {
    "...##...",
    "...##...",
    ".+####+.",
    "..+##+..",
    "...++...",
    "........",
    ".######.",
    "........"};

void DrawGlyph(TPixelBitmap& bmp, int x, int y, const TGlyph& glyph, TRgb c) {
  for (int j = 0; j < 8; ++j)
    for (int i = 0; i < 8; ++i) {
      const char p = glyph[j][i];
      if (p == '#') BlendRgb(bmp, x + i, y + j, c, 1.0);
      if (p == '+') BlendRgb(bmp, x + i, y + j, c, 0.4);
    }
}

// The "Q" of the system-menu icon in a size x size cell at (x, y).
void DrawAppIcon(TPixelBitmap& bmp, int x, int y, int size, TRgb top, TRgb bottom) {
  const TRect cell = Bounds(x, y, size, size);
  const double s = size / 14.0;
  const TShape square = RoundRectShape(x, y, x + size, y + size, 3.5 * s);
  PaintShape(bmp, cell, square, [&](int, int py) { return Mix(top, bottom, double(py - y) / (size - 1)); });
  const double cx = x + 6.8 * s, cy = y + 6.6 * s;
  const TShape ring = SubtractShape(CircleShape(cx, cy, 4.1 * s), CircleShape(cx, cy, 2.6 * s));
  const TShape tail = CapsuleShape(x + 8.2 * s, y + 8.2 * s, x + 10.8 * s, y + 10.8 * s, 0.75 * s);
  FillShape(bmp, cell, UnionShape(ring, tail), White);
}

// ---- Frame: main picture and mask.
TShape WindowShape(int cornerRadius) { return TopRoundRectShape(0, 0, MainWidth, MainHeight, cornerRadius); }

TPixelBitmap DrawMainPicture(int cornerRadius) {
  TPixelBitmap bmp(MainWidth, MainHeight);
  const TShape shape = WindowShape(cornerRadius);
  for (int y = 0; y < MainHeight; ++y)
    for (int x = 0; x < MainWidth; ++x) {
      // Each of the 16 samples is the outline (on or outside the edge), a soft white
      // highlight just inside it, or the frame's own colour; the pixel is their average.
      const TRgb inner = FrameColour(x, y);
      const TRgb highlight = Mix(inner, White, 0.75);
      int r = 0, g = 0, b = 0;
      for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
          const double d = shape(x + (i + 0.5) / 4.0, y + (j + 0.5) / 4.0);
          const TRgb c = d > -1 ? FrameOutline : (d > -2 ? highlight : inner);
          r += c.R;
          g += c.G;
          b += c.B;
        }
      PutRgb(bmp, x, y, Rgb((r + 8) / 16, (g + 8) / 16, (b + 8) / 16));
    }
  DrawAppIcon(bmp, SysMenuRect.Left, SysMenuRect.Top, SysMenuRect.Width(), AccentLight, Accent);
  return bmp;
}

// Black where the centre of a pixel lies inside the shape, white elsewhere.
TPixelBitmap DrawMask(int width, int height, const TShape& shape) {
  TPixelBitmap bmp(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) PutRgb(bmp, x, y, shape(x + 0.5, y + 0.5) < 0 ? Rgb(0, 0, 0) : White);
  return bmp;
}

// ---- Caption buttons: each frame shows the button's cell of the caption (buttons sit at the
// top of the buttons rectangle), a hover plate that fades in and the glyph that follows it.
struct TCaptionButtonArt {
  int Row;
  const TGlyph& Glyph;
  TRgb Plate;
  TRgb HotGlyph;
};

TPixelBitmap DrawCaptionButtons(const TPixelBitmap& main) {
  TPixelBitmap bmp(CaptionButtonsWidth, CaptionButtonsHeight);
  bmp.Fill(ColorValue(CaptionColour(FormButtons.Top)));
  const TCaptionButtonArt buttons[] = {
      {CaptionRowMax, MaximizeGlyph, HoverSlate, GlyphDark},
      {CaptionRowClose, CloseGlyph, CloseRed, White},
      {CaptionRowMin, MinimizeGlyph, HoverSlate, GlyphDark},
      {CaptionRowRollUp, RollUpGlyph, HoverSlate, GlyphDark},
      {CaptionRowTray, TrayGlyph, HoverSlate, GlyphDark},
      {CaptionRowRestore, RestoreGlyph, HoverSlate, GlyphDark},
  };
  for (const TCaptionButtonArt& button : buttons)
    for (int frame = 0; frame < CaptionFrameCount; ++frame) {
      const double t = frame / double(CaptionFrameCount - 1);
      const int x = 1 + frame * CaptionButtonSize, y = button.Row;
      const TRect cell = Bounds(x, y, CaptionButtonSize, CaptionButtonSize);
      for (int j = 0; j < CaptionButtonSize; ++j)
        FillRect(bmp, {x, y + j, x + CaptionButtonSize, y + j + 1}, CaptionColour(FormButtons.Top + j));
      FillShape(bmp, cell, RoundRectShape(x, y, x + 8, y + 8, 2.2), button.Plate, t);
      DrawGlyph(bmp, x, y, button.Glyph, Mix(GlyphGrey, button.HotGlyph, t));
    }
  // The system-menu icon: frame 1 is exactly the icon of the frame picture; the later frames
  // brighten it.
  const int size = SysMenuRect.Width();
  for (int frame = 0; frame < CaptionFrameCount; ++frame) {
    const int x = SysMenuStrip.Left + frame * size, y = SysMenuStrip.Top;
    CopyRect(bmp, x, y, main, SysMenuRect);
    if (frame > 0) {
      const double t = frame / double(CaptionFrameCount - 1);
      const TRgb top = Mix(AccentLight, Rgb(120, 180, 250), t);
      const TRgb bottom = Mix(Accent, Rgb(60, 140, 235), t);
      for (int j = 0; j < size; ++j)
        FillRect(bmp, {x, y + j, x + size, y + j + 1}, CaptionColour(SysMenuRect.Top + j));
      DrawAppIcon(bmp, x, y, size, top, bottom);
    }
  }
  return bmp;
}

// ---- Menus.
TPixelBitmap DrawMenuItems() {
  TPixelBitmap bmp(MenuItemWidth, MenuItemPictureHeight);
  bmp.Fill(ColorValue(White));
  const TRect a = MenuItemActive;
  DrawBox(bmp, {a.Left + 1, a.Top + 1, a.Right - 1, a.Bottom - 1}, {AccentPaleBorder, Rgb(232, 241, 253), AccentPale, 3});
  const int lineY = MenuDivider.Top + MenuDivider.Height() / 2;
  FillRect(bmp, {MenuDivider.Left + 4, lineY, MenuDivider.Right - 4, lineY + 1}, Rgb(222, 226, 232));
  return bmp;
}

TPixelBitmap DrawPopup() {
  TPixelBitmap bmp(PopupSize, PopupSize);
  bmp.Fill(ColorValue(BorderGrey));
  DrawBox(bmp, {0, 0, PopupSize, PopupSize}, {Rgb(172, 179, 190), White, White, 5});
  return bmp;
}

TPixelBitmap DrawHint() {
  TPixelBitmap bmp(HintWidth, HintHeight);
  bmp.Fill(ColorValue(Rgb(168, 176, 188)));
  DrawBox(bmp, {0, 0, HintWidth, HintHeight}, {Rgb(168, 176, 188), White, Rgb(241, 244, 249), 5, White, 0});
  return bmp;
}

TRgb MenuBarColour(int y) {
  if (y >= MenuBarSkin.Bottom - 1) return Rgb(222, 226, 232);
  return Mix(Rgb(251, 252, 253), Rgb(240, 242, 246), double(y) / (MenuBarSkin.Height() - 2));
}

TPixelBitmap DrawMenuBar() {
  TPixelBitmap bmp(MenuBarWidth, MenuBarHeight);
  for (int y = 0; y < MenuBarHeight; ++y) {
    const int barY = y < MenuBarSkin.Bottom ? y : MenuBarItems.Top + (y - MenuBarSkin.Bottom) % 14 + 2;
    FillRect(bmp, {0, y, MenuBarWidth, y + 1}, MenuBarColour(barY));
  }
  DrawBox(bmp, MenuBarItemActive, {AccentPaleBorder, Rgb(234, 242, 253), AccentPale, 3});
  DrawBox(bmp, MenuBarItemDown, {Rgb(132, 170, 224), Rgb(208, 223, 245), Rgb(218, 230, 248), 3});
  for (int column = 0; column < 4; ++column)
    for (int state = 0; state < 3; ++state) {
      const TRect r = MenuBarButton(column, state);
      if (state == 1) DrawBox(bmp, r, {AccentPaleBorder, Rgb(234, 242, 253), AccentPale, 3});
      if (state == 2) DrawBox(bmp, r, {Rgb(132, 170, 224), Rgb(208, 223, 245), Rgb(218, 230, 248), 3});
      if (column == 0) {
        DrawAppIcon(bmp, r.Left + 3, r.Top + 2, 10, AccentLight, Accent);
        continue;
      }
      const TGlyph& glyph = column == 1 ? CloseGlyph : column == 2 ? RestoreGlyph : MinimizeGlyph;
      DrawGlyph(bmp, r.Left + 4, r.Top + 3, glyph, state == 0 ? GlyphGrey : GlyphDark);
    }
  return bmp;
}

// ---- Check boxes and radio buttons.
void DrawCheckMark(TPixelBitmap& bmp, TRect r, TRgb c) {
  const double x = r.Left, y = r.Top;
  const TShape mark = UnionShape(CapsuleShape(x + 3.3, y + 6.6, x + 5.5, y + 8.8, 0.8),
                                 CapsuleShape(x + 5.5, y + 8.8, x + 9.8, y + 4.0, 0.8));
  FillShape(bmp, r, mark, c);
}

void DrawCheckBox(TPixelBitmap& bmp, TRect r, int state) {
  const bool checked = state % 2 == 1;
  const int look = state / 2;  // 0 normal, 1 hot, 2 disabled
  if (checked && look < 2) {
    DrawBox(bmp, r, {look == 1 ? Accent : Rgb(30, 96, 184), look == 1 ? AccentLight : Rgb(58, 132, 222), Accent, 2.5});
    DrawCheckMark(bmp, r, White);
    return;
  }
  const TRgb border = look == 0 ? BorderGrey : look == 1 ? AccentLight : BorderLight;
  DrawBox(bmp, r, {border, look == 2 ? Rgb(245, 245, 246) : White, look == 2 ? Rgb(245, 245, 246) : Rgb(244, 246, 249), 2.5});
  if (checked) DrawCheckMark(bmp, r, DisabledGlyph);
}

void DrawRadio(TPixelBitmap& bmp, TRect r, int state) {
  const bool checked = state % 2 == 1;
  const int look = state / 2;
  const double cx = r.Left + 6.5, cy = r.Top + 6.5;
  const TRgb border = checked && look < 2 ? Accent : look == 0 ? BorderGrey : look == 1 ? AccentLight : BorderLight;
  FillShape(bmp, r, CircleShape(cx, cy, 6.5), border);
  PaintShape(bmp, r, CircleShape(cx, cy, 5.5), [&](int, int y) {
    return look == 2 ? Rgb(245, 245, 246) : Mix(White, Rgb(240, 243, 248), (y - r.Top) / 12.0);
  });
  if (checked) FillShape(bmp, r, CircleShape(cx, cy, 3.1), look == 2 ? DisabledGlyph : Accent);
}

TPixelBitmap DrawChecks() {
  TPixelBitmap bmp(ChecksWidth, ChecksHeight);
  bmp.Fill(ColorValue(Face));
  for (int state = 0; state < 6; ++state) {
    DrawCheckBox(bmp, CheckImage(0, state), state);
    DrawRadio(bmp, CheckImage(1, state), state);
  }
  return bmp;
}

TPixelBitmap DrawPattern(int height) {
  // A quiet diagonal weave for large empty backgrounds; it repeats every 8 pixels both ways.
  TPixelBitmap bmp(PatternWidth, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < PatternWidth; ++x) {
      const int d = (x + y) % 8;
      PutRgb(bmp, x, y, d == 0 ? Rgb(226, 230, 236) : (d == 1 ? Rgb(232, 235, 240) : Rgb(237, 240, 244)));
    }
  return bmp;
}

// ---- Controls sheet.
void DrawButtonLooks(TPixelBitmap& bmp, const TLooks& looks, bool isDefault) {
  TBoxStyle normal = ButtonNormalStyle, hot = ButtonHotStyle;
  if (isDefault) {
    normal.Border = Accent;
    hot.Border = Accent;
  }
  DrawBox(bmp, looks.Normal, normal);
  DrawBox(bmp, looks.Active, hot);
  DrawBox(bmp, looks.Down, ButtonDownStyle);
  DrawBox(bmp, looks.Disabled, ButtonDisabledStyle);
  if (isDefault) {
    // A second, inner accent ring marks the default button.
    for (const TRect& r : {looks.Normal, looks.Active}) {
      const TShape ring = SubtractShape(RoundRectShape(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1, 3),
                                        RoundRectShape(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2, 2));
      FillShape(bmp, r, ring, AccentLight, 0.55);
    }
  }
}

void DrawToolButtonLooks(TPixelBitmap& bmp, const TLooks& looks) {
  FillRect(bmp, looks.Normal, Face);
  DrawBox(bmp, looks.Active, WithRadius(ButtonHotStyle, 3));
  DrawBox(bmp, looks.Down, WithRadius(ButtonDownStyle, 3));
  FillRect(bmp, looks.Disabled, Face);
}

void DrawEdit(TPixelBitmap& bmp, TRect r, TRgb border, TRgb fill, bool focused) {
  DrawBox(bmp, r, {border, fill, fill, 2.5});
  if (focused) {
    // The focused field carries an accent line along its bottom edge.
    FillShape(bmp, r, RoundRectShape(r.Left + 1, r.Bottom - 2.2, r.Right - 1, r.Bottom - 0.6, 0.8), Accent);
  }
}

void DrawArrowButton(TPixelBitmap& bmp, TRect r, int kind, int state) {
  // state 0 normal (no plate), 1 hot, 2 pressed, 3 disabled.
  if (state == 1) DrawBox(bmp, r, WithRadius(ButtonHotStyle, 2.5));
  if (state == 2) DrawBox(bmp, r, WithRadius(ButtonDownStyle, 2.5));
  DrawArrowGlyph(bmp, r, kind, state == 3 ? DisabledGlyph : (state == 0 ? GlyphGrey : GlyphDark),
                 std::min(r.Width(), r.Height()) >= 15 ? 3.5 : 2.6);
}

void DrawScrollTrack(TPixelBitmap& bmp, TRect r, bool horizontal) {
  FillRect(bmp, r, Rgb(244, 245, 247));
  if (horizontal) {
    FillRect(bmp, {r.Left, r.Top, r.Right, r.Top + 1}, Rgb(230, 232, 236));
    DrawArrowGlyph(bmp, Bounds(r.Left, r.Top, 16, 16), 1, GlyphGrey);
    DrawArrowGlyph(bmp, Bounds(r.Right - 16, r.Top, 16, 16), 2, GlyphGrey);
  } else {
    FillRect(bmp, {r.Left, r.Top, r.Left + 1, r.Bottom}, Rgb(230, 232, 236));
    DrawArrowGlyph(bmp, Bounds(r.Left, r.Top, 16, 16), 3, GlyphGrey);
    DrawArrowGlyph(bmp, Bounds(r.Left, r.Bottom - 16, 16, 16), 4, GlyphGrey);
  }
}

void DrawThumb(TPixelBitmap& bmp, TRect r, int state, bool horizontal) {
  FillRect(bmp, r, Rgb(244, 245, 247));
  const TRgb fill = state == 0 ? Rgb(196, 201, 209) : state == 1 ? Rgb(160, 168, 180) : Rgb(128, 137, 151);
  const TRect plate = horizontal ? TRect{r.Left + 1, r.Top + 4, r.Right - 1, r.Bottom - 4}
                                 : TRect{r.Left + 4, r.Top + 1, r.Right - 4, r.Bottom - 1};
  FillShape(bmp, r, RoundRectShape(plate.Left, plate.Top, plate.Right, plate.Bottom, 4), fill);
}

void DrawGrip(TPixelBitmap& bmp, TRect r, int state) {
  const TRgb dot = state == 0 ? Rgb(150, 157, 168) : state == 1 ? Rgb(120, 128, 140) : Rgb(96, 104, 116);
  FillRect(bmp, r, state == 0 ? Rgb(196, 201, 209) : state == 1 ? Rgb(160, 168, 180) : Rgb(128, 137, 151));
  for (int i = 0; i < 3; ++i) FillShape(bmp, r, CircleShape(r.Left + 1.5 + 2.5 * i, r.Top + 4, 0.8), dot);
}

void DrawPanel(TPixelBitmap& bmp, TRect r) { DrawBox(bmp, r, {BorderLight, Rgb(248, 249, 250), Rgb(246, 247, 249), 4}); }

void DrawCaptionPanel(TPixelBitmap& bmp, TRect r, int captionHeight) {
  DrawBox(bmp, r, {BorderLight, Rgb(248, 249, 250), Rgb(246, 247, 249), 4});
  const TShape bar = TopRoundRectShape(r.Left + 1, r.Top + 1, r.Right - 1, r.Top + captionHeight, 3);
  PaintShape(bmp, r, bar, [&](int, int y) { return Mix(Rgb(250, 251, 253), Rgb(234, 238, 244), (y - r.Top) / double(captionHeight)); });
  FillRect(bmp, {r.Left + 1, r.Top + captionHeight, r.Right - 1, r.Top + captionHeight + 1}, Rgb(218, 222, 229));
}

void DrawSmallButton(TPixelBitmap& bmp, TRect r, int kind, int state) {
  if (state == 1) DrawBox(bmp, r, WithRadius(ButtonHotStyle, 2.5));
  if (state == 2) DrawBox(bmp, r, WithRadius(ButtonDownStyle, 2.5));
  const TRgb c = state == 0 ? GlyphGrey : GlyphDark;
  switch (kind) {
    case 0: DrawGlyph(bmp, r.Left + 2, r.Top + 2, CloseGlyph, c); break;
    case 1: DrawArrowGlyph(bmp, r, 1, c, 2.6); break;
    case 2: DrawArrowGlyph(bmp, r, 2, c, 2.6); break;
    case 3: DrawArrowGlyph(bmp, r, 3, c, 2.6); break;
    default: DrawArrowGlyph(bmp, r, 4, c, 2.6); break;
  }
}

TPixelBitmap DrawControls() {
  TPixelBitmap bmp(ControlsWidth, ControlsHeight);
  bmp.Fill(ColorValue(Face));

  DrawButtonLooks(bmp, Button, false);
  DrawButtonLooks(bmp, DefaultButton, true);
  DrawToolButtonLooks(bmp, ToolButton);
  DrawToolButtonLooks(bmp, BigToolButton);
  DrawBox(bmp, ResizeButton.Normal, WithRadius(ButtonNormalStyle, 3));
  DrawBox(bmp, ResizeButton.Active, WithRadius(ButtonHotStyle, 3));
  DrawBox(bmp, ResizeButton.Down, WithRadius(ButtonDownStyle, 3));

  DrawEdit(bmp, EditNormal, BorderGrey, White, false);
  DrawEdit(bmp, EditFocused, Rgb(126, 164, 220), White, true);
  DrawEdit(bmp, EditReadOnly, BorderLight, Rgb(246, 247, 248), false);
  DrawArrowButton(bmp, DropButton.Normal, 4, 0);
  DrawArrowButton(bmp, DropButton.Active, 4, 1);
  DrawArrowButton(bmp, DropButton.Down, 4, 2);
  DrawArrowButton(bmp, DropButton.Disabled, 4, 3);
  DrawArrowButton(bmp, SpinUpActive, 3, 1);
  DrawArrowButton(bmp, SpinUpDown, 3, 2);
  DrawArrowButton(bmp, SpinDownActive, 4, 1);
  DrawArrowButton(bmp, SpinDownDown, 4, 2);

  DrawPanel(bmp, PanelSkin);
  {  // Group box: a frame that starts halfway down its caption line.
    const TRect r = GroupBoxSkin;
    DrawBox(bmp, {r.Left, r.Top + 8, r.Right, r.Bottom}, {BorderLight, Face, Face, 4});
  }
  DrawCaptionPanel(bmp, CaptionPanelSkin, 18);
  {  // Tool panel: a flat band between a light top edge and a soft bottom line.
    const TRect r = ToolPanelSkin;
    FillVGradient(bmp, r, Rgb(250, 251, 252), Rgb(238, 241, 245));
    FillRect(bmp, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, Rgb(218, 222, 229));
  }
  {
    const TRect r = StatusBarSkin;
    FillVGradient(bmp, r, Rgb(244, 246, 249), Rgb(236, 239, 243));
    FillRect(bmp, {r.Left, r.Top, r.Right, r.Top + 1}, Rgb(214, 219, 227));
  }
  {  // Control bar: a band with a dotted grip at its left end.
    const TRect r = ControlBarSkin;
    FillVGradient(bmp, r, Rgb(250, 251, 252), Rgb(238, 241, 245));
    for (int i = 0; i < 4; ++i) FillShape(bmp, r, CircleShape(r.Left + 4.5, r.Top + 5.5 + 4 * i, 0.9), Rgb(150, 157, 168));
  }
  {
    const TRect r = ExPanelRollH;
    DrawBox(bmp, r, {BorderLight, Rgb(250, 251, 253), Rgb(234, 238, 244), 3});
    const TRect v = ExPanelRollV;
    DrawBox(bmp, v, {BorderLight, Rgb(246, 248, 251), Rgb(238, 241, 246), 3});
  }
  for (int kind = 0; kind < 5; ++kind)
    for (int state = 0; state < 3; ++state) DrawSmallButton(bmp, ExPanelButton(kind, state), kind, state);
  {
    const TRect h = HSplitterSkin, v = VSplitterSkin;
    for (int i = 0; i < 5; ++i) {
      FillShape(bmp, h, CircleShape(h.Left + 12.5 + 4 * i, h.Top + 3, 0.9), Rgb(160, 167, 178));
      FillShape(bmp, v, CircleShape(v.Left + 3, v.Top + 12.5 + 4 * i, 0.9), Rgb(160, 167, 178));
    }
  }
  FillRect(bmp, LabelSkin, Face);
  {
    const TRect r = CaptionLabelSkin;
    FillRect(bmp, r, Face);
    FillRect(bmp, {r.Left, r.Bottom - 2, r.Right, r.Bottom}, Accent);
  }

  DrawScrollTrack(bmp, HScrollSkin, true);
  DrawArrowButton(bmp, LeftArrowActive, 1, 1);
  DrawArrowButton(bmp, LeftArrowDown, 1, 2);
  DrawArrowButton(bmp, RightArrowActive, 2, 1);
  DrawArrowButton(bmp, RightArrowDown, 2, 2);
  DrawThumb(bmp, HThumb.Normal, 0, true);
  DrawThumb(bmp, HThumb.Active, 1, true);
  DrawThumb(bmp, HThumb.Down, 2, true);
  DrawGrip(bmp, ThumbGrip.Normal, 0);
  DrawGrip(bmp, ThumbGrip.Active, 1);
  DrawGrip(bmp, ThumbGrip.Down, 2);
  DrawScrollTrack(bmp, VScrollSkin, false);
  DrawArrowButton(bmp, UpArrowActive, 3, 1);
  DrawArrowButton(bmp, UpArrowDown, 3, 2);
  DrawArrowButton(bmp, DownArrowActive, 4, 1);
  DrawArrowButton(bmp, DownArrowDown, 4, 2);
  DrawThumb(bmp, VThumb.Normal, 0, false);
  DrawThumb(bmp, VThumb.Active, 1, false);
  DrawThumb(bmp, VThumb.Down, 2, false);

  {  // Up-downs: two buttons with arrows on a field-coloured base.
    const TRect h = HUpDownSkin;
    DrawArrowButton(bmp, HUpDownDown.Offset(h.Left, h.Top), 1, 0);
    DrawArrowButton(bmp, HUpDownUp.Offset(h.Left, h.Top), 2, 0);
    FillRect(bmp, {h.Left + 15, h.Top + 4, h.Left + 16, h.Bottom - 4}, Rgb(214, 219, 227));
    DrawArrowButton(bmp, HUpDownUpActive, 2, 1);
    DrawArrowButton(bmp, HUpDownUpPressed, 2, 2);
    DrawArrowButton(bmp, HUpDownDownActive, 1, 1);
    DrawArrowButton(bmp, HUpDownDownPressed, 1, 2);
    const TRect v = VUpDownSkin;
    DrawArrowButton(bmp, VUpDownUp.Offset(v.Left, v.Top), 3, 0);
    DrawArrowButton(bmp, VUpDownDown.Offset(v.Left, v.Top), 4, 0);
    DrawArrowButton(bmp, VUpDownUpActive, 3, 1);
    DrawArrowButton(bmp, VUpDownUpPressed, 3, 2);
    DrawArrowButton(bmp, VUpDownDownActive, 4, 1);
    DrawArrowButton(bmp, VUpDownDownPressed, 4, 2);
  }

  FillRect(bmp, ListItemNormal, White);
  FillRect(bmp, ListItemActive, AccentPale);
  FillRect(bmp, ListItemFocus, AccentPale);
  {
    const TRect f = ListItemFocus;
    DrawBox(bmp, f, {AccentPaleBorder, AccentPale, AccentPale, 0});
    const TRect g = GridFixedCell;
    FillVGradient(bmp, g, Rgb(250, 251, 252), Rgb(236, 239, 243));
    FillRect(bmp, {g.Right - 1, g.Top, g.Right, g.Bottom}, Rgb(214, 219, 227));
    FillRect(bmp, {g.Left, g.Bottom - 1, g.Right, g.Bottom}, Rgb(214, 219, 227));
    FillRect(bmp, GridSelectCell, AccentPale);
    DrawBox(bmp, GridFocusCell, {Accent, AccentPale, AccentPale, 0});
  }
  DrawCheckBox(bmp, ListUncheck, 0);
  DrawCheckBox(bmp, ListCheck, 1);

  {
    const TRect r = CaptionListBoxSkin;
    DrawCaptionPanel(bmp, r, 18);
    FillRect(bmp, {r.Left + 1, r.Top + 19, r.Right - 1, r.Bottom - 3}, White);
  }
  for (const TRect& r : {ComboSkin, SpinEditSkin}) DrawEdit(bmp, r, BorderGrey, White, false);
  DrawBox(bmp, DropDownListSkin, ButtonNormalStyle);
  DrawArrowGlyph(bmp, ComboButtonRel.Offset(ComboSkin.Left, ComboSkin.Top), 4, GlyphGrey, 3.5);
  DrawArrowGlyph(bmp, ComboButtonRel.Offset(DropDownListSkin.Left, DropDownListSkin.Top), 4, GlyphGrey, 3.5);
  DrawArrowGlyph(bmp, SpinUpRel.Offset(SpinEditSkin.Left, SpinEditSkin.Top), 3, GlyphGrey, 2.6);
  DrawArrowGlyph(bmp, SpinDownRel.Offset(SpinEditSkin.Left, SpinEditSkin.Top), 4, GlyphGrey, 2.6);
  return bmp;
}

// ---- Gauges, track bars, sliders.
TPixelBitmap DrawGauges() {
  TPixelBitmap bmp(GaugesWidth, GaugesHeight);
  bmp.Fill(ColorValue(Face));
  DrawBox(bmp, GaugeSkin, {BorderLight, Rgb(232, 235, 240), Rgb(242, 244, 247), 3});
  DrawBox(bmp, VGaugeSkin, {BorderLight, Rgb(232, 235, 240), Rgb(242, 244, 247), 3});
  FillVGradient(bmp, GaugeProgress, Rgb(88, 158, 240), Rgb(30, 100, 196));
  FillHGradient(bmp, VGaugeProgress, Rgb(88, 158, 240), Rgb(30, 100, 196));
  {
    const TRect h = HTrackSkin, v = VTrackSkin;
    FillShape(bmp, h, RoundRectShape(h.Left + 2, h.Top + 9, h.Right - 2, h.Top + 13, 2), Rgb(206, 211, 219));
    FillShape(bmp, v, RoundRectShape(v.Left + 9, v.Top + 2, v.Left + 13, v.Bottom - 2, 2), Rgb(206, 211, 219));
  }
  DrawBox(bmp, HTrackThumb, {BorderGrey, White, Rgb(236, 239, 243), 3});
  DrawBox(bmp, HTrackThumbActive, {Accent, White, AccentPale, 3});
  DrawBox(bmp, VTrackThumb, {BorderGrey, White, Rgb(236, 239, 243), 3});
  DrawBox(bmp, VTrackThumbActive, {Accent, White, AccentPale, 3});
  {
    const TRect h = SliderHRuler, v = SliderVRuler;
    FillShape(bmp, h, RoundRectShape(h.Left + 1, h.Top + 3, h.Right - 1, h.Top + 5, 1), Rgb(190, 196, 205));
    FillShape(bmp, v, RoundRectShape(v.Left + 3, v.Top + 1, v.Left + 5, v.Bottom - 1, 1), Rgb(190, 196, 205));
  }
  DrawBox(bmp, SliderHThumb, {Accent, AccentLight, Accent, 3});
  DrawBox(bmp, SliderVThumb, {Accent, AccentLight, Accent, 3});
  return bmp;
}

// ---- Tabs.
TPixelBitmap DrawTabs() {
  TPixelBitmap bmp(TabsWidth, TabsHeight);
  bmp.Fill(ColorValue(Face));
  FillRect(bmp, {0, 0, TabsWidth, TabNormal.Bottom}, Face);
  auto tab = [&](TRect r, TRgb top, TRgb bottom, TRgb border, bool accent) {
    FillRect(bmp, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, Rgb(204, 208, 215));
    const TShape outer = TopRoundRectShape(r.Left + 1, r.Top + 2, r.Right - 1, r.Bottom, 4);
    const TShape inner = TopRoundRectShape(r.Left + 2, r.Top + 3, r.Right - 2, r.Bottom + 1, 3);
    FillShape(bmp, r, outer, border);
    PaintShape(bmp, r, inner, [&](int, int y) { return Mix(top, bottom, (y - r.Top - 3) / double(r.Height() - 4)); });
    if (accent) FillShape(bmp, r, TopRoundRectShape(r.Left + 2, r.Top + 3, r.Right - 2, r.Top + 5, 2), Accent);
  };
  tab(TabNormal, Rgb(246, 247, 249), Rgb(234, 237, 241), BorderLight, false);
  tab(TabActive, White, Rgb(248, 249, 250), Rgb(190, 196, 205), true);
  tab(TabFocus, White, Rgb(248, 249, 250), Rgb(126, 164, 220), true);
  tab(TabMouseIn, Rgb(250, 252, 255), Rgb(232, 240, 252), AccentPaleBorder, false);
  {
    const TRect r = TabsBackground;
    FillRect(bmp, r, Face);
    FillRect(bmp, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, Rgb(204, 208, 215));
  }
  {  // The page under the tabs: an open top edge that continues the tab line.
    const TRect r = TabPage;
    DrawBox(bmp, r, {Rgb(204, 208, 215), Rgb(248, 249, 250), Rgb(248, 249, 250), 3});
    FillRect(bmp, {r.Left + 1, r.Top, r.Right - 1, r.Top + 1}, Rgb(204, 208, 215));
  }
  return bmp;
}

// Every pixel of a colour picture in the theme's colours. Masks stay black and white.
void Recolour(TSkinPicture& picture, const TSkinTheme& theme) {
  if (!theme.Dark || picture.BitsPerPixel == 1) return;
  TPixelBitmap& bmp = picture.Pixels;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) PutRgb(bmp, x, y, ThemeColour(theme, GetRgb(bmp, x, y)));
}

}  // namespace

TQuillonArt DrawQuillonArt(const TSkinTheme& theme) {
  auto Pic = [](std::string name, int bits, TPixelBitmap pixels, std::vector<TRect> exact = {}) {
    return TSkinPicture{std::move(name), bits, std::move(pixels), std::move(exact)};
  };
  TQuillonArt art;
  art.Main = Pic("frame.bmp", 24, DrawMainPicture(theme.WindowCornerRadius));
  art.Mask = Pic("framemask.bmp", 1, DrawMask(MainWidth, MainHeight, WindowShape(theme.WindowCornerRadius)));
  art.Active.push_back(Pic("controls.bmp", 8, DrawControls()));
  art.Active.push_back(Pic("menuitem.bmp", 24, DrawMenuItems()));
  // The first frame of each caption button is its normal look on the caption, and the first
  // system-menu frame repeats pixels of the frame picture: those keep their exact colours.
  art.Active.push_back(Pic("captionbuttons.bmp", 8, DrawCaptionButtons(art.Main.Pixels),
                        {Bounds(SysMenuStrip.Left, SysMenuStrip.Top, SysMenuRect.Width(), SysMenuRect.Height()),
                         CaptionFrame(CaptionRowClose), CaptionFrame(CaptionRowMax), CaptionFrame(CaptionRowMin),
                         CaptionFrame(CaptionRowRollUp), CaptionFrame(CaptionRowTray)}));
  art.Active.push_back(Pic("popup.bmp", 24, DrawPopup()));
  art.Active.push_back(Pic("popupmask.bmp", 1, DrawMask(PopupSize, PopupSize, RoundRectShape(0, 0, PopupSize, PopupSize, 5))));
  art.Active.push_back(Pic("hint.bmp", 24, DrawHint()));
  art.Active.push_back(Pic("hintmask.bmp", 1, DrawMask(HintWidth, HintHeight, RoundRectShape(0, 0, HintWidth, HintHeight, 5))));
  art.Active.push_back(Pic("menubar.bmp", 8, DrawMenuBar()));
  art.Active.push_back(Pic("pattern.bmp", 4, DrawPattern(PatternHeight)));
  art.Active.push_back(Pic("checks.bmp", 8, DrawChecks()));
  art.Active.push_back(Pic("gauges.bmp", 24, DrawGauges()));
  art.Active.push_back(Pic("tabs.bmp", 24, DrawTabs()));
  // The caption-button strips are drawn from the light frame picture, so the colours change
  // only now, all pictures at once, and equal colours stay equal.
  Recolour(art.Main, theme);
  for (TSkinPicture& picture : art.Active) Recolour(picture, theme);
  return art;
}

std::vector<std::uint32_t> MakePalette(const TPixelBitmap& pixels, int bitsPerPixel,
                                       const std::vector<TRect>& exactAreas) {
  if (bitsPerPixel == 1) return {0x000000u, 0xFFFFFFu};
  const std::size_t limit = std::size_t{1} << bitsPerPixel;
  auto byCount = [&](TRect area) {
    std::map<std::uint32_t, int> counts;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) ++counts[pixels.GetPixel(x, y)];
    std::vector<std::pair<std::uint32_t, int>> sorted(counts.begin(), counts.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    return sorted;
  };
  std::vector<std::uint32_t> palette;
  auto add = [&](std::uint32_t colour) {
    if (palette.size() < limit && std::find(palette.begin(), palette.end(), colour) == palette.end())
      palette.push_back(colour);
  };
  for (const TRect& area : exactAreas) {
    for (const auto& [colour, count] : byCount(area)) {
      add(colour);
      if (std::find(palette.begin(), palette.end(), colour) == palette.end())
        throw EBmpError("the exact areas of a picture have more than " + std::to_string(limit) + " colours");
    }
  }
  for (const auto& [colour, count] : byCount({0, 0, pixels.Width(), pixels.Height()})) add(colour);
  // The colour table always has all 2^bits entries, as indexed BMPs usually do; this also keeps
  // the size of each file a matter of its dimensions alone.
  palette.resize(limit, 0x000000u);
  return palette;
}

std::vector<std::uint8_t> EncodeSkinPicture(const TSkinPicture& picture) {
  if (picture.BitsPerPixel == 24) return EncodeBmp(picture.Pixels, 24);
  const std::vector<std::uint32_t> palette = MakePalette(picture.Pixels, picture.BitsPerPixel, picture.ExactAreas);
  return EncodeBmp(picture.Pixels, picture.BitsPerPixel, palette);
}
