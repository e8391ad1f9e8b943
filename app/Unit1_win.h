#pragma once
// TForm1: Quillon's main window. Built from its window description (Unit1.desc, compiled
// in as a resource); its six handlers keep the result field equal to the length rule of the
// memo's text and the check box's state.
#include "framework/ClassRegistry.h"
#include "framework/Forms_win.h"
#include "framework/StdCtrls_win.h"

#include <string>
#include <string_view>

class TForm1 : public TForm {
public:
  // Reads the window from the program's description resource.
  explicit TForm1(TComponent* owner);
  // Reads the window from the given description (for tests and tools).
  TForm1(TComponent* owner, std::string_view description);

  // Registers TForm1 (fields and published handlers) for window descriptions.
  static void RegisterClass(TClassRegistry& registry);

  // The controls, bound by name when the description is read; owned by the form.
  TLabel* Label1 = nullptr;
  TMemo* Memo1 = nullptr;
  TEdit* Edit1 = nullptr;
  TLabel* Label2 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TButton* Button1 = nullptr;
  TButton* Button2 = nullptr;
  TButton* Button3 = nullptr;
  TButton* Button4 = nullptr;

  // Published handlers.
  void Button2Click(TComponent* sender);
  void Button1Click(TComponent* sender);
  void Button3Click(TComponent* sender);
  void Button4Click(TComponent* sender);
  void CheckBox1Click(TComponent* sender);
  void Memo1Change(TComponent* sender);

  std::u16string SwapHexPairs(std::u16string_view hex) const;

private:
  std::size_t MemoByteLength() const;
};
