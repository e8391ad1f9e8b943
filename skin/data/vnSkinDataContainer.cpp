#include "skin/data/vnSkinDataContainer.h"

#include <string>

namespace {

// A forward-only reader over the container that knows its offset for error messages.
class TReader {
public:
  // shared, when not null, holds bytes: the pictures then share it.
  TReader(std::span<const std::uint8_t> bytes, std::int64_t maxPixels, const TBmpPicture::TSharedBytes& shared)
      : FBytes(bytes), FShared(shared), FPixelsLeft(maxPixels) {}

  std::size_t Offset() const { return FAt; }
  std::span<const std::uint8_t> Rest() const { return FBytes.subspan(FAt); }

  std::int32_t Int32(const char* what) {
    Need(4, what);
    const std::uint32_t v = FBytes[FAt] | (FBytes[FAt + 1] << 8) | (FBytes[FAt + 2] << 16) |
                            (static_cast<std::uint32_t>(FBytes[FAt + 3]) << 24);
    FAt += 4;
    return static_cast<std::int32_t>(v);
  }
  std::uint8_t Byte(const char* what) {
    Need(1, what);
    return FBytes[FAt++];
  }
  // A picture is decoded only when its pixels still fit the container's budget, which the
  // headers tell before anything is allocated.
  void Picture(TBmpPicture& picture, const std::string& what) {
    try {
      const TBmpInfo info = ReadBmpInfo(Rest(), FAt);
      const std::int64_t pixels = static_cast<std::int64_t>(info.Width) * info.Height;
      if (pixels > FPixelsLeft)
        throw EvnSkinError(what + ": the " + std::to_string(info.Width) + " x " +
                           std::to_string(info.Height) + " BMP at byte offset " + std::to_string(FAt) +
                           " passes the limit of " + std::to_string(FPixelsLeft + FPixelsUsed) +
                           " pixels for all pictures of a skin (" + std::to_string(FPixelsUsed) +
                           " before it)");
      FAt += FShared ? picture.LoadFromShared(FShared, FAt) : picture.LoadFromBytes(Rest(), FAt);
      FPixelsLeft -= pixels;
      FPixelsUsed += pixels;
    } catch (const EBmpError& e) {
      throw EvnSkinError(what + ": " + e.what());
    }
  }
  // A flagged picture: the empty flag, and the BMP when the flag is 0.
  void FlaggedPicture(TBmpPicture& picture, const std::string& what) {
    const std::string flag = what + " flag";
    if (Byte(flag.c_str()) == 0) Picture(picture, what);
    else picture.Clear();
  }

private:
  void Need(std::size_t n, const char* what) {
    if (FBytes.size() - FAt < n)
      throw EvnSkinError(std::string("truncated skin container: ") + what + " needs " +
                         std::to_string(n) + " bytes at byte offset " + std::to_string(FAt) +
                         " but the container ends at " + std::to_string(FBytes.size()));
  }

