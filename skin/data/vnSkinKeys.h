#pragma once
// Key tables of skin descriptions.
//
// A description class lists its keys once, in reading order, in EnumKeys: each entry binds the
// key's name, its value kind (which reader and writer), its default and the field it feeds.
// Reading, writing, the JSON of `skintool inspect --json` and the tests all walk that one list,
// so they cannot disagree:
//
//   void TvnDataSkinAnimate::EnumKeys(const TvnKeyVisitor& key) {
//     TvnDataSkinObject::EnumKeys(key);         // the base's keys come first
//     key(IntKey("countframes", CountFrames, 1));
//     key(BoolKey("cycle", Cycle));
//     ...
//   }
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Geometry.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnJsonWriter.h"
#include "skin/data/vnSkinTypes.h"

enum class TvnValueKind : std::uint8_t {
  Integer,         // int, decimal or hexadecimal
  Color,           // TColor, the platform's 0x00BBGGRR value
  Text,            // std::string, as is
  Name,            // std::string naming another description
  Boolean,         // bool, "1" or "0"
  Rect,            // TRect, "l,t,r,b"
  Point,           // TPoint, "x,y"
  FontStyle,       // TFontStyles, "fsbold,fsitalic,..."
  Alignment,       // TvnAlignment word
  InActiveEffect,  // TvnInActiveEffect word
  MorphKind,       // TvnMorphKind word
  Command,         // TvnSkinCommand word
  NameList,        // std::vector<std::string>, count under key + "count", values under "0".."n-1"
};

// One key of a table. The field's type is fixed by Kind; build entries only with the
// functions below, which pair them correctly.
struct TvnKeyRef {
  const char* Key;
  TvnValueKind Kind;
  void* Field;
  int Default = 0;                // integer and colour defaults, enumeration defaults
  const char* DefaultText = "";  // text and name defaults
};

using TvnKeyVisitor = std::function<void(const TvnKeyRef&)>;

inline TvnKeyRef IntKey(const char* key, int& field, int defaultValue = 0) {
  return {key, TvnValueKind::Integer, &field, defaultValue};
}
inline TvnKeyRef ColorKey(const char* key, TColor& field, TColor defaultValue = 0) {
  return {key, TvnValueKind::Color, &field, defaultValue};
}
inline TvnKeyRef TextKey(const char* key, std::string& field, const char* defaultValue = "") {
  return {key, TvnValueKind::Text, &field, 0, defaultValue};
}
inline TvnKeyRef NameKey(const char* key, std::string& field, const char* defaultValue = "") {
  return {key, TvnValueKind::Name, &field, 0, defaultValue};
}
inline TvnKeyRef BoolKey(const char* key, bool& field) {
  return {key, TvnValueKind::Boolean, &field};
}
inline TvnKeyRef RectKey(const char* key, TRect& field) {
  return {key, TvnValueKind::Rect, &field};
}
inline TvnKeyRef PointKey(const char* key, TPoint& field) {
  return {key, TvnValueKind::Point, &field};
}
inline TvnKeyRef FontStyleKey(const char* key, TFontStyles& field) {
  return {key, TvnValueKind::FontStyle, &field};
}
inline TvnKeyRef AlignmentKey(const char* key, TvnAlignment& field,
                              TvnAlignment defaultValue = taCenter) {
  return {key, TvnValueKind::Alignment, &field, defaultValue};
}
inline TvnKeyRef InActiveEffectKey(const char* key, TvnInActiveEffect& field,
                                   TvnInActiveEffect defaultValue = ieBrightness) {
  return {key, TvnValueKind::InActiveEffect, &field, defaultValue};
}
inline TvnKeyRef MorphKindKey(const char* key, TvnMorphKind& field,
                              TvnMorphKind defaultValue = mkDefault) {
  return {key, TvnValueKind::MorphKind, &field, defaultValue};
}
inline TvnKeyRef CommandKey(const char* key, TvnSkinCommand& field,
                            TvnSkinCommand defaultValue = cmDefault) {
  return {key, TvnValueKind::Command, &field, defaultValue};
}
inline TvnKeyRef NameListKey(const char* key, std::vector<std::string>& field) {
  return {key, TvnValueKind::NameList, &field};
}

// Sets the field from the section with the key's reader (its default when the key is missing).
void ReadKey(const TvnIniFile& ini, std::string_view section, const TvnKeyRef& key);
// The same on a section already looked up (null when missing); sectionName names it in errors.
void ReadKey(const TvnIniSection* section, std::string_view sectionName, const TvnKeyRef& key);
// Writes the field with the key's writer.
void WriteKey(TvnIniFile& ini, std::string_view section, const TvnKeyRef& key);
// Sets the field to the value a missing key yields.
void SetKeyDefault(const TvnKeyRef& key);
// Writes "key": value into the open JSON object: the key in lower case, the value in the form
// skintool prints (numbers, true/false, [l,t,r,b], [x,y], font-style word arrays, words;
// texts converted from the description's code page to UTF-8).
void WriteKeyJson(TvnJsonWriter& json, const TvnKeyRef& key);

// Something whose fields come from one section through a key table.
class TvnKeyedSection {
 public:
  virtual ~TvnKeyedSection() = default;
  // Calls key(...) for each key in reading order, base keys first.
  virtual void EnumKeys(const TvnKeyVisitor& key) = 0;

  // Reads every key of the table from section (no adjustments).
  void ReadKeys(const TvnIniFile& ini, std::string_view section);
  // Writes every key of the table in reading order (callers that save erase the section first).
  void WriteKeys(TvnIniFile& ini, std::string_view section) const;
  // Writes one JSON object holding every key of the table.
  void WriteJson(TvnJsonWriter& json) const;
  std::string ToJson() const;
  // The key names in reading order.
  std::vector<std::string> KeyNames() const;

 protected:
  // Table walks that only read the fields; the table itself needs write access to bind them.
  void EnumKeysConst(const TvnKeyVisitor& key) const {
    const_cast<TvnKeyedSection*>(this)->EnumKeys(key);
  }
};
