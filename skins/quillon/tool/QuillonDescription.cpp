#include "skins/quillon/tool/QuillonDescription.h"
std::string MakeQuillonDescription(const TQuillonArt&) { return "[VERSION]\r\n"; }
