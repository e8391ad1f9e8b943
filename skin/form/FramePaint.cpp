#include "skin/form/FramePaint.h"

#include "framework/CodePage.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/imaging/vnEffects.h"
#include "skin/imaging/vnUtilsCompose.h"

#include "skin/form/ActiveSkinObjects.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>

namespace {

const TPixelBitmap& SourcePicture(const TvnSkinData& skin, const TvnFrameLook& look) {
  return !look.Active && !skin.InActivePicture.IsEmpty() ? skin.InActivePicture : skin.Picture;
}

// Strips, objects and effect for a geometry whose objects are laid out already.
void PaintLaidOutFrame(const TvnSkinData& skin, const TvnFrameSkin& f, TvnFrameObjectList& objects,
                       const TvnFrameLook& look, const TvnFrameGeometry& g,
                       const TvnStripPainterFactory& painterOn, TvnFrameStrips& strips) {
  const int w = look.Width, h = look.Height;
  const TPixelBitmap& picture = SourcePicture(skin, look);
  const TvnFrameStripsMade made = ComposeFrameStrips({f.LeftTopPoint, f.RightTopPoint, f.LeftBottomPoint, f.RightBottomPoint, f.ClientRect},
                     {g.LeftTop, g.RightTop, g.LeftBottom, g.RightBottom, g.Client}, strips.Left,
                     strips.Top, strips.Right, strips.Bottom, picture,
                     Rect(0, 0, picture.Width(), picture.Height()), w, h,
                     TvnStretchFlags{skin.LeftStretch, skin.TopStretch, skin.RightStretch, skin.BottomStretch});
  // A strip this size does not have is empty, not one left from an earlier paint.
  if (!made.Top) strips.Top.SetSize(0, 0);
  if (!made.Bottom) strips.Bottom.SetSize(0, 0);
  if (!made.Left) strips.Left.SetSize(0, 0);
  if (!made.Right) strips.Right.SetSize(0, 0);
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
}

// Appends the bytes of plain values to a key.
class TKeyWriter {
public:
  explicit TKeyWriter(std::vector<std::uint8_t>& key) : FKey(key) { FKey.clear(); }
  template <typename T>
  TKeyWriter& operator<<(const T& value) {
    static_assert(std::is_trivially_copyable_v<T> && std::has_unique_object_representations_v<T>);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
    FKey.insert(FKey.end(), bytes, bytes + sizeof value);
    return *this;
  }
  TKeyWriter& operator<<(bool value) { return *this << static_cast<std::uint8_t>(value); }
  TKeyWriter& operator<<(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return *this << bits;
  }
  TKeyWriter& operator<<(const void* pointer) { return *this << reinterpret_cast<std::uintptr_t>(pointer); }
  TKeyWriter& operator<<(TPoint p) { return *this << p.X << p.Y; }
  TKeyWriter& operator<<(const TRect& r) { return *this << r.Left << r.Top << r.Right << r.Bottom; }
  TKeyWriter& operator<<(std::u16string_view text) {
    *this << text.size();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    FKey.insert(FKey.end(), bytes, bytes + text.size() * sizeof(char16_t));
    return *this;
  }

private:
  std::vector<std::uint8_t>& FKey;
};

// Everything the composed frame depends on, laid out after the objects: the look, the skin's
// pictures and geometry, and what each visible object draws. False when the frame cannot be
// kept (a visible user object, painted by the application).
bool WriteFrameKey(std::vector<std::uint8_t>& key, const TvnSkinData& skin, const TvnFrameSkin& f,
                   const TvnFrameObjectList& objects, const TvnFrameLook& look,
                   const TvnFrameGeometry& g) {
  TKeyWriter k(key);
  const TPixelBitmap& picture = SourcePicture(skin, look);
  k << look.Width << look.Height << look.Active << look.RenderInactive << look.ShowIcon
    << look.SmallIconSize;
  k << &skin << picture.Bytes().data() << picture.Width() << picture.Height()
    << static_cast<int>(skin.InActiveEffect) << skin.LeftStretch << skin.TopStretch
    << skin.RightStretch << skin.BottomStretch;
  k << f.LeftTopPoint << f.RightTopPoint << f.LeftBottomPoint << f.RightBottomPoint << f.ClientRect
    << g.Client << g.Caption << g.Buttons;
  bool hostWritten = false;
  for (const auto& o : objects.Objects()) {
    if (!o->ObjectVisible) {
      k << std::uint8_t{0};
      continue;
    }
    if (o->Kind() == TvnObjectKind::User) return false;
    if (!hostWritten) {
      const TvnFrameObjectHost& host = o->OwnerForm();
      k << host.IsFormActive() << host.AutoRenderInactive() << static_cast<int>(host.WindowState())
        << host.RolledUp() << host.ShowIcon() << host.CaptionCharset()
        << std::u16string_view(host.CaptionText());
      hostWritten = true;
    }
    k << std::uint8_t{1} << static_cast<int>(o->Kind()) << o->ObjectRect << o->ObjectEnabled
      << o->ActiveLook << o->MouseInside << o->MorphFactor << o->FramePicture << o->StatePicture
      << o->NormalInStatePicture;
    if (const auto* a = dynamic_cast<const TvnSkinAnimateObject*>(o.get())) k << a->CurrentFrame;
    if (const auto* b = dynamic_cast<const TvnSkinButtonObject*>(o.get())) k << b->IsDown;
    if (const auto* b = dynamic_cast<const TvnSkinStdButtonObject*>(o.get()))
      k << b->InRestoreState() << b->ShowsFormIcon() << b->FromSkin;
  }
  return true;
}

}  // namespace

