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
#include <cstdint>
#include <functional>  // kept for the files that have always had std::function through this header
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "framework/Geometry.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnJsonWriter.h"
#include "skin/data/vnSkinTypes.h"

enum class TvnValueKind : std::uint8_t {
  Integer,         // int, decimal or hexadecimal
  Length,          // int in pixels, read and written as Integer; multiplied with a skin's scale
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

// A key name of a table, written as a literal; its length and FoldedKeyHash are worked out
// when the program is compiled, since every load looks up every key of every description.
struct TvnKeyName {
  const char* Text;
  std::uint32_t Length;
  std::uint32_t Hash;

  template <std::size_t N>
  consteval TvnKeyName(const char (&text)[N])  // NOLINT: converts from literals on purpose
      : Text(text), Length(N - 1), Hash(FoldedKeyHash(std::string_view(text, N - 1))) {}
};

// One key of a table. The field's type is fixed by Kind; build entries only with the
// functions below, which pair them correctly.
struct TvnKeyRef {
  const char* Key;
  TvnValueKind Kind;
  void* Field;
  int Default = 0;                // integer and colour defaults, enumeration defaults
  const char* DefaultText = "";  // text and name defaults
  std::uint32_t KeyLength = 0;    // of Key
  std::uint32_t KeyHash = 0;      // FoldedKeyHash of Key

  TvnKeyRef(TvnKeyName key, TvnValueKind kind, void* field, int defaultValue = 0,
            const char* defaultText = "")
      : Key(key.Text), Kind(kind), Field(field), Default(defaultValue), DefaultText(defaultText),
        KeyLength(key.Length), KeyHash(key.Hash) {}
  std::string_view KeyName() const { return {Key, KeyLength}; }
};

// What a key table is walked with: a borrowed reference to any callable taking a key, valid
// for the call it is passed to. Every load walks every table, so the call is one indirect call
// and nothing is allocated or copied.
class TvnKeyVisitor {
 public:
  template <typename F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, TvnKeyVisitor> &&
             std::is_invocable_v<F&, const TvnKeyRef&>)
  TvnKeyVisitor(F&& f)  // NOLINT: converts from lambdas on purpose
      : FObject(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
        FCall([](void* object, const TvnKeyRef& key) {
          (*static_cast<std::remove_reference_t<F>*>(object))(key);
        }) {}
  void operator()(const TvnKeyRef& key) const { FCall(FObject, key); }

 private:
  void* FObject;  // not owned
  void (*FCall)(void*, const TvnKeyRef&);
};

inline TvnKeyRef IntKey(TvnKeyName key, int& field, int defaultValue = 0) {
  return {key, TvnValueKind::Integer, &field, defaultValue};
}
// A distance in pixels (an offset, a width, a font height): scaled with the skin's pictures.
inline TvnKeyRef LengthKey(TvnKeyName key, int& field, int defaultValue = 0) {
  return {key, TvnValueKind::Length, &field, defaultValue};
}
inline TvnKeyRef ColorKey(TvnKeyName key, TColor& field, TColor defaultValue = 0) {
  return {key, TvnValueKind::Color, &field, defaultValue};
}
inline TvnKeyRef TextKey(TvnKeyName key, std::string& field, const char* defaultValue = "") {
  return {key, TvnValueKind::Text, &field, 0, defaultValue};
}
inline TvnKeyRef NameKey(TvnKeyName key, std::string& field, const char* defaultValue = "") {
  return {key, TvnValueKind::Name, &field, 0, defaultValue};
}
inline TvnKeyRef BoolKey(TvnKeyName key, bool& field) {
  return {key, TvnValueKind::Boolean, &field};
}
inline TvnKeyRef RectKey(TvnKeyName key, TRect& field) {
  return {key, TvnValueKind::Rect, &field};
}
inline TvnKeyRef PointKey(TvnKeyName key, TPoint& field) {
  return {key, TvnValueKind::Point, &field};
}
inline TvnKeyRef FontStyleKey(TvnKeyName key, TFontStyles& field) {
  return {key, TvnValueKind::FontStyle, &field};
}
inline TvnKeyRef AlignmentKey(TvnKeyName key, TvnAlignment& field,
                              TvnAlignment defaultValue = taCenter) {
  return {key, TvnValueKind::Alignment, &field, defaultValue};
}
inline TvnKeyRef InActiveEffectKey(TvnKeyName key, TvnInActiveEffect& field,
                                   TvnInActiveEffect defaultValue = ieBrightness) {
  return {key, TvnValueKind::InActiveEffect, &field, defaultValue};
}
inline TvnKeyRef MorphKindKey(TvnKeyName key, TvnMorphKind& field,
                              TvnMorphKind defaultValue = mkDefault) {
  return {key, TvnValueKind::MorphKind, &field, defaultValue};
}
inline TvnKeyRef CommandKey(TvnKeyName key, TvnSkinCommand& field,
                            TvnSkinCommand defaultValue = cmDefault) {
  return {key, TvnValueKind::Command, &field, defaultValue};
}
inline TvnKeyRef NameListKey(TvnKeyName key, std::vector<std::string>& field) {
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
