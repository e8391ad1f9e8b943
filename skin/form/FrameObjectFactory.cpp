// Making the frame objects: from the skin's object descriptions, or the default buttons.
#include "framework/CodePage.h"
#include "skin/form/FrameObjectList.h"

#include <algorithm>

namespace {

// The base part of every object made from a description.
void AssignBase(TvnActiveSkinObject& o, TvnDataSkinObject& d, const TvnObjectPictures& pictures) {
  o.IDName = d.SectionName;
  o.ObjectHintText = CodePageToUtf16(d.Hint);
  o.NormalInStatePicture = d.SkinRectInAPicture;
  o.NormalRect = ClampSkinRect(d.SkinRect);
  o.HotRect = ClampSkinRect(d.ActiveSkinRect);
  o.InactiveRect = ClampSkinRect(d.InActiveSkinRect);
  o.MorphEnabled = d.Morphing;
  o.MorphMode = d.MorphKind;
  const int index = d.ActivePictureIndex;
  if (index >= 0 && index < static_cast<int>(pictures.Active.size()) &&
      pictures.Active[static_cast<std::size_t>(index)] != nullptr) {
    o.StatePicture = pictures.Active[static_cast<std::size_t>(index)];
  } else {
    // No picture for the other looks: the object never shows an active look.
    o.StatePicture = nullptr;
    o.HotRect = TRect{};
    d.ActiveSkinRect = TRect{};
  }
  if (o.MorphEnabled && IsZeroRect(o.HotRect)) o.MorphEnabled = false;
  o.ObjectRect = o.NormalRect;
  o.FramePicture = pictures.Frame;
}

}  // namespace

std::unique_ptr<TvnActiveSkinObject> CreateFrameObject(TvnFrameObjectHost& host,
                                                       TvnDataSkinObject& d,
                                                       const TvnObjectPictures& pictures) {
  // Menu and menu-bar pieces first: a menu-bar button is also a std button description.
  if (dynamic_cast<TvnDataSkinMainMenuBarButton*>(&d) != nullptr ||
      dynamic_cast<TvnDataSkinMainMenuItem*>(&d) != nullptr ||
      dynamic_cast<TvnDataSkinMenuItem*>(&d) != nullptr)
    return nullptr;

  if (auto* s = dynamic_cast<TvnDataSkinStdButton*>(&d)) {
    auto b = std::make_unique<TvnSkinStdButtonObject>(host);
    AssignBase(*b, d, pictures);
    b->DisabledRect = ClampSkinRect(s->DisableSkinRect);
    b->PressedRect = ClampSkinRect(s->DownRect);
    b->Command = s->Command;
    b->RestoreNormalRect = ClampSkinRect(s->RestoreRect);
    b->RestoreHotRect = ClampSkinRect(s->RestoreActiveRect);
    b->RestoreInactiveRect = ClampSkinRect(s->RestoreInActiveRect);
    b->RestorePressedRect = ClampSkinRect(s->RestoreDownRect);
    b->FromSkin = true;
    return b;
  }
  if (auto* s = dynamic_cast<TvnDataSkinButton*>(&d)) {
    auto b = std::make_unique<TvnSkinButtonObject>(host);
    AssignBase(*b, d, pictures);
    b->DisabledRect = ClampSkinRect(s->DisableSkinRect);
    b->PressedRect = ClampSkinRect(s->DownRect);
    return b;
  }
  if (auto* s = dynamic_cast<TvnDataSkinCaption*>(&d)) {
    auto c = std::make_unique<TvnSkinCaptionObject>(host);
    AssignBase(*c, d, pictures);
    c->FontName = CodePageToUtf16(s->FontName);
    c->FontStyle = s->FontStyle;
    c->FontHeight = s->FontHeight;
    c->FontColor = s->FontColor;
    c->ActiveFontColor = s->ActiveFontColor;
    c->ShadowColor = s->ShadowColor;
    c->ActiveShadowColor = s->ActiveShadowColor;
    c->Shadow = s->Shadow;
    c->Alignment = s->Alignment;
    c->TextRect = ClampSkinRect(s->TextRect);
    c->FrameRect = ClampSkinRect(s->FrameRect);
    c->ActiveFrameRect = ClampSkinRect(s->ActiveFrameRect);
    c->FrameLeftOffset = ClampSkinCoordinate(s->FrameLeftOffset);
    c->FrameRightOffset = ClampSkinCoordinate(s->FrameRightOffset);
    c->FrameTextRect = ClampSkinRect(s->FrameTextRect);
    return c;
  }
  if (auto* s = dynamic_cast<TvnDataSkinAnimate*>(&d)) {
    auto a = std::make_unique<TvnSkinAnimateObject>(host);
    AssignBase(*a, d, pictures);
    // A strip of no frames would step to frame 0 and beyond the strip: one frame at least.
    a->FrameCount = std::clamp(s->CountFrames, 1, 10'000);
    a->Cyclic = s->Cycle;
    a->ActsAsButton = s->ButtonStyle;
    a->FrameInterval = std::max(25, s->TimerInterval);
    a->Command = s->Command;
    a->MorphEnabled = false;
    return a;
  }
  if (dynamic_cast<TvnDataUserObject*>(&d) != nullptr) {
    auto u = std::make_unique<TvnUserObject>(host);
    AssignBase(*u, d, pictures);
    return u;
  }
  return nullptr;
}

void BuildSkinObjects(TvnFrameObjectList& list, TvnFrameObjectHost& host,
                      const std::vector<std::unique_ptr<TvnDataSkinObject>>& descriptions,
                      const TvnObjectPictures& pictures) {
  list.Clear();
  for (const auto& d : descriptions)
    if (d != nullptr)
      if (auto object = CreateFrameObject(host, *d, pictures)) list.Add(std::move(object));
}

void BuildDefaultButtons(TvnFrameObjectList& list, TvnFrameObjectHost& host) {
  static constexpr struct {
    TvnSkinCommand Command;
    const char* Id;
  } buttons[] = {{cmClose, "closebutton"},   {cmMaximize, "maxbutton"},
                 {cmMinimize, "minbutton"},  {cmRollUp, "rollupbutton"},
                 {cmSysMenu, "sysmenubutton"}, {cmMinimizeToTray, "traybutton"}};
  list.Clear();
  for (const auto& b : buttons) {
    auto o = std::make_unique<TvnSkinStdButtonObject>(host);
    o->Command = b.Command;
    o->IDName = b.Id;
    o->NormalInStatePicture = true;
    o->NormalRect = o->HotRect = o->PressedRect = Rect(0, 0, 1, 1);
    o->ObjectRect = o->NormalRect;
    list.Add(std::move(o));
  }
}
