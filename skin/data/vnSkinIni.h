#pragma once
// Typed readers and writers of skin description values, and the two description lists.
//
// Readers take the section, the key and, where the value kind has one, a default that a missing
// key yields. A key that is present with an empty value is not missing: each reader treats the
// empty text by its own rule (an integer falls back to the default, a rectangle raises).
//
//   integer, colour  decimal with optional sign, or hexadecimal after "$", "0x" or "0X"
//                    (up to 32 bits); anything else gives the default
//   boolean          true only for the integer 1 ("true" and "2" are false)
//   rectangle/point  cut at ","; in each piece only the digits count (so "-5" reads 5); a
//                    piece without digits or a number past 2147483647 raises EConvertError;
//                    pieces after the fourth (second for a point) are ignored
//   font style       case-sensitive search for "fsbold", "fsitalic", "fsunderline", "fsstrikeout"
//   words            alignment, inactive effect, morph kind and command compare exactly;
//                    an unknown word gives right, grayscale, mkdefault and cmminimizetotray
//   name list        count under key + "count", values under "0" .. count-1; a count past
//                    the lines of its section raises EConvertError
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Geometry.h"
#include "skin/data/vnIniFile.h"
#include "skin/data/vnSkinTypes.h"

// The integer a text stands for, or nothing when it is not a valid integer.
std::optional<int> ParseIntValue(std::string_view text);

int ReadIntValue(const TvnIniFile& ini, std::string_view section, std::string_view key,
                 int defaultValue);
// A colour is an integer: the platform's 0x00BBGGRR value.
inline TColor ReadColor(const TvnIniFile& ini, std::string_view section, std::string_view key,
                        TColor defaultValue = 0) {
  return ReadIntValue(ini, section, key, defaultValue);
}
std::string ReadTextValue(const TvnIniFile& ini, std::string_view section, std::string_view key,
                          std::string_view defaultValue = {});
bool ReadBoolean(const TvnIniFile& ini, std::string_view section, std::string_view key);
TRect ReadRect(const TvnIniFile& ini, std::string_view section, std::string_view key);
TPoint ReadPoint(const TvnIniFile& ini, std::string_view section, std::string_view key);
TFontStyles ReadFontStyle(const TvnIniFile& ini, std::string_view section,
                            std::string_view key);
TvnAlignment ReadAlignment(const TvnIniFile& ini, std::string_view section, std::string_view key,
                           TvnAlignment defaultValue = taCenter);
TvnInActiveEffect ReadInActiveEffect(const TvnIniFile& ini, std::string_view section,
                                     std::string_view key,
                                     TvnInActiveEffect defaultValue = ieBrightness);
TvnMorphKind ReadMorphKind(const TvnIniFile& ini, std::string_view section, std::string_view key,
                           TvnMorphKind defaultValue = mkDefault);
TvnSkinCommand ReadCommand(const TvnIniFile& ini, std::string_view section, std::string_view key,
                           TvnSkinCommand defaultValue = cmDefault);
// The values under "0" .. count-1, exactly count of them; a key that is missing reads as the
// empty text. A count larger than the number of lines of its section cannot have been written
// with the list and raises EConvertError naming the section and the key (see the .cpp).
std::vector<std::string> ReadNameList(const TvnIniFile& ini, std::string_view section,
                                      std::string_view key);
std::vector<std::string> ReadNameList(const TvnIniSection* section, std::string_view key);

// The same rules on a value that is already at hand (section and key only name it in errors).
TRect ParseRect(std::string_view value, std::string_view section = {}, std::string_view key = {});
TPoint ParsePoint(std::string_view value, std::string_view section = {},
                  std::string_view key = {});
TFontStyles ParseFontStyle(std::string_view value);
bool ParseBoolean(std::string_view value);
TvnAlignment ParseAlignment(std::string_view value);
TvnInActiveEffect ParseInActiveEffect(std::string_view value);
TvnMorphKind ParseMorphKind(std::string_view value);
TvnSkinCommand ParseCommand(std::string_view value);

// Values as the writers write them.
std::string FormatRect(const TRect& rect);
std::string FormatPoint(const TPoint& point);
std::string FormatFontStyle(TFontStyles styles);

void WriteIntValue(TvnIniFile& ini, std::string_view section, std::string_view key, int value);
inline void WriteColor(TvnIniFile& ini, std::string_view section, std::string_view key,
                       TColor value) {
  WriteIntValue(ini, section, key, value);
}
void WriteTextValue(TvnIniFile& ini, std::string_view section, std::string_view key,
                    std::string_view value);
void WriteBoolean(TvnIniFile& ini, std::string_view section, std::string_view key, bool value);
void WriteRect(TvnIniFile& ini, std::string_view section, std::string_view key, const TRect& value);
void WritePoint(TvnIniFile& ini, std::string_view section, std::string_view key,
                const TPoint& value);
void WriteFontStyle(TvnIniFile& ini, std::string_view section, std::string_view key,
                    TFontStyles value);
void WriteAlignment(TvnIniFile& ini, std::string_view section, std::string_view key,
                    TvnAlignment value);
void WriteInActiveEffect(TvnIniFile& ini, std::string_view section, std::string_view key,
                         TvnInActiveEffect value);
void WriteMorphKind(TvnIniFile& ini, std::string_view section, std::string_view key,
                    TvnMorphKind value);
void WriteCommand(TvnIniFile& ini, std::string_view section, std::string_view key,
                  TvnSkinCommand value);
void WriteNameList(TvnIniFile& ini, std::string_view section, std::string_view key,
                   const std::vector<std::string>& names);

// One entry of "SKINOBJECTS" or "SKINCONTROLS": "name:kind", cut at the first ":". An entry
// without ":" has an empty name and an empty kind.
struct TvnSkinListEntry {
  std::string Name;
  std::string Kind;
  friend bool operator==(const TvnSkinListEntry&, const TvnSkinListEntry&) = default;
};
TvnSkinListEntry ParseSkinListEntry(std::string_view entry);
// The entries under "0" .. count-1 of the list section, in key order; "count" 0 or less (or a
// missing section) gives none. Entries whose key is missing are left out, since they could only
// ever be skipped; so a list costs one entry per key that is there, whatever its count says,
// and needs no bound of its own. Nothing here filters kinds.
std::vector<TvnSkinListEntry> ReadSkinList(const TvnIniFile& ini, std::string_view section);
