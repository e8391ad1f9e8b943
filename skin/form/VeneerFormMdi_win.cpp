// TvnVeneerForm, the multi-document half: a parent keeps its children consistent (maximized
// children fill its client window without a frame, minimized ones are parked as caption bars
// along the bottom, the client window's background comes from the skin) and lists them in its
// window menu and tab bar; a child tells its parent when it is maximized or leaves that state.
#include "skin/form/VeneerForm_win.h"

#include "framework/Application_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/form/FramePaint.h"
#include "skin/form/VeneerFormSkin.h"
#include "skin/form/vnSkinMDITabsBar_win.h"
#include "skin/form/vnSkinMainMenuBar_win.h"
#include "skin/imaging/vnUtilsCompose.h"
#include "skin/imaging/vnUtilsDraw_win.h"

#include <string>
#include <string_view>

namespace {

constexpr const wchar_t* kClientOwnerProp = L"QuillonMdiClientFrame";

std::string EntryName(const TForm& child) { return child.Name() + TvnVeneerForm::kChildItemSuffix; }

// The entry's name with the first occurrence of the suffix taken out: the child's name.
std::string ChildNameOfEntry(std::string name) {
  const std::string suffix = TvnVeneerForm::kChildItemSuffix;
  if (const auto at = name.find(suffix); at != std::string::npos) name.erase(at, suffix.size());
  return name;
}

bool HasSuffix(const std::string& name) { return name.find(TvnVeneerForm::kChildItemSuffix) != std::string::npos; }

std::u16string CaptionOf(TForm& form) {
  const std::wstring text = form.Text();
  return {text.begin(), text.end()};
}

}  // namespace

// ---- queries ----------------------------------------------------------------------------------

TvnVeneerForm* TvnVeneerForm::FrameOfForm(TForm* form) {
  if (!form) return nullptr;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* frame = dynamic_cast<TvnVeneerForm*>(form->Components(i))) return frame;
  return nullptr;
}

bool TvnVeneerForm::MdiChild() const { return FForm->FormStyle() == TFormStyle::fsMDIChild; }
bool TvnVeneerForm::MdiParent() const { return FForm->FormStyle() == TFormStyle::fsMDIForm; }
bool TvnVeneerForm::MaximizedMdiChild() const { return MdiChild() && FState.WindowState == wsMaximized; }

TForm* TvnVeneerForm::MainForm() const { return Application ? Application->MainForm() : nullptr; }
TvnVeneerForm* TvnVeneerForm::MainFrame() const { return FrameOfForm(MainForm()); }

TvnVeneerForm* TvnVeneerForm::MaximizedMdiChildFrame() const {
  if (!MdiParent()) return nullptr;
  if (TvnVeneerForm* active = FrameOfForm(FForm->ActiveMDIChild()); active && active->MaximizedMdiChild())
    return active;
  for (int i = 0; TForm* child = FForm->MDIChildren(i); ++i)
    if (TvnVeneerForm* frame = FrameOfForm(child); frame && frame->MaximizedMdiChild()) return frame;
  return nullptr;
}

TRect TvnVeneerForm::MdiClientArea() const {
  TForm* main = MainForm();
  HWND client = main ? main->ClientHandle() : nullptr;
  RECT r{};
  if (client) ::GetClientRect(client, &r);
  return Rect(0, 0, r.right, r.bottom);
}

void TvnVeneerForm::SetMDITabsBar(TvnSkinMDITabsBar* value) {
  if (FMDITabsBar == value) return;
  if (FMDITabsBar) RemoveFreeNotification(FMDITabsBar);
  FMDITabsBar = value;
  if (FMDITabsBar) FreeNotification(FMDITabsBar);
}

// ---- a child's bookkeeping in its parent ------------------------------------------------------

void TvnVeneerForm::MdiChildShown() {
  TvnVeneerForm* main = MainFrame();
  if (!main || FMdiListed) return;
  FMdiListed = true;
  if (TMenuItem* windowMenu = MainForm()->WindowMenu()) {
    TForm* mainForm = MainForm();
    windowMenu->AddItem(EntryName(*FForm), CaptionOf(*FForm), [mainForm](TComponent* sender) {
      // Every child of that exact name comes back from its parked caption bar and shows.
      const std::string name = ChildNameOfEntry(sender->Name());
      for (int i = 0; TForm* child = mainForm->MDIChildren(i); ++i) {
        if (child->Name() != name) continue;
        if (TvnVeneerForm* frame = FrameOfForm(child); frame && frame->WindowState() == wsMinimized)
          frame->ChangeWindowState(wsNormal);
        child->Show();
      }
    });
  }
  if (main->FMDITabsBar) main->FMDITabsBar->AddTab(FForm);
}

