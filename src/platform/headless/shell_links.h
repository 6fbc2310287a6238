#pragma once
// Shell links recorded as small text files in the headless file system, so a link's existence
// is seen through the same files as on Windows. Any call can be made to fail with a chosen
// HRESULT, as the real link object fails.
#include <cstdint>
#include <map>
#include <string>

#include "platform/os_version.h"
#include "platform/platform.h"
#include "platform/shell_links.h"

namespace plat::headless {

class HeadlessShellLinks : public ShellLinks {
 public:
  explicit HeadlessShellLinks(FileSystem& files) : files_(files) {}

  // Calls that fail, by name ("Create", "SetPath", "SetArguments", "SetWorkingDirectory",
  // "SetDescription", "SetIconLocation", "Save"), with the result they give.
  std::map<std::string, uint32_t> failures;
  uint32_t lastError = 0;
  // Link objects alive now: each must be released whatever happened.
  int liveObjects = 0;

  uint32_t Create(std::unique_ptr<ShellLinkObject>& link) override;
  bool Read(const std::string& linkPath, ShellLinkInfo& info) override;
  uint32_t LastError() override { return lastError; }

  uint32_t FailureOf(const std::string& call) const;
  FileSystem& Files() { return files_; }

 private:
  FileSystem& files_;
};

class HeadlessVersion : public OsVersion {
 public:
  bool ntFamily = true;
  bool IsNtFamily() override { return ntFamily; }
  std::string Today() override { return today; }
  std::string today = "20261206";
};

}  // namespace plat::headless
