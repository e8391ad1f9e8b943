#include "skin/data/vnSkinData.h"

#include "framework/Stream.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinDataControls.h"
#include "skin/data/vnSkinDataScale.h"
#include "skin/data/vnSkinDataContainer.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/data/vnSkinDataObjects.h"

namespace {
TvnSkinNoticeSender* GDefaultSender = nullptr;  // not owned
}

void SetDefaultSkinNoticeSender(TvnSkinNoticeSender* sender) { GDefaultSender = sender; }
TvnSkinNoticeSender* DefaultSkinNoticeSender() { return GDefaultSender; }

TvnSkinData::TvnSkinData(TComponent* owner)
    : TComponent(owner),
      PopupWindowInfo(std::make_unique<TvnDataSkinPopupWindow>()),
      HintWindowInfo(std::make_unique<TvnDataSkinHintWindow>()),
      FNoticeSender(DefaultSkinNoticeSender()) {}

TvnSkinData::~TvnSkinData() {
  // Sends no notice: the forms that would hear it may be going away themselves.
  SkinEmpty = true;
  ClearLists();
}

void TvnSkinData::SetCompressedStoredSkin(TvnCompressedStoredSkin* value) {
  if (FCompressedStoredSkin && FCompressedStoredSkin != value) FCompressedStoredSkin->RemoveFreeNotification(this);
  FCompressedStoredSkin = value;
  if (!value) return;
  value->FreeNotification(this);
  if (!ComponentState().Designing) LoadCompressedSkin(*value);
}

void TvnSkinData::SetResourceStrData(TvnResourceStrData* value) {
  if (FResourceStrData && FResourceStrData != value) FResourceStrData->RemoveFreeNotification(this);
  FResourceStrData = value;
  if (value) value->FreeNotification(this);
  if (!ComponentState().Designing) SendSkinNotice(WM_SKINSTRINGSCHANGED);
}

void TvnSkinData::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  // The loaded skin stays; only the link goes.
  if (component == FCompressedStoredSkin) FCompressedStoredSkin = nullptr;
  if (component == FResourceStrData) FResourceStrData = nullptr;
}

void TvnSkinData::BeginLoad() {
  SkinEmpty = true;
  SendSkinNotice(WM_SKINCHANGING);
  ClearAll();
}

void TvnSkinData::LoadCompressedSkin(TvnCompressedStoredSkin& storedSkin) {
  if (storedSkin.IsEmpty()) return;
  BeginLoad();
  try {
    // The pictures keep a share of the unpacked bytes instead of each a copy of its part.
    const auto unpacked = std::make_shared<const TByteBuffer>(storedSkin.Unpack());
    ReadContainer(ReadSkinContainer(unpacked), unpacked->size());
  } catch (...) {
    // Nothing half-read stays behind: the skin data is empty, as after ClearAll.
    ClearAll();
    throw;
  }
}

void TvnSkinData::LoadFromContainer(std::span<const std::uint8_t> container) {
  BeginLoad();
  try {
    ReadContainer(ReadSkinContainer(container), container.size());
  } catch (...) {
    ClearAll();
    throw;
  }
}

void TvnSkinData::ReadContainer(TvnSkinContainer&& container, std::size_t unpackedSize) {
  // A newer container is not ours to read: the skin stays empty, and that is not an error.
  if (container.Version > vnSkinContainerVersion) return;
  ContainerVersion = container.Version;
  UnpackedSize = unpackedSize;
  DescriptionOffset = container.DescriptionOffset;
  Picture = std::move(container.Picture);
  InActivePicture = std::move(container.InActivePicture);
  Mask = std::move(container.Mask);
  ActivePictures = std::move(container.ActivePictures);
  const TvnIniFile ini(container.Text);
  ReadSkinDescription(ini);
  SkinEmpty = false;
  SendSkinNotice(WM_SKINCHANGED);
  SendSkinNotice(WM_SKINCHANGEDAFTER);
}

void TvnSkinData::ReadSkinDescription(const TvnIniFile& ini) {
  TvnSkinVersionInfo version;
  version.LoadFromIni(ini);
  SkinName = version.SkinName;
  SkinAuthor = version.SkinAuthor;
  AuthorEmail = version.AuthorEmail;
  AuthorURL = version.AuthorURL;
  SkinComments = version.SkinComments;

  TvnSkinPicturesInfo pictures;
  pictures.LoadFromIni(ini);
  PictureName = pictures.PictureName;
  InActivePictureName = pictures.InActivePictureName;
  MaskName = pictures.MaskName;
  ActivePictureNames = pictures.ActivePictureNames;

  TvnSkinFormInfo::LoadFromIni(ini, MaskName);
  PopupWindowInfo->LoadFromIni(ini);
  HintWindowInfo->LoadFromIni(ini);

  LoadObjectDescriptions(ini, ObjectDescriptions);
  LoadControlDescriptions(ini, ControlDescriptions);
}

int TvnSkinData::IndexOfSkinObject(std::string_view name) const {
  for (std::size_t i = 0; i < ObjectDescriptions.size(); ++i)
    if (ObjectDescriptions[i]->SectionName == name) return static_cast<int>(i);
  return -1;
}

int TvnSkinData::IndexOfControl(std::string_view name) const {
  for (std::size_t i = 0; i < ControlDescriptions.size(); ++i)
    if (ControlDescriptions[i]->SectionName == name) return static_cast<int>(i);
  return -1;
}

const TBmpPicture* ActivePicture(const TvnSkinData* skin, int index) {
  if (skin == nullptr || index < 0 || index >= static_cast<int>(skin->ActivePictures.size())) return nullptr;
  const TBmpPicture& picture = skin->ActivePictures[static_cast<std::size_t>(index)];
  return picture.IsEmpty() ? nullptr : &picture;
}

TvnSkinData& TvnSkinData::AtDpi(int dpi) {
  dpi = ClampSkinDpi(dpi);
  if (dpi == FSkinDpi || FSkinDpi != kSkinDesignDpi || SkinEmpty) return *this;
  for (auto& [scaledDpi, copy] : FScaledCopies)
    if (scaledDpi == dpi) return *copy;
  FScaledCopies.emplace_back(dpi, ScaledSkinData(*this, dpi));
  return *FScaledCopies.back().second;
}

void TvnSkinData::ClearLists() {
  FScaledCopies.clear();
  ObjectDescriptions.clear();
  ControlDescriptions.clear();
  ActivePictures.clear();
  ActivePictureNames.clear();
  PopupWindowInfo->WindowPictureIndex = -1;
  HintWindowInfo->WindowPictureIndex = -1;
}

void TvnSkinData::ClearAll() {
  ClearLists();
  Picture.Clear();
  InActivePicture.Clear();
  Mask.Clear();
  PictureName.clear();
  InActivePictureName.clear();
  MaskName.clear();
  ContainerVersion = 0;
  UnpackedSize = 0;
  DescriptionOffset = 0;
  SkinEmpty = true;
}

void TvnSkinData::SendSkinNotice(unsigned message) {
  if (FNoticeSender) FNoticeSender->SendSkinNotice(*this, message);
}
