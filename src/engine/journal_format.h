#pragma once
// The journal's words, shared by the installer that writes it and the uninstaller that reads it.
#include "engine/journal.h"

namespace engine::journal_format {

inline constexpr char kFirstLine[] = "VORTEL-PRO-JOURNAL 1\n";
inline constexpr char kRunLine[] = "run";

struct KindName {
  ChangeKind kind;
  const char* text;
};
inline constexpr KindName kKinds[] = {
    {ChangeKind::Folder, "folder"},     {ChangeKind::File, "file"},
    {ChangeKind::Shortcut, "shortcut"}, {ChangeKind::Key, "key"},
    {ChangeKind::Value, "value"},       {ChangeKind::Ini, "ini"},
};
struct RootName {
  plat::RegRoot root;
  const char* text;
};
inline constexpr RootName kRoots[] = {{plat::RegRoot::LocalMachine, "HKLM"},
                                      {plat::RegRoot::CurrentUser, "HKCU"},
                                      {plat::RegRoot::ClassesRoot, "HKCR"}};

}  // namespace engine::journal_format
