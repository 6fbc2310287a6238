// Links planted where the installer writes, through the real file API.
#include <process.h>

#include <gtest/gtest.h>

#include "engine/copy.h"
#include "engine/stored_file.h"
#include "main_env.h"

namespace {

using plat::win32::Wide;
using wintest::Slurp;
using wintest::Spill;

// A Unix symbolic link, as a planter would make it: Wine shows it to programs as its target.
void PlantLink(const std::string& target, const std::string& link) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  ASSERT_TRUE(unixName) << "not running under Wine";
  const std::string from = "\"" + std::string(unixName(Wide(target).c_str())) + "\"";
  const std::string at = "\"" + std::string(unixName(Wide(link).c_str())) + "\"";
  _spawnl(_P_WAIT, "Z:\\bin\\ln", "ln", "-sf", from.c_str(), at.c_str(), nullptr);
  // Wine's spawn does not wait for a Unix program: wait until the link reads as its target.
  for (int i = 0; i < 1000; ++i, Sleep(10))
    if (GetFileAttributesW(Wide(link).c_str()) != INVALID_FILE_ATTRIBUTES &&
        Slurp(link) == Slurp(target))
      return;
  FAIL() << "no link planted at " << link;
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
  engine::StoredFileCodec codec{plat::Current()};
  ASSERT_TRUE(codec.CompressFile(medium + "a.txt", medium + "a.tx_"));
  QuietView view;
  const engine::StopRequest stop;
  engine::Copier copier(plat::Current(), stop, view, medium);
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
  WIN32_FIND_DATAW found;  // no temporary file is left behind
  EXPECT_EQ(FindFirstFileW(Wide(dir + "~vt*").c_str(), &found), INVALID_HANDLE_VALUE);
}
