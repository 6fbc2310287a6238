// The copy step is where the user's answers meet the disk: every answer must lead to exactly
// the files the user chose, with the questions in the documented wording and button order.
#include "engine/copy.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"

using engine::Copier;
using enginetest::Deflate;
using enginetest::FilesIn;
using plat::DlgButton;
using plat::DlgType;
using plat::ModalResult;

namespace {

class RecordingView : public engine::RunView {
 public:
  std::vector<std::string> infos;
  void ShowInfo(const std::string& text) override { infos.push_back(text); }
};

const char kMedium[] = "D:\\";
const std::string kAbortQuestion = "Przerwać proces instalacji ?";

std::string OverwriteQuestion(const std::string& path) {
  return "Plik \"" + path + "\" już istnieje.\rNadpisać ?";
}

}  // namespace

// A medium with three stored files and one plain file, and an installation of all four from an
// earlier run.
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
  Copier copier{view, kMedium};
  const engine::FileList list = {"a.txt", "b.txt", "wydruk", "c.txt"};
};

class CopyTest : public ::testing::Test, public Installation {};

TEST_F(CopyTest, OverwriteQuestionHasItsWordingButtonsFocusAndNoEscButton) {
  dialogs.Expect(OverwriteQuestion("C:\\inst\\a.txt"), ModalResult::Yes);
  ASSERT_TRUE(copier.CopyOneFile("a.tx_", "C:\\inst\\a.txt", false, false));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  const auto& q = dialogs.shown[0];
  EXPECT_EQ(q.type, DlgType::Confirmation);
  EXPECT_EQ(q.buttons, (std::vector<DlgButton>{DlgButton::Yes, DlgButton::All, DlgButton::No,
                                               DlgButton::Abort}));
  EXPECT_EQ(q.focus, 0);
  EXPECT_EQ(q.cancel, -1);
  EXPECT_EQ(view.infos, std::vector<std::string>{"Kopiowanie pliku \"a.txt\"."});
  EXPECT_EQ(Installed("a.txt"), "new a.txt");
}

