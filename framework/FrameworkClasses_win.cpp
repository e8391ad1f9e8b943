#include "framework/FrameworkClasses_win.h"

#include "framework/CodePage.h"
#include "framework/Forms_win.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/StdCtrls_win.h"

#include <stdexcept>
#include <utility>

TColor DescColor(const TDescValue& v) {
  if (v.Kind == TDescValueKind::Integer) return static_cast<TColor>(v.AsInteger());
  if (auto c = ColorFromIdentifier(v.AsIdentifier())) return *c;
  v.Fail("unknown colour \"" + v.Text + "\"");
}

namespace {

std::wstring WideText(const TDescValue& v) {
  std::u16string text = Utf8ToUtf16(v.AsString());
  return std::wstring(text.begin(), text.end());
}

template <class T, class Setter>
TPropertyInfo P(const char* name, Setter setter) {
  return ValueProperty<T>(name, std::function<void(T&, const TDescValue&)>(setter));
}

std::vector<TPropertyInfo> WinControlProperties() {
  using C = TWinControl;
  auto font = [](C& c, auto change) {
    change(c.FontForChange());
    c.FontChanged();
  };
  return {
      P<C>("Left", [](C& c, const TDescValue& v) { c.SetLeft(v.AsInteger()); }),
      P<C>("Top", [](C& c, const TDescValue& v) { c.SetTop(v.AsInteger()); }),
      P<C>("Width", [](C& c, const TDescValue& v) { c.SetWidth(v.AsInteger()); }),
      P<C>("Height", [](C& c, const TDescValue& v) { c.SetHeight(v.AsInteger()); }),
      P<C>("Caption", [](C& c, const TDescValue& v) { c.SetText(WideText(v)); }),
      P<C>("Text", [](C& c, const TDescValue& v) { c.SetText(WideText(v)); }),
      P<C>("Color", [](C& c, const TDescValue& v) { c.SetColor(DescColor(v)); }),
      P<C>("TabOrder", [](C& c, const TDescValue& v) { c.SetTabOrder(v.AsInteger()); }),
      P<C>("TabStop", [](C& c, const TDescValue& v) { c.SetTabStop(v.AsBoolean()); }),
      P<C>("Visible", [](C& c, const TDescValue& v) { c.SetVisible(v.AsBoolean()); }),
      P<C>("Enabled", [](C& c, const TDescValue& v) { c.SetEnabled(v.AsBoolean()); }),
      P<C>("Align", [](C& c, const TDescValue& v) {
        static const std::pair<const char*, TAlign> kAligns[] = {
            {"alNone", TAlign::alNone}, {"alTop", TAlign::alTop},     {"alBottom", TAlign::alBottom},
            {"alLeft", TAlign::alLeft}, {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient}};
        c.SetAlign(v.AsEnum(kAligns));
      }),
      P<C>("Hint", [](C& c, const TDescValue& v) { c.SetHint(WideText(v)); }),
      P<C>("ShowHint", [](C& c, const TDescValue& v) { c.SetShowHint(v.AsBoolean()); }),
      P<C>("ParentFont", [](C& c, const TDescValue& v) { c.SetParentFont(v.AsBoolean()); }),
      P<C>("Font.Name", [font](C& c, const TDescValue& v) { font(c, [&](TFontDesc& f) { f.Name = v.AsString(); }); }),
      P<C>("Font.Height", [font](C& c, const TDescValue& v) { font(c, [&](TFontDesc& f) { f.Height = v.AsInteger(); }); }),
      P<C>("Font.Color", [font](C& c, const TDescValue& v) { font(c, [&](TFontDesc& f) { f.Color = DescColor(v); }); }),
      P<C>("Font.Charset", [font](C& c, const TDescValue& v) {
        int charset = v.Kind == TDescValueKind::Integer ? v.AsInteger() : 0;
        if (v.Kind != TDescValueKind::Integer) {
          auto known = CharsetFromIdentifier(v.AsIdentifier());
          if (!known) v.Fail("unknown character set \"" + v.Text + "\"");
          charset = *known;
        }
        font(c, [&](TFontDesc& f) { f.Charset = charset; });
      }),
      P<C>("Font.Style", [font](C& c, const TDescValue& v) {
        TFontStyles style = 0;
        for (const std::string& item : v.AsSet()) {
          auto s = FontStyleFromIdentifier(item);
          if (!s) v.Fail("unknown font style \"" + item + "\"");
          style |= *s;
        }
        font(c, [&](TFontDesc& f) { f.Style = style; });
      }),
  };
}

std::vector<TPropertyInfo> FormProperties() {
  using F = TForm;
  static const std::pair<const char*, TFormBorderStyle> kBorderStyles[] = {
      {"bsNone", TFormBorderStyle::bsNone},         {"bsSingle", TFormBorderStyle::bsSingle},
      {"bsSizeable", TFormBorderStyle::bsSizeable}, {"bsDialog", TFormBorderStyle::bsDialog},
      {"bsToolWindow", TFormBorderStyle::bsToolWindow}, {"bsSizeToolWin", TFormBorderStyle::bsSizeToolWin}};
  static const std::pair<const char*, TPosition> kPositions[] = {
      {"poDesigned", TPosition::poDesigned},           {"poDefault", TPosition::poDefault},
      {"poScreenCenter", TPosition::poScreenCenter},   {"poDesktopCenter", TPosition::poDesktopCenter},
      {"poMainFormCenter", TPosition::poMainFormCenter}};
  static const std::pair<const char*, TBorderIcon> kIcons[] = {
      {"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}, {"biHelp", biHelp}};
  return {
      P<F>("ClientWidth", [](F& f, const TDescValue& v) { f.SetClientWidth(v.AsInteger()); }),
      P<F>("ClientHeight", [](F& f, const TDescValue& v) { f.SetClientHeight(v.AsInteger()); }),
      P<F>("BorderStyle", [](F& f, const TDescValue& v) { f.SetBorderStyle(v.AsEnum(kBorderStyles)); }),
      P<F>("Position", [](F& f, const TDescValue& v) { f.SetPosition(v.AsEnum(kPositions)); }),
      P<F>("FormStyle", [](F& f, const TDescValue& v) {
        static const std::pair<const char*, TFormStyle> kStyles[] = {
            {"fsNormal", TFormStyle::fsNormal}, {"fsMDIChild", TFormStyle::fsMDIChild}, {"fsMDIForm", TFormStyle::fsMDIForm}};
        f.SetFormStyle(v.AsEnum(kStyles));
      }),
      LinkProperty<F, TMenuItem>("WindowMenu", [](F& f, TMenuItem* item) { f.SetWindowMenu(item); }),
      LinkProperty<F, TMainMenu>("Menu", [](F& f, TMainMenu* menu) { f.SetMenu(menu); }),
      P<F>("BorderIcons", [](F& f, const TDescValue& v) {
        TBorderIcons icons = 0;
        for (const std::string& item : v.AsSet()) {
          bool known = false;
          for (const auto& [name, icon] : kIcons)
            if (item == name) icons |= icon, known = true;
          if (!known) v.Fail("unknown border icon \"" + item + "\"");
        }
        f.SetBorderIcons(icons);
      }),
  };
}

template <class E>
std::vector<TPropertyInfo> EditProperties() {
  return {
      P<E>("ReadOnly", [](E& e, const TDescValue& v) { e.SetReadOnly(v.AsBoolean()); }),
      P<E>("HideSelection", [](E& e, const TDescValue& v) { e.SetHideSelection(v.AsBoolean()); }),
      EventProperty<E>("OnChange", [](E& e, TNotifyEvent handler) { e.OnChange = std::move(handler); }),
  };
}

}  // namespace

void RegisterFrameworkClasses(TClassRegistry& registry) {
  RegisterMenuClasses(registry);
  RegisterImageListClasses(registry);
  TClassInfo winControl;
  winControl.Name = "TWinControl";
  winControl.IsInstance = InstanceOf<TWinControl>();
  winControl.Properties = WinControlProperties();
  registry.Register(std::move(winControl));

  TClassInfo form = RootClass<TForm>("TForm", "TWinControl", {}, {});
  form.Properties = FormProperties();
  registry.Register(std::move(form));

  registry.Register(ControlClass<TLabel>("TLabel", "TWinControl", {}));
  registry.Register(ControlClass<TEdit>("TEdit", "TWinControl", EditProperties<TEdit>()));

  static const std::pair<const char*, TScrollStyle> kScrollStyles[] = {
      {"ssNone", TScrollStyle::ssNone}, {"ssHorizontal", TScrollStyle::ssHorizontal},
      {"ssVertical", TScrollStyle::ssVertical}, {"ssBoth", TScrollStyle::ssBoth}};
  std::vector<TPropertyInfo> memo = EditProperties<TMemo>();
  memo.push_back(P<TMemo>("ScrollBars", [](TMemo& m, const TDescValue& v) { m.SetScrollBars(v.AsEnum(kScrollStyles)); }));
  memo.push_back(P<TMemo>("WordWrap", [](TMemo& m, const TDescValue& v) { m.SetWordWrap(v.AsBoolean()); }));
  registry.Register(ControlClass<TMemo>("TMemo", "TWinControl", std::move(memo)));

  auto onClick = [](auto* tag) {
    using B = std::remove_pointer_t<decltype(tag)>;
    return EventProperty<B>("OnClick", [](B& b, TNotifyEvent handler) { b.OnClick = std::move(handler); });
  };
  registry.Register(ControlClass<TCheckBox>(
      "TCheckBox", "TWinControl",
      {onClick(static_cast<TCheckBox*>(nullptr)),
       P<TCheckBox>("Checked", [](TCheckBox& c, const TDescValue& v) { c.SetChecked(v.AsBoolean()); })}));
  registry.Register(ControlClass<TButton>("TButton", "TWinControl", {onClick(static_cast<TButton*>(nullptr))}));
}
