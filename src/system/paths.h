#pragma once
// Folder-path, directory and process helpers shared by the wizard pages, the installation run
// and the registration code. Paths are UTF-8 Windows paths; a folder path ends in "\" once it
// has passed through AddBackslash.
#include <string>

#include "platform/platform.h"

namespace sys {

// The classic Windows path limit, in UTF-16 units including the terminating zero. A path that
// does not fit is refused as a whole, never cut to fit.
constexpr size_t kMaxPath = 260;
bool FitsMaxPath(const std::string& path);

// Only the blank (code 32) is trimmed; tabs stay.
std::string TrimSpaces(const std::string& s);
std::string AddBackslash(const std::string& path);
// The one folder `folder` names, ending in "\", as the system resolves it: "/" read as "\",
// doubled separators collapsed, "." and ".." levels resolved. Empty when what it names depends
// on the current folder or on how the system reads it: not a full path ("C:\..." or
// "\\server\share\..."), a "\\?\" or "\\.\" prefix (which turns the system's own checks of
// the path off), a wildcard, a ":" (a file's stream) or a "|" inside a level, a level of three or
// more dots, or ".." above the drive's or the share's root.
std::string ResolvedFolder(const std::string& folder);
// Whether a level of the resolved `folder` that exists, the folder itself included, is a
// junction or link: whoever made it decides where writes through it land.
bool ThroughLink(plat::FileSystem& files, const std::string& folder);
// `path` without the leading `folder` (compared by the user's locale, ignoring case), or
// `path` itself when it does not start with that folder.
std::string MakeRelativeTo(plat::Text& text, const std::string& folder, const std::string& path);
bool DirectoryExists(plat::FileSystem& files, const std::string& path);
// 1-based position of the last `ch` in `s`, 0 when absent.
size_t LastCharPos(char ch, const std::string& s);
size_t ExistingDirPrefixLength(plat::FileSystem& files, const std::string& path);
// Creates every missing level in order and stops at the first one that fails.
bool CreateDirectoryPath(plat::FileSystem& files, const std::string& path);
// The chosen folder with a trailing "\", or empty when cancelled or unusable.
std::string BrowseForFolder(plat::Shell& shell, const std::string& caption,
                            const std::string& initialFolder);
// Starts `program` with `parameters` in the current directory for the signed-in user.
plat::Launch RunProgram(plat::Processes& processes, const std::string& program,
                        const std::string& parameters);

template <class T>
T ChooseValue(bool condition, T whenTrue, T whenFalse) {
  return condition ? whenTrue : whenFalse;
}

}  // namespace sys