void TvnVeneerForm::MdiChildHidden() {
  if (!FMdiListed) return;
  FMdiListed = false;
  TvnVeneerForm* main = MainFrame();
  if (!main) return;
  if (TMenuItem* windowMenu = MainForm()->WindowMenu()) {
    for (int i = 0; i < windowMenu->Count(); ++i)
      if (HasSuffix(windowMenu->Items(i)->Name()) && ChildNameOfEntry(windowMenu->Items(i)->Name()) == FForm->Name()) {
        windowMenu->Delete(i);
        break;
      }
    // The last child gone: no entry of a child may stay behind.
    if (MainForm()->MDIChildCount() == 0)
      for (int i = 0; i < windowMenu->Count(); ++i)
        if (HasSuffix(windowMenu->Items(i)->Name())) {
          windowMenu->Delete(i);
          break;
        }
  }
  if (main->FMDITabsBar) main->FMDITabsBar->RemoveTab(FForm);
}

void TvnVeneerForm::MdiChildCaptionChanged() {
  TvnVeneerForm* main = MainFrame();
  if (!main) return;
  if (TMenuItem* windowMenu = MainForm()->WindowMenu())
    if (TMenuItem* entry = windowMenu->Find(EntryName(*FForm))) entry->Caption = CaptionOf(*FForm);
  if (main->FMDITabsBar) main->FMDITabsBar->RedrawTab(FForm);
  if (MaximizedMdiChild()) main->RepaintFrame();  // the parent's caption names the child
}

void TvnVeneerForm::MdiChildActivated() {
  TvnVeneerForm* main = MainFrame();
  if (!main) return;
  if (TMenuItem* windowMenu = MainForm()->WindowMenu()) {
    TForm* active = MainForm()->ActiveMDIChild();
    for (int i = 0; i < windowMenu->Count(); ++i) {
      TMenuItem* entry = windowMenu->Items(i);
      if (!HasSuffix(entry->Name())) continue;
      entry->Checked = active && ChildNameOfEntry(entry->Name()) == active->Name();
    }
  }
  if (MaximizedMdiChild()) main->RepaintFrame();
  main->RefreshMdiBars();
}

void TvnVeneerForm::MdiChildDestroyed() {
  FState.WindowState = wsNormal;
  MdiChildHidden();
  if (TForm* main = MainForm(); main && main->HandleAllocated())
    ::SendMessageW(main->HandleIfAllocated(), WM_MDICHILDRESTORED, 0, 0);
  if (TvnVeneerForm* frame = MainFrame()) frame->RefreshMdiBars();
}

void TvnVeneerForm::RefreshMdiBars() {
  MenuBarRefresh();
  if (FMDITabsBar) FMDITabsBar->Refresh();
}

// ---- maximized and minimized children ---------------------------------------------------------

void TvnVeneerForm::MaximizeMdiChild() {
  StopHoverTimer();
  TrackActiveObject({-1, -1}, false);
  const TRect area = MdiClientArea();
  RECT r{};
  ::GetWindowRect(Window(), &r);
  const bool sameSize = r.right - r.left == area.Width() && r.bottom - r.top == area.Height();
  SetOwnerBounds(Bounds(0, 0, area.Width(), area.Height()));
  // The frame goes: the whole window becomes client area.
  ::SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (sameSize) NudgeWidth();
  ApplyWindowRegion(true);
  if (TForm* main = MainForm(); main && main->HandleAllocated())
    ::SendMessageW(main->HandleIfAllocated(), WM_MDICHILDMAXIMIZED, 0, 0);
}

void TvnVeneerForm::FitMdiChildren() {
  if (!MdiParent()) return;
  // The children refit when the client window takes a new size or the frame applies a skin (at
  // its DPI too): the kept background belongs to the old ones.
  FMdiBackground.Clear();
  for (int i = 0; TForm* child = FForm->MDIChildren(i); ++i)
    if (child->HandleAllocated()) ::SendMessageW(child->HandleIfAllocated(), WM_MDICHILDFIT, 0, 0);
  // Parked children find their slots again along the new bottom edge, each beside those placed
  // before it.
  std::vector<TForm*> parked;
  for (int i = 0; TForm* child = FForm->MDIChildren(i); ++i)
    if (TvnVeneerForm* frame = FrameOfForm(child); frame && frame->WindowState() == wsMinimized) parked.push_back(child);
  std::vector<TForm*> placed;
  for (TForm* child : parked) {
    TvnVeneerForm* frame = FrameOfForm(child);
    const TPoint at = frame->MdiParkingSlot(placed);
    frame->SetOwnerBounds(Bounds(at.X, at.Y, frame->MinTrackWidth(), frame->MinTrackHeight()));
    placed.push_back(child);
  }
}

