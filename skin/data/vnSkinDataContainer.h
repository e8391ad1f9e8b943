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

// What one container may cost once read. The unpacked size alone does not bound it: a 1-bit
// picture grows 24-fold when decoded to 24-bit pixels, and the description's reader keeps
// about 40 bytes per line of text. Quillon's own skin has some 300,000 pixels in all and a
// description of 32 KiB; these limits are far above any real skin and keep a hostile one to a
// few hundred megabytes.
struct TvnSkinContainerLimits {
  std::int64_t MaxPixels = 4 * BmpMaxPixels;        // all pictures together (192 MiB decoded)
  std::size_t MaxDescriptionSize = 2 * 1024 * 1024;  // bytes of description text
};

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
// Truncation and damaged pictures raise EvnSkinError naming the field and its byte offset, and
// so do an active picture count larger than the bytes after it can hold (a picture takes at
// least BmpMinFileLength bytes), pictures whose pixels together pass limits.MaxPixels and a
// description text longer than limits.MaxDescriptionSize.
TvnSkinContainer ReadSkinContainer(std::span<const std::uint8_t> bytes,
                                   const TvnSkinContainerLimits& limits = {});
// The same for a container whose bytes stay as they are: its pictures share them instead of
// copying their BMP bytes (TBmpPicture::LoadFromShared).
TvnSkinContainer ReadSkinContainer(const TBmpPicture::TSharedBytes& bytes, const TvnSkinContainerLimits& limits = {});

// Writes a container at version 3: each flagged picture with flag 1 when empty, else flag 0
// and its BMP bytes (the bytes it was read from when unchanged), then the active pictures and
// the text as it stands. A container the reader would refuse for its limits is not written:
// EvnSkinError.
std::vector<std::uint8_t> WriteSkinContainer(const TvnSkinContainer& container,
                                             const TvnSkinContainerLimits& limits = {});

// Lines of a text as a line list reads them: split at CR, LF or CR LF; a last line without an
// ending is a line, an ending at the very end adds none.
std::vector<std::string> SplitTextLines(std::string_view text);
// The lines, each followed by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);
