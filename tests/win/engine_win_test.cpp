// Stored files through the real file API: what the headless twin promises about temporary
// files and replacement must hold on Windows too. (Mastering and installation judge the media
// and the installed files end to end.)
#include <process.h>

#include <gtest/gtest.h>

#include "engine/copy.h"
#include "engine/stored_file.h"
#include "main_env.h"
#include "system_env.h"

namespace {

using plat::win32::Wide;

std::string Slurp(const std::string& path) {
  auto in = plat::Current().Files().OpenRead(path);
  std::string data;
  char buffer[65536];
  while (size_t n = in->Read(buffer, sizeof buffer)) data.append(buffer, n);
  return data;
}

void Spill(const std::string& path, const std::string& data) {
  auto out = plat::Current().Files().Create(path);
  out->Write(data.data(), data.size());
  out->Close();
}

}  // namespace

TEST(StoredFilesWin, RoundTripReplacesAndADamagedStreamKeepsTheOldFile) {
  const std::string dir = wintest::MakeScratchFolder("stored ż");
  engine::StoredFileCodec codec;
  for (size_t size : {size_t{0}, size_t{65537}, size_t{1} << 20}) {
    SCOPED_TRACE(size);
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 7919) >> (i % 5));
    Spill(dir + "\\źródło.bin", data);
    ASSERT_TRUE(codec.CompressFile(dir + "\\źródło.bin", dir + "\\źródło.bi_"));
    Spill(dir + "\\cel.bin", "old");
    ASSERT_TRUE(codec.ExpandFile(dir + "\\źródło.bi_", dir + "\\cel.bin"));
    EXPECT_EQ(Slurp(dir + "\\cel.bin"), data);
  }
  const std::string good = Slurp(dir + "\\źródło.bi_");
  for (const std::string& bad : {good.substr(0, good.size() - 1), good + "tail"}) {
    Spill(dir + "\\źródło.bi_", bad);
    EXPECT_THROW(codec.ExpandFile(dir + "\\źródło.bi_", dir + "\\cel.bin"), engine::EDamagedFile);
    EXPECT_EQ(Slurp(dir + "\\cel.bin").size(), size_t{1} << 20);
    EXPECT_EQ(wintest::Listing(dir),
              (std::vector<std::string>{"cel.bin", "źródło.bi_", "źródło.bin"}));
  }
}

namespace {

// A Unix symbolic link, as someone with write access to the folder might plant it: Wine shows
// it to programs as the file it points to, which is exactly how an unwary program follows it.
void PlantLink(const std::string& target, const std::string& link) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  ASSERT_TRUE(unixName) << "not running under Wine";
  const std::string from = "\"" + std::string(unixName(Wide(target).c_str())) + "\"";
  const std::string at = "\"" + std::string(unixName(Wide(link).c_str())) + "\"";
  _spawnl(_P_WAIT, "Z:\\bin\\ln", "ln", "-sf", from.c_str(), at.c_str(), nullptr);
}

struct QuietView : engine::RunView {
  void ShowInfo(const std::string&) override {}
};

}  // namespace

TEST(StoredFilesWin, PlantedLinksAreReplacedNotWrittenThroughAndABusyFileSaysSo) {
  const std::string medium = wintest::MakeScratchFolder("links medium") + "\\";
  const std::string dir = wintest::MakeScratchFolder("links") + "\\";
  const std::string outside = wintest::MakeScratchFolder("system") + "\\plik.dll";
  Spill(medium + "a.txt", "nowy");
  Spill(medium + "wydruk", "kopia");
  engine::StoredFileCodec codec;
  ASSERT_TRUE(codec.CompressFile(medium + "a.txt", medium + "a.tx_"));
  QuietView view;
  engine::Copier copier(view, medium);
  copier.OverwriteAll = true;
  for (const bool plain : {false, true}) {
    SCOPED_TRACE(plain ? "plain" : "stored");
    SetFileAttributesW(Wide(outside).c_str(), FILE_ATTRIBUTE_NORMAL);
    Spill(outside, "system file");
    SetFileAttributesW(Wide(outside).c_str(), FILE_ATTRIBUTE_READONLY);
    PlantLink(outside, dir + "a.txt");
    ASSERT_TRUE(copier.CopyOneFile(plain ? "wydruk" : "a.tx_", dir + "a.txt", plain, false));
    EXPECT_EQ(Slurp(dir + "a.txt"), plain ? "kopia" : "nowy");
    EXPECT_EQ(Slurp(outside), "system file");
    EXPECT_TRUE(GetFileAttributesW(Wide(outside).c_str()) & FILE_ATTRIBUTE_READONLY);
  }
  PlantLink(outside, dir + "Setup.log");  // the log is made by Create
  Spill(dir + "Setup.log", "log");
  EXPECT_EQ(Slurp(outside), "system file");
  EXPECT_EQ(Slurp(dir + "Setup.log"), "log");

  HANDLE busy = CreateFileW(Wide(dir + "a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  try {
    codec.ExpandFile(medium + "a.tx_", dir + "a.txt");
    ADD_FAILURE() << "a file held open was replaced";
  } catch (const plat::EFileError& e) {
    EXPECT_EQ(e.Why(), plat::EFileError::Reason::InUse) << e.what();
  }
  CloseHandle(busy);
  EXPECT_EQ(wintest::Listing(dir), (std::vector<std::string>{"Setup.log", "a.txt"}));
}
