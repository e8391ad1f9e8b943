#pragma once
// The skin the benchmarks measure with: the stored block of Quillon's window description
// (app/Unit1.desc); a tree without it packs skins/quillon/skin.ini instead.
#include <cstdint>
#include <vector>

std::vector<std::uint8_t> EmbeddedBlock();
