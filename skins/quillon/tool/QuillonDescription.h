#pragma once
// The description (skin.ini) of the Quillon skin: GB2312 text, lines ended by CR LF.
#include "skins/quillon/tool/QuillonArt.h"

#include <string>

struct TSkinTheme;
// The theme names the skin and colours its colour keys as it coloured the pictures.
std::string MakeQuillonDescription(const TQuillonArt& art, const TSkinTheme& theme);
