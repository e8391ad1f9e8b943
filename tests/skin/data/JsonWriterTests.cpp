// The JSON writer that `skintool inspect --json` prints through.
#include <gtest/gtest.h>

#include "skin/data/vnJsonWriter.h"

namespace {

TEST(JsonWriter, PlacesCommasInNestedObjectsAndArrays) {
  TvnJsonWriter json;
  json.BeginObject();
  json.Key("a");
  json.Int(-1);
  json.Key("b");
  json.BeginArray();
  json.BeginArray();
  json.EndArray();
  json.Bool(true);
  json.Null();
  json.BeginObject();
  json.EndObject();
  json.EndArray();
  json.Key("c");
  json.String("x");
  json.EndObject();
  EXPECT_EQ(json.Text(), R"({"a":-1,"b":[[],true,null,{}],"c":"x"})");
}

TEST(JsonWriter, EscapesAndKeepsTheOutputValidUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "\"plain\""},
      {"q\"b\\s/", "\"q\\\"b\\\\s/\""},
      {"\n\r\t\x01\x1f", "\"\\n\\r\\t\\u0001\\u001f\""},
      {"\xe6\xb8\x85", "\"\xe6\xb8\x85\""},                   // a valid three-byte character
      {"\xf0\x9f\x98\x80", "\"\xf0\x9f\x98\x80\""},           // a valid four-byte character
      {"\xc7\xe5", "\"\xef\xbf\xbd\xef\xbf\xbd\""},           // GB2312 bytes are not UTF-8
      {"a\xe6\xb8", "\"a\xef\xbf\xbd\xef\xbf\xbd\""},         // cut short
      {"\xc0\xaf", "\"\xef\xbf\xbd\xef\xbf\xbd\""},           // overlong
      {"\xed\xa0\x80", "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\""},  // a surrogate
      {std::string("a\0b", 3), "\"a\\u0000b\""},
  };
  for (const auto& [text, expected] : cases) {
    TvnJsonWriter json;
    json.String(text);
    EXPECT_EQ(json.Text(), expected);
  }
}

}  // namespace
