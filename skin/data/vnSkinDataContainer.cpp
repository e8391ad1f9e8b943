#include "skin/data/vnSkinDataContainer.h"

#include <string>

namespace {

// A forward-only reader over the container that knows its offset for error messages.
class TReader {
public:
  explicit TReader(std::span<const std::uint8_t> bytes) : FBytes(bytes) {}

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
  void Picture(TBmpPicture& picture, const std::string& what) {
    try {
      FAt += picture.LoadFromBytes(Rest(), FAt);
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
  std::size_t FAt = 0;
};

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutPicture(std::vector<std::uint8_t>& out, const TBmpPicture& picture) {
  const std::vector<std::uint8_t> bytes = picture.SaveToBytes();
  out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

TvnSkinContainer ReadSkinContainer(std::span<const std::uint8_t> bytes) {
  TvnSkinContainer c;
  TReader r(bytes);
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
  const std::int32_t count = r.Int32("the active picture count");
  // No reserve for count: a damaged count must not allocate; a missing picture ends the loop.
  for (std::int32_t i = 0; i < count; ++i) {
    c.ActivePictures.emplace_back();
    r.Picture(c.ActivePictures.back(), "active picture " + std::to_string(i) + " of " + std::to_string(count));
  }
  c.DescriptionOffset = r.Offset();
  const auto rest = r.Rest();
  c.Text.assign(rest.begin(), rest.end());
  return c;
}

std::vector<std::uint8_t> WriteSkinContainer(const TvnSkinContainer& container) {
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