TvnFrameGeometry ComposeSkinFrame(const TvnSkinData& skin, const TvnFrameSkin& f,
                                  TvnFrameObjectList& objects, const TvnFrameLook& look,
                                  const TvnStripPainterFactory& painterOn, TvnFrameStrips& strips) {
  const TvnFrameGeometry g = CalcFrameGeometry(f, look.Width, look.Height);
  objects.LayoutObjects(f, g, look.ShowIcon, look.SmallIconSize);
  PaintLaidOutFrame(skin, f, objects, look, g, painterOn, strips);
  return g;
}

const TvnFrameStrips& TvnFramePaintCache::Compose(const TvnSkinData& skin, const TvnFrameSkin& f,
                                                  TvnFrameObjectList& objects,
                                                  const TvnFrameLook& look,
                                                  const TvnStripPainterFactory& painterOn,
                                                  TvnFrameGeometry& geometry) {
  geometry = CalcFrameGeometry(f, look.Width, look.Height);
  objects.LayoutObjects(f, geometry, look.ShowIcon, look.SmallIconSize);
  const bool keep = !look.Active && WriteFrameKey(FNextKey, skin, f, objects, look, geometry);
  if (keep && !FKey.empty() && FNextKey == FKey) return FStrips;
  FKey.clear();  // nothing is kept while the strips are being drawn
  PaintLaidOutFrame(skin, f, objects, look, geometry, painterOn, FStrips);
  ++FComposeCount;
  if (keep) FKey.swap(FNextKey);
  return FStrips;
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

// What the client background is tiled from: the skin's picture number bgpictureindex, else the
// clientrect piece of its main picture, made in piece (what of it lies off the picture stays
// black). Null for the face colour: no skin, or a skin with neither; faceOnly then says that
// the skin's client rectangle is empty, which also shows no logo.
const TPixelBitmap* ClientTile(const TvnSkinData* skin, TPixelBitmap& piece, bool& faceOnly) {
  faceOnly = false;
  if (skin == nullptr) return nullptr;
  const int index = skin->BGPictureIndex;
  if (index >= 0 && index < static_cast<int>(skin->ActivePictures.size()))
    return &skin->ActivePictures[static_cast<std::size_t>(index)];
  if (skin->ClientRect.IsEmpty()) {
    faceOnly = true;
    return nullptr;
  }
  const TRect c = skin->ClientRect;
  piece.SetSize(c.Width(), c.Height());
  CopyPixels(ViewOf(skin->Picture), c.Left, c.Top, c.Width(), c.Height(), piece.View(), 0, 0);
  return &piece;
}

}  // namespace

