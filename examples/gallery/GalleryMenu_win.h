#pragma once
// The demo popup menu: every kind of item the skinned menus draw, three levels of submenus,
// check and radio items, pictures, shortcut texts, disabled items, separators, a 40-item
// submenu that scrolls, and an item whose handler frees the very menu it belongs to.
class TGalleryForm;
class TvnSkinPopupMenu;

// A new menu owned by the form, reporting each command in the form's label.
TvnSkinPopupMenu* BuildDemoMenu(TGalleryForm& form);

// The skin menu: three radio items that switch the window between the skin it opened with, the
// dark skin and no skin (TGalleryForm::UseSkin).
TvnSkinPopupMenu* BuildSkinMenu(TGalleryForm& form);
