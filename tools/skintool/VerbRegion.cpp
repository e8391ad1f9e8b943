// skintool region SKIN --size WxH [--part frame|popup|hint] [--scale F] [--raw | --component NAME]: prints
// the window region the engine builds for that size, as {"size": [W, H], "rects": [[l, t, r, b],
// ...]} or with "rects": null when the window has no region.
#include <optional>
#include <ostream>

#include "skin/imaging/vnUtilsRegion.h"
#include "tools/skintool/SkinParts.h"

int RunRegion(const std::vector<std::string>& args, std::ostream& out) {
  const TArgs a = ParseArgs(args, {"--component", "--size", "--part", "--scale"}, {"--raw"});
  if (a.Positional.size() != 1) UsageError("expected one SKIN");
  const TSize size = ParseSize(a);
  const TSkinPart part = ParsePart(a);
  const TLoadedSkin skin = LoadSkin(a);
  const TvnSkinData& data = ScaledSkin(a, skin);

  std::optional<std::vector<TRect>> rects;
  if (part == TSkinPart::Frame) {
    // The frame's mask strips around the mask area, as the skinned frame applies them; the
    // geometry grows from the main picture's size.
    if (!data.Mask.IsEmpty() && !data.Picture.IsEmpty()) {
      const TvnSkinPoints points{data.LeftTopPoint, data.RightTopPoint, data.LeftBottomPoint,
                                 data.RightBottomPoint, data.MaskRectArea};
      rects = FrameRegionRects(points,
                               ShiftSkinPoints(points, data.Picture.Width(), data.Picture.Height(), size.W, size.H),
                               ViewOf(data.Mask), size.W, size.H);
    }
  } else {
    const TPartGeometry g = WindowPart(data, part);
    if (g.Mask)
      rects = FrameRegionRects(g.Points, ShiftSkinPoints(g.Points, g.SW, g.SH, size.W, size.H), ViewOf(*g.Mask),
                               size.W, size.H);
  }

  out << "{\"size\": [" << size.W << ", " << size.H << "], \"rects\": ";
  if (!rects) {
    out << "null";
  } else {
    out << "[";
    for (std::size_t i = 0; i < rects->size(); ++i) {
      const TRect& r = (*rects)[i];
      out << (i ? ", " : "") << "[" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << "]";
    }
    out << "]";
  }
  out << "}\n";
  return ExitOk;
}
