#pragma once
// The standard controls: label, single-line edit, memo, check box, push button. Each is the
// platform's own control superclassed by a framework window class.
#include "framework/Controls_win.h"

class TLabel : public TWinControl {
public:
  explicit TLabel(TComponent* owner);

protected:
  void CreateParams(TCreateParams& params) override;
};

// What an edit or memo shares: read-only, selection, change notification.
class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent* owner);

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  // False keeps the selection shown while the control has no focus.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);

  // Setting the text from code notifies OnChange once, exactly as typing does (the platform's
  // multi-line edit sends no change notice for a text set by message; its single-line edit
  // does, and that notice is folded into the one sent here).
  void SetText(std::wstring_view text) override;
  void SelectAll();
  void SetSelection(int start, int end);
  std::pair<int, int> Selection() const;
  // Replaces the selection (or inserts at the caret); notifies OnChange.
  void ReplaceSelection(std::wstring_view text);
  void CopyToClipboard();

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CommandNotify(WORD code) override;
  virtual void Change();

private:
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FSettingText = false;
};

class TEdit : public TCustomEdit {
public:
  explicit TEdit(TComponent* owner);

protected:
  void CreateParams(TCreateParams& params) override;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
public:
  explicit TMemo(TComponent* owner);

  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;

private:
  TScrollStyle FScrollBars = TScrollStyle::ssNone;
  bool FWordWrap = true;
};

class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TComponent* owner);
  // Runs OnClick, as a click by the user does.
  virtual void Click();
  TNotifyEvent OnClick;

protected:
  void CommandNotify(WORD code) override;
};

class TCheckBox : public TButtonControl {
public:
  explicit TCheckBox(TComponent* owner);
  bool Checked() const;
  void SetChecked(bool value);  // notifies OnClick when the state changes, like a click

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  void CommandNotify(WORD code) override;

private:
  bool FChecked = false;
};

class TButton : public TButtonControl {
public:
  explicit TButton(TComponent* owner);

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
};