  std::span<const std::uint8_t> FBytes;
  const TBmpPicture::TSharedBytes& FShared;
  std::size_t FAt = 0;
  std::int64_t FPixelsLeft;
  std::int64_t FPixelsUsed = 0;
};

void CheckDescriptionSize(std::size_t size, std::size_t offset, const TvnSkinContainerLimits& limits) {
  if (size > limits.MaxDescriptionSize)
    throw EvnSkinError("the description text at byte offset " + std::to_string(offset) + " has " +
                       std::to_string(size) + " bytes, more than the " +
                       std::to_string(limits.MaxDescriptionSize) + " a skin description may have");
}

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutPicture(std::vector<std::uint8_t>& out, const TBmpPicture& picture) {
  const std::vector<std::uint8_t> bytes = picture.SaveToBytes();
  out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

namespace {

TvnSkinContainer ReadContainer(std::span<const std::uint8_t> bytes, const TBmpPicture::TSharedBytes& shared,
                               const TvnSkinContainerLimits& limits) {
  TvnSkinContainer c;
  TReader r(bytes, limits.MaxPixels, shared);
  c.Version = r.Int32("the version");
  if (c.Version > vnSkinContainerVersion) return c;
  r.FlaggedPicture(c.Picture, "main picture");
  r.FlaggedPicture(c.InActivePicture, "inactive picture");
  r.FlaggedPicture(c.Mask, "mask");
  if (c.Version == 2) {
    TBmpPicture discarded;
    r.FlaggedPicture(discarded, "first version 2 extra picture");
    r.FlaggedPicture(discarded, "second version 2 extra picture");
  }
  const std::size_t countAt = r.Offset();
  const std::int32_t count = r.Int32("the active picture count");
  // Every picture takes at least BmpMinFileLength bytes, so a count the rest of the container
  // cannot hold is refused before anything is read or reserved for it.
  if (count > 0 && static_cast<std::size_t>(count) > r.Rest().size() / BmpMinFileLength)
    throw EvnSkinError("the active picture count " + std::to_string(count) + " at byte offset " +
                       std::to_string(countAt) + " is more than the " + std::to_string(r.Rest().size()) +
                       " bytes after it can hold (a picture takes at least " +
                       std::to_string(BmpMinFileLength) + " bytes)");
  if (count > 0) c.ActivePictures.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    c.ActivePictures.emplace_back();
    r.Picture(c.ActivePictures.back(), "active picture " + std::to_string(i) + " of " + std::to_string(count));
  }
  c.DescriptionOffset = r.Offset();
  const auto rest = r.Rest();
  CheckDescriptionSize(rest.size(), c.DescriptionOffset, limits);
  c.Text.assign(reinterpret_cast<const char*>(rest.data()), rest.size());  // one copy, not byte by byte
  return c;
}

}  // namespace

TvnSkinContainer ReadSkinContainer(std::span<const std::uint8_t> bytes, const TvnSkinContainerLimits& limits) {
  return ReadContainer(bytes, nullptr, limits);
}

TvnSkinContainer ReadSkinContainer(const TBmpPicture::TSharedBytes& bytes, const TvnSkinContainerLimits& limits) {
  return ReadContainer(bytes ? std::span<const std::uint8_t>(*bytes) : std::span<const std::uint8_t>(), bytes, limits);
}

std::vector<std::uint8_t> WriteSkinContainer(const TvnSkinContainer& container,
                                             const TvnSkinContainerLimits& limits) {
  std::int64_t pixels = 0;
  for (const TBmpPicture* p : {&container.Picture, &container.InActivePicture, &container.Mask})
    pixels += static_cast<std::int64_t>(p->Width()) * p->Height();
  for (const TBmpPicture& p : container.ActivePictures) pixels += static_cast<std::int64_t>(p.Width()) * p.Height();
  if (pixels > limits.MaxPixels)
    throw EvnSkinError("the pictures have " + std::to_string(pixels) + " pixels, more than the " +
                       std::to_string(limits.MaxPixels) + " a skin may have");
  std::vector<std::uint8_t> out;
  PutInt32(out, vnSkinContainerVersion);
  for (const TBmpPicture* p : {&container.Picture, &container.InActivePicture, &container.Mask}) {
    out.push_back(p->IsEmpty() ? 1 : 0);
    if (!p->IsEmpty()) PutPicture(out, *p);
  }
  PutInt32(out, static_cast<std::int32_t>(container.ActivePictures.size()));
  for (const TBmpPicture& p : container.ActivePictures) {
    if (p.IsEmpty()) throw EvnSkinError("an active picture is empty: the container cannot hold it");
    PutPicture(out, p);
  }
  CheckDescriptionSize(container.Text.size(), out.size(), limits);
  out.insert(out.end(), container.Text.begin(), container.Text.end());
  return out;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinTextLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}
