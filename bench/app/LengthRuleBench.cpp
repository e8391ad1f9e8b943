// The length rule on a text of 65,535 bytes (the largest that still shows a value): count
// its GB2312 bytes and format the result, beside the floor of converting the same text to
// code page 936 alone.
#include "app/LengthRule.h"
#include "bench/BenchRatio.h"
#include "framework/CodePage.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

// Lines of Chinese and ASCII with CR LF, padded with ASCII to exactly 65,535 bytes.
const std::u16string& Text65535() {
  static const std::u16string text = [] {
    std::u16string t;
    const std::u16string line = u"字符长度 hex length 文本：Quillon 12345\r\n";
    const std::size_t lineBytes = TextByteLength(line);
    std::size_t bytes = 0;
    while (bytes + lineBytes <= 65535) {
      t += line;
      bytes += lineBytes;
    }
    t.append(65535 - bytes, u'x');
    if (TextByteLength(t) != 65535) throw std::logic_error("benchmark text is not 65,535 bytes");
    return t;
  }();
  return text;
}

void BM_LengthRule(benchmark::State& state) {
  const std::u16string& text = Text65535();
  for (auto _ : state) {
    std::u16string shown = HexLengthText(TextByteLength(text), true);
    benchmark::DoNotOptimize(shown);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 65535);
}
BENCHMARK(BM_LengthRule);

void BM_CodePageConversion(benchmark::State& state) {
  const std::u16string& text = Text65535();
  for (auto _ : state) {
    std::string bytes = Utf16ToCodePage(text, CP_GB2312);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 65535);
}
BENCHMARK(BM_CodePageConversion);

}  // namespace

QUILLON_BENCHMARK_RATIOS({{"BM_LengthRule", "BM_CodePageConversion"}})
