// Arbitrary bytes as a BMP: the header checks and every pixel decoder. A refused file raises
// EBmpError; anything else is a finding. A decoded picture must stay within the limits, keep
// its exact bytes, and survive a 24-bit encode and decode unchanged.
#include "framework/Bmp.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBmpPicture picture;
  std::size_t length = 0;
  try {
    length = picture.LoadFromBytes({data, size}, 1000);
  } catch (const EBmpError&) {
    return 0;
  }
  if (length > size || picture.Width() <= 0 || picture.Height() <= 0 || picture.Width() > BmpMaxDimension ||
      picture.Height() > BmpMaxDimension)
    std::abort();
  if (picture.SaveToBytes() != std::vector<std::uint8_t>(data, data + length)) std::abort();
  if (DecodeBmp(EncodeBmp(picture)) != static_cast<const TPixelBitmap&>(picture)) std::abort();
  return 0;
}
