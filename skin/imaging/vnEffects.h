#pragma once
// TvnEffectBmp: a 24-bit picture whose pixels are changed directly, with the six inactive-look
// effects and the seven morphs (transitions from a normal to an active picture). Every channel
// result is rounded to the nearest integer with ties to even and, where the operation says so,
// clamped to 0..255. The Win32 half (vnEffects_win.h) makes one from a bitmap handle and paints
// it onto a device context.
#include <cstdint>
#include <utility>

#include "framework/PixelBitmap.h"

class TvnEffectBmp {
public:
  // A blank picture of the given size (black).
  TvnEffectBmp(int width, int height);
  // A copy of a picture.
  explicit TvnEffectBmp(const TPixelView& picture);
  // Takes a picture over without copying it; Release gives it back.
  explicit TvnEffectBmp(TPixelBitmap&& picture) : FBitmap(std::move(picture)) {}
  TPixelBitmap Release() && { return std::move(FBitmap); }

  int Width() const { return FBitmap.Width(); }
  int Height() const { return FBitmap.Height(); }
  // height x (3 x width + width mod 4) bytes
  int ImageSize() const { return FBitmap.Height() * FBitmap.Stride(); }
  TPixelView View() { return FBitmap.View(); }
  const TPixelBitmap& Bitmap() const { return FBitmap; }

  // One pixel as a platform colour value 0x00BBGGRR.
  std::uint32_t ReadPixel(int x, int y) const { return FBitmap.GetPixel(x, y); }
  void WritePixel(int x, int y, std::uint32_t colour) { FBitmap.SetPixel(x, y, colour); }
  // One row of 3 x width bytes, blue-green-red.
  void ReadRow(int y, std::uint8_t* buffer) const;
  void WriteRow(int y, const std::uint8_t* buffer);
  std::uint8_t* RowAddress(int y) { return FBitmap.ScanLine(y); }
  // Writes this picture upside down into other (same size only).
  void FlipRowsInto(TvnEffectBmp& other) const;

  // Effects.
  void Lighten(double amount);
  void Darken(double amount);
  void ToGray();
  void AddRandomNoise(int amount);
  void DiagonalBlur(int distance);
  void InvertColors();
  // The inactive effect by the skin's index ("iebrightness" 0, "iedarkness" 1, "iegrayscale" 2,
  // "ienoise" 3, "iesplitblur" 4, "ieinvert" 5) with the amounts the frame uses; other indexes
  // change nothing.
  void ApplyInactiveEffect(int effect);

  // Morphs: this picture (the normal one) is changed toward other (the active one) by kf.
  // Pictures of different sizes are left unchanged. kf outside 0..1 counts as the nearer end.
  void BlendTo(const TvnEffectBmp& other, double kf);
  void CenterWipeTo(const TvnEffectBmp& other, double kf);
  void LeftWipeTo(const TvnEffectBmp& other, double kf);
  void RightWipeTo(const TvnEffectBmp& other, double kf);
  void SlideInFromLeft(const TvnEffectBmp& other, double kf);
  void SlideInFromRight(const TvnEffectBmp& other, double kf);
  void PushInFromLeft(const TvnEffectBmp& other, double kf);
  // The morph by the skin's index ("mkdefault" 0, "mkgradient" 1, "mkleftgradient" 2,
  // "mkrightgradient" 3, "mkleftslide" 4, "mkrightslide" 5, "mkpush" 6); others change nothing.
  void Morph(int kind, const TvnEffectBmp& other, double kf);

private:
  bool SameSize(const TvnEffectBmp& other) const {
    return other.Width() == Width() && other.Height() == Height();
  }
  void CenterWipeColumns(const TvnEffectBmp& other, double kf);
  void CenterWipeRows(const TvnEffectBmp& other, double kf);
  TPixelBitmap FBitmap;
};
