#include "engine/copy.h"

#include <gtest/gtest.h>

#include "install_fixture.h"

using engine::Copier;
using enginetest::Deflate;
using enginetest::FilesIn;
using plat::DlgButton;
using plat::DlgType;
using plat::ModalResult;

namespace {

struct RecordingView : engine::RunView {
  std::vector<std::string> infos;
  void ShowInfo(const std::string& text) override { infos.push_back(text); }
};

const char kMedium[] = "D:\\";
const std::string kAbortQuestion = "Przerwać proces instalacji ?";

std::string OverwriteQuestion(const std::string& path) {
  return "Plik \"" + path + "\" już istnieje.\rNadpisać ?";
}

}  // namespace

// A medium with three stored files and one plain file, all four installed by an earlier run.
struct Installation {
  Installation() {
    files.AddDrive('D');
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
      files.PutFile(std::string(kMedium) + engine::StoredName(name),
                    Deflate(std::string("new ") + name));
      files.PutFile(std::string("C:\\inst\\") + name, std::string("old ") + name);
    }
    files.PutFile("D:\\wydruk", "new wydruk");
    files.PutFile("C:\\inst\\wydruk", "old wydruk");
  }

  std::string Installed(const std::string& name) { return files.ReadFile("C:\\inst\\" + name); }

  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessFileSystem& files = platform.files;
  plat::headless::ScriptedDialogs& dialogs = platform.dialogs;
  RecordingView view;
  installtest::Shown shown{dialogs};
  engine::StopRequest stop;
  Copier copier{platform, stop, view, shown.asked, kMedium};
};

class CopyTest : public ::testing::Test, public Installation {};

TEST_F(CopyTest, QuestionsHaveTheirWordingButtonsFocusAndEscButton) {
  dialogs.Expect(OverwriteQuestion("C:\\inst\\a.txt"), ModalResult::Abort);
  dialogs.Expect(kAbortQuestion, ModalResult::No);
  dialogs.Expect(OverwriteQuestion("C:\\inst\\a.txt"), ModalResult::Yes);
  ASSERT_TRUE(copier.CopyOneFile("a.tx_", "C:\\inst\\a.txt", false, false));
  ASSERT_EQ(dialogs.shown.size(), 3u);
  using B = DlgButton;
  const auto &overwrite = dialogs.shown[0], &abort = dialogs.shown[1];
  EXPECT_EQ(std::tuple(overwrite.type, overwrite.buttons, overwrite.focus, overwrite.cancel),
            std::tuple(DlgType::Confirmation, std::vector{B::Yes, B::All, B::No, B::Abort}, 0, -1));
  EXPECT_EQ(std::tuple(abort.type, abort.buttons, abort.focus, abort.cancel),
            std::tuple(DlgType::Warning, std::vector{B::Yes, B::No}, 1, 1));
}

TEST_F(CopyTest, AnswersDecideWhatIsWrittenAndWhetherTheRunGoesOn) {
  // The script: file (a, b, w for wydruk, c; ? for the abort question) and answer (Yes, All,
  // No, P for Przerwij, C for the close box); what a, b, wydruk and c hold afterwards.
  const std::tuple<const char*, const char*, bool, const char*> cases[] = {
      {"all at the second file: no further question", "aN bA", true, "old new new new"},
      {"no keeps the old file and goes on", "aN bN wN cY", true, "old old old new"},
      {"abort then no asks about the same file again", "aY bP ?N bY wY cN", true,
       "new new new old"},
      {"closing the question counts as abort", "aC ?Y", false, "old old old old"},
      {"closing the abort question asks again", "aP ?C aY bA", true, "new new new new"}};
  const std::string keys = "YANPC";
  const ModalResult answers[] = {ModalResult::Yes, ModalResult::All, ModalResult::No,
                                 ModalResult::Abort, ModalResult::Cancel};
  for (const auto& [what, script, result, expected] : cases) {
    SCOPED_TRACE(what);
    Installation fresh;
    for (const char* step = script; *step; step += step[2] ? 3 : 2)
      fresh.dialogs.Expect(
          step[0] == '?'
              ? kAbortQuestion
              : OverwriteQuestion(step[0] == 'w' ? "C:\\inst\\wydruk"
                                                 : "C:\\inst\\" + std::string(1, step[0]) + ".txt"),
          answers[keys.find(step[1])]);
    // "All" holds for the later lists of the same run.
    const bool ok = fresh.copier.CopyFileList({"a.txt", "b.txt", "wydruk"}, 2, "C:\\inst\\") &&
                    fresh.copier.CopyFileList({"c.txt"}, 0, "C:\\inst\\");
    EXPECT_EQ(ok, result);
    EXPECT_EQ(fresh.copier.InstallAborted, !result);
    EXPECT_TRUE(fresh.dialogs.AllAnswered());
    EXPECT_EQ(FilesIn(fresh.files, "C:\\inst").size(), 4u);
    std::string after;
    for (const char* name : {"a.txt", "b.txt", "wydruk", "c.txt"})
      after += " " + fresh.Installed(name).substr(0, 3);
    EXPECT_EQ(after, std::string(" ") + expected);
  }
}

TEST_F(CopyTest, ListWalkSkipsTheInstallerAndEmptyEntriesAndStopsAtTheFirstFailure) {
  files.CreateFolder("C:\\new");
  files.PutFile("D:\\Uninstall.ex_", Deflate("uninstaller"));
  EXPECT_TRUE(copier.CopyFileList({"Install.exe", "", "Uninstall.exe"}, 2, "C:\\new\\"));
  EXPECT_EQ(FilesIn(files, "C:\\new"), std::set<std::string>{"Uninstall.exe"});
  EXPECT_FALSE(copier.CopyFileList({}, -1, "C:\\new\\"));
  // "install.exe" is not the installer's exact name: it is a stored file like any other.
  EXPECT_THROW(copier.CopyFileList({"install.exe"}, 0, "C:\\new\\"), plat::EFileError);
  // A failed plain copy stops the walk before the next entry.
  files.PutFile("D:\\z.tx_", Deflate("z"));
  EXPECT_THROW(copier.CopyFileList({"keylabel", "z.txt"}, 1, "C:\\new\\"), plat::EFileError);
  EXPECT_FALSE(files.Exists("C:\\new\\z.txt"));
  EXPECT_EQ(view.infos.back(), "Kopiowanie pliku \"keylabel\".");
}