TPixelBitmap ComposeClientBackground(const TvnSkinData* skin, int width, int height,
                                     std::uint32_t faceColour, const TvnLogo& logo) {
  TPixelBitmap result(std::max(0, width), std::max(0, height));
  if (result.IsEmpty()) return result;
  TPixelBitmap piece;
  bool faceOnly = false;
  const TPixelBitmap* tile = ClientTile(skin, piece, faceOnly);
  if (tile == nullptr || tile->IsEmpty()) result.Fill(faceColour);
  else TilePixels2D(ViewOf(*tile), Rect(0, 0, tile->Width(), tile->Height()), result.View(),
                    Rect(0, 0, width, height));
  if (!faceOnly) DrawLogo(result, logo);
  return result;
}

std::optional<std::uint32_t> ClientBackgroundColour(const TvnSkinData* skin, std::uint32_t faceColour,
                                                    const TvnLogo& logo) {
  TPixelBitmap piece;
  bool faceOnly = false;
  const TPixelBitmap* tile = ClientTile(skin, piece, faceOnly);
  if (!faceOnly && logo.Picture != nullptr && !logo.Picture->IsEmpty()) return std::nullopt;
  if (tile == nullptr || tile->IsEmpty()) return faceColour;
  const TPixelView view = ViewOf(*tile);
  const std::uint8_t* first = view.ScanLine(0);
  const std::size_t rowBytes = static_cast<std::size_t>(view.Width) * 3;
  for (int y = 0; y < view.Height; ++y) {
    const std::uint8_t* row = view.ScanLine(y);
    for (std::size_t i = 0; i < rowBytes; i += 3)
      if (std::memcmp(row + i, first, 3) != 0) return std::nullopt;
  }
  return tile->GetPixel(0, 0);
}

TPixelBitmap ComposeMdiClientBackground(const TvnSkinData* skin, int width, int height,
                                        std::uint32_t workspaceColour, std::uint32_t faceColour,
                                        const TvnLogo& logo) {
  TPixelBitmap result(std::max(0, width), std::max(0, height));
  if (result.IsEmpty()) return result;
  if (skin == nullptr || skin->SkinEmpty) {
    result.Fill(workspaceColour);
    DrawLogo(result, logo);
    return result;
  }
  const int index = skin->MDIBGPictureIndex;
  if (index < 0 || index >= static_cast<int>(skin->ActivePictures.size()) ||
      skin->ActivePictures[static_cast<std::size_t>(index)].IsEmpty())
    return ComposeClientBackground(skin, width, height, faceColour, logo);
  const TPixelBitmap& tile = skin->ActivePictures[static_cast<std::size_t>(index)];
  TilePixels2D(ViewOf(tile), Rect(0, 0, tile.Width(), tile.Height()), result.View(), Rect(0, 0, width, height));
  DrawLogo(result, logo);
  return result;
}

const TPixelBitmap& TvnMdiBackgroundCache::Compose(const TvnSkinData* skin, int width, int height,
                                                   std::uint32_t workspaceColour, std::uint32_t faceColour,
                                                   const TvnLogo& logo) {
  static const TPixelBitmap kNoLogo;
  const TPixelBitmap& shownLogo = logo.Picture != nullptr ? *logo.Picture : kNoLogo;
  if (FKept && skin == FSkin && width == FWidth && height == FHeight && workspaceColour == FWorkspaceColour &&
      faceColour == FFaceColour && logo.Transparent == FLogoTransparent && shownLogo == FLogo)
    return FBackground;
  FBackground = ComposeMdiClientBackground(skin, width, height, workspaceColour, faceColour, logo);
  ++FComposeCount;
  FKept = true;
  FSkin = skin;
  FWidth = width;
  FHeight = height;
  FWorkspaceColour = workspaceColour;
  FFaceColour = faceColour;
  FLogo = shownLogo;
  FLogoTransparent = logo.Transparent;
  return FBackground;
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
