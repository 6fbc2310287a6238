#include "unattended/setup_inf.h"

#include <vector>

#include "platform/errors.h"
#include "unattended/command_line.h"

namespace unattended {

namespace {

template <size_t N>
std::string Joined(const std::array<bool, N>& chosen, const char* (*name)(int)) {
  std::string list;
  for (size_t i = 0; i < N; ++i)
    if (chosen[i]) list += (list.empty() ? "" : ",") + std::string(name(static_cast<int>(i)));
  return list;
}

const char* TaskName(int option) {
  return engine::Options[option].task;
}

}  // namespace

std::string FormatInf(const engine::InstallChoices& c) {
  const engine::FolderTexts& f = c.folders;
  const std::pair<const char*, std::string> keys[] = {
      {"Components", Joined(c.products, ComponentName)},
      {"Dir", f.mainFolder},
      {"Dir0", f.*engine::SlotTexts[1]},
      {"Dir1", f.*engine::SlotTexts[2]},
      {"Dir3", f.*engine::SlotTexts[3]},
      {"Tasks", Joined(c.options, TaskName)},
      {"Overwrite", c.answers.overwriteAll ? "all" : "none"},
      {"Associate", c.answers.associate ? "yes" : "no"},
      {"NoIcons", c.programGroup ? "no" : "yes"},
  };
  // The byte-order mark lets older editors tell UTF-8 from the ANSI code page.
  std::string text =
      "\xEF\xBB\xBF; Vortel PRO: Install.exe /VERYSILENT /LOADINF=\"plik\"\r\n[Setup]\r\n";
  for (const auto& [key, value] : keys) text += std::string(key) + "=" + value + "\r\n";
  return text;
}

std::string ReadTextFile(plat::FileSystem& files, const std::string& path) {
  const auto in = files.OpenRead(path);
  std::string text;
  std::vector<char> buffer(4096);
  while (const size_t got = in->Read(buffer.data(), buffer.size())) text.append(buffer.data(), got);
  return text;
}

void WriteTextFile(plat::OutputFile& file, const std::string& text) {
  file.Write(text.data(), text.size());
  file.Close();
}

}  // namespace unattended
