#pragma once
// The pixels of a skinned frame, composed without a window: the geometry for the window's
// size, the objects laid out on it, the four frame strips from the skin picture, every visible
// object drawn onto its strip, and the inactive effect. The Win32 side only paints the result
// onto the window; a benchmark and tests run the very same code natively. Also the client
// background (tiled skin piece or plain face colour) with the logo centred over it.
#include "skin/form/FrameObjectList.h"
#include "framework/Graphics.h"
#include "skin/form/VeneerFormGeometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TvnSkinData;

struct TvnFrameStrips {
  TPixelBitmap Top, Bottom, Left, Right;
};

// What the frame looks like at this moment.
struct TvnFrameLook {
  int Width = 0;
  int Height = 0;
  bool Active = true;          // the form is the active one
  bool RenderInactive = false; // apply the skin's inactive effect when not active
  bool ShowIcon = false;
  TPoint SmallIconSize;
};

// Makes the painter objects draw on a strip with; origin is where the strip's top-left lies in
// window coordinates. The painter must have written everything into the strip when destroyed.
using TvnStripPainterFactory =
    std::function<std::unique_ptr<TvnFramePainter>(TPixelBitmap& strip, TPoint origin)>;

// Lays out the objects and composes the four strips of a look.Width x look.Height frame; the
// inactive picture is used for an inactive form when the skin has one. An object whose
// rectangle reaches below the client's top is drawn on the bottom strip, every other one on the
// top strip (painters are made only for strips that get an object). Returns the geometry.
TvnFrameGeometry ComposeSkinFrame(const TvnSkinData& skin, const TvnFrameSkin& frameSkin,
                                  TvnFrameObjectList& objects, const TvnFrameLook& look,
                                  const TvnStripPainterFactory& painterOn, TvnFrameStrips& strips);

// Keeps the frame's strips from one paint to the next. An inactive frame is the same picture
// until the size, the skin, the caption or the look of an object changes, so it is composed
// (with its inactive effect) once and handed back while nothing it shows has changed; an
// active frame is composed on every paint, into strips kept here so they are not made anew.
// A frame with a visible user object is never kept: the application paints those.
//
// The form keeps one cache and paints with Compose in place of ComposeSkinFrame; it clears
// the cache whenever the skin is replaced or reloaded, the form's icon changes or the system
// colours change (none of which the cache can see).
class TvnFramePaintCache {
public:
  // ComposeSkinFrame into the kept strips, or the strips composed before when the frame is
  // inactive and shows the same as then. The strips stay valid until the next Compose or Clear.
  const TvnFrameStrips& Compose(const TvnSkinData& skin, const TvnFrameSkin& frameSkin,
                                TvnFrameObjectList& objects, const TvnFrameLook& look,
                                const TvnStripPainterFactory& painterOn, TvnFrameGeometry& geometry);
  // Forgets the kept frame: the next paint composes.
  void Clear() { FKey.clear(); }
  // How many paints composed their strips (the rest were handed back).
  int ComposeCount() const { return FComposeCount; }

private:
  TvnFrameStrips FStrips;
  std::vector<std::uint8_t> FKey;  // what the kept inactive frame shows; empty: nothing kept
  std::vector<std::uint8_t> FNextKey;
  int FComposeCount = 0;
};

// The character set of the frame's caption texts: the skin's resource strings carry the one
// their texts are written in, and the captions are drawn with it; without resource strings
// (or without skin data) the caption font's own.
int CaptionTextCharset(const TvnSkinData* skinData, int fontCharset);

// The caption font of the default look from a font property (DefCaptionFont or
// DefInActiveCaptionFont), with the character set chosen as above.
TvnTextFont DefaultCaptionTextFont(const TFontDesc& font, const TvnSkinData* skinData);

// A logo over the client background. Transparent: pixels of the colour of its bottom-left
// pixel are left out.
struct TvnLogo {
  const TPixelBitmap* Picture = nullptr;  // none or empty: no logo
  bool Transparent = false;
};

// Where the logo goes in a client area of width x height: centred, never left of or above 0.
TPoint LogoPosition(int width, int height, int logoWidth, int logoHeight);

// The client background of width x height: with a skin (skin null: none) its picture number
// bgpictureindex, or else the clientrect piece of its main picture, tiled from (0, 0); a skin
// with neither, or no skin, gives the face colour (a skin whose client rectangle is empty shows
// no logo). Then the logo.
TPixelBitmap ComposeClientBackground(const TvnSkinData* skin, int width, int height,
                                     std::uint32_t faceColour, const TvnLogo& logo);
// The one colour that ComposeClientBackground gives throughout, at any size, when it gives one:
// no logo shows and the tile (or the face) is a single colour. Painting it as a plain fill
// spares handing a whole picture of it to the screen.
std::optional<std::uint32_t> ClientBackgroundColour(const TvnSkinData* skin, std::uint32_t faceColour,
                                                    const TvnLogo& logo);

// The background of a multi-document parent's client window, width x height: without a
// (loaded) skin the application-workspace colour, with one its picture number mdibgpictureindex
// tiled from (0, 0), or else the client background above; then the logo.
TPixelBitmap ComposeMdiClientBackground(const TvnSkinData* skin, int width, int height,
                                        std::uint32_t workspaceColour, std::uint32_t faceColour,
                                        const TvnLogo& logo);

// Keeps that background from one erase to the next: composing it tiles the whole client area,
// yet it only changes with the size, the skin, the two colours or the logo. The logo is
// compared by its pixels (a new logo may arrive in the same memory). A skin reloaded or
// rescaled in place keeps its address, which this cannot see: the form clears the cache
// whenever a skin is applied.
class TvnMdiBackgroundCache {
public:
  // ComposeMdiClientBackground, or the background composed before when every input is the
  // same. Valid until the next Compose or Clear.
  const TPixelBitmap& Compose(const TvnSkinData* skin, int width, int height,
                              std::uint32_t workspaceColour, std::uint32_t faceColour,
                              const TvnLogo& logo);
  // Forgets the kept background: the next erase composes.
  void Clear() { FKept = false; }
  // How many calls composed (the rest were handed back).
  int ComposeCount() const { return FComposeCount; }

private:
  TPixelBitmap FBackground;
  bool FKept = false;
  const TvnSkinData* FSkin = nullptr;  // not owned; compared, never followed
  int FWidth = 0;
  int FHeight = 0;
  std::uint32_t FWorkspaceColour = 0;
  std::uint32_t FFaceColour = 0;
  TPixelBitmap FLogo;  // a copy of the logo drawn, empty for none
  bool FLogoTransparent = false;
  int FComposeCount = 0;
};
