#include "skin/data/vnzlibcompress.h"

#include "skin/data/vnAdler32.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <string>

namespace {
const char* const InvalidOperation = "Invalid stream operation";
}

// ---- compression ----

struct TCompressionStream::TState {
  TStream* Target = nullptr;  // not owned
  z_stream Z{};
  std::array<Bytef, vnZlibBufferSize> Buffer{};
  std::int64_t Written = 0;
  bool Finished = false;

  // Hands the full part of the output buffer to the target and makes room again.
  void Flush() {
    const std::size_t n = Buffer.size() - Z.avail_out;
    if (n) Target->WriteBuffer(Buffer.data(), n);
    Z.next_out = Buffer.data();
    Z.avail_out = static_cast<uInt>(Buffer.size());
  }
};

TCompressionStream::TCompressionStream(TStream& target, int level) : FState(std::make_unique<TState>()) {
  FState->Target = &target;
  if (deflateInit(&FState->Z, level) != Z_OK) throw ECompressionError("error");
  FState->Z.next_out = FState->Buffer.data();
  FState->Z.avail_out = static_cast<uInt>(FState->Buffer.size());
}

TCompressionStream::~TCompressionStream() {
  // A destructor cannot report a failure; callers that care call Finish themselves.
  try {
    Finish();
  } catch (...) {
  }
  deflateEnd(&FState->Z);
}

void TCompressionStream::Finish() {
  if (FState->Finished) return;
  FState->Finished = true;
  FState->Z.next_in = nullptr;
  FState->Z.avail_in = 0;
  for (;;) {
    const int rc = deflate(&FState->Z, Z_FINISH);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) throw ECompressionError("error");
    FState->Flush();
    if (rc == Z_STREAM_END) break;
  }
}

std::size_t TCompressionStream::Read(void*, std::size_t) { throw ECompressionError(InvalidOperation); }

std::size_t TCompressionStream::Write(const void* buffer, std::size_t count) {
  if (FState->Finished) throw ECompressionError(InvalidOperation);
  auto* in = static_cast<const Bytef*>(buffer);
  while (count > 0) {
    // zlib counts in 32 bits; feed very large buffers in pieces.
    const uInt piece = static_cast<uInt>(std::min<std::size_t>(count, 1u << 30));
    FState->Z.next_in = const_cast<Bytef*>(in);
    FState->Z.avail_in = piece;
    while (FState->Z.avail_in > 0) {
      if (deflate(&FState->Z, Z_NO_FLUSH) == Z_STREAM_ERROR) throw ECompressionError("error");
      if (FState->Z.avail_out == 0) FState->Flush();
    }
    in += piece;
    count -= piece;
    FState->Written += piece;
  }
  return static_cast<std::size_t>(in - static_cast<const Bytef*>(buffer));
}

std::int64_t TCompressionStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  if (offset == 0 && origin == TSeekOrigin::soCurrent) return FState->Written;
  throw ECompressionError(InvalidOperation);
}

std::int64_t TCompressionStream::Size() { throw ECompressionError(InvalidOperation); }

// ---- decompression ----

struct TDecompressionStream::TState {
  TStream* Source = nullptr;  // not owned
  std::int64_t SourceStart = 0;
  z_stream Z{};
  // Input in large pieces: every return from inflate costs a copy of its output into zlib's
  // window, so a small input buffer makes inflating a skin much slower than zlib alone.
  std::array<Bytef, 64 * 1024> Buffer;  // filled before it is read
  std::int64_t Produced = 0;
  std::int64_t Consumed = 0;
  bool Ended = false;
  bool SourceDry = false;

  void Restart() {
    Source->SetPosition(SourceStart);
    if (inflateReset(&Z) != Z_OK) throw EDecompressionError("compression error");
    Z.next_in = Buffer.data();
    Z.avail_in = 0;
    Produced = 0;
    Consumed = 0;
    Ended = false;
    SourceDry = false;
  }
};

TDecompressionStream::TDecompressionStream(TStream& source) : FState(std::make_unique<TState>()) {
  FState->Source = &source;
  FState->SourceStart = source.Position();
  if (inflateInit(&FState->Z) != Z_OK) throw EDecompressionError("compression error");
  FState->Z.next_in = FState->Buffer.data();
  FState->Z.avail_in = 0;
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&FState->Z); }

