#include "examples/gallery/GalleryMenu_win.h"

#include "examples/gallery/GalleryForm_win.h"
#include "examples/gallery/GalleryImages.h"
#include "skin/menus/vnSkinPopupMenu_win.h"

#include <string>

namespace {

// A caption as the user reads it: without its access-key mark.
std::u16string Plain(std::u16string caption) {
  std::erase(caption, u'&');
  return caption;
}

// An item that says in the form's label that it ran.
TMenuItem* AddReporting(TGalleryForm& form, TMenuItem& parent, const char* name, std::u16string caption,
                        TShortCut shortCut = scNone, int image = -1) {
  const std::u16string said = Plain(caption);
  TMenuItem* item = parent.AddItem(name, std::move(caption),
                                   [&form, said](TComponent*) { form.Report(u"Ran: " + said); }, shortCut);
  item->ImageIndex = image;
  return item;
}

// A check item turns itself on and off.
TMenuItem* AddCheck(TGalleryForm& form, TMenuItem& parent, const char* name, std::u16string caption, bool checked) {
  TMenuItem* item = parent.AddItem(name, std::move(caption));
  item->Checked = checked;
  item->OnClick = [&form, item](TComponent*) {
    item->Checked = !item->Checked;
    form.Report(Plain(item->Caption) + (item->Checked ? u" is on" : u" is off"));
  };
  return item;
}

// Radio items: choosing one clears the others of its group.
void AddRadioGroup(TGalleryForm& form, TMenuItem& parent, std::initializer_list<const char16_t*> captions) {
  std::vector<TMenuItem*> group;
  for (const char16_t* caption : captions) {
    TMenuItem* item = parent.AddItem("", caption);
    item->RadioItem = true;
    group.push_back(item);
  }
  group.front()->Checked = true;
  for (TMenuItem* item : group)
    item->OnClick = [&form, item, group](TComponent*) {
      for (TMenuItem* other : group) other->Checked = other == item;
      form.Report(u"Chosen: " + Plain(item->Caption));
    };
}

void AddViewMenu(TGalleryForm& form, TMenuItem& root) {
  TMenuItem* view = root.AddItem("ViewItem", u"&View");
  AddCheck(form, *view, "ToolbarItem", u"&Toolbar", true);
  AddCheck(form, *view, "StatusItem", u"&Status bar", false);
  view->AddSeparator();
  AddRadioGroup(form, *view, {u"&Icons", u"&List", u"&Details"});
  view->AddSeparator();
  // Three levels below the menu itself: View > Sort by > Order.
  TMenuItem* sort = view->AddItem("SortItem", u"Sort &by");
  AddRadioGroup(form, *sort, {u"&Name", u"&Date", u"&Size"});
  sort->AddSeparator();
  TMenuItem* order = sort->AddItem("OrderItem", u"&Order");
  AddRadioGroup(form, *order, {u"&Ascending", u"D&escending"});
}

void AddLongList(TGalleryForm& form, TMenuItem& root) {
  TMenuItem* list = root.AddItem("LongListItem", u"&Long list (40 items)");
  for (int i = 1; i <= 40; ++i) {
    const std::string n = std::to_string(i);
    AddReporting(form, *list, "", u"Item " + std::u16string(n.begin(), n.end()));
  }
}

}  // namespace

TvnSkinPopupMenu* BuildDemoMenu(TGalleryForm& form) {
  auto* menu = TComponent::Create<TvnSkinPopupMenu>(&form);
  menu->SetImages(form.Images);
  TMenuItem& root = menu->Items();
  AddReporting(form, root, "NewItem", u"&New", ShortCut('N', scCtrl), giPage);
  AddReporting(form, root, "OpenItem", u"&Open...", ShortCut('O', scCtrl), giFolder);
  AddReporting(form, root, "SaveItem", u"&Save", ShortCut('S', scCtrl), giDisk);
  TMenuItem* saveAs = AddReporting(form, root, "SaveAsItem", u"Save &as...", scNone, giDisk);
  saveAs->Enabled = false;
  root.AddSeparator();
  AddViewMenu(form, root);
  AddLongList(form, root);
  AddCheck(form, root, "FavouriteItem", u"&Favourite", true)->ImageIndex = giStar;
  root.AddSeparator();
  // Frees the menu it belongs to while that menu runs it: the engine has closed the menu before
  // the command runs, so nothing of it is touched afterwards.
  root.AddItem("RemoveItem", u"&Remove this menu", [&form, menu](TComponent*) {
    // The handler's captures go with the item: keep what is needed on the stack first.
    TGalleryForm& owner = form;
    owner.RemoveAndFree(menu);
    owner.Report(u"The demo menu was freed by its own item.");
  });
  AddReporting(form, root, "DisabledItem", u"Disabled item", ShortCut(vkF4, scCtrl))->Enabled = false;
  root.AddItem("CloseItem", u"&Close window", [&form](TComponent*) { form.Close(); }, ShortCut(vkF4, scAlt));
  return menu;
}

TvnSkinPopupMenu* BuildSkinMenu(TGalleryForm& form) {
  auto* menu = TComponent::Create<TvnSkinPopupMenu>(&form);
  struct TChoice {
    const char* Name;
    const char16_t* Caption;
    TGallerySkin Skin;
  };
  static constexpr TChoice choices[] = {{"OpeningSkinItem", u"&Opening skin", TGallerySkin::Opening},
                                        {"DarkSkinItem", u"&Dark skin", TGallerySkin::Dark},
                                        {"NoSkinItem", u"&No skin", TGallerySkin::None}};
  std::vector<TMenuItem*> group;
  for (const TChoice& choice : choices) {
    TMenuItem* item = menu->Items().AddItem(choice.Name, choice.Caption);
    item->RadioItem = true;
    item->Checked = choice.Skin == form.CurrentSkin();
    group.push_back(item);
  }
  for (std::size_t i = 0; i < group.size(); ++i)
    group[i]->OnClick = [&form, group, i](TComponent*) {
      for (TMenuItem* other : group) other->Checked = other == group[i];
      form.UseSkin(choices[i].Skin);
      form.Report(u"Skin: " + Plain(group[i]->Caption));
    };
  return menu;
}
