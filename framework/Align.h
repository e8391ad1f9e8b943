#pragma once
// Aligned controls: a control aligned to an edge of its parent's client area keeps its own
// thickness and takes the whole length of that edge; what the aligned controls leave free is
// the area a client-aligned control fills (and where a multi-document parent keeps its
// children). Portable, so the layout rules are tested without windows.
#include "framework/Geometry.h"

#include <vector>

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct TAlignedControl {
  TAlign Align = TAlign::alNone;
  bool Visible = true;
  TRect Bounds;  // in the parent's client coordinates
};

// The new bounds of every control (unaligned and hidden ones unchanged) for a client area of
// the given size: top-aligned controls first, one under the other in list order, then
// bottom-aligned ones from the bottom up, then left and right in the band between, then
// client-aligned ones over what is left. Sizes never go below zero.
std::vector<TRect> AlignControlBounds(int clientWidth, int clientHeight,
                                      const std::vector<TAlignedControl>& controls);

// The area the aligned controls leave free: left is the largest right edge of the visible
// left-aligned controls (else 0), top the largest bottom edge of the top-aligned ones, right
// the smallest left edge of the right-aligned ones (else the client width), bottom the
// smallest top of the bottom-aligned ones (else the client height).
TRect FreeClientArea(int clientWidth, int clientHeight, const std::vector<TAlignedControl>& controls);
