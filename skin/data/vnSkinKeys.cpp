#include "skin/data/vnSkinKeys.h"

#include "framework/CodePage.h"
#include "skin/data/vnSkinIni.h"

namespace {

template <typename T>
T& FieldOf(const TvnKeyRef& key) {
  return *static_cast<T*>(key.Field);
}

}  // namespace

void ReadKey(const TvnIniFile& ini, std::string_view section, const TvnKeyRef& key) {
  ReadKey(ini.FindSection(section), section, key);
}

void ReadKey(const TvnIniSection* section, std::string_view sectionName, const TvnKeyRef& key) {
  if (key.Kind == TvnValueKind::NameList) {
    FieldOf<std::vector<std::string>>(key) = ReadNameList(section, key.Key);
    return;
  }
  const std::string* value = section != nullptr ? section->Find(key.KeyName(), key.KeyHash) : nullptr;
  if (value == nullptr) {
    SetKeyDefault(key);
    return;
  }
  switch (key.Kind) {
    case TvnValueKind::Integer:
    case TvnValueKind::Length:
    case TvnValueKind::Color:
      FieldOf<int>(key) = ParseIntValue(*value).value_or(key.Default);
      break;
    case TvnValueKind::Text:
    case TvnValueKind::Name:
      FieldOf<std::string>(key) = *value;
      break;
    case TvnValueKind::Boolean:
      FieldOf<bool>(key) = ParseBoolean(*value);
      break;
    case TvnValueKind::Rect:
      FieldOf<TRect>(key) = ParseRect(*value, sectionName, key.Key);
      break;
    case TvnValueKind::Point:
      FieldOf<TPoint>(key) = ParsePoint(*value, sectionName, key.Key);
      break;
    case TvnValueKind::FontStyle:
      FieldOf<TFontStyles>(key) = ParseFontStyle(*value);
      break;
    case TvnValueKind::Alignment:
      FieldOf<TvnAlignment>(key) = ParseAlignment(*value);
      break;
    case TvnValueKind::InActiveEffect:
      FieldOf<TvnInActiveEffect>(key) = ParseInActiveEffect(*value);
      break;
    case TvnValueKind::MorphKind:
      FieldOf<TvnMorphKind>(key) = ParseMorphKind(*value);
      break;
    case TvnValueKind::Command:
      FieldOf<TvnSkinCommand>(key) = ParseCommand(*value);
      break;
    case TvnValueKind::NameList:
      break;
  }
}

void SetKeyDefault(const TvnKeyRef& key) {
  switch (key.Kind) {
    case TvnValueKind::Integer:
    case TvnValueKind::Length:
    case TvnValueKind::Color:
      FieldOf<int>(key) = key.Default;
      break;
    case TvnValueKind::Text:
    case TvnValueKind::Name:
      FieldOf<std::string>(key) = key.DefaultText;
      break;
    case TvnValueKind::Boolean:
      FieldOf<bool>(key) = false;
      break;
    case TvnValueKind::Rect:
      FieldOf<TRect>(key) = TRect{};
      break;
    case TvnValueKind::Point:
      FieldOf<TPoint>(key) = TPoint{};
      break;
    case TvnValueKind::FontStyle:
      FieldOf<TFontStyles>(key) = 0;
      break;
    case TvnValueKind::Alignment:
      FieldOf<TvnAlignment>(key) = static_cast<TvnAlignment>(key.Default);
      break;
    case TvnValueKind::InActiveEffect:
      FieldOf<TvnInActiveEffect>(key) = static_cast<TvnInActiveEffect>(key.Default);
      break;
    case TvnValueKind::MorphKind:
      FieldOf<TvnMorphKind>(key) = static_cast<TvnMorphKind>(key.Default);
      break;
    case TvnValueKind::Command:
      FieldOf<TvnSkinCommand>(key) = static_cast<TvnSkinCommand>(key.Default);
      break;
    case TvnValueKind::NameList:
      FieldOf<std::vector<std::string>>(key).clear();
      break;
  }
}

