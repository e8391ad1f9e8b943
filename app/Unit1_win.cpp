#include "app/Unit1_win.h"

#include "app/LengthRule.h"
#include "framework/Clipboard_win.h"
#include "framework/DescriptionReader.h"
#include "framework/Resources_win.h"

namespace {

std::u16string ToU16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
std::wstring ToWide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm1(owner, LoadDataResource(L"TFORM1")) {}

TForm1::TForm1(TComponent* owner, std::string_view description) : TForm(owner) {
  ReadDescription(description, *this);
}

void TForm1::RegisterClass(TClassRegistry& registry) {
  registry.Register(RootClass<TForm1>(
      "TForm1", "TForm",
      {Handler<TForm1>("Button2Click", &TForm1::Button2Click), Handler<TForm1>("Button1Click", &TForm1::Button1Click),
       Handler<TForm1>("Button3Click", &TForm1::Button3Click), Handler<TForm1>("Button4Click", &TForm1::Button4Click),
       Handler<TForm1>("CheckBox1Click", &TForm1::CheckBox1Click), Handler<TForm1>("Memo1Change", &TForm1::Memo1Change)},
      {Field<TForm1, TLabel>("Label1", &TForm1::Label1), Field<TForm1, TMemo>("Memo1", &TForm1::Memo1),
       Field<TForm1, TEdit>("Edit1", &TForm1::Edit1), Field<TForm1, TLabel>("Label2", &TForm1::Label2),
       Field<TForm1, TCheckBox>("CheckBox1", &TForm1::CheckBox1), Field<TForm1, TButton>("Button1", &TForm1::Button1),
       Field<TForm1, TButton>("Button2", &TForm1::Button2), Field<TForm1, TButton>("Button3", &TForm1::Button3),
       Field<TForm1, TButton>("Button4", &TForm1::Button4)}));
}

std::u16string TForm1::SwapHexPairs(std::u16string_view hex) const { return ::SwapHexPairs(hex); }

std::size_t TForm1::MemoByteLength() const { return TextByteLength(ToU16(Memo1->Text())); }

void TForm1::Memo1Change(TComponent*) {
  // HexLengthText is the whole rule: empty for an empty text, the overflow message past
  // 65,535 bytes, two digits never swapped, four digits swapped while the box is ticked.
  std::wstring text = Memo1->Text();
  std::size_t length = text.empty() ? 0 : TextByteLength(ToU16(text));
  Edit1->SetText(ToWide(HexLengthText(length, CheckBox1->Checked())));
}

void TForm1::CheckBox1Click(TComponent*) {
  // The shown value agreed with the box before the click; swapping it makes it agree again,
  // whichever way the box went.
  std::wstring shown = Edit1->Text();
  if (shown.empty()) return;
  if (MemoByteLength() > kMaxLength) return;  // the overflow message is never swapped
  if (shown.size() == 2) return;
  Edit1->SetText(ToWide(SwapHexPairs(ToU16(shown))));
}

void TForm1::Button1Click(TComponent*) { Memo1->SetText(L""); }

void TForm1::Button2Click(TComponent*) { Close(); }

void TForm1::Button3Click(TComponent*) {
  // The clipboard is read before the memo is cleared: if another program holds it open,
  // the user's text stays as it was instead of being lost to a paste that cannot happen.
  std::wstring text;
  TClipboardRead read = TClipboard::GetText(Handle(), text);
  if (read == TClipboardRead::Busy) return;
  Memo1->SetText(L"");
  if (read == TClipboardRead::Text && !text.empty()) Memo1->ReplaceSelection(text);
}

void TForm1::Button4Click(TComponent*) {
  if (Edit1->Text().empty()) return;
  if (MemoByteLength() > kMaxLength) return;  // the overflow message is never copied
  Edit1->SelectAll();
  Edit1->CopyToClipboard();
}
