#pragma once
// Windows INI files as the profile API sees them: sections in brackets, one key=value per line,
// names compared without regard to case. Writes change only the key written; everything else
// in the file stays as it was.
#include <string>
#include <vector>

namespace plat {

class IniFiles {
 public:
  virtual ~IniFiles() = default;
  // The value, or `fallback` when the file, section or key is missing.
  virtual std::string Read(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& fallback) = 0;
  // The keys of a section, in file order; empty when the file or section is missing.
  virtual std::vector<std::string> Keys(const std::string& file, const std::string& section) = 0;
  // Creates the file and the section as needed. Raises EFileError when the file cannot be
  // written.
  virtual void Write(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
  // Removes one key, leaving the rest of the file. Raises EFileError when it cannot be written.
  virtual void Remove(const std::string& file, const std::string& section,
                      const std::string& key) = 0;
};

}  // namespace plat
