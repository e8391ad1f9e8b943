#include "framework/Align.h"

#include <algorithm>

std::vector<TRect> AlignControlBounds(int clientWidth, int clientHeight,
                                      const std::vector<TAlignedControl>& controls) {
  std::vector<TRect> out;
  out.reserve(controls.size());
  for (const TAlignedControl& c : controls) out.push_back(c.Bounds);
  TRect free{0, 0, std::max(0, clientWidth), std::max(0, clientHeight)};
  auto place = [&](TAlign kind, auto&& fit) {
    for (std::size_t i = 0; i < controls.size(); ++i)
      if (controls[i].Visible && controls[i].Align == kind) out[i] = fit(controls[i].Bounds);
  };
  place(TAlign::alTop, [&](const TRect& b) {
    TRect r{free.Left, free.Top, free.Right, std::min(free.Bottom, free.Top + std::max(0, b.Height()))};
    free.Top = r.Bottom;
    return r;
  });
  place(TAlign::alBottom, [&](const TRect& b) {
    TRect r{free.Left, std::max(free.Top, free.Bottom - std::max(0, b.Height())), free.Right, free.Bottom};
    free.Bottom = r.Top;
    return r;
  });
  place(TAlign::alLeft, [&](const TRect& b) {
    TRect r{free.Left, free.Top, std::min(free.Right, free.Left + std::max(0, b.Width())), free.Bottom};
    free.Left = r.Right;
    return r;
  });
  place(TAlign::alRight, [&](const TRect& b) {
    TRect r{std::max(free.Left, free.Right - std::max(0, b.Width())), free.Top, free.Right, free.Bottom};
    free.Right = r.Left;
    return r;
  });
  place(TAlign::alClient, [&](const TRect&) { return free; });
  return out;
}

TRect FreeClientArea(int clientWidth, int clientHeight, const std::vector<TAlignedControl>& controls) {
  TRect area{0, 0, clientWidth, clientHeight};
  bool left = false, top = false, right = false, bottom = false;
  for (const TAlignedControl& c : controls) {
    if (!c.Visible) continue;
    const TRect& b = c.Bounds;
    switch (c.Align) {
      case TAlign::alLeft: area.Left = left ? std::max(area.Left, b.Right) : b.Right; left = true; break;
      case TAlign::alTop: area.Top = top ? std::max(area.Top, b.Bottom) : b.Bottom; top = true; break;
      case TAlign::alRight: area.Right = right ? std::min(area.Right, b.Left) : b.Left; right = true; break;
      case TAlign::alBottom: area.Bottom = bottom ? std::min(area.Bottom, b.Top) : b.Top; bottom = true; break;
      default: break;
    }
  }
  return area;
}
