#pragma once
// What the elevated uninstaller may be told to do: only what an installation of this package
// can have done. A journal is obeyed whole or not at all.
#include <string>

#include "engine/journal.h"

namespace uninstall {

// The first change of `contents` outside the package, as the message names it; empty when
// every change is the package's: files and folders in the folders its runs name (or in
// `uninstallFolder`), kept files beside their own, its shortcuts, its registry keys, its
// configuration file.
std::string ForeignChange(const engine::JournalContents& contents,
                          const std::string& uninstallFolder);

// `path` resolved as sys::ResolvedFolder does, upper-cased for comparison, without a final "\\"
// below the root; empty when it names no one file or folder.
std::string ComparablePath(const std::string& path);

}  // namespace uninstall
