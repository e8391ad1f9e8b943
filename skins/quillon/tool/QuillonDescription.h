#pragma once
// The description (skin.ini) of the Quillon skin: GB2312 text, lines ended by CR LF.
#include "skins/quillon/tool/QuillonArt.h"

#include <string>

std::string MakeQuillonDescription(const TQuillonArt& art);
