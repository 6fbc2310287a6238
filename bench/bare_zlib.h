#pragma once
// The benchmarks' generated file and the bare zlib loops they measure the engine against.
#include <string>

namespace bench {

// Writes `size` bytes of deterministic content like a software package's: text, binary
// records and data that is already compressed (which level 1 cannot shrink), in segments of
// mixed lengths.
void Generate(const std::string& path, size_t size);

// The loops the engine would be if it were nothing but zlib and the C library: the engine's
// buffer sizes, fread/fwrite, no checks, no message pump, no temporary file.
void BareCompress(const std::string& from, const std::string& to);
void BareExpand(const std::string& from, const std::string& to);

}  // namespace bench
