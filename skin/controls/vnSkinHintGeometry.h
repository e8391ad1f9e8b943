#pragma once
// The arithmetic of the skinned hint window, without a window: its size for a text, where it
// goes near the screen's edges, and how far below the cursor's hot spot the cursor's picture
// reaches (read from the bytes of its monochrome mask).
#include <cstdint>
#include <span>

#include "framework/Geometry.h"

struct TvnHintSize {
  int W = 0;
  int H = 0;
  friend bool operator==(const TvnHintSize&, const TvnHintSize&) = default;
};

// Without a skin: the text's extent and two pixels on every side.
TvnHintSize PlainHintSize(TvnHintSize text);

// With a skin picture of PW x PH whose text area is client: the text's extent and the
// picture's four borders around it, never smaller than the picture itself (so the pieces of
// the frame never overlap).
TvnHintSize SkinHintSize(TvnHintSize text, int PW, int PH, TRect client);

// The hint's bounds for a w x h hint whose top-left corner is wanted at 'at': a hint whose
// right side would pass the screen's width opens to the left of 'at' (moved left by w + 2);
// one whose bottom would pass the screen's height opens above it (moved up by h + 2).
TRect PlaceHintRect(TPoint at, TvnHintSize size, int screenW, int screenH);

// A cursor's monochrome mask, top row first: rows of 'stride' bytes (1 bit per pixel, padding
// at each row's end), width x height pixels. A colour cursor's mask is its AND mask only
// (height = width); a monochrome cursor's is twice as tall, the AND mask above the XOR mask.
struct TvnCursorMask {
  std::span<const std::uint8_t> Bits;
  int Stride = 0;
  int Width = 0;
  int Height = 0;
};

// Rows of the cursor from its top down to the last row that holds cursor pixels: transparent
// rows (every byte 255) are skipped from the bottom of the AND mask; when the whole AND mask
// is transparent and the mask is at least twice as tall as wide, black rows (every byte 0) of
// the XOR half are skipped from its bottom instead. Only the bytes that hold the row's pixels
// are looked at. 0 for a cursor without pixels.
int CursorPixelRows(const TvnCursorMask& mask);

// How far the hint goes below the cursor position: the cursor's rows below its hot spot
// (never less than 0).
int CursorHeightBelowHotSpot(const TvnCursorMask& mask, int hotSpotY);
