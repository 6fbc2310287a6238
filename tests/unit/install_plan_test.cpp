// The installation run as a list: which steps a choice of products and options plans, in which
// order, and into which folder each goes. What applying them does is in installation_test.
#include "engine/install_plan.h"

#include <gtest/gtest.h>

namespace {

using namespace engine;

const Folders kDirs = {"C:\\VP\\", "C:\\VP\\Emu\\", "C:\\VP\\Ftp\\", "D:\\Srv\\"};

std::string ListName(const FileList* list) {
  const std::pair<const FileList*, const char*> names[] = {
      {&CommonFiles, "common"},     {&VortelFiles, "vortel"},       {&FtpClientFiles, "ftpclient"},
      {&FtpBatchFiles, "ftpbatch"}, {&FtpManualFiles, "ftpmanual"}, {&FtpServerFiles, "ftpserver"}};
  for (const auto& [known, name] : names)
    if (known == list) return name;
  return "?";
}

// One line per step: its kind, the list or the product, the folder; a shortcut's link, target
// and description.
std::vector<std::string> Describe(const RunPlan& plan) {
  const char* const kinds[] = {"folder", "files", "link", "configure", "register", "group"};
  std::vector<std::string> lines;
  for (const RunStep& s : plan.steps) {
    std::string line = kinds[static_cast<int>(s.kind)] + std::string(" ");
    if (s.files) line += ListName(s.files) + " ";
    if (s.product >= 0) line += std::to_string(s.product) + " ";
    if (s.kind == StepKind::Shortcut)
      line += s.shellFolder + "\\" + s.linkName + " " + s.folder + s.program + " \"" +
              s.description + "\"";
    else
      line += s.folder;
    lines.push_back(line);
  }
  return lines;
}

TEST(InstallPlan, ListsEveryStepInTheRunsOrderWithItsFolder) {
  const struct {
    ProductChoice products;
    std::array<bool, kOptionCount> options;
    std::vector<std::string> steps;
  } cases[] = {
      {{true, true, true, true},
       {true, true, true},
       {"folder C:\\VP\\",
        "folder C:\\VP\\Emu\\",
        "folder C:\\VP\\Ftp\\",
        "folder D:\\Srv\\",
        "files common C:\\VP\\",
        "files ftpserver D:\\Srv\\",
        "files ftpbatch C:\\VP\\Ftp\\",
        "files ftpclient C:\\VP\\Ftp\\",
        "files ftpmanual C:\\VP\\Ftp\\",
        "files vortel C:\\VP\\Emu\\",
        "link Desktop\\Vortel C:\\VP\\Emu\\Vortel.exe \"Emulator terminala Vortel\"",
        "link Desktop\\Norvik-FTP C:\\VP\\Ftp\\NorvikFtp.exe \"Klient FTP firmy Norvik-Soft\"",
        "link Startup\\Serwer FTP D:\\Srv\\NorvikFTPsrv.exe \"Serwer FTP firmy Norvik-Soft\"",
        "configure 0 C:\\VP\\Emu\\",
        "configure 1 C:\\VP\\Ftp\\",
        "configure 2 C:\\VP\\Ftp\\",
        "configure 3 D:\\Srv\\",
        "register 3 D:\\Srv\\",
        "register 2 C:\\VP\\Ftp\\",
        "register 1 C:\\VP\\Ftp\\",
        "register 0 C:\\VP\\Emu\\",
        "group C:\\VP\\"}},
      // The batch client alone still brings the FTP manual and the clients' folder.
      {{false, false, true, false},
       {false, false, false},
       {"folder C:\\VP\\", "folder C:\\VP\\Ftp\\", "files common C:\\VP\\",
        "files ftpbatch C:\\VP\\Ftp\\", "files ftpmanual C:\\VP\\Ftp\\",
        "configure 2 C:\\VP\\Ftp\\", "register 2 C:\\VP\\Ftp\\", "group C:\\VP\\"}},
      {{true, false, false, true},
       {false, false, true},
       {"folder C:\\VP\\", "folder C:\\VP\\Emu\\", "folder D:\\Srv\\", "files common C:\\VP\\",
        "files ftpserver D:\\Srv\\", "files vortel C:\\VP\\Emu\\",
        "link Startup\\Serwer FTP D:\\Srv\\NorvikFTPsrv.exe \"Serwer FTP firmy Norvik-Soft\"",
        "configure 0 C:\\VP\\Emu\\", "configure 3 D:\\Srv\\", "register 3 D:\\Srv\\",
        "register 0 C:\\VP\\Emu\\", "group C:\\VP\\"}},
  };
  for (const auto& c : cases) {
    InstallChoices choices;
    choices.products = c.products;
    choices.options = c.options;
    const RunPlan plan = PlanInstallation(choices, kDirs);
    EXPECT_EQ(Describe(plan), c.steps);
    EXPECT_EQ(plan.folders, kDirs);
    EXPECT_EQ(plan.products, c.products);
  }
  // /NOICONS: everything but the Start-menu group.
  InstallChoices noIcons;
  noIcons.products = {true, false, false, false};
  noIcons.programGroup = false;
  EXPECT_EQ(Describe(PlanInstallation(noIcons, kDirs)).back(), "register 0 C:\\VP\\Emu\\");
}

}  // namespace
