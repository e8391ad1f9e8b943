#pragma once
// A small streaming JSON writer: objects, arrays, numbers, booleans, null and UTF-8 strings,
// written on one line. Commas are placed by the writer; the caller only opens and closes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TvnJsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The name of the next member of the open object.
  void Key(std::string_view utf8);
  void Int(std::int64_t value);
  void Bool(bool value);
  void Null();
  // Text in UTF-8; control characters, quotes and backslashes are escaped. Bytes that are not
  // valid UTF-8 are written as U+FFFD, so the output is always valid JSON.
  void String(std::string_view utf8);

  const std::string& Text() const { return FOut; }

 private:
  void BeforeValue();

  std::string FOut;
  // One entry per open object or array: whether it holds a value yet.
  std::vector<bool> FHasValue;
  bool FAfterKey = false;
};