std::size_t TDecompressionStream::Read(void* buffer, std::size_t count) {
  TState& s = *FState;
  auto* out = static_cast<Bytef*>(buffer);
  std::size_t done = 0;
  while (done < count && !s.Ended) {
    if (s.Z.avail_in == 0 && !s.SourceDry) {
      const std::size_t n = s.Source->Read(s.Buffer.data(), s.Buffer.size());
      s.Z.next_in = s.Buffer.data();
      s.Z.avail_in = static_cast<uInt>(n);
      s.SourceDry = n == 0;
    }
    const uInt want = static_cast<uInt>(std::min<std::size_t>(count - done, 1u << 30));
    s.Z.next_out = out + done;
    s.Z.avail_out = want;
    const uInt before = s.Z.avail_in;
    const int rc = inflate(&s.Z, Z_NO_FLUSH);
    s.Consumed += before - s.Z.avail_in;
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) throw EDecompressionError("compression error");
    done += want - s.Z.avail_out;
    if (rc == Z_STREAM_END) s.Ended = true;
    // The source ended before the zlib stream did and nothing more comes: it was cut short.
    else if (s.SourceDry && s.Z.avail_in == 0 && s.Z.avail_out == want)
      throw EDecompressionError("compression error");
  }
  s.Produced += static_cast<std::int64_t>(done);
  return done;
}

std::size_t TDecompressionStream::Write(const void*, std::size_t) { throw EDecompressionError(InvalidOperation); }

std::int64_t TDecompressionStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  TState& s = *FState;
  if (offset == 0 && origin == TSeekOrigin::soBeginning) {
    s.Restart();
    return 0;
  }
  std::int64_t skip = -1;
  if (origin == TSeekOrigin::soCurrent && offset >= 0) skip = offset;
  else if (origin == TSeekOrigin::soBeginning && offset >= s.Produced) skip = offset - s.Produced;
  if (skip < 0) throw EDecompressionError(InvalidOperation);
  std::array<Bytef, vnZlibBufferSize> sink;
  while (skip > 0) {
    const std::size_t n = Read(sink.data(), static_cast<std::size_t>(std::min<std::int64_t>(skip, sink.size())));
    if (n == 0) throw EDecompressionError(InvalidOperation);  // past the end of the output
    skip -= static_cast<std::int64_t>(n);
  }
  return s.Produced;
}

std::int64_t TDecompressionStream::Size() { throw EDecompressionError(InvalidOperation); }

std::int64_t TDecompressionStream::SourceConsumed() const { return FState->Consumed; }

// ---- whole streams ----

void CompressStream(TStream& source, TStream& target) {
  source.SetPosition(0);
  TCompressionStream z(target, 9);
  std::array<std::uint8_t, vnZlibBufferSize> chunk;
  for (;;) {
    const std::size_t n = source.Read(chunk.data(), chunk.size());
    if (n == 0) break;
    z.WriteBuffer(chunk.data(), n);
  }
  z.Finish();
}

namespace {

// A memory stream that the output is appended to is sized once for a generous ratio before
// inflating, so that it does not grow and move step by step as the output arrives (on a skin
// load that cost more than the inflate itself); what is left over is cut off at the end,
// also when the inflate fails.
class TOutputRoom {
public:
  TOutputRoom(TStream& target, TStream& source, std::int64_t maxOutput)
      : FMemory(dynamic_cast<TMemoryStream*>(&target)) {
    auto* packed = dynamic_cast<TMemoryStream*>(&source);
    if (!FMemory || !packed || FMemory->Position() != FMemory->Size()) {
      FMemory = nullptr;
      return;
    }
    const std::int64_t guess = std::min<std::int64_t>(packed->Size() * 16, maxOutput);
    FMemory->SetSize(static_cast<std::size_t>(FMemory->Size() + guess));
  }
  ~TOutputRoom() {
    if (FMemory) FMemory->SetSize(static_cast<std::size_t>(FMemory->Position()));
  }
  TOutputRoom(const TOutputRoom&) = delete;
  TOutputRoom& operator=(const TOutputRoom&) = delete;

private:
  TMemoryStream* FMemory;  // not owned; null when the target is not a memory stream at its end
};

}  // namespace

