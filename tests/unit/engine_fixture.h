#pragma once
// Shared pieces of the engine tests: a headless platform, sample contents and an independent
// zlib round trip to judge stored files by.
#include <zlib.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "platform/headless/headless.h"

namespace enginetest {

// Bytes that compress like the package's files: text runs and noise.
inline std::string MixedBytes(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string out;
  while (out.size() < size) {
    if (rng() % 2)
      out += "Vortel terminal ramka klient FTP\r\n";
    else
      for (int i = 0; i < 48; ++i) out += static_cast<char>(rng());
  }
  out.resize(size);
  return out;
}

// zlib's one-call API, not the engine's streaming code.
inline std::string Deflate(const std::string& data, int level = 1) {
  uLongf size = compressBound(data.size());
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size,
            reinterpret_cast<const Bytef*>(data.data()), data.size(), level);
  out.resize(size);
  return out;
}

// The expansion of `stored`, or a marker when it is not exactly one complete zlib stream.
inline std::string Inflate(const std::string& stored, size_t expectedSize) {
  std::string out(expectedSize + 1, '\0');
  uLongf size = out.size();
  uLong used = stored.size();
  if (uncompress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(stored.data()), &used) != Z_OK ||
      used != stored.size())
    return "<not one complete zlib stream>";
  out.resize(size);
  return out;
}

// File names in a folder of the sandbox, as the host sees them.
inline std::set<std::string> FilesIn(plat::headless::HeadlessFileSystem& files,
                                     const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(files.HostPath(folder)))
    if (entry.is_regular_file()) names.insert(entry.path().filename().string());
  return names;
}

}  // namespace enginetest
