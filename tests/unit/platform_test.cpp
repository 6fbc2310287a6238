// The platform's own rules; what the system itself does is proven under Wine.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "contract/platform_contract.h"
#include "platform/dialogs.h"
#include "platform/headless/headless.h"
#include "platform/text.h"
#include "system/paths.h"

using plat::DlgButton;
using plat::DlgType;
using plat::IsCp1250Representable;
using plat::ModalResult;
using plat::Utf16ToUtf8;
using plat::Utf8ToUtf16;

TEST(Text, MalformedInputBecomesReplacementCharactersAndOnlyCentralEuropeFitsCp1250) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"zażółć \xF0\x9F\x98\x80", u"za\u017C\u00F3\u0142\u0107 \xD83D\xDE00"},
      {"a\x80z", u"a\uFFFDz"},                            // stray continuation byte
      {"\xC3(", u"\uFFFD("},                              // continuation missing
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong "/" is no separator
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Utf8ToUtf16(in), out) << in;
  EXPECT_EQ(Utf16ToUtf8(u"x\xD800y\xDC00"), "x\xEF\xBF\xBDy\xEF\xBF\xBD");  // lone surrogates
  EXPECT_TRUE(IsCp1250Representable("Przerwać ? „cudzysłów” – € × ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ"));
  for (const char* text : {"ñ", "\xE2\x80\x9F", "a\x80"}) EXPECT_FALSE(IsCp1250Representable(text));
  EXPECT_EQ(plat::InvariantUpper("zażółć gęślą jaźń ĺľňž ÿ ß ÷"), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ ĹĽŇŽ Ÿ ß ÷");
  // Layouts measure letters, not their UTF-8 bytes: six of them at half of 10 pixels each.
  EXPECT_EQ(plat::headless::HeadlessGui().TextWidth(plat::gui::Font{"", -10}, "zażółć"), 30);
}

TEST(Dialogs, StandardDialogSortsButtonsAndChoosesFocusAndEsc) {
  plat::headless::HeadlessPlatform platform;
  using B = DlgButton;
  // Given, shown, focus, Esc.
  const std::tuple<std::vector<DlgButton>, std::vector<DlgButton>, int, int> cases[] = {
      {{B::No, B::Yes}, {B::Yes, B::No}, 0, 1},
      {{B::OK}, {B::OK}, 0, 0},
      {{B::Cancel, B::OK}, {B::OK, B::Cancel}, 0, 1},
      {{B::Ignore, B::Retry, B::Abort}, {B::Abort, B::Retry, B::Ignore}, 1, -1},
      {{B::Yes, B::Yes}, {B::Yes}, 0, -1}};
  for (const auto& [given, shown, focus, cancel] : cases) {
    platform.dialogs.Expect("tekst", ModalResult::OK);
    plat::MessageDlg("tekst", DlgType::Information, given);
    const auto& request = platform.dialogs.shown.back();
    EXPECT_EQ(request.buttons, shown);
    EXPECT_EQ(request.focus, focus);
    EXPECT_EQ(request.cancel, cancel);
  }
  EXPECT_EQ(plat::CaptionOf(DlgType::Confirmation), " Decyzja");
  EXPECT_EQ(plat::CaptionOf(DlgButton::Retry), "Powtó&rz");
  // A wrong or unexpected dialog fails the test even where the code under test catches everything.
  const auto swallowed = [](const std::string& text) {
    try {
      plat::MessageDlg(text, DlgType::Error, {DlgButton::OK});
    } catch (...) {
    }
  };
  EXPECT_NONFATAL_FAILURE(swallowed("nikt nie czeka"), "unexpected dialog: \"nikt nie czeka\"");
  platform.dialogs.Expect("jeden", ModalResult::OK);
  EXPECT_NONFATAL_FAILURE(swallowed("drugi"), "\"drugi\" shown where \"jeden\" was expected");
}

TEST(Paths, TextRulesTrimBlanksOnlyFoldersStopAtFilesAndBrowsingRefusesWhatDoesNotFit) {
  plat::headless::HeadlessPlatform platform;
  EXPECT_EQ(sys::TrimSpaces(" a "), "a");
  EXPECT_EQ(sys::TrimSpaces("    "), "");
  EXPECT_EQ(sys::TrimSpaces("\ta b\t "), "\ta b\t");
  EXPECT_EQ(sys::AddBackslash(" C:\\Dir "), "C:\\Dir\\");
  EXPECT_EQ(sys::AddBackslash("C:\\Dir\\"), "C:\\Dir\\");
  EXPECT_EQ(sys::AddBackslash("   "), "");
  const std::tuple<std::string, std::string, std::string> relative[] = {
      {"C:\\Prog", "c:\\prog\\FTP\\", "FTP\\"},
      {"C:\\Żółw", "c:\\żÓŁW\\Serwer\\", "Serwer\\"},
      {"C:\\Prog", "C:\\Program\\", "C:\\Program\\"},  // not a folder prefix
      {"C:\\Prog", "C:\\Prog\\", ""},
      {"", "C:\\X", "C:\\X"}};
  for (const auto& [base, path, out] : relative)
    EXPECT_EQ(sys::MakeRelativeTo(platform.text, base, path), out) << path;
  EXPECT_EQ(sys::LastCharPos('\\', "C:\\A\\B"), 5u);  // one-based
  EXPECT_EQ(sys::LastCharPos('\\', "abc"), 0u);
  // 259 UTF-16 units fit, 260 do not; Polish letters count once, though UTF-8 needs two bytes.
  std::string polish = "C:\\";
  for (int i = 0; i < 256; ++i) polish += "ł";
  EXPECT_TRUE(sys::FitsMaxPath(polish) && !sys::FitsMaxPath(polish + "x"));
  platform.files.PutFile("C:\\A\\B\\file.txt", "x");
  const std::pair<std::string, size_t> prefixes[] = {
      {"C:\\A\\B\\C\\D\\", 6}, {"c:\\a\\X", 4}, {"C:\\A\\B\\file.txt\\Z", 6}, {"Q:\\A", 0}};
  for (const auto& [path, length] : prefixes)
    EXPECT_EQ(sys::ExistingDirPrefixLength(platform.files, path), length);
  EXPECT_FALSE(sys::CreateDirectoryPath(platform.files, "C:\\A\\B\\file.txt\\sub") ||
               sys::DirectoryExists(platform.files, "C:\\A\\B\\file.txt\\sub"));
  platform.shell.browseAnswers = {"D:\\Wybrany", "C:\\", "", "C:\\" + std::string(300, 'z')};
  for (const char* folder : {"D:\\Wybrany\\", "C:\\", "", ""})
    EXPECT_EQ(sys::BrowseForFolder(platform.shell, "Wybierz katalog", ""), folder);
}

namespace {

using contract::PlatformContract;

class HeadlessBackend : public contract::Backend {
 public:
  plat::Platform& Platform() override { return platform_; }
  std::string Scratch() override {
    platform_.files.CreateFolder("C:\\Kontrakt ł");
    return "C:\\Kontrakt ł\\";
  }
  void PlantLink(const std::string& at, const std::string& target) override {
    std::filesystem::create_symlink(platform_.files.HostPath(target), platform_.files.HostPath(at));
  }
  bool Wine() override { return false; }

 private:
  plat::headless::HeadlessPlatform platform_;
};

std::unique_ptr<contract::Backend> MakeHeadless() {
  return std::make_unique<HeadlessBackend>();
}
INSTANTIATE_TEST_SUITE_P(Headless, PlatformContract, ::testing::Values(&MakeHeadless));

}  // namespace
