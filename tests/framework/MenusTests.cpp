#include "framework/Menus.h"

#include "framework/ClassRegistry.h"
#include "framework/CodePage.h"
#include "framework/Description.h"
#include "framework/DescriptionReader.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const TMenuItem& menu) {
  std::vector<std::string> names;
  for (int i = 0; i < menu.Count(); ++i) names.push_back(menu.Items(i)->Name());
  return names;
}

// Counts its own destructions, to see who frees what.
struct TCountedItem : TMenuItem {
  explicit TCountedItem(TComponent* owner, int* freed) : TMenuItem(owner), Freed(freed) {}
  ~TCountedItem() override { ++*Freed; }
  int* Freed;
};

TEST(ShortCuts, TextBothWays) {
  const struct {
    TShortCut ShortCut;
    const char* Text;
  } cases[] = {
      {ShortCut(vkF4, scAlt), "Alt+F4"},
      {ShortCut(vkF4, scCtrl), "Ctrl+F4"},
      {ShortCut(vkDelete, scShift | scCtrl), "Shift+Ctrl+Del"},
      {ShortCut('A', scCtrl), "Ctrl+A"},
      {ShortCut('7', scNone), "7"},
      {ShortCut(vkF24, scAlt), "Alt+F24"},
      {ShortCut(vkReturn, scNone), "Enter"},
      {ShortCut(vkPrior, scShift), "Shift+PgUp"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
  }
  EXPECT_EQ(TextToShortCut("alt+f4"), ShortCut(vkF4, scAlt));
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCutToText(ShortCut(0xFF, scAlt)), "");  // a key without a name
  for (const char* bad : {"", "Alt+", "Alt", "F25", "Ctrl+Nothing", "Alt+F4x"})
    EXPECT_EQ(TextToShortCut(bad), scNone) << bad;
}

TEST(MenuItems, AddInsertFindRemoveAndOrder) {
  TMenuItem root;
  TMenuItem* a = root.AddItem("A", u"&Alpha");
  TMenuItem* c = root.AddItem("C", u"Gamma");
  TMenuItem* b = root.AddItem("B", u"Beta", {}, scNone, 1);
  TMenuItem* line = root.AddSeparator(0);
  EXPECT_EQ(Names(root), (std::vector<std::string>{"", "A", "B", "C"}));
  EXPECT_TRUE(line->IsLine());
  EXPECT_FALSE(a->IsLine());
  EXPECT_EQ(root.Find("B"), b);
  EXPECT_EQ(root.Find(""), nullptr);  // separators have no name to find them by
  EXPECT_EQ(root.Find("Z"), nullptr);
  EXPECT_EQ(root.IndexOf(c), 3);
  EXPECT_EQ(b->Parent(), &root);

  // Moving an item inside its own menu, to its last place.
  root.Insert(3, a);
  EXPECT_EQ(Names(root), (std::vector<std::string>{"", "B", "C", "A"}));

  // A sub-menu; the item leaves its old place when it moves there.
  TMenuItem* sub = root.AddItem("Sub", u"More");
  sub->Add(c);
  EXPECT_EQ(Names(root), (std::vector<std::string>{"", "B", "A", "Sub"}));
  EXPECT_EQ(c->Parent(), sub);
  EXPECT_EQ(root.Find("C"), nullptr);  // only the direct sub-items
  EXPECT_THROW(c->Add(&root), std::invalid_argument);  // would contain itself
  EXPECT_THROW(sub->Add(sub), std::invalid_argument);
  EXPECT_THROW(root.Add(nullptr), std::invalid_argument);
  TMenuItem loose;
  EXPECT_THROW(root.Insert(6, &loose), std::out_of_range);
  EXPECT_EQ(loose.Parent(), nullptr);
  EXPECT_THROW(root.Items(4), std::out_of_range);
  EXPECT_EQ(Names(root), (std::vector<std::string>{"", "B", "A", "Sub"}));

  // Remove keeps the item alive for the caller.
  root.Remove(b);
  EXPECT_EQ(b->Parent(), nullptr);
  EXPECT_EQ(root.Count(), 3);
  root.Remove(b);  // not a sub-item any more: nothing
  delete b;
}

