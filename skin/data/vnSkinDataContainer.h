#pragma once
// The unpacked stored skin: the container layout, read and written.
//
//   version             4 bytes, signed, little-endian; 3 when written, up to 3 accepted
//   main picture        1-byte empty flag (0: a BMP image follows), then the BMP
//   inactive picture    the same
//   mask                the same
//   (version 2 only)    two more flagged pictures, read and thrown away
//   active count n      4 bytes, signed; 0 or less: none
//   active pictures     n BMP images one after another, without flags
//   description text    the rest: 8-bit text, lines ended by CR LF
//
// A BMP image is a complete BMP file; its length is the one in its file header.
#include "framework/Bmp.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A skin that cannot be read: the message says what is wrong and where (a byte offset in the
// unpacked container, or a file, section and key).
class EvnSkinError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The newest container version; a larger one is refused.
constexpr std::int32_t vnSkinContainerVersion = 3;
// A stored skin may unpack to at most this many bytes: far above any real skin, low enough
// that a damaged or hostile block cannot exhaust memory.
constexpr std::int64_t vnMaxUnpackedSkinSize = 64 * 1024 * 1024;

struct TvnSkinContainer {
  std::int32_t Version = vnSkinContainerVersion;
  TBmpPicture Picture;          // empty when absent
  TBmpPicture InActivePicture;  // empty when absent
  TBmpPicture Mask;             // empty when absent
  std::vector<TBmpPicture> ActivePictures;
  std::string Text;             // the description text as stored (8-bit, code page 936)
  std::size_t DescriptionOffset = 0;  // where Text starts in the unpacked bytes (after reading)
};

// Reads a container. A version above 3 is not an error here: the result then holds only that
// Version, and the caller decides (the skin data stays empty, skintool refuses the skin).
// Truncation and damaged pictures raise EvnSkinError naming the field and its byte offset.
TvnSkinContainer ReadSkinContainer(std::span<const std::uint8_t> bytes);

// Writes a container at version 3: each flagged picture with flag 1 when empty, else flag 0
// and its BMP bytes (the bytes it was read from when unchanged), then the active pictures and
// the text as it stands.
std::vector<std::uint8_t> WriteSkinContainer(const TvnSkinContainer& container);

// Lines of a text as a line list reads them: split at CR, LF or CR LF; a last line without an
// ending is a line, an ending at the very end adds none.
std::vector<std::string> SplitTextLines(std::string_view text);
// The lines, each followed by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);
