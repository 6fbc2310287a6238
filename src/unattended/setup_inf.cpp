#include "unattended/setup_inf.h"

#include <vector>

#include "platform/errors.h"
#include "unattended/command_line.h"

namespace unattended {

std::string FormatInf(const engine::InstallChoices& c) {
  std::string products, tasks;
  for (int i = 0; i < engine::kProductCount; ++i)
    if (c.products[i]) products.append(products.empty() ? "" : ",").append(ComponentName(i));
  for (int i = 0; i < engine::kOptionCount; ++i)
    if (c.options[i]) tasks.append(tasks.empty() ? "" : ",").append(engine::Options[i].task);
  const engine::FolderTexts& f = c.folders;
  // The byte-order mark lets older editors tell UTF-8 from the ANSI code page.
  std::string text = "\xEF\xBB\xBF; Vortel PRO: Install.exe /VERYSILENT /LOADINF=\"plik\"\r\n";
  text.append("[Setup]\r\nComponents=").append(products);
  text.append("\r\nDir=").append(f.mainFolder).append("\r\nDir0=").append(f.emulator);
  text.append("\r\nDir1=").append(f.ftpClients).append("\r\nDir3=").append(f.ftpServer);
  text.append("\r\nTasks=").append(tasks);
  text.append("\r\nOverwrite=").append(c.answers.overwriteAll ? "all" : "none");
  text.append("\r\nAssociate=").append(c.answers.associate ? "yes" : "no");
  return text.append("\r\nNoIcons=").append(c.programGroup ? "no" : "yes").append("\r\n");
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
