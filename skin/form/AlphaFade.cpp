#include "skin/form/AlphaFade.h"

#include <algorithm>

int FadeTarget(bool alphaBlend, bool animation, int alphaBlendValue) {
  if (animation && !alphaBlend) return 255;
  return std::clamp(alphaBlendValue, 0, 255);
}

std::vector<int> FadeSteps(int target) {
  target = std::clamp(target, 0, 255);
  std::vector<int> steps;
  for (int alpha = 5; alpha < target; alpha += 5) steps.push_back(alpha);
  steps.push_back(target);
  return steps;
}
