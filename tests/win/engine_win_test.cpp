// Links planted where the installer writes, through the real file API.
#include <gtest/gtest.h>

#include "engine/copy.h"
#include "engine/stored_file.h"
#include "main_env.h"
#include "unattended/answers.h"

namespace {

using plat::win32::Wide;
using wintest::Slurp;
using wintest::Spill;

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
  sys::RunLog none;
  unattended::SilentQuestions asked(none, {true, true});
  const engine::StopRequest stop;
  engine::Copier copier(plat::Current(), stop, view, asked, medium);
  copier.OverwriteAll = true;
  for (const bool plain : {false, true}) {
    SCOPED_TRACE(plain ? "plain" : "stored");
    SetFileAttributesW(Wide(outside).c_str(), FILE_ATTRIBUTE_NORMAL);
    Spill(outside, "system file");
    SetFileAttributesW(Wide(outside).c_str(), FILE_ATTRIBUTE_READONLY);
    wintest::PlantLink(outside, dir + "a.txt");
    ASSERT_TRUE(copier.CopyOneFile(plain ? "wydruk" : "a.tx_", dir + "a.txt", plain, false));
    EXPECT_EQ(Slurp(dir + "a.txt"), plain ? "kopia" : "nowy");
    EXPECT_EQ(Slurp(outside), "system file");
    EXPECT_TRUE(GetFileAttributesW(Wide(outside).c_str()) & FILE_ATTRIBUTE_READONLY);
  }

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