TEST(MenuItems, TheParentFreesTheItemsItOwnsAndOwnedItemsLeaveByThemselves) {
  int freed = 0;
  {
    TComponent form;  // owns one item, as a window description would
    auto* root = new TMenuItem;
    root->Add(new TCountedItem(nullptr, &freed));
    root->Add(new TCountedItem(nullptr, &freed));
    auto* formItem = TComponent::Create<TCountedItem>(&form, &freed);
    formItem->SetName("FormItem");
    root->Insert(0, formItem);
    root->Delete(1);  // an item of the menu's own
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(root->Count(), 2);

    // The form frees its item first: it leaves the menu, which keeps working.
    form.RemoveAndFree(formItem);
    EXPECT_EQ(freed, 2);
    EXPECT_EQ(root->Count(), 1);
    EXPECT_EQ(root->Find("FormItem"), nullptr);

    // Clear frees an item the form owns through the form.
    auto* again = TComponent::Create<TCountedItem>(&form, &freed);
    root->Add(again);
    root->Clear();
    EXPECT_EQ(freed, 4);
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(root->Count(), 0);

    root->Add(new TCountedItem(nullptr, &freed));
    TMenuItem* nested = root->AddItem("N", u"N");
    nested->Add(new TCountedItem(nullptr, &freed));
    delete root;  // frees its whole tree
    EXPECT_EQ(freed, 6);
  }
}

TEST(MenuItems, ClickRunsOnlyWhenEnabled) {
  TPopupMenu menu;
  std::vector<TComponent*> senders;
  TMenuItem* item = menu.Items().AddItem("Go", u"Go", [&](TComponent* s) { senders.push_back(s); });
  item->Click();
  item->Enabled = false;
  item->Click();
  EXPECT_EQ(senders, (std::vector<TComponent*>{item}));
  TMenuItem* silent = menu.Items().AddItem("Silent", u"Silent");
  silent->Click();  // no handler: nothing
  EXPECT_EQ(senders.size(), 1u);
}

TEST(MenuItems, ShortCutRunsTheFirstEnabledItemThatHasIt) {
  TMainMenu menu;
  std::vector<std::string> clicks;
  auto click = [&](TComponent* s) { clicks.push_back(s->Name()); };
  TMenuItem& root = menu.Items();
  TMenuItem* file = root.AddItem("File", u"&File");
  file->AddItem("Open", u"&Open", click, ShortCut('O', scCtrl));
  TMenuItem* off = file->AddItem("SaveOff", u"Save", click, ShortCut('S', scCtrl));
  off->Enabled = false;
  TMenuItem* deep = file->AddItem("More", u"More");
  deep->AddItem("SaveDeep", u"Save", click, ShortCut('S', scCtrl));
  TMenuItem* locked = root.AddItem("Locked", u"Locked");
  locked->Enabled = false;
  locked->AddItem("Print", u"Print", click, ShortCut('P', scCtrl));
  root.AddItem("Top", u"Top", click, ShortCut(vkF4, scNone));
  const struct {
    TShortCut Key;
    const char* Runs;  // empty: no item takes the key
  } cases[] = {
      {ShortCut('O', scCtrl), "Open"},
      {ShortCut('S', scCtrl), "SaveDeep"},  // the disabled one before it is passed over
      {ShortCut('P', scCtrl), ""},          // under a disabled item
      {ShortCut('O', scCtrl | scShift), ""},
      {ShortCut(vkF4, scNone), "Top"},
      {scNone, ""},                         // the many items without a shortcut never match
  };
  for (const auto& c : cases) {
    clicks.clear();
    EXPECT_EQ(menu.IsShortCut(c.Key), *c.Runs != 0) << ShortCutToText(c.Key);
    EXPECT_EQ(clicks, *c.Runs ? std::vector<std::string>{c.Runs} : std::vector<std::string>{})
        << ShortCutToText(c.Key);
  }
  EXPECT_EQ(file->Items(0)->GetParentMenu(), &menu);
}

class TMenuRoot : public TComponent {
public:
  using TComponent::TComponent;
  std::vector<std::string> Clicks;
  void Clicked(TComponent* sender) { Clicks.push_back(sender->Name()); }
};

TClassRegistry MenuRegistry() {
  TClassRegistry registry;
  registry.Register(RootClass<TMenuRoot>("TMenuRoot", "", {Handler<TMenuRoot>("Clicked", &TMenuRoot::Clicked)}, {}));
  RegisterMenuClasses(registry);
  return registry;
}

