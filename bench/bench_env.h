#pragma once
// What differs between the native bench (headless platform) and the Windows one (the real
// API, run under Wine): where the files go and how memory is measured.
#include <cstddef>
#include <memory>
#include <string>

class BenchEnv {
 public:
  virtual ~BenchEnv() = default;
  // A scratch folder as the engine names it, ending in "\".
  virtual std::string Folder() = 0;
  // The same file as the C library opens it, for the bare zlib loops.
  virtual std::string HostPath(const std::string& path) = 0;
  virtual size_t CurrentMemory() = 0;  // resident bytes now
  virtual size_t PeakMemory() = 0;     // most resident bytes so far
  virtual void Remove(const std::string& path) = 0;
};

// `folder`, when not empty, is where the Windows bench puts its files (the native one follows
// TMPDIR, as its sandbox does).
std::unique_ptr<BenchEnv> MakeBenchEnv(const std::string& folder);
