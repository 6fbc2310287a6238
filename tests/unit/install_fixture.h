#pragma once
// Shared pieces of the installation tests: a medium holding the whole catalogue, the shell
// folders the shortcuts go to, and a view that logs what the run shows.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "engine/installation.h"
#include "engine_fixture.h"

namespace installtest {

using Selection = std::array<bool, engine::kProductCount>;

constexpr char kMedium[] = "D:\\";
constexpr char kDesktop[] = "C:\\Pulpit";
constexpr char kStartup[] = "C:\\Autostart";
constexpr char kPrograms[] = "C:\\Programy";

// What every file of the medium expands to.
inline std::string NewContents(const std::string& entry) {
  return "new " + entry;
}

// Drive D: as a whole-package medium, and the all-users shell folders of an NT machine.
inline void PrepareMachine(plat::headless::HeadlessPlatform& platform) {
  platform.files.AddDrive('D');
  for (const auto* list :
       {&engine::CommonFiles, &engine::VortelFiles, &engine::FtpClientFiles, &engine::FtpBatchFiles,
        &engine::FtpBatchScripts, &engine::FtpManualFiles, &engine::FtpServerFiles})
    for (const auto& entry : *list) {
      if (engine::KindOf(entry) == engine::EntryKind::Stored)
        platform.files.PutFile(kMedium + engine::StoredName(entry),
                               enginetest::Deflate(NewContents(entry)));
      else if (engine::KindOf(entry) == engine::EntryKind::Plain)
        platform.files.PutFile(kMedium + entry, NewContents(entry));
    }
  const char* shellFolders =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  const std::pair<const char*, const char*> folders[] = {
      {"Common Desktop", kDesktop}, {"Common Startup", kStartup}, {"Common Programs", kPrograms}};
  for (const auto& [name, folder] : folders) {
    platform.registry.Set(plat::RegRoot::LocalMachine, shellFolders, name, folder);
    platform.files.PutFile(std::string(folder) + "\\desktop.ini", "");
  }
}

// Every folder and file of drive C: with its contents, and the whole registry: what a run
// that is rolled back, or an installation that is removed, must leave as it found it.
inline std::string MachineState(plat::headless::HeadlessPlatform& platform) {
  const auto root = platform.files.HostPath("C:\\");
  std::vector<std::string> entries;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    std::string line = std::filesystem::relative(entry.path(), root).string();
    if (entry.is_regular_file()) {
      std::ostringstream contents;
      contents << std::ifstream(entry.path(), std::ios::binary).rdbuf();
      line += " = " + contents.str();
    }
    entries.push_back(line);
  }
  std::sort(entries.begin(), entries.end());
  std::string state;
  for (const auto& line : entries) state += line + "\n";
  for (auto root :
       {plat::RegRoot::LocalMachine, plat::RegRoot::CurrentUser, plat::RegRoot::ClassesRoot})
    state += platform.registry.Dump(root);
  return state;
}

// The run's outward signs, in order: "progress", "info <text>", "animation on/off", "finish".
class LoggingView : public engine::InstallView {
 public:
  std::vector<std::string> log;
  void ShowInfo(const std::string& text) override { log.push_back("info " + text); }
  void ShowProgressPage() override { log.push_back("progress"); }
  void SetAnimation(bool running) override {
    log.push_back(running ? "animation on" : "animation off");
  }
  void ShowFinishPage() override { log.push_back("finish"); }
};

}  // namespace installtest
