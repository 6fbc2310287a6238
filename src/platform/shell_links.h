#pragma once
// Shell links (.lnk files) written through the shell's own link object. Every call reports
// the shell's HRESULT unchanged (0 is S_OK); deciding what a failure means is the caller's.
#include <cstdint>
#include <memory>
#include <string>

namespace plat {

// One link object, released with it.
class ShellLinkObject {
 public:
  virtual ~ShellLinkObject() = default;
  virtual uint32_t SetPath(const std::string& target) = 0;
  virtual uint32_t SetArguments(const std::string& arguments) = 0;
  virtual uint32_t SetWorkingDirectory(const std::string& folder) = 0;
  virtual uint32_t SetDescription(const std::string& description) = 0;
  virtual uint32_t SetIconLocation(const std::string& file, int index) = 0;
  // Writes the link file, over an existing one.
  virtual uint32_t Save(const std::string& linkPath) = 0;
};

// What a link file holds, as read back.
struct ShellLinkInfo {
  std::string target;
  std::string arguments;
  std::string workingDir;
  std::string description;
  std::string iconFile;
  int iconIndex = 0;
};

class ShellLinks {
 public:
  virtual ~ShellLinks() = default;
  // Creates a link object with its file interface; on failure `link` stays empty and the
  // result is the first failing call's.
  virtual uint32_t Create(std::unique_ptr<ShellLinkObject>& link) = 0;
  // Loads an existing link file; false when it cannot be read as one.
  virtual bool Read(const std::string& linkPath, ShellLinkInfo& info) = 0;
  // The calling thread's last system error code, reported beside a failed call.
  virtual uint32_t LastError() = 0;
};

}  // namespace plat
