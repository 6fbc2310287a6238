#include "system/paths.h"

#include "platform/platform.h"
#include "platform/text.h"

namespace sys {

bool FitsMaxPath(const std::string& path) {
  return plat::Utf8ToUtf16(path).size() < kMaxPath;
}

std::string TrimSpaces(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string AddBackslash(const std::string& path) {
  std::string result = TrimSpaces(path);
  if (!result.empty() && result.back() != '\\') result += '\\';
  return result;
}

std::string MakeRelativeTo(const std::string& folder, const std::string& path) {
  const std::string prefix = AddBackslash(folder);
  auto& text = plat::Current().Texts();
  if (path.size() >= prefix.size() &&
      text.UpperCase(path.substr(0, prefix.size())) == text.UpperCase(prefix))
    return path.substr(prefix.size());
  return path;
}

bool DirectoryExists(const std::string& path) {
  const uint32_t attributes = plat::Current().Files().GetAttributes(path);
  return attributes != plat::kInvalidAttributes && (attributes & plat::kAttrDirectory);
}

size_t LastCharPos(char ch, const std::string& s) {
  const auto at = s.rfind(ch);
  return at == std::string::npos ? 0 : at + 1;
}

size_t ExistingDirPrefixLength(const std::string& path) {
  // Iterative form of "drop the last level until what is left exists".
  std::string rest = path;
  while (!DirectoryExists(rest)) {
    if (!rest.empty() && rest.back() == '\\') rest.pop_back();
    const size_t at = LastCharPos('\\', rest);
    if (at == 0) return 0;
    rest.resize(at - 1);
  }
  return rest.size();
}

bool CreateDirectoryPath(const std::string& path) {
  if (!FitsMaxPath(path)) return false;
  auto& files = plat::Current().Files();
  size_t n = ExistingDirPrefixLength(path);
  for (;;) {
    const std::string rest = n + 1 < path.size() ? path.substr(n + 1) : std::string();
    const auto slash = rest.find('\\');
    if (slash == std::string::npos) return path.size() > n + 1 ? files.CreateFolder(path) : true;
    n += slash + 1;
    if (!files.CreateFolder(path.substr(0, n))) return false;
  }
}

std::string BrowseForFolder(const std::string& caption, const std::string& initialFolder) {
  std::string folder = plat::Current().ShellApi().BrowseForFolder(caption, initialFolder);
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return FitsMaxPath(folder) ? folder : std::string();
}

plat::Launch RunProgram(const std::string& program, const std::string& parameters) {
  return plat::Current().Process().Start(program, parameters);
}

}  // namespace sys
