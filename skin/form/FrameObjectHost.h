#pragma once
// The two faces the frame objects see of the world: the surface they paint on
// (TvnFramePainter) and the form that owns them (TvnFrameObjectHost). The form implements both
// over the platform; tests implement them with recorders, so the objects' behaviour is checked
// without a window.
#include "framework/Geometry.h"
#include "framework/PixelBitmap.h"
#include "skin/data/vnSkinTypes.h"
#include "skin/form/VeneerFormCommands.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The platform's headers may define TextOut as a macro; the painter's method keeps its name.
#ifdef TextOut
#undef TextOut
#endif

class TvnActiveSkinObject;
class TMenuItem;  // the framework's menu item; only pointed to here

// The small glyphs of the default caption buttons.
enum class TvnGlyph { Close, Maximize, Restore, Minimize, SysMenu, RollUp, RollDown, Tray };

// A font as the skin describes it.
struct TvnTextFont {
  std::u16string Name;
  int Height = 14;       // as the skin gives it (character height in pixels)
  TFontStyles Style = 0;
  TColor Color = 0;
  int Charset = 1;
};

enum class TvnMouseButton { Left, Right, Middle };

// A drawing surface: a frame strip, the window, or a temporary bitmap.
class TvnFramePainter {
public:
  virtual ~TvnFramePainter() = default;
  // Copies source of picture to target, stretched (nearest pixel) when the sizes differ.
  virtual void DrawPicture(const TPixelBitmap& picture, const TRect& source,
                           const TRect& target) = 0;
  // Paints a whole bitmap with its top-left corner at (x, y).
  virtual void DrawBitmap(const TPixelBitmap& bitmap, int x, int y) = 0;
  // Colours may be system colours (clBtnFace, ...); the painter resolves them.
  virtual void FillRect(const TRect& rect, TColor colour) = 0;
  virtual void FrameRect(const TRect& rect, TColor colour) = 0;
  virtual void DrawGlyph(TvnGlyph glyph, int x, int y, TColor colour) = 0;
  // Text is always written on a transparent background.
  virtual void SetFont(const TvnTextFont& font) = 0;
  virtual void SetTextColor(TColor colour) = 0;
  virtual TPoint TextExtent(std::u16string_view text) = 0;  // width, height
  virtual void TextOut(int x, int y, std::u16string_view text) = 0;
  // A painter over a bitmap of ours (for looks composed before they are painted).
  virtual std::unique_ptr<TvnFramePainter> PainterOn(TPixelBitmap& bitmap) = 0;
};

// What a frame object asks of the form that owns it.
class TvnFrameObjectHost {
public:
  virtual ~TvnFrameObjectHost() = default;

  virtual bool IsFormActive() const = 0;
  virtual bool AutoRenderInactive() const = 0;
  virtual TvnWindowState WindowState() const = 0;
  virtual bool RolledUp() const = 0;
  virtual bool ShowIcon() const = 0;
  virtual bool AlwaysMinimizeToTray() const = 0;
  virtual TPoint SmallIconSize() const = 0;

  // Repaints one object straight onto the window.
  virtual void RedrawObject(TvnActiveSkinObject& object) = 0;
  virtual void StartMorphTimer() = 0;
  virtual void StartAnimationTimer() = 0;

  // Window commands.
  virtual void CloseWindow() = 0;
  virtual void ChangeWindowState(TvnWindowState state) = 0;
  virtual void SetRollUp(bool on) = 0;
  virtual void HideToTray() = 0;
  virtual TMenuItem* GetSystemMenuItems() = 0;
  virtual void PopupObjectMenu(TvnActiveSkinObject& object, TMenuItem* item, bool upward) = 0;

  // Painting help.
  virtual void DrawFormIcon(TvnFramePainter& painter, int x, int y) = 0;
  virtual std::u16string CaptionText() const = 0;
  // The caption font's character set when the skin gives none.
  virtual int CaptionCharset() const = 0;
  // Morphs normal toward active by factor (0..1) with the given kind, in place.
  virtual void Morph(TPixelBitmap& normal, const TPixelBitmap& active, TvnMorphKind kind,
                     double factor) = 0;
  // Applies the skin's inactive effect in place.
  virtual void ApplyInactiveEffect(TPixelBitmap& bitmap) = 0;
  // The skin's left-top and right-top corner points' x (the caption's fixed ends).
  virtual int SkinLeftTopX() const = 0;
  virtual int SkinRightTopX() const = 0;

  // Object events for the application.
  virtual void FirePaintEvent(const std::string& id, TvnFramePainter& painter, const TRect& rect) = 0;
  virtual void FireMouseEnter(const std::string& id) = 0;
  virtual void FireMouseLeave(const std::string& id) = 0;
  virtual void FireMouseDown(const std::string& id, int x, int y, const TRect& rect,
                             TvnMouseButton button) = 0;
  virtual void FireMouseUp(const std::string& id, int x, int y, const TRect& rect,
                           TvnMouseButton button) = 0;
  virtual void FireMouseMove(const std::string& id, int x, int y, const TRect& rect) = 0;
};

// Shortens text with "..." until it fits width on the painter's current font; the text itself
// when it fits. Removes one character at a time, never splitting a surrogate pair.
std::u16string EllipsisText(TvnFramePainter& painter, std::u16string_view text, int width);