TEST(MenuItems, ReadFromAWindowDescription) {
  const TClassRegistry registry = MenuRegistry();
  {
    TMenuRoot root;
    ReadDescription(
        "object Root: TMenuRoot\n"
        "  object Menu: TPopupMenu\n"
        "    OnPopup = Clicked\n"
        "    object Open: TMenuItem\n"
        "      Caption = \"打开(&O)\"\n"
        "      ShortCut = 16463\n"
        "      OnClick = Clicked\n"
        "    end\n"
        "    object Line: TMenuItem\n"
        "      Caption = \"-\"\n"
        "    end\n"
        "    object More: TMenuItem\n"
        "      Caption = \"More\"\n"
        "      Enabled = False\n"
        "      object Quit: TMenuItem\n"
        "        ShortCut = \"Alt+F4\"\n"
        "        Checked = True\n"
        "        Visible = False\n"
        "        RadioItem = True\n"
        "        ImageIndex = 3\n"
        "      end\n"
        "    end\n"
        "  end\n"
        "end\n",
        root, registry);
    auto* menu = dynamic_cast<TPopupMenu*>(root.FindComponent("Menu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Names(menu->Items()), (std::vector<std::string>{"Open", "Line", "More"}));
    TMenuItem* open = menu->Items().Find("Open");
    EXPECT_EQ(Utf16ToUtf8(open->Caption), "打开(&O)");
    EXPECT_EQ(ShortCutToText(open->ShortCut), "Ctrl+O");
    open->Click();
    EXPECT_EQ(root.Clicks, (std::vector<std::string>{"Open"}));
    EXPECT_TRUE(menu->Items().Find("Line")->IsLine());
    TMenuItem* more = menu->Items().Find("More");
    EXPECT_FALSE(more->Enabled);
    ASSERT_EQ(more->Count(), 1);
    TMenuItem* quit = more->Items(0);
    EXPECT_EQ(quit->ShortCut, ShortCut(vkF4, scAlt));
    EXPECT_TRUE(quit->Checked);
    EXPECT_FALSE(quit->Visible);
    EXPECT_TRUE(quit->RadioItem);
    EXPECT_EQ(quit->ImageIndex, 3);
    EXPECT_EQ(open->ImageIndex, -1);
    ASSERT_TRUE(menu->OnPopup);
    menu->OnPopup(menu);
    EXPECT_EQ(root.Clicks, (std::vector<std::string>{"Open", "Menu"}));
    EXPECT_EQ(quit->Owner(), &root);  // the form owns every item; the menu only holds them
  }  // the root frees menu and items once each

  {
    TMenuRoot root;
    ReadDescription(
        "object Root: TMenuRoot\n"
        "  object Bar: TMainMenu\n"
        "    object File: TMenuItem\n"
        "      Caption = \"&File\"\n"
        "      object Quit: TMenuItem\n"
        "        OnClick = Clicked\n"
        "      end\n"
        "    end\n"
        "    object Help: TMenuItem\n"
        "      GroupIndex = 9\n"
        "    end\n"
        "  end\n"
        "end\n",
        root, registry);
    auto* bar = dynamic_cast<TMainMenu*>(root.FindComponent("Bar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Names(bar->Items()), (std::vector<std::string>{"File", "Help"}));
    EXPECT_EQ(bar->Items().Find("Help")->GroupIndex, 9);
    EXPECT_EQ(bar->Items().Find("File")->GroupIndex, 0);
    ASSERT_EQ(bar->Items().Find("File")->Count(), 1);
    bar->Items().Find("File")->Items(0)->Click();
    EXPECT_EQ(root.Clicks, (std::vector<std::string>{"Quit"}));
  }

  const char* faulty[] = {
      "object Root: TMenuRoot\n  object Loose: TMenuItem\n  end\nend\n",  // not in a menu
      "object Root: TMenuRoot\n  object M: TPopupMenu\n    object I: TMenuItem\n"
      "      ShortCut = \"Alt+Nothing\"\n    end\n  end\nend\n",
      "object Root: TMenuRoot\n  object M: TPopupMenu\n    object I: TMenuItem\n"
      "      ShortCut = 70000\n    end\n  end\nend\n",
  };
  for (const char* text : faulty) {
    TMenuRoot root;
    EXPECT_THROW(ReadDescription(text, root, registry), TDescriptionError) << text;
  }
}

}  // namespace
