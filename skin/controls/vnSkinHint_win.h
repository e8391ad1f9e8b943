#pragma once
// TvnSkinHint and TvnSkinHintWindow: skinned hints.
//
// A TvnSkinHint placed on the main form makes TvnSkinHintWindow the class of the
// application's hint window, so every control hint of the program is drawn from the skin's
// hint window description (frame picture, mask, font), or as a plain tooltip without a skin.
// It also shows a text of its own under the cursor with the application's hint timing
// (ShowHintText / HideHintText), for hints over things that are not controls, such as the
// buttons on a skinned frame.
//
// The hint window looks for the component in charge at each activation and paint: the first
// TvnSkinHint of the application's main form with Active on. Without one it shows nothing.
#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/HintWindow_win.h"
#include "skin/imaging/vnUtilsCompose.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TClassRegistry;
class TvnSkinData;
class TvnDataSkinHintWindow;
class TvnSkinHint;

using TvnShowHintEvent = std::function<void(std::wstring& text, bool& canShow, THintInfo& info)>;

class TvnSkinHintWindow : public THintWindow {
public:
  explicit TvnSkinHintWindow(TComponent* owner = nullptr);

  // Sizes the window for text from rect's top-left corner (moved off the screen's right and
  // bottom edges), sets its translucency and region, and shows it on top without activating.
  // Shows nothing when no TvnSkinHint of the main form is active.
  void ActivateHint(TRect rect, std::wstring_view text) override;

  // The window's size for text with the current look; also sets the target geometry.
  TPoint CalcHintSize(std::wstring_view text);

  // What the last activation found (for the form component and tests). The component is not
  // owned and is only valid while it lives.
  TvnSkinHint* HintComponent() const { return FHint; }
  bool Skinned() const { return FSkinned; }
  bool HasRegion() const { return FRegionSet; }
  const TvnSkinPoints& TargetPoints() const { return FTarget; }

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void Paint(HDC dc) override;

private:
  friend class TvnSkinHint;
  // The component in charge, the skin in use (with its hint description and picture, or none)
  // and the font, looked up now.
  struct TLook {
    TvnSkinHint* Hint = nullptr;
    const TvnDataSkinHintWindow* Info = nullptr;  // none without a skin in use
    const TPixelBitmap* Picture = nullptr;
    const TPixelBitmap* Mask = nullptr;
    TFontDesc Font;
  };
  static TLook Resolve();
  static TvnSkinPoints SourcePoints(const TvnDataSkinHintWindow& info);
  void UpdateHintRegion(const TLook& look);
  void ApplyTranslucency(const TvnSkinHint& hint);

  TvnSkinHint* FHint = nullptr;  // not owned
  bool FSkinned = false;
  bool FRegionSet = false;
  bool FAlphaBlend = false;
  int FAlphaBlendValue = 0;
  TvnSkinPoints FTarget;
  std::function<void()> FOnTimer;  // the owning TvnSkinHint's delay and hide timer
};

class TvnSkinHint : public TComponent {
public:
  explicit TvnSkinHint(TComponent* owner = nullptr);
  ~TvnSkinHint() override;

  // ---- published ----
  TvnSkinData* SkinData() const { return FSkinData; }  // not owned
  void SetSkinData(TvnSkinData* value);
  bool Active() const { return FActive; }
  // On: every other active TvnSkinHint of the main form goes off, and the application's
  // show-hint event comes here again.
  void SetActive(bool value);
  bool AlphaBlend = false;
  int AlphaBlendValue = 255;  // 0..255
  TFontDesc DefaultFont;      // without a skin, or with UseSkinFont off
  bool UseSkinFont = true;
  TvnShowHintEvent OnShowHint;  // forwarded from the application's show-hint event

  // ---- hints for things that are not controls ----
  // Shows text under the cursor after the application's hint pause, and hides it after its
  // hide pause. A text waiting or shown before is replaced.
  void ShowHintText(std::wstring_view text);
  // Stops the timer and hides the window.
  void HideHintText();
  TvnSkinHintWindow& HintWindow() { return *FHintWindow; }
  const std::wstring& HintText() const { return FHintText; }

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void PointApplicationHere();
  void HintTimer();

  TvnSkinData* FSkinData = nullptr;  // not owned: cleared when it is freed
  bool FActive = true;
  std::unique_ptr<TvnSkinHintWindow> FHintWindow;
  std::wstring FHintText;
  bool FTimerRunning = false;
  bool FShowing = false;  // the timer runs as the hide pause
  // The application's show-hint event reaches this component through this cell; it is emptied
  // when the component goes, so the event then does nothing.
  std::shared_ptr<TvnSkinHint*> FSelf;
};

// How far below the cursor position a hint starts: the current cursor's rows below its hot
// spot, from its mask, or the system cursor height when the mask cannot be read.
int CursorHeightBelowCursor();

// Makes TvnSkinHint known to window descriptions (SkinData as a link). OnShowHint carries more
// than the sender in code; a handler named in a description gets the sender only.
void RegisterSkinHintClasses(TClassRegistry& registry);
