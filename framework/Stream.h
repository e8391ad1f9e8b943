#pragma once
// Byte streams: the abstract TStream (read, write, seek) and TMemoryStream, a growable buffer.
// Streams are how the stored skin hands its unpacked bytes to whoever asks, and how the zlib
// adapters sit between a producer and a consumer without either knowing about compression.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <vector>

class EStreamError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
  virtual ~TStream() = default;

  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Writes count bytes; returns how many were written.
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Moves the position and returns the new one.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  // The size in bytes; the position is left where it was.
  virtual std::int64_t Size();

  // As Read and Write, but anything short of count is an EStreamError.
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);
  // Copies count bytes from source's position; count 0 copies all of source from its start.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : FData(std::move(bytes)) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }

  // Empties the stream and rewinds it.
  void Clear();
  void SetSize(std::size_t size);
  const std::vector<std::uint8_t>& Bytes() const { return FData; }
  std::span<const std::uint8_t> Memory() const { return FData; }
  // Hands the bytes over and leaves the stream empty.
  std::vector<std::uint8_t> TakeBytes();

  void LoadFromFile(const std::filesystem::path& path);
  void SaveToFile(const std::filesystem::path& path) const;

private:
  std::vector<std::uint8_t> FData;
  std::size_t FPosition = 0;
};

// Whole files as bytes; errors are EStreamError naming the file.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
