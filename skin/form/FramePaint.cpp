#include "skin/form/FramePaint.h"

#include "framework/CodePage.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/imaging/vnEffects.h"
#include "skin/imaging/vnUtilsCompose.h"

#include <algorithm>
#include <utility>

TvnFrameGeometry ComposeSkinFrame(const TvnSkinData& skin, const TvnFrameSkin& f,
                                  TvnFrameObjectList& objects, const TvnFrameLook& look,
                                  const TvnStripPainterFactory& painterOn, TvnFrameStrips& strips) {
  const int w = look.Width, h = look.Height;
  const TvnFrameGeometry g = CalcFrameGeometry(f, w, h);
  objects.LayoutObjects(f, g, look.ShowIcon, look.SmallIconSize);

  const TPixelBitmap& picture =
      !look.Active && !skin.InActivePicture.IsEmpty() ? skin.InActivePicture : skin.Picture;
  ComposeFrameStrips({f.LeftTopPoint, f.RightTopPoint, f.LeftBottomPoint, f.RightBottomPoint, f.ClientRect},
                     {g.LeftTop, g.RightTop, g.LeftBottom, g.RightBottom, g.Client}, strips.Left,
                     strips.Top, strips.Right, strips.Bottom, picture,
                     Rect(0, 0, picture.Width(), picture.Height()), w, h,
                     TvnStretchFlags{skin.LeftStretch, skin.TopStretch, skin.RightStretch, skin.BottomStretch});
  {
    std::unique_ptr<TvnFramePainter> top, bottom;
    for (auto& o : objects.Objects()) {
      if (!o->ObjectVisible) continue;
      const bool below = o->ObjectRect.Bottom > g.Client.Top;
      std::unique_ptr<TvnFramePainter>& painter = below ? bottom : top;
      if (!painter) {
        painter = below ? painterOn(strips.Bottom, {0, g.Client.Bottom}) : painterOn(strips.Top, {0, 0});
        if (!painter) continue;
      }
      o->Draw(*painter, false);
    }
  }  // the painters hand their pixels back here
  if (!look.Active && look.RenderInactive) {
    for (TPixelBitmap* strip : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right}) {
      if (strip->IsEmpty()) continue;
      TvnEffectBmp effect(std::move(*strip));
      effect.ApplyInactiveEffect(skin.InActiveEffect);
      *strip = std::move(effect).Release();
    }
  }
  return g;
}

TPoint LogoPosition(int width, int height, int logoWidth, int logoHeight) {
  return {std::max(0, width / 2 - logoWidth / 2), std::max(0, height / 2 - logoHeight / 2)};
}

namespace {

void DrawLogo(TPixelBitmap& target, const TvnLogo& logo) {
  if (logo.Picture == nullptr || logo.Picture->IsEmpty()) return;
  const TPixelBitmap& p = *logo.Picture;
  const TPoint at = LogoPosition(target.Width(), target.Height(), p.Width(), p.Height());
  if (!logo.Transparent) {
    CopyPixels(ViewOf(p), 0, 0, p.Width(), p.Height(), target.View(), at.X, at.Y);
    return;
  }
  const std::uint32_t key = p.GetPixel(0, p.Height() - 1);
  const int rows = std::min(p.Height(), target.Height() - at.Y);
  const int columns = std::min(p.Width(), target.Width() - at.X);
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x) {
      const std::uint32_t c = p.GetPixel(x, y);
      if (c != key) target.SetPixel(at.X + x, at.Y + y, c);
    }
}

}  // namespace

TPixelBitmap ComposeClientBackground(const TvnSkinData* skin, int width, int height,
                                     std::uint32_t faceColour, const TvnLogo& logo) {
  TPixelBitmap result(std::max(0, width), std::max(0, height));
  if (result.IsEmpty()) return result;
  TPixelBitmap piece;
  const TPixelBitmap* tile = nullptr;
  if (skin != nullptr) {
    const int index = skin->BGPictureIndex;
    if (index >= 0 && index < static_cast<int>(skin->ActivePictures.size())) {
      tile = &skin->ActivePictures[static_cast<std::size_t>(index)];
    } else if (!skin->ClientRect.IsEmpty()) {
      // The piece as a bitmap of its own: what of it lies off the picture stays black.
      const TRect c = skin->ClientRect;
      piece.SetSize(c.Width(), c.Height());
      CopyPixels(ViewOf(skin->Picture), c.Left, c.Top, c.Width(), c.Height(), piece.View(), 0, 0);
      tile = &piece;
    } else {
      result.Fill(faceColour);
      return result;  // an empty client rectangle: the plain face, no logo
    }
  }
  if (tile == nullptr || tile->IsEmpty()) result.Fill(faceColour);
  else TilePixels2D(ViewOf(*tile), Rect(0, 0, tile->Width(), tile->Height()), result.View(),
                    Rect(0, 0, width, height));
  DrawLogo(result, logo);
  return result;
}

int CaptionTextCharset(const TvnSkinData* skinData, int fontCharset) {
  if (skinData != nullptr && skinData->ResourceStrData() != nullptr) return skinData->ResourceStrData()->CharSet();
  return fontCharset;
}

TvnTextFont DefaultCaptionTextFont(const TFontDesc& f, const TvnSkinData* skinData) {
  TvnTextFont font;
  font.Name = Utf8ToUtf16(f.Name);
  font.Height = f.Height;
  font.Style = static_cast<TFontStyles>(f.Style);
  font.Color = f.Color;
  font.Charset = CaptionTextCharset(skinData, f.Charset);
  return font;
}
