#pragma once
// Draws every picture of the Quillon skin. The pictures are plain pixel bitmaps here; the
// program that writes the skin encodes them at their bit depth (EncodeSkinPicture).
#include "framework/Geometry.h"
#include "framework/PixelBitmap.h"

#include <cstdint>
#include <string>
#include <vector>

struct TSkinPicture {
  std::string FileName;
  int BitsPerPixel = 24;
  TPixelBitmap Pixels;
  // Areas of an indexed picture whose colours must all be kept exactly (their colours enter the
  // palette first): looks that have to match pixels of another picture.
  std::vector<TRect> ExactAreas;
};

struct TQuillonArt {
  TSkinPicture Main;    // the frame, 191 x 135, 24 bpp
  TSkinPicture Mask;    // the window shape, 191 x 135, 1 bpp (black inside)
  std::vector<TSkinPicture> Active;  // the twelve active pictures, in container order
};

struct TSkinTheme;
// Every picture of the skin, in the theme's colours and window shape.
TQuillonArt DrawQuillonArt(const TSkinTheme& theme);

// The palette an indexed picture is written with: the colours of the exact areas, then the
// other colours by how often they occur (most frequent first, ties by colour value), at most
// 2^bits of them, padded with black to 2^bits
// entries; a 1-bit picture is always black and white. Colours that do not fit take the nearest
// palette colour when encoded.
std::vector<std::uint32_t> MakePalette(const TPixelBitmap& pixels, int bitsPerPixel,
                                       const std::vector<TRect>& exactAreas = {});

// The picture as a BMP file at its bit depth.
std::vector<std::uint8_t> EncodeSkinPicture(const TSkinPicture& picture);
