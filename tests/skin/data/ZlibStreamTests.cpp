#include "skin/data/vnzlibcompress.h"
#include "skin/data/vnAdler32.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <random>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Pseudo(std::size_t n, unsigned seed) {
  // Half noise, half runs, so both deflate paths (literals and matches) are exercised.
  std::mt19937 rng(seed);
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = (i / 512) % 2 ? static_cast<std::uint8_t>(rng()) : static_cast<std::uint8_t>(i / 97);
  return b;
}

Bytes Compress(const Bytes& data) {
  TMemoryStream source(data), target;
  CompressStream(source, target);
  return target.TakeBytes();
}

std::string MessageOf(auto&& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(ZlibStreams, CompressThenDecompressGivesTheBytesBack) {
  for (std::size_t n : {0u, 1u, 4095u, 4096u, 4097u, 100000u}) {
    const Bytes data = Pseudo(n, static_cast<unsigned>(n));
    const Bytes packed = Compress(data);
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(packed[0], 0x78);
    EXPECT_EQ(packed[1], 0xDA) << "level 9 header";
    TMemoryStream source(packed);
    TMemoryStream target;
    const Bytes already = {1, 2, 3};
    target.WriteBuffer(already.data(), already.size());  // output is appended
    DecompressStream(target, source);
    Bytes expected = already;
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(target.Bytes(), expected) << n << " bytes";
    const TByteBuffer inflated = InflateBytes(packed);
    EXPECT_EQ(Bytes(inflated.begin(), inflated.end()), data) << n << " bytes at once";
  }
}

TEST(ZlibStreams, Adler32IsZlibsOnEveryLength) {
  // Lengths on either side of a 32-byte block and of the run after which the sums are
  // reduced; bytes of 255 give the largest sums, from the start value of an empty stream and
  // from one near the modulus.
  std::mt19937 rng(5);
  for (std::size_t n : {0u, 1u, 31u, 32u, 33u, 5535u, 5536u, 5537u, 5552u, 5553u, 100000u})
    for (int fill : {255, -1})
      for (std::uint32_t start : {1u, 0xFFF0FFF0u}) {
        Bytes data(n + 1);  // never empty: zlib takes a null buffer for a request of its start value
        for (auto& b : data) b = static_cast<std::uint8_t>(fill < 0 ? rng() : static_cast<unsigned>(fill));
        const auto want = static_cast<std::uint32_t>(adler32(start, data.data(), static_cast<uInt>(n)));
        EXPECT_EQ(Adler32(start, data.data(), n), want) << n << " bytes of " << fill << " from " << start;
      }
}

TEST(ZlibStreams, OutputIsAStandardZlibStream) {
  const Bytes data = Pseudo(20000, 7);
  const Bytes packed = Compress(data);
  Bytes out(data.size());
  uLongf outLength = static_cast<uLongf>(out.size());
  ASSERT_EQ(uncompress(out.data(), &outLength, packed.data(), static_cast<uLong>(packed.size())), Z_OK);
  EXPECT_EQ(out, data);
  // Same bytes as a one-shot deflate at level 9.
  Bytes reference(compressBound(static_cast<uLong>(data.size())));
  uLongf refLength = static_cast<uLongf>(reference.size());
  ASSERT_EQ(compress2(reference.data(), &refLength, data.data(), static_cast<uLong>(data.size()), 9), Z_OK);
  reference.resize(refLength);
  EXPECT_EQ(packed, reference);
}

TEST(ZlibStreams, CompressRewindsTheSource) {
  const Bytes data = Pseudo(3000, 1);
  TMemoryStream source(data), target;
  source.SetPosition(1000);
  CompressStream(source, target);
  TMemoryStream back;
  DecompressStream(back, target);
  EXPECT_EQ(back.Bytes(), data);
}

TEST(ZlibStreams, DamagedStreamsRaiseCompressionError) {
  const Bytes good = Compress(Pseudo(50000, 3));
  Bytes badHeader = good;
  badHeader[0] = 0x12;
  Bytes badData = good;
  for (std::size_t i = 100; i < 140; ++i) badData[i] ^= 0x5A;
  Bytes badChecksum = good;
  badChecksum.back() ^= 1;
  const Bytes cutShort(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
  const Bytes lastByteMissing(good.begin(), good.end() - 1);
  const Bytes empty;
  // Check bits right, but a preset dictionary asked for, or a window of 64 KiB.
  Bytes dictionary = good;
  dictionary[1] = 0xF9;  // 0x78F9 = 31 x 991
  Bytes wideWindow = good;
  wideWindow[0] = 0x88;
  wideWindow[1] = 0x1C;  // 0x881C = 31 x 1124
  for (const Bytes* damaged : std::initializer_list<const Bytes*>{&badHeader, &badData, &badChecksum, &cutShort,
                                                                  &lastByteMissing, &empty, &dictionary, &wideWindow}) {
    TMemoryStream source(*damaged), target;
    EXPECT_EQ(MessageOf([&] { DecompressStream(target, source); }), "compression error");
    EXPECT_EQ(MessageOf([&] { InflateBytes(*damaged); }), "compression error");
  }
}

TEST(ZlibStreams, OutputLimitStopsAnInflationBomb) {
  const Bytes packed = Compress(Bytes(1 << 20, 0));  // one mebibyte of zeros, a kilobyte packed
  TMemoryStream source(packed), target;
  const std::string message = MessageOf([&] { DecompressStream(target, source, 100000); });
  EXPECT_NE(message.find("more than 100000 bytes"), std::string::npos) << message;
  EXPECT_NE(message.find("compressed byte offset"), std::string::npos) << message;
  EXPECT_LE(target.Size(), 100000);
}

TEST(ZlibStreams, OutputOfExactlyTheLimitIsAcceptedAndOneByteMoreIsNot) {
  // Limits on and off the 4,096-byte chunk the output is counted in.
  for (std::int64_t limit : {1, 4095, 4096, 4097, 10000}) {
    for (std::int64_t size : {limit, limit + 1}) {
      const Bytes data = Pseudo(static_cast<std::size_t>(size), 11);
      TMemoryStream source(Compress(data)), target;
      const std::string message = MessageOf([&] { DecompressStream(target, source, limit); });
      TByteBuffer atOnce;
      const std::string messageAtOnce = MessageOf([&] { atOnce = InflateBytes(source.Bytes(), limit); });
      if (size == limit) {
        EXPECT_EQ(message, "(no error)") << limit;
        EXPECT_EQ(target.Size(), limit);
        EXPECT_EQ(messageAtOnce, "(no error)") << limit;
        EXPECT_EQ(static_cast<std::int64_t>(atOnce.size()), limit);
      } else {
        EXPECT_NE(message.find("more than " + std::to_string(limit) + " bytes"), std::string::npos) << message;
        EXPECT_NE(messageAtOnce.find("more than " + std::to_string(limit) + " bytes"), std::string::npos) << messageAtOnce;
      }
    }
  }
}

TEST(ZlibStreams, DecompressionStreamReadsRewindsAndSkipsForwardOnly) {
  const Bytes data = Pseudo(30000, 5);
  TMemoryStream packed(Compress(data));
  TDecompressionStream z(packed);
  Bytes head(10);
  z.ReadBuffer(head.data(), head.size());
  EXPECT_EQ(head, Bytes(data.begin(), data.begin() + 10));
  EXPECT_EQ(z.Position(), 10);
  EXPECT_EQ(z.Seek(20000, TSeekOrigin::soBeginning), 20000);  // forward from the start
  EXPECT_EQ(z.Seek(5, TSeekOrigin::soCurrent), 20005);
  std::uint8_t b = 0;
  z.ReadBuffer(&b, 1);
  EXPECT_EQ(b, data[20005]);
  EXPECT_EQ(z.Seek(0, TSeekOrigin::soBeginning), 0);  // rewind
  z.ReadBuffer(&b, 1);
  EXPECT_EQ(b, data[0]);

  const auto invalid = [&](auto&& action) { EXPECT_EQ(MessageOf(action), "Invalid stream operation"); };
  invalid([&] { z.Seek(0, TSeekOrigin::soEnd); });
  invalid([&] { z.Seek(-1, TSeekOrigin::soCurrent); });
  invalid([&] { z.Seek(0, TSeekOrigin::soBeginning), z.Seek(5, TSeekOrigin::soBeginning), z.Seek(2, TSeekOrigin::soBeginning); });
  invalid([&] { z.Write(&b, 1); });
  invalid([&] { z.Size(); });
  invalid([&] { z.Seek(1000000, TSeekOrigin::soCurrent); });  // past the end of the output
}

TEST(ZlibStreams, CompressionStreamIsWriteOnly) {
  TMemoryStream target;
  TCompressionStream z(target);
  const Bytes data = Pseudo(5000, 9);
  z.WriteBuffer(data.data(), data.size());
  EXPECT_EQ(z.Position(), 5000);
  std::uint8_t b = 0;
  const auto invalid = [&](auto&& action) { EXPECT_EQ(MessageOf(action), "Invalid stream operation"); };
  invalid([&] { z.Read(&b, 1); });
  invalid([&] { z.Seek(0, TSeekOrigin::soBeginning); });
  invalid([&] { z.Seek(1, TSeekOrigin::soCurrent); });
  invalid([&] { z.Size(); });
  z.Finish();
  invalid([&] { z.Write(&b, 1); });
  TMemoryStream back;
  DecompressStream(back, target);
  EXPECT_EQ(back.Bytes(), data);
}