void WriteKey(TvnIniFile& ini, std::string_view section, const TvnKeyRef& key) {
  switch (key.Kind) {
    case TvnValueKind::Integer:
    case TvnValueKind::Length:
    case TvnValueKind::Color:
      WriteIntValue(ini, section, key.Key, FieldOf<int>(key));
      break;
    case TvnValueKind::Text:
    case TvnValueKind::Name:
      WriteTextValue(ini, section, key.Key, FieldOf<std::string>(key));
      break;
    case TvnValueKind::Boolean:
      WriteBoolean(ini, section, key.Key, FieldOf<bool>(key));
      break;
    case TvnValueKind::Rect:
      WriteRect(ini, section, key.Key, FieldOf<TRect>(key));
      break;
    case TvnValueKind::Point:
      WritePoint(ini, section, key.Key, FieldOf<TPoint>(key));
      break;
    case TvnValueKind::FontStyle:
      WriteFontStyle(ini, section, key.Key, FieldOf<TFontStyles>(key));
      break;
    case TvnValueKind::Alignment:
      WriteAlignment(ini, section, key.Key, FieldOf<TvnAlignment>(key));
      break;
    case TvnValueKind::InActiveEffect:
      WriteInActiveEffect(ini, section, key.Key, FieldOf<TvnInActiveEffect>(key));
      break;
    case TvnValueKind::MorphKind:
      WriteMorphKind(ini, section, key.Key, FieldOf<TvnMorphKind>(key));
      break;
    case TvnValueKind::Command:
      WriteCommand(ini, section, key.Key, FieldOf<TvnSkinCommand>(key));
      break;
    case TvnValueKind::NameList:
      WriteNameList(ini, section, key.Key, FieldOf<std::vector<std::string>>(key));
      break;
  }
}

void WriteKeyJson(TvnJsonWriter& json, const TvnKeyRef& key) {
  json.Key(LowerAscii(key.Key));
  switch (key.Kind) {
    case TvnValueKind::Integer:
    case TvnValueKind::Length:
    case TvnValueKind::Color:
      json.Int(FieldOf<int>(key));
      break;
    case TvnValueKind::Text:
    case TvnValueKind::Name:
      json.String(CodePageToUtf8(FieldOf<std::string>(key)));
      break;
    case TvnValueKind::Boolean:
      json.Bool(FieldOf<bool>(key));
      break;
    case TvnValueKind::Rect: {
      const TRect& r = FieldOf<TRect>(key);
      json.BeginArray();
      for (int v : {r.Left, r.Top, r.Right, r.Bottom}) json.Int(v);
      json.EndArray();
      break;
    }
    case TvnValueKind::Point: {
      const TPoint& p = FieldOf<TPoint>(key);
      json.BeginArray();
      json.Int(p.X);
      json.Int(p.Y);
      json.EndArray();
      break;
    }
    case TvnValueKind::FontStyle: {
      TFontStyles styles = FieldOf<TFontStyles>(key);
      json.BeginArray();
      for (std::size_t i = 0; i < 4; ++i) {
        if (styles & (1u << i)) json.String(kFontStyleWords[i]);
      }
      json.EndArray();
      break;
    }
    case TvnValueKind::Alignment:
      json.String(AlignmentWord(FieldOf<TvnAlignment>(key)));
      break;
    case TvnValueKind::InActiveEffect:
      json.String(InActiveEffectWord(FieldOf<TvnInActiveEffect>(key)));
      break;
    case TvnValueKind::MorphKind:
      json.String(MorphKindWord(FieldOf<TvnMorphKind>(key)));
      break;
    case TvnValueKind::Command:
      json.String(CommandWord(FieldOf<TvnSkinCommand>(key)));
      break;
    case TvnValueKind::NameList:
      json.BeginArray();
      for (const std::string& name : FieldOf<std::vector<std::string>>(key)) {
        json.String(CodePageToUtf8(name));
      }
      json.EndArray();
      break;
  }
}

void TvnKeyedSection::ReadKeys(const TvnIniFile& ini, std::string_view section) {
  // The section is looked up once; each key is then found in it.
  const TvnIniSection* found = ini.FindSection(section);
  EnumKeys([&](const TvnKeyRef& key) { ReadKey(found, section, key); });
}

void TvnKeyedSection::WriteKeys(TvnIniFile& ini, std::string_view section) const {
  EnumKeysConst([&](const TvnKeyRef& key) { WriteKey(ini, section, key); });
}

void TvnKeyedSection::WriteJson(TvnJsonWriter& json) const {
  json.BeginObject();
  EnumKeysConst([&](const TvnKeyRef& key) { WriteKeyJson(json, key); });
  json.EndObject();
}

std::string TvnKeyedSection::ToJson() const {
  TvnJsonWriter json;
  WriteJson(json);
  return json.Text();
}

std::vector<std::string> TvnKeyedSection::KeyNames() const {
  std::vector<std::string> names;
  EnumKeysConst([&](const TvnKeyRef& key) { names.emplace_back(key.Key); });
  return names;
}
