#pragma once
// TvnCompressedStoredSkin: a whole skin (pictures and description) kept as one zlib block, so
// a program carries its skin inside its window description and needs no file at run time.
// While a window is designed the block is built from a description file and the pictures
// beside it, or taken from a compressed skin file; at run time it is only held and unpacked.
//
// The compressed skin file: version (4 bytes, signed, up to 3), length L (4 bytes, signed),
// then L bytes of zlib stream, which become the block.
#include "framework/Component.h"
#include "framework/Stream.h"
#include "skin/data/vnSkinDataContainer.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct TDescObject;
struct TDescProperty;

// Every stored-skin object (TvnCompressedStoredSkin) of a window description, depth first in
// the order written.
std::vector<const TDescObject*> StoredSkinObjects(const TDescObject& root);
// The stored-skin object of a window description: the first of StoredSkinObjects, or none.
const TDescObject* FindStoredSkinObject(const TDescObject& root);
// The "CompressedData" property of a stored-skin object that loading it would leave in force
// (the last one written), or null when it has none. Its value may be of any kind.
const TDescProperty* StoredSkinDataProperty(const TDescObject& stored);
// The stored block of the description's stored-skin object: that property's bytes; empty when
// the description holds no stored skin or the property is missing or not binary data.
std::vector<std::uint8_t> StoredSkinBlockOf(const TDescObject& root);

class TvnCompressedStoredSkin : public TComponent {
public:
  explicit TvnCompressedStoredSkin(TComponent* owner = nullptr);

  // True when the block has length 0.
  bool IsEmpty() const { return FCompressedData.empty(); }
  // Inflates the whole block and appends the unpacked container to target. A damaged block
  // raises "compression error"; one that unpacks past vnMaxUnpackedSkinSize raises an
  // EvnSkinError. The block itself never changes.
  void DecompressToStream(TStream& target) const;
  // The same unpacked container as one buffer, inflated straight into it.
  TByteBuffer Unpack() const;

  // Builds the block from a description file and the pictures it names (in its folder).
  // Returns false and changes nothing when the description lacks one of the five required
  // sections. A picture that cannot be read raises its loader's error, and the block the
  // component held stays as it was: the new block replaces it only once it is complete.
  bool LoadFromSkinFile(const std::filesystem::path& path);
  // Takes the block from a compressed skin file. A version above 3 leaves the block empty.
  // A file that cannot be read, or whose length field does not fit it, raises an error and
  // leaves the block as it was.
  void LoadFromCompressedFile(const std::filesystem::path& path);

  // Published properties. While designing (and not while the window description is being
  // read), setting FileName keeps only its file-name part and builds the block from the full
  // value; setting CompressedFileName does the same with a compressed skin file. Names are
  // UTF-8.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value);
  const std::string& CompressedFileName() const { return FCompressedFileName; }
  void SetCompressedFileName(const std::string& value);
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& value) { FDescription = value; }

  // The binary property "CompressedData": the block exactly as stored.
  const std::vector<std::uint8_t>& CompressedData() const { return FCompressedData; }
  void SetCompressedData(std::vector<std::uint8_t> block) { FCompressedData = std::move(block); }

private:
  bool SettingFromDesigner() const;

  std::string FFileName;
  std::string FCompressedFileName;
  std::string FDescription;
  std::vector<std::uint8_t> FCompressedData;
};

// The five sections a description must have to be packed into a stored skin.
inline constexpr const char* vnRequiredSkinSections[] = {"VERSION", "PICTURES", "FORMINFO",
                                                          "SKINOBJECTS", "SKINCONTROLS"};

// Reads a description file and the pictures it names into a container, as building a stored
// skin does: version 3, the "picture", "inactivepicture" and "mask" of "PICTURES" (empty when
// unnamed), the "activepictures" list, and the text lines each ended by CR LF. Returns nothing
// and sets missingSection when a required section is missing. Errors name the file.
// Without requireSections a description without them is read all the same (for tools that
// only look at a skin). The container's limits hold here too: a description file longer than
// limits.MaxDescriptionSize, or pictures whose pixels together pass limits.MaxPixels (checked
// before each is decoded), raise EvnSkinError naming the file.
std::optional<TvnSkinContainer> ReadSkinSource(const std::filesystem::path& path,
                                               std::string* missingSection = nullptr,
                                               bool requireSections = true,
                                               const TvnSkinContainerLimits& limits = {});

// A container packed as a stored-skin block: zlib at level 9.
std::vector<std::uint8_t> PackSkinContainer(const std::vector<std::uint8_t>& container);
// The block inflated, with the 64 MiB limit; errors as DecompressToStream.
std::vector<std::uint8_t> UnpackSkinBlock(const std::vector<std::uint8_t>& block);

// The compressed skin file around a block (version 3), and the block inside such a file. A
// version above 3 yields an empty block; a length that does not fit the file raises an
// EvnSkinError.
std::vector<std::uint8_t> MakeCompressedSkinFile(const std::vector<std::uint8_t>& block);
std::vector<std::uint8_t> BlockOfCompressedSkinFile(std::span<const std::uint8_t> file);
