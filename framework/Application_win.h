#pragma once
// TApplication: the program's one application object. It owns the forms (created with
// CreateForm, the first becoming the main form), lists them in creation order, runs the
// message loop and routes Tab / Shift+Tab through the focused form's tab order.
#include "framework/Component.h"
#include "framework/Forms_win.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  // Registers the framework's classes for window descriptions and the common controls.
  void Initialize();

  // Creates a form owned by the application; the first one created is the main form.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    T* form = TComponent::Create<T>(this, std::forward<Args>(args)...);
    if (!FMainForm) FMainForm = form;
    return form;
  }

  TForm* MainForm() const { return FMainForm; }  // not owned here: owned as a component
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int index) const { return FForms[index]; }
  // Hands a message to every form in list order (through each form's WindowProc, whether
  // its window exists or not) and returns nothing: a broadcast has no single answer.
  void BroadcastToForms(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  // Shows the main form and runs the message loop until Terminate; returns the exit code.
  int Run();
  // Handles one message if one is waiting; false when none was or the loop must end.
  bool ProcessMessage();
  void Terminate(int exitCode = 0);
  bool Terminated() const { return FTerminated; }

  // Sees every message before it is dispatched; returning true swallows it. For the engine's
  // popup menus and similar hooks.
  std::function<bool(MSG&)> OnMessage;

  // Shows an error to the user (errors caught at a window procedure come here).
  void ShowException(const std::string& message);

private:
  friend class TForm;
  void AddForm(TForm* form) { FForms.push_back(form); }
  void RemoveForm(TForm* form);
  bool IsTabKey(const MSG& msg);
  void Dispatch(MSG& msg);

  TForm* FMainForm = nullptr;  // not owned here
  std::vector<TForm*> FForms;  // not owned here: the forms in creation order
  bool FTerminated = false;
  int FExitCode = 0;
};

// The application object, while one exists (not owned).
extern TApplication* Application;
