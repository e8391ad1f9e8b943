#pragma once
// The rules of the frame's translucency: which opacity a shown window ends at and the opacity
// values of its fade-in. The Win32 side applies them where layered windows exist.
#include <vector>

// The opacity (0..255) a window fades in to: opaque when only the fade-in is asked for,
// else the translucency value (kept within 0..255).
int FadeTarget(bool alphaBlend, bool animation, int alphaBlendValue);

// The opacity values of a fade-in from 0 to target: 5, 10, 15, ... and exactly target last
// (one value, target, when target is below 5 or nothing to raise).
std::vector<int> FadeSteps(int target);

// Whether a window shown with these settings starts layered at opacity 0 and fades in.
constexpr bool FadesInOnShow(bool alphaBlend, bool animation, bool layeredWindows) {
  return layeredWindows && (alphaBlend || animation);
}
