#include "system/paths.h"

#include <algorithm>
#include <cctype>
#include <vector>

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

namespace {

// "<", ">" and "\"" are wildcards to the system as well, and "|" is in no name.
bool IsPlainLevel(const std::string& level) {
  return level.find_first_not_of('.') != std::string::npos &&
         level.find_first_of("?*:\"<>|") == std::string::npos;
}

}  // namespace

std::string ResolvedFolder(const std::string& folder) {
  std::string path = folder;
  std::replace(path.begin(), path.end(), '/', '\\');
  std::string root;
  size_t rest = 0;
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
      path[2] == '\\') {
    root = path.substr(0, 3);
    rest = 3;
  } else if (path.rfind("\\\\", 0) == 0) {
    const size_t server = path.find('\\', 2);
    if (server == std::string::npos) return std::string();
    const size_t share = std::min(path.find('\\', server + 1), path.size());
    if (!IsPlainLevel(path.substr(2, server - 2)) ||
        !IsPlainLevel(path.substr(server + 1, share - server - 1)))
      return std::string();
    root = path.substr(0, share) + "\\";
    rest = share;
  } else {
    return std::string();
  }
  std::vector<std::string> levels;
  for (size_t start = rest; start < path.size();) {
    const size_t end = std::min(path.find('\\', start), path.size());
    const std::string level = path.substr(start, end - start);
    start = end + 1;
    if (level.empty() || level == ".") continue;
    if (level == "..") {
      if (levels.empty()) return std::string();
      levels.pop_back();
    } else if (IsPlainLevel(level)) {
      levels.push_back(level);
    } else {
      return std::string();
    }
  }
  for (const std::string& level : levels) root += level + "\\";
  return root;
}

bool ThroughLink(plat::FileSystem& files, const std::string& folder) {
  const std::string resolved = ResolvedFolder(folder);
  for (size_t end = resolved.find('\\', 3); end != std::string::npos;
       end = resolved.find('\\', end + 1)) {
    const uint32_t attributes = files.GetAttributes(resolved.substr(0, end));
    if (attributes == plat::kInvalidAttributes) return false;
    if (attributes & plat::kAttrReparsePoint) return true;
  }
  return false;
}

std::string MakeRelativeTo(plat::Text& text, const std::string& folder, const std::string& path) {
  const std::string prefix = AddBackslash(folder);
  if (path.size() >= prefix.size() &&
      text.UpperCase(path.substr(0, prefix.size())) == text.UpperCase(prefix))
    return path.substr(prefix.size());
  return path;
}

bool DirectoryExists(plat::FileSystem& files, const std::string& path) {
  const uint32_t attributes = files.GetAttributes(path);
  return attributes != plat::kInvalidAttributes && (attributes & plat::kAttrDirectory);
}

size_t LastCharPos(char ch, const std::string& s) {
  const auto at = s.rfind(ch);
  return at == std::string::npos ? 0 : at + 1;
}

size_t ExistingDirPrefixLength(plat::FileSystem& files, const std::string& path) {
  // Iterative form of "drop the last level until what is left exists".
  std::string rest = path;
  while (!DirectoryExists(files, rest)) {
    if (!rest.empty() && rest.back() == '\\') rest.pop_back();
    const size_t at = LastCharPos('\\', rest);
    if (at == 0) return 0;
    rest.resize(at - 1);
  }
  return rest.size();
}

bool CreateDirectoryPath(plat::FileSystem& files, const std::string& path) {
  if (!FitsMaxPath(path)) return false;
  size_t n = ExistingDirPrefixLength(files, path);
  for (;;) {
    const std::string rest = n + 1 < path.size() ? path.substr(n + 1) : std::string();
    const auto slash = rest.find('\\');
    if (slash == std::string::npos) return path.size() > n + 1 ? files.CreateFolder(path) : true;
    n += slash + 1;
    if (!files.CreateFolder(path.substr(0, n))) return false;
  }
}

std::string BrowseForFolder(plat::Shell& shell, const std::string& caption,
                            const std::string& initialFolder) {
  std::string folder = shell.BrowseForFolder(caption, initialFolder);
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return FitsMaxPath(folder) ? folder : std::string();
}

plat::Launch RunProgram(plat::Processes& processes, const std::string& program,
                        const std::string& parameters) {
  return processes.Start(program, parameters);
}

}  // namespace sys
