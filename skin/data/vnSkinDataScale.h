#pragma once
// A skin drawn at a monitor's DPI. Skins are drawn for 96 DPI; on a monitor at another DPI the
// same skin is multiplied by dpi / 96 as a whole: every picture and mask, every rectangle and
// point that cuts them, every offset and font height. One rounding serves all of them, so the
// pieces a rectangle names in a scaled picture are exactly the pixels its source pixels became.
//
// Rounding: a length v becomes ScaleLength(v, dpi), v * dpi / 96 rounded half away from zero.
// Pictures: source column x covers the scaled columns from ScaleLength(x, dpi) up to
// ScaleLength(x + 1, dpi), the same for rows (nearest-pixel sampling; at whole factors every
// pixel becomes a k x k block, so 2x and 3x are exact). No pixel is ever blended: masks and
// transparent colours keep their exact values.
#include <memory>

#include "framework/DpiScale.h"
#include "framework/Geometry.h"
#include "framework/PixelBitmap.h"

class TvnKeyedSection;
class TvnSkinData;

// The DPI skins are drawn for, and the range a skin is scaled to (96 * 0.5 to 96 * 5).
constexpr int kSkinDesignDpi = kDesignDpi;
constexpr int kSkinMinDpi = 48;
constexpr int kSkinMaxDpi = 480;

// dpi within the range above (0 and other nonsense count as the design DPI).
int ClampSkinDpi(int dpi);
TRect ScaleSkinRect(const TRect& r, int dpi);
TPoint ScaleSkinPoint(const TPoint& p, int dpi);
// The picture at dpi, sampled as above.
TPixelBitmap ScaleSkinPicture(const TPixelBitmap& picture, int dpi);
// Copies every key of source into target (the same class), lengths, rectangles and points
// scaled.
void CopyScaledKeys(const TvnKeyedSection& source, TvnKeyedSection& target, int dpi);
// A new skin data holding source scaled to dpi: no stored skin, no notices, the same resource
// strings.
std::unique_ptr<TvnSkinData> ScaledSkinData(const TvnSkinData& source, int dpi);
