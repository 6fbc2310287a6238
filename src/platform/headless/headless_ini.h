#pragma once
#include "platform/ini_files.h"
#include "platform/platform.h"

namespace plat::headless {

// INI files kept as text in the headless file system, read and written line by line as the
// profile API does: the file's other lines, comments and order survive every write.
class HeadlessIni : public IniFiles {
 public:
  explicit HeadlessIni(FileSystem& files) : files_(files) {}
  std::string Read(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  std::vector<std::string> Keys(const std::string& file, const std::string& section) override;
  void Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override;
  void Remove(const std::string& file, const std::string& section, const std::string& key) override;

 private:
  FileSystem& files_;
};

}  // namespace plat::headless
