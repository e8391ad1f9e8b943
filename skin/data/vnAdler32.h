#pragma once
// The Adler-32 checksum of zlib streams, as zlib's adler32() computes it, 32 bytes at a time
// with AVX2 where the processor has it (found at run time); elsewhere zlib's own. A skin load
// checks the whole unpacked container with it, and zlib's one byte at a time took a fifth of
// the inflate.
#include <cstddef>
#include <cstdint>

// adler: the checksum of what came before (1 for none).
std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* bytes, std::size_t count);
