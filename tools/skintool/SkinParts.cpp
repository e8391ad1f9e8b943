#include "tools/skintool/SkinParts.h"

#include <charconv>

#include "framework/Bmp.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataObjects.h"
#include "skin/data/vnSkinDataScale.h"

namespace {

bool ParseDimension(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value > 0;
}

}  // namespace

TvnSkinData& ScaledSkin(const TArgs& args, const TLoadedSkin& skin) {
  const std::string* text = args.Value("--scale");
  if (!text) return *skin.Data;
  // The factor as a whole part and up to six decimals, worked out in integers so that "1.5"
  // is exactly 144 DPI.
  long long whole = 0, fraction = 0, unit = 1;
  const std::size_t dot = text->find('.');
  const std::string wholeText = text->substr(0, dot);
  const std::string fractionText = dot == std::string::npos ? "" : text->substr(dot + 1);
  const auto digits = [](const std::string& t) {
    return t.find_first_not_of("0123456789") == std::string::npos;
  };
  if (wholeText.empty() || wholeText.size() > 2 || !digits(wholeText) || fractionText.size() > 6 ||
      !digits(fractionText) || (dot != std::string::npos && fractionText.empty()))
    UsageError("--scale takes a factor such as 1.5 or 2");
  whole = std::stoll(wholeText);
  for (char c : fractionText) {
    fraction = fraction * 10 + (c - '0');
    unit *= 10;
  }
  const long long numerator = (whole * unit + fraction) * kSkinDesignDpi;
  if (numerator % unit != 0) UsageError("--scale " + *text + " is no whole DPI (96 times the factor)");
  const long long dpi = numerator / unit;
  if (dpi < kSkinMinDpi || dpi > kSkinMaxDpi) UsageError("--scale takes a factor from 0.5 to 5");
  return skin.Data->AtDpi(static_cast<int>(dpi));
}

TSize ParseSize(const TArgs& args) {
  const std::string* text = args.Value("--size");
  if (!text) UsageError("--size WxH is required");
  const std::size_t x = text->find('x');
  TSize size;
  if (x == std::string::npos || !ParseDimension(text->substr(0, x), size.W) ||
      !ParseDimension(text->substr(x + 1), size.H))
    UsageError("--size must be WxH with two positive whole numbers, not \"" + *text + "\"");
  if (size.W > BmpMaxDimension || size.H > BmpMaxDimension ||
      static_cast<std::int64_t>(size.W) * size.H > BmpMaxPixels)
    SkinError("--size " + *text + " is above the limits (" + std::to_string(BmpMaxDimension) +
              " per side, " + std::to_string(BmpMaxPixels) + " pixels)");
  return size;
}

TSkinPart ParsePart(const TArgs& args) {
  const std::string* part = args.Value("--part");
  if (!part || *part == "frame") return TSkinPart::Frame;
  if (*part == "popup") return TSkinPart::Popup;
  if (*part == "hint") return TSkinPart::Hint;
  UsageError("--part must be frame, popup or hint, not \"" + *part + "\"");
}

TPartGeometry WindowPart(const TvnSkinData& data, TSkinPart part) {
  TPartGeometry g;
  if (part == TSkinPart::Popup && data.PopupWindowInfo) {
    const TvnDataSkinPopupWindow& d = *data.PopupWindowInfo;
    g.Picture = ActivePicture(&data, d.WindowPictureIndex);
    g.Mask = ActivePicture(&data, d.MaskPictureIndex);
    g.Points = {d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint, d.ItemsRect};
    g.Stretch = {d.LeftStretch, d.TopStretch, d.RightStretch, d.BottomStretch};
  } else if (part == TSkinPart::Hint && data.HintWindowInfo) {
    const TvnDataSkinHintWindow& d = *data.HintWindowInfo;
    g.Picture = ActivePicture(&data, d.WindowPictureIndex);
    g.Mask = ActivePicture(&data, d.MaskPictureIndex);
    g.Points = {d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint, d.ClientRect};
    g.Stretch = {d.LeftStretch, d.TopStretch, d.RightStretch, d.BottomStretch};
  }
  if (!g.Picture)
    SkinError(std::string("the skin's ") + (part == TSkinPart::Popup ? "POPUPWINDOW" : "HINTWINDOW") +
              " section names no window picture");
  g.SW = g.Picture->Width();
  g.SH = g.Picture->Height();
  return g;
}
