#pragma once
// What render and region share: the --size and --part options and, for each part, the picture
// and geometry it is composed from, taken from the engine's own skin data.
#include <string>

#include "framework/PixelBitmap.h"
#include "skin/imaging/vnUtilsCompose.h"
#include "tools/skintool/Skintool.h"

enum class TSkinPart { Frame, Popup, Hint };

struct TSize {
  int W = 0;
  int H = 0;
};
// "WxH" with two positive integers (a usage error otherwise); sizes past the picture limits are
// a skin error.
TSize ParseSize(const TArgs& args);
TSkinPart ParsePart(const TArgs& args);
// The loaded skin at the factor of --scale (none: the skin as drawn, 1): a decimal factor whose
// DPI, 96 times it, is a whole number from 48 to 480 ("1.5" is 144 DPI, "2" is 192); anything
// else is a usage error. The skin is scaled as the engine scales it for a monitor's DPI.
TvnSkinData& ScaledSkin(const TArgs& args, const TLoadedSkin& skin);

// A part as the engine composes it: the picture, the geometry relative to it, the size the
// target geometry grows from, the stretch flags and, for popup and hint, the mask picture.
struct TPartGeometry {
  const TPixelBitmap* Picture = nullptr;
  const TPixelBitmap* Mask = nullptr;  // none when null
  TvnSkinPoints Points;                // with the client (or items) rectangle
  TvnStretchFlags Stretch;
  int SW = 0, SH = 0;
};
// The popup or hint window part; a skin error when its description names no picture.
TPartGeometry WindowPart(const TvnSkinData& data, TSkinPart part);
