#pragma once
// The Win32 half of TImageList: drawing a picture of the list on a device context (leaving its
// transparent colour out, greyed when disabled) and making an icon of it.
#include <windows.h>

#include "framework/ImageList.h"

// Draws picture index at (x, y); nothing for an index outside the list. A disabled picture is
// drawn greyed and lightened, as disabled menu images are.
void DrawImageListImage(HDC dc, const TImageList& list, int index, int x, int y, bool enabled);
// A new icon of picture index (the caller owns it: destroy it, or keep it in a TOwnedIcon), or
// null for an index outside the list.
HICON MakeImageListIcon(const TImageList& list, int index);