TEST_F(CopyTest, AnswersDecideWhatIsWrittenAndWhetherTheRunGoesOn) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, ModalResult>> script;
    bool result;
    bool aborted;
    std::vector<std::string> expected;  // contents of a, b, wydruk, c afterwards
  } cases[] = {
      {"yes to each",
       {{"a.txt", ModalResult::Yes},
        {"b.txt", ModalResult::Yes},
        {"wydruk", ModalResult::Yes},
        {"c.txt", ModalResult::Yes}},
       true,
       false,
       {"new a.txt", "new b.txt", "new wydruk", "new c.txt"}},
      {"all at the second file: no further question",
       {{"a.txt", ModalResult::No}, {"b.txt", ModalResult::All}},
       true,
       false,
       {"old a.txt", "new b.txt", "new wydruk", "new c.txt"}},
      {"no keeps the old file and goes on",
       {{"a.txt", ModalResult::No},
        {"b.txt", ModalResult::No},
        {"wydruk", ModalResult::No},
        {"c.txt", ModalResult::Yes}},
       true,
       false,
       {"old a.txt", "old b.txt", "old wydruk", "new c.txt"}},
      {"abort then no asks about the same file again",
       {{"a.txt", ModalResult::Yes},
        {"b.txt", ModalResult::Abort},
        {"?", ModalResult::No},
        {"b.txt", ModalResult::Yes},
        {"wydruk", ModalResult::Yes},
        {"c.txt", ModalResult::No}},
       true,
       false,
       {"new a.txt", "new b.txt", "new wydruk", "old c.txt"}},
      {"abort then yes stops the list at that file",
       {{"a.txt", ModalResult::Yes}, {"b.txt", ModalResult::Abort}, {"?", ModalResult::Yes}},
       false,
       true,
       {"new a.txt", "old b.txt", "old wydruk", "old c.txt"}},
      {"closing the question counts as abort",
       {{"a.txt", ModalResult::Cancel}, {"?", ModalResult::Yes}},
       false,
       true,
       {"old a.txt", "old b.txt", "old wydruk", "old c.txt"}},
      {"closing the abort question asks again",
       {{"a.txt", ModalResult::Abort},
        {"?", ModalResult::Cancel},
        {"a.txt", ModalResult::Yes},
        {"b.txt", ModalResult::All}},
       true,
       false,
       {"new a.txt", "new b.txt", "new wydruk", "new c.txt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Installation fresh;
    for (const auto& [file, answer] : c.script)
      fresh.dialogs.Expect(file == "?" ? kAbortQuestion : OverwriteQuestion("C:\\inst\\" + file),
                           answer);
    EXPECT_EQ(fresh.copier.CopyFileList(fresh.list, 3, "C:\\inst\\"), c.result);
    EXPECT_EQ(fresh.copier.InstallAborted, c.aborted);
    EXPECT_TRUE(fresh.dialogs.AllAnswered());
    const char* names[] = {"a.txt", "b.txt", "wydruk", "c.txt"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(fresh.Installed(names[i]), c.expected[i]) << names[i];
    EXPECT_EQ(FilesIn(fresh.files, "C:\\inst"),
              (std::set<std::string>{"a.txt", "b.txt", "c.txt", "wydruk"}));
  }
}

TEST_F(CopyTest, AbortQuestionIsAWarningWithNoFocusedAndOnEsc) {
  dialogs.Expect(OverwriteQuestion("C:\\inst\\a.txt"), ModalResult::Abort);
  dialogs.Expect(kAbortQuestion, ModalResult::Yes);
  EXPECT_FALSE(copier.CopyOneFile("a.tx_", "C:\\inst\\a.txt", false, false));
  const auto& q = dialogs.shown.at(1);
  EXPECT_EQ(q.type, DlgType::Warning);
  EXPECT_EQ(q.buttons, (std::vector<DlgButton>{DlgButton::Yes, DlgButton::No}));
  EXPECT_EQ(q.focus, 1);
  EXPECT_EQ(q.cancel, 1);
}

TEST_F(CopyTest, OverwriteAllHoldsForLaterListsOfTheSameRun) {
  dialogs.Expect(OverwriteQuestion("C:\\inst\\a.txt"), ModalResult::All);
  ASSERT_TRUE(copier.CopyFileList({"a.txt"}, 0, "C:\\inst\\"));
  ASSERT_TRUE(copier.CopyFileList({"b.txt", "wydruk"}, 1, "C:\\inst\\"));
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Installed("wydruk"), "new wydruk");
}

TEST_F(CopyTest, ReadOnlyDestinationIsOverwrittenAndLeftWritable) {
  for (auto answer : {ModalResult::Yes, ModalResult::All}) {
    Installation fresh;
    for (const char* name : {"a.txt", "wydruk"}) {
      ASSERT_TRUE(fresh.files.SetAttributes(std::string("C:\\inst\\") + name,
                                            plat::kAttrReadOnly | plat::kAttrArchive));
    }
    fresh.dialogs.Expect(OverwriteQuestion("C:\\inst\\a.txt"), answer);
    if (answer == ModalResult::Yes)
      fresh.dialogs.Expect(OverwriteQuestion("C:\\inst\\wydruk"), ModalResult::Yes);
    ASSERT_TRUE(fresh.copier.CopyFileList({"a.txt", "wydruk"}, 1, "C:\\inst\\"));
    for (const char* name : {"a.txt", "wydruk"}) {
      EXPECT_EQ(fresh.Installed(name), std::string("new ") + name);
      const uint32_t attributes = fresh.files.GetAttributes(std::string("C:\\inst\\") + name);
      EXPECT_FALSE(attributes & plat::kAttrReadOnly) << name;
    }
  }
}

TEST_F(CopyTest, PlainCopyFromAReadOnlyMediumEndsWritable) {
  files.SetAttributes("D:\\wydruk", plat::kAttrReadOnly);
  ASSERT_TRUE(files.CreateFolder("C:\\fresh"));
  ASSERT_TRUE(copier.CopyOneFile("wydruk", "C:\\fresh\\wydruk", true, false));
  EXPECT_FALSE(files.GetAttributes("C:\\fresh\\wydruk") & plat::kAttrReadOnly);
  EXPECT_EQ(files.ReadFile("C:\\fresh\\wydruk"), "new wydruk");
}

TEST_F(CopyTest, ListWalkSkipsTheInstallerAndEmptyEntriesAndStopsAtTheFirstFailure) {
  files.CreateFolder("C:\\new");
  files.PutFile("D:\\Uninstall.ex_", Deflate("uninstaller"));
  EXPECT_TRUE(copier.CopyFileList({"Install.exe", "", "Uninstall.exe"}, 2, "C:\\new\\"));
  EXPECT_EQ(FilesIn(files, "C:\\new"), std::set<std::string>{"Uninstall.exe"});
  EXPECT_TRUE(copier.CopyFileList({"Install.exe"}, 0, "C:\\new\\"));
  EXPECT_TRUE(copier.CopyFileList({"Install.exe", ""}, 1, "C:\\new\\"));
  EXPECT_FALSE(copier.CopyFileList({"Install.exe"}, -1, "C:\\new\\"));
  EXPECT_FALSE(copier.CopyFileList({}, -1, "C:\\new\\"));
  // "install.exe" is not the installer's exact name: it is a stored file like any other.
  EXPECT_THROW(copier.CopyFileList({"install.exe"}, 0, "C:\\new\\"), plat::EFileError);
  // A failed plain copy stops the walk before the next entry.
  files.PutFile("D:\\z.tx_", Deflate("z"));
  EXPECT_FALSE(copier.CopyFileList({"keylabel", "z.txt"}, 1, "C:\\new\\"));
  EXPECT_FALSE(files.Exists("C:\\new\\z.txt"));
  EXPECT_EQ(view.infos.back(), "Kopiowanie pliku \"keylabel\".");
}

TEST_F(CopyTest, ExpansionFailureReachesTheCallerAndKeepsTheOldFile) {
  files.PutFile("D:\\a.tx_", Deflate("new a.txt").substr(0, 5));
  dialogs.Expect(OverwriteQuestion("C:\\inst\\a.txt"), ModalResult::Yes);
  EXPECT_THROW(copier.CopyFileList(list, 3, "C:\\inst\\"), engine::EDamagedFile);
  EXPECT_EQ(Installed("a.txt"), "old a.txt");
  EXPECT_EQ(Installed("b.txt"), "old b.txt");
}

TEST_F(CopyTest, ZeroLengthFilesInstallEmpty) {
  files.PutFile("D:\\empty.tx_", "");
  files.PutFile("D:\\zero.tx_", Deflate(""));
  files.PutFile("D:\\wykonaj", "");
  ASSERT_TRUE(copier.CopyFileList({"empty.txt", "zero.txt", "wykonaj"}, 2, "C:\\inst\\"));
  for (const char* name : {"empty.txt", "zero.txt", "wykonaj"}) EXPECT_EQ(Installed(name), "");
}

TEST_F(CopyTest, EnsureFolderCreatesParentsOrSaysWhichFolderFailed) {
  EXPECT_TRUE(engine::EnsureFolder("C:\\inst\\"));
  EXPECT_TRUE(engine::EnsureFolder("C:\\Program Files\\Vortel PRO\\FTPSrv\\"));
  EXPECT_TRUE(files.GetAttributes("C:\\Program Files\\Vortel PRO\\FTPSrv") & plat::kAttrDirectory);
  EXPECT_TRUE(dialogs.shown.empty());
  dialogs.Expect("Nie można utworzyć katalogu \"Q:\\Vortel\\\"", ModalResult::OK);
  EXPECT_FALSE(engine::EnsureFolder("Q:\\Vortel\\"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].type, DlgType::Error);
  EXPECT_EQ(dialogs.shown[0].buttons, std::vector<DlgButton>{DlgButton::OK});
}

TEST_F(CopyTest, SetReadOnlyTouchesOnlyTheReadOnlyBit) {
  files.SetAttributes("C:\\inst\\a.txt", plat::kAttrArchive);
  engine::SetReadOnly("C:\\inst\\a.txt", true);
  EXPECT_EQ(files.GetAttributes("C:\\inst\\a.txt"), plat::kAttrArchive | plat::kAttrReadOnly);
  engine::SetReadOnly("C:\\inst\\a.txt", true);
  EXPECT_EQ(files.GetAttributes("C:\\inst\\a.txt"), plat::kAttrArchive | plat::kAttrReadOnly);
  engine::SetReadOnly("C:\\inst\\a.txt", false);
  EXPECT_EQ(files.GetAttributes("C:\\inst\\a.txt"), plat::kAttrArchive);
  engine::SetReadOnly("C:\\inst\\none.txt", true);
  EXPECT_FALSE(files.Exists("C:\\inst\\none.txt"));
}
