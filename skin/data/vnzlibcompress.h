#pragma once
// zlib as streams. TCompressionStream deflates (level 9) what is written to it into a target
// stream; TDecompressionStream inflates a source stream as it is read. CompressStream and
// DecompressStream do a whole stream at once. The streams are one-way: any use other than the
// ones documented on each class is an error "Invalid stream operation".
//
// Errors carry the texts that callers and users see: "compression error" for a damaged
// stream while inflating, "error" for a failure inside the compressor.
#include "framework/PixelBitmap.h"
#include "framework/Stream.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <stdexcept>

class EZlibError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class ECompressionError : public EZlibError {
public:
  using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
public:
  using EZlibError::EZlibError;
};

// A whole zlib stream inflated at once straight into the buffer it is handed back in, without
// the pieces and copies of a stream: what DecompressStream would write into an empty memory
// stream, with the same errors. The buffer is sized for a generous ratio first and grows only
// when the output needs it.
TByteBuffer InflateBytes(std::span<const std::uint8_t> packed, std::int64_t maxOutput = std::numeric_limits<std::int64_t>::max());

// Size of the buffers between zlib and the streams on either side.
constexpr std::size_t vnZlibBufferSize = 4096;

// Write-only: deflates everything written into the target stream. Position is the number of
// bytes written so far (the uncompressed count). Finish (or the destructor) flushes the end
// of the zlib stream into the target; call Finish to see its errors.
class TCompressionStream : public TStream {
public:
  explicit TCompressionStream(TStream& target, int level = 9);
  ~TCompressionStream() override;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override;
  void Finish();

private:
  struct TState;
  std::unique_ptr<TState> FState;
};

// Read-only: inflates the source stream from its position at creation. It can be rewound to
// its start (Seek to 0 from the beginning) or moved forward (inflating and discarding); Position
// is the number of bytes read so far. A source that ends before the zlib stream does, or that
// is damaged, raises "compression error".
class TDecompressionStream : public TStream {
public:
  explicit TDecompressionStream(TStream& source);
  ~TDecompressionStream() override;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override;
  // Where the compressed input stands, counted from the source position at creation.
  std::int64_t SourceConsumed() const;

private:
  struct TState;
  std::unique_ptr<TState> FState;
};

// Rewinds source and deflates all of it into target at level 9.
void CompressStream(TStream& source, TStream& target);

// Rewinds source, inflates it completely and appends the output to target in chunks of up to
// 4,096 bytes. More than maxOutput bytes of output is an EDecompressionError that says so.
void DecompressStream(TStream& target, TStream& source,
                      std::int64_t maxOutput = std::numeric_limits<std::int64_t>::max());