TByteBuffer InflateBytes(std::span<const std::uint8_t> packed, std::int64_t maxOutput) {
  const auto damaged = [] { return EDecompressionError("compression error"); };
  // The two header bytes: deflate with a window of at most 32 KiB, the check bits right, no
  // preset dictionary. zlib is then handed the raw deflate data, and the Adler-32 trailer is
  // checked here (vnAdler32), which takes a fraction of the time zlib's check does.
  if (packed.size() < 2) throw damaged();
  const unsigned cmf = packed[0], flg = packed[1];
  if ((cmf & 0x0F) != 8 || (cmf >> 4) > 7 || ((cmf << 8) | flg) % 31 != 0 || (flg & 0x20) != 0) throw damaged();
  const std::span<const std::uint8_t> data = packed.subspan(2);
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) throw damaged();
  struct TEnd {
    z_stream& Z;
    ~TEnd() { inflateEnd(&Z); }
  } end{z};
  // The same first guess as a memory stream gets; one byte past the limit shows a stream that
  // goes past it.
  const std::int64_t limit = maxOutput == std::numeric_limits<std::int64_t>::max() ? maxOutput : maxOutput + 1;
  TByteBuffer out(static_cast<std::size_t>(std::clamp<std::int64_t>(static_cast<std::int64_t>(packed.size()) * 16, 1, limit)));
  std::size_t given = 0;  // input handed to zlib so far
  std::size_t produced = 0;
  for (;;) {
    // zlib counts in 32 bits: input and room in pieces of at most 1 GiB.
    if (z.avail_in == 0 && given < data.size()) {
      const std::size_t piece = std::min<std::size_t>(data.size() - given, 1u << 30);
      z.next_in = const_cast<Bytef*>(data.data() + given);
      z.avail_in = static_cast<uInt>(piece);
      given += piece;
    }
    const uInt room = static_cast<uInt>(std::min<std::size_t>(out.size() - produced, 1u << 30));
    z.next_out = out.data() + produced;
    z.avail_out = room;
    const int rc = inflate(&z, Z_NO_FLUSH);
    produced += room - z.avail_out;
    if (static_cast<std::int64_t>(produced) > maxOutput)
      throw EDecompressionError("the stream unpacks to more than " + std::to_string(maxOutput) +
                                " bytes (stopped at compressed byte offset " + std::to_string(2 + z.total_in) + ")");
    if (rc == Z_STREAM_END) break;
    if (rc != Z_OK && rc != Z_BUF_ERROR) throw damaged();
    if (z.avail_out == 0) {
      if (produced == out.size())
        out.resize(static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(out.size()) * 2, limit)));
      continue;
    }
    // Room was left and nothing more came: the input ended before the stream did.
    if (z.avail_in == 0 && given == data.size()) throw damaged();
  }
  // The trailer: the Adler-32 of the output, most significant byte first.
  const std::size_t at = static_cast<std::size_t>(z.total_in);
  if (data.size() - at < 4) throw damaged();
  const std::uint32_t stored = static_cast<std::uint32_t>(data[at]) << 24 | static_cast<std::uint32_t>(data[at + 1]) << 16 |
                               static_cast<std::uint32_t>(data[at + 2]) << 8 | data[at + 3];
  if (Adler32(1, out.data(), produced) != stored) throw damaged();
  out.resize(produced);
  // The buffer may be kept for long (a skin's pictures share it): room far past the output,
  // left from the first guess or the last doubling, is given back.
  if (out.capacity() - produced > produced / 4) out.shrink_to_fit();
  return out;
}

void DecompressStream(TStream& target, TStream& source, std::int64_t maxOutput) {
  source.SetPosition(0);
  TDecompressionStream z(source);
  const TOutputRoom room(target, source, maxOutput);
  // Output in pieces as large as zlib's window: each return from inflate costs a call and a
  // copy of that output into the window.
  std::array<std::uint8_t, 32 * 1024> chunk;
  std::int64_t total = 0;
  for (;;) {
    const std::size_t n = z.Read(chunk.data(), chunk.size());
    if (n == 0) break;
    total += static_cast<std::int64_t>(n);
    if (total > maxOutput)
      throw EDecompressionError("the stream unpacks to more than " + std::to_string(maxOutput) +
                                " bytes (stopped at compressed byte offset " +
                                std::to_string(z.SourceConsumed()) + ")");
    target.WriteBuffer(chunk.data(), n);
  }
}
