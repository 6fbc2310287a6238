#pragma once
// Engine-test pieces: an independent zlib round trip, a machine with a medium, a logging view.
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "engine/installation.h"
#include "platform/errors.h"
#include "platform/headless/headless.h"
#include "startup/entry.h"
#include "unattended/answers.h"

namespace enginetest {

// Bytes that compress like the package's files: text runs and noise.
inline std::string MixedBytes(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string out;
  while (out.size() < size) {
    if (rng() % 2)
      out += "Vortel terminal ramka klient FTP\r\n";
    else
      for (int i = 0; i < 48; ++i) out += static_cast<char>(rng());
  }
  out.resize(size);
  return out;
}

// zlib's one-call API, not the engine's streaming code.
inline std::string Deflate(const std::string& data, int level = 1) {
  uLongf size = compressBound(data.size());
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size,
            reinterpret_cast<const Bytef*>(data.data()), data.size(), level);
  out.resize(size);
  return out;
}

// The expansion of `stored`, or a marker when it is not exactly one complete zlib stream.
inline std::string Inflate(const std::string& stored, size_t expectedSize) {
  std::string out(expectedSize + 1, '\0');
  uLongf size = out.size();
  uLong used = stored.size();
  if (uncompress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(stored.data()), &used) != Z_OK ||
      used != stored.size())
    return "<not one complete zlib stream>";
  out.resize(size);
  return out;
}

inline std::set<std::string> FilesIn(plat::headless::HeadlessFileSystem& files,
                                     const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(files.HostPath(folder)))
    if (entry.is_regular_file()) names.insert(entry.path().filename().string());
  return names;
}

// Headers as the PE format lays them out, one section of 0x200 bytes from 0x200: enough for the
// layout, which is all the catalogue needs.
inline std::string Program(uint32_t certOffset = 0, uint32_t certSize = 0) {
  std::string pe(0x400, '\0');
  pe[0] = 'M', pe[1] = 'Z', pe[0x3C] = 0x40;
  std::memcpy(&pe[0x40], "PE\0\0", 4);
  pe[0x46] = 1, pe[0x54] = static_cast<char>(224), pe[0x58] = 0x0b, pe[0x59] = 0x01;
  pe[0x58 + 92] = 16;
  std::memcpy(&pe[0x58 + 128], &certOffset, 4);
  std::memcpy(&pe[0x58 + 132], &certSize, 4);
  pe[0x138 + 17] = 2, pe[0x138 + 21] = 2;
  return pe;
}

}  // namespace enginetest

namespace installtest {

using Selection = std::array<bool, engine::kProductCount>;

constexpr char kMedium[] = "D:\\";
constexpr char kDesktop[] = "C:\\Pulpit";
constexpr char kStartup[] = "C:\\Autostart";
constexpr char kPrograms[] = "C:\\Programy";
constexpr char kUninstallFolder[] = "C:\\Wspolne\\Vortel PRO\\";

inline std::string NewContents(const std::string& entry) {
  return "new " + entry;
}

// Drive D: as a whole-package medium, an NT machine's all-users shell folders and Common Files.
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
  platform.registry.Set(plat::RegRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                        "CommonFilesDir", "C:\\Wspolne");
  platform.files.PutFile("C:\\Wspolne\\desktop.ini", "");
}

// All of drive C: and the registry: what a rolled-back run or a removal must leave as it was.
inline std::string MachineState(plat::headless::HeadlessPlatform& platform) {
  const auto root = platform.files.HostPath("C:\\");
  std::set<std::string> entries;  // sorted
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    std::string line = std::filesystem::relative(entry.path(), root).string();
    if (entry.is_regular_file()) {
      std::ostringstream contents;
      contents << std::ifstream(entry.path(), std::ios::binary).rdbuf();
      line += " = " + contents.str();
    }
    entries.insert(line);
  }
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
  // Each percentage shown, with the length of the log when it was shown.
  std::vector<std::pair<int, size_t>> percents;
  void ShowProgress(int percent) override { percents.push_back({percent, log.size()}); }
};

// The wizard's questions over the scripted dialogs, with nothing logged.
struct Shown {
  explicit Shown(plat::Dialogs& dialogs) : asked(dialogs, nowhere, {}, false) {}
  sys::RunLog nowhere;
  unattended::WizardQuestions asked;
};

struct FakeChecks : startup::StartupChecks {
  bool enough = true, running = false;
  bool fault = false;  // something nobody expected escapes the program's logic
  int runningQueries = 0;
  std::vector<int> minimums;
  bool CheckFreeResources(int s, int u, int g) override {
    minimums = {s, u, g};
    return enough;
  }
  std::string ResourceMeterText() override { return "Wolne zasoby: 3%"; }
  bool IsAnyComponentRunning() override {
    ++runningQueries;
    if (fault) throw plat::Error("awaria");
    return running;
  }
};

// A machine with a whole-package medium, that must have shown every message a test expected.
struct Machine {
  Machine() { PrepareMachine(platform); }
  ~Machine() { EXPECT_TRUE(platform.dialogs.AllAnswered()); }

  // `options`: the emulator's and the FTP client's desktop shortcuts, the server's autostart.
  engine::RunOutcome Run(const Selection& chosen, const std::string& main,
                         const std::array<bool, 3>& options = {},
                         const std::string& emulatorFolder = "Vortel\\") {
    engine::InstallChoices choices;
    choices.products = chosen;
    choices.folders = {main, emulatorFolder, "FTPCli\\", "FTPSrv\\"};
    choices.options = options;
    unattended::WizardQuestions asked(platform.dialogs, *runLog, {}, false);
    engine::RunContext run{platform, kMedium, {}, stop, asked};
    const engine::RunOutcome outcome = engine::RunInstallation(run, choices, view);
    folders = run.folders;
    return outcome;
  }
  std::string State() { return MachineState(platform); }

  plat::headless::HeadlessPlatform platform;
  LoggingView view;
  sys::RunLog nowhere;
  sys::RunLog* runLog = &nowhere;  // where the runs' notes go
  engine::StopRequest stop;
  engine::Folders folders{};  // the last run's
};

}  // namespace installtest