TPoint TvnVeneerForm::MdiParkingSlot(const std::vector<TForm*>& others) const {
  return MinimizedPosition(MdiClientArea(), MinTrackWidth(), MinTrackHeight(), [&](TPoint slot) {
    for (TForm* other : others) {
      if (other == FForm) continue;
      const TvnVeneerForm* frame = FrameOfForm(other);
      if (frame && frame->FState.WindowState == wsMinimized && other->Left() == slot.X && other->Top() == slot.Y)
        return true;
    }
    return false;
  });
}

std::vector<TForm*> TvnVeneerForm::ShownMdiSiblings() const {
  std::vector<TForm*> shown;
  TForm* main = MainForm();
  for (int i = 0; TForm* other = main ? main->MDIChildren(i) : nullptr; ++i)
    if (other->Visible()) shown.push_back(other);
  return shown;
}

// ---- the messages ---------------------------------------------------------------------------

void TvnVeneerForm::MdiMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_MDICHILDFIT:
      if (MaximizedMdiChild()) {
        const TRect area = MdiClientArea();
        SetOwnerBounds(Bounds(0, 0, area.Width(), area.Height()));
      }
      break;
    case WM_MDICHILDMAXIMIZED:
      if (MdiParent()) {
        FMdiChildMaximized = true;
        RepaintFrame();
        MenuBarChildMaximized();
      }
      break;
    case WM_MDICHILDRESTORED:
      if (MdiParent()) {
        if (!MaximizedMdiChildFrame()) FMdiChildMaximized = false;
        RepaintFrame();
        MenuBarChildRestored();
      }
      break;
    default: break;
  }
  Previous(m);
}

// ---- the parent's client window ---------------------------------------------------------------

void TvnVeneerForm::SubclassMdiClient() {
  HWND client = FForm->ClientHandle();
  if (!client || FMdiClient) return;
  FMdiClient = client;
  ::SetPropW(client, kClientOwnerProp, this);
  FOldClientProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TvnVeneerForm::MdiClientProc)));
  // Its frame goes: the client window is drawn edge to edge.
  ::SetWindowPos(client, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TvnVeneerForm::ReleaseMdiClient() {
  if (!FMdiClient) return;
  // The client window may outlive this component: it gets its own procedure back.
  if (::IsWindow(FMdiClient)) {
    ::SetWindowLongPtrW(FMdiClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldClientProc));
    ::RemovePropW(FMdiClient, kClientOwnerProp);
  }
  FMdiClient = nullptr;
  FOldClientProc = nullptr;
}

LRESULT CALLBACK TvnVeneerForm::MdiClientProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TvnVeneerForm*>(::GetPropW(window, kClientOwnerProp));
  if (!self) return ::DefWindowProcW(window, msg, wParam, lParam);
  LRESULT result = 0;
  try {
    self->MdiClientMessage(msg, wParam, lParam, result);
  } catch (const std::exception& e) {
    if (Application) Application->ShowException(e.what());
  }
  return result;
}

void TvnVeneerForm::MdiClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const HWND client = FMdiClient;
  switch (msg) {
    case WM_SIZE:
      result = ::CallWindowProcW(FOldClientProc, client, msg, wParam, lParam);
      FitMdiChildren();
      if (!FLogo.IsEmpty()) ::RedrawWindow(client, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
      return;
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      RECT r{};
      ::GetClientRect(Window(), &r);
      const TPixelBitmap& background = FMdiBackground.Compose(
          Skin(), r.right, r.bottom, TvnDibPainter::Resolve(clAppWorkSpace), TvnDibPainter::Resolve(clBtnFace),
          {&FLogo, LogoBitMapTransparent});
      PaintPixels(dc, 0, 0, ViewOf(background));
      result = 1;
      return;
    }
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
      result = 0;  // no frame
      return;
    case WM_NCACTIVATE:
      result = 1;
      return;
    case WM_NCDESTROY: {
      const WNDPROC old = FOldClientProc;
      ReleaseMdiClient();
      result = ::CallWindowProcW(old, client, msg, wParam, lParam);
      return;
    }
    default:
      result = ::CallWindowProcW(FOldClientProc, client, msg, wParam, lParam);
      return;
  }
}

// ---- the parent's menu bar ----------------------------------------------------------------------

void TvnVeneerForm::MenuBarChildMaximized() {
  if (FMainMenuBar) FMainMenuBar->ChildMaximized();
}

void TvnVeneerForm::MenuBarChildRestored() {
  if (FMainMenuBar) FMainMenuBar->ChildRestored();
}

// The active child's menu is merged into the bar: it is built again for the child now active.
void TvnVeneerForm::MenuBarRefresh() {
  if (FMainMenuBar) FMainMenuBar->Refresh();
}
