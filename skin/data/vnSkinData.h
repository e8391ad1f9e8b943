#pragma once
// TvnSkinData: the one loaded skin every skinned component of a window reads. It loads itself
// from a stored skin the moment it is linked to one: pictures, frame geometry ("FORMINFO",
// whose fields it takes from TvnSkinFormInfo and its key table), the popup and hint window
// descriptions, and the lists of object and control descriptions. Before and after a load it
// tells every form of the application (the owner form first) through a notice sender.
//
// Skinned components hold a plain reference to a skin data and never free it; the skin data
// does not know them.
#include "framework/Bmp.h"
#include "framework/Component.h"
#include "skin/data/vnSkinFormInfo.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TvnCompressedStoredSkin;
class TvnResourceStrData;
class TvnDataSkinObject;
class TvnDataSkinControl;
class TvnDataSkinPopupWindow;
class TvnDataSkinHintWindow;
class TvnIniFile;
struct TvnSkinContainer;
class TvnSkinData;

// The skin components' window messages (the platform's first user message is 1024). A skin
// data sends its notices with its own address as the first parameter and 1000 as the second.
constexpr unsigned WM_SKINCHANGING = 1024 + 201;
constexpr unsigned WM_SKINCHANGED = 1024 + 202;
constexpr unsigned WM_SKINCHANGEDAFTER = 1024 + 203;
constexpr unsigned WM_SKINSTRINGSCHANGED = 1024 + 250;
constexpr unsigned vnSkinNoticeParam = 1000;

// Delivers a skin data's notices. The Win32 half sends the message synchronously to the owner
// form's window first (when the owner is a form), then to every other form of the application
// in the order of its forms list, each exactly once. Tests install a recording sender.
class TvnSkinNoticeSender {
public:
  virtual ~TvnSkinNoticeSender() = default;
  virtual void SendSkinNotice(TvnSkinData& skinData, unsigned message) = 0;
};

// The sender new skin data components use; none (notices go nowhere) until the Win32 half
// installs its own. Not owned.
void SetDefaultSkinNoticeSender(TvnSkinNoticeSender* sender);
TvnSkinNoticeSender* DefaultSkinNoticeSender();

class TvnSkinData : public TComponent, public TvnSkinFormInfo {
public:
  explicit TvnSkinData(TComponent* owner = nullptr);
  ~TvnSkinData() override;

  // Published: the linked stored skin. Setting a stored skin loads it at once (unless
  // designing); setting none only drops the link.
  TvnCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
  void SetCompressedStoredSkin(TvnCompressedStoredSkin* value);
  // Published: the linked resource strings; setting (also to none) sends WM_SKINSTRINGSCHANGED.
  TvnResourceStrData* ResourceStrData() const { return FResourceStrData; }
  void SetResourceStrData(TvnResourceStrData* value);

  // Unpacks and reads the stored skin (nothing at all when it is empty). Sends
  // WM_SKINCHANGING before anything is cleared and, after a complete load, WM_SKINCHANGED and
  // WM_SKINCHANGEDAFTER. A container version above 3 leaves the skin data empty without an
  // error. A damaged block, picture or value raises an error naming what and where; the skin
  // data is then empty (SkinEmpty) and no WM_SKINCHANGED is sent.
  void LoadCompressedSkin(TvnCompressedStoredSkin& storedSkin);
  // The same from an already unpacked container (tools, tests, benchmarks).
  void LoadFromContainer(std::span<const std::uint8_t> container);

  // Position of the first description whose name equals name exactly, or -1.
  int IndexOfSkinObject(std::string_view name) const;
  int IndexOfControl(std::string_view name) const;

  // This skin as drawn at dpi: the skin itself at the design DPI or while empty, else a copy
  // scaled to dpi (see vnSkinDataScale.h), made at the first call for that DPI and kept until
  // the lists are next cleared (a load or ClearAll). Whoever draws from a copy lets go of it on
  // WM_SKINCHANGING, as of the skin itself.
  TvnSkinData& AtDpi(int dpi);
  // The DPI this skin data is drawn for: 96, or the DPI of a scaled copy. A copy is never
  // scaled again: AtDpi on a copy gives the copy itself.
  int SkinDpi() const { return FSkinDpi; }

  // Frees every object and control description and every active picture, empties
  // ActivePictureNames and sets the popup and hint window picture indexes to -1.
  void ClearLists();
  // ClearLists, the three pictures and their names emptied, SkinEmpty set.
  void ClearAll();
  void SendSkinNotice(unsigned message);

  // Where notices go: DefaultSkinNoticeSender() at creation. Not owned; null sends nothing.
  TvnSkinNoticeSender* NoticeSender() const { return FNoticeSender; }
  void SetNoticeSender(TvnSkinNoticeSender* sender) { FNoticeSender = sender; }

  // ---- the loaded skin (the "FORMINFO" fields come from TvnSkinFormInfo) ----
  std::unique_ptr<TvnDataSkinPopupWindow> PopupWindowInfo;
  std::unique_ptr<TvnDataSkinHintWindow> HintWindowInfo;
  bool SkinEmpty = true;
  TBmpPicture Picture;
  TBmpPicture InActivePicture;
  TBmpPicture Mask;
  std::vector<TBmpPicture> ActivePictures;
  std::string PictureName;
  std::string InActivePictureName;
  std::string MaskName;
  std::vector<std::string> ActivePictureNames;
  std::vector<std::unique_ptr<TvnDataSkinObject>> ObjectDescriptions;
  std::vector<std::unique_ptr<TvnDataSkinControl>> ControlDescriptions;
  std::string SkinName;
  std::string SkinAuthor;
  std::string AuthorURL;
  std::string AuthorEmail;
  std::string SkinComments;

  // Facts about the last container read (for tools): its size and where its text began.
  std::int32_t ContainerVersion = 0;
  std::size_t UnpackedSize = 0;
  std::size_t DescriptionOffset = 0;

  // Reads a description text (8-bit, code page 936) into the fields and lists, as the last
  // steps of a load do. Used by LoadCompressedSkin and by tools that read a bare description.
  void ReadSkinDescription(const TvnIniFile& ini);

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void BeginLoad();
  void ReadContainer(TvnSkinContainer&& container, std::size_t unpackedSize);

  friend std::unique_ptr<TvnSkinData> ScaledSkinData(const TvnSkinData& source, int dpi);
  std::vector<std::pair<int, std::unique_ptr<TvnSkinData>>> FScaledCopies;  // by DPI
  int FSkinDpi = 96;
  TvnCompressedStoredSkin* FCompressedStoredSkin = nullptr;  // not owned
  TvnResourceStrData* FResourceStrData = nullptr;            // not owned
  TvnSkinNoticeSender* FNoticeSender = nullptr;              // not owned
};

// The skin's active picture at index, or null: no skin, an index that names no picture (-1 is
// the descriptions' "none"), or an empty picture, which has nothing to draw from.
const TBmpPicture* ActivePicture(const TvnSkinData* skin, int index);
