// How words are cut and what each switch may say: a fault installs wrongly or ignores a deployment.
#include "unattended/command_line.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "engine/choices.h"
#include "engine/exit_codes.h"
#include "platform/program_main.h"
#include "platform/text.h"
#include "startup/entry.h"

using unattended::Mode;
using unattended::ParseSwitches;
using unattended::Switches;
using Words = std::vector<std::string>;

// The mode and the flags as one line, e.g. "silent help none no log=x", then the fault.
std::string Flags(const Switches& s) {
  const char* const modes[] = {"wizard", "silent", "verysilent"};
  return modes[static_cast<int>(s.mode)] + std::string(s.help ? " help" : "") +
         (s.answers.overwriteAll ? "" : " none") + (s.answers.associate ? "" : " no") +
         (s.log ? " log=" + s.logFile : "") + (s.suppressMsgBoxes ? " suppress" : "") +
         (s.noIcons ? " noicons" : "") + (s.loadInf ? " load=" + *s.loadInf : "") +
         (s.saveInf ? " save=" + *s.saveInf : "") + s.error;
}

TEST(CommandLine, QuotesGroupBackslashesStayPlainAndDiscDecidesTheMode) {
  const std::pair<std::string, Words> lines[] = {
      {"\"C:\\Nośnik A\\Install.exe\" /SILENT", {"C:\\Nośnik A\\Install.exe", "/SILENT"}},
      // The final backslash survives the closing quotation mark, and the next word stays apart.
      {"x /DIR=\"C:\\Program Files\\X\\\" /VERYSILENT",
       {"x", "/DIR=C:\\Program Files\\X\\", "/VERYSILENT"}},
      {"x \"/LOG=C:\\a b\\log.txt\"", {"x", "/LOG=C:\\a b\\log.txt"}},
      {"x\t /SILENT  \t/NORESTART ", {"x", "/SILENT", "/NORESTART"}},
      {"x \"\" /DIR0=", {"x", "", "/DIR0="}}};
  for (const auto& [line, words] : lines) EXPECT_EQ(plat::SplitCommandLine(line), words) << line;
  using startup::EntryMode;
  const std::tuple<Words, EntryMode, bool> entries[] = {
      {{}, EntryMode::Wizard, true},
      {{"DISC", "/x"}, EntryMode::Mastering, false},  // only the exact word skips the check
      {{"disc", "C:\\nośnik\\", "/S"}, EntryMode::Mastering, true},
      {{"x", "DISC"}, EntryMode::Wizard, true},
      {{"cokolwiek", "/LOG"}, EntryMode::Switches, true}};
  for (const auto& [args, mode, checkComponents] : entries) {
    const startup::EntryDecision d = startup::DecideEntry(args);
    EXPECT_TRUE(d.mode == mode && d.checkComponents == checkComponents) << args.size();
  }
}

TEST(CommandLine, SwitchesInAnyLetterCaseGiveTheModeFlagsFoldersAndLists) {
  const std::pair<Words, const char*> cases[] = {
      {{"/silent"}, "silent"},
      {{"/VERYSILENT", "/silent"}, "verysilent"},  // the quieter mode wins whichever is first
      {{"/SILENT", "/verysilent"}, "verysilent"},
      {{"/help", "/SILENT"}, "silent help"},
      {{"/?", "/NORESTART"}, "wizard help"},
      {{"/SILENT", "/overwrite=NONE", "/Associate=No"}, "silent none no"},
      {{"/SILENT", "/OVERWRITE=none", "/OVERWRITE=all"}, "silent"},  // the later value wins
      {{"/LOG"}, "wizard log="},
      // What deployment tools pass to every installer of this family.
      {{"/SP-", "/VERYSILENT", "/SUPPRESSMSGBOXES", "/NORESTART"}, "verysilent suppress"},
      {{"/sp-", "/NoCancel", "/closeapplications", "/NOCLOSEAPPLICATIONS", "/noicons"},
       "wizard noicons"},
      {{"/SILENT", "/LoadInf=C:\\a b.inf", "/SAVEINF=D:\\c.inf"},
       "silent load=C:\\a b.inf save=D:\\c.inf"},
      {{"/log=C:\\a.log", "/LOG=D:\\x.log"}, "wizard log=D:\\x.log"},
      // A silent mode is still known on a faulty line, so the fault goes to the log.
      {{"/VERYSILENT", "/TASKS=x", "/LOG=C:\\l.log"},
       "verysilent log=C:\\l.logNieznane zadanie w /TASKS: \"x\" (dozwolone: desktopvortel, "
       "desktopftp, autostartftpserver)."}};
  for (const auto& [args, expected] : cases)
    EXPECT_EQ(Flags(ParseSwitches(args)), expected) << ::testing::PrintToString(args);
  const Switches s =
      ParseSwitches({"/VERYSILENT", "/DIR=C:\\Stary", "/dir=  D:\\Programy ąę\\ ",
                     "/DIR0=", "/Dir1=Klienci\\", "/DIR3=E:\\Serwer", "/COMPONENTS=ftpbatch",
                     "/COMPONENTS=FtpServer, vortel", "/TASKS= AutostartFTPServer,desktopvortel"});
  ASSERT_EQ(s.error, "");
  EXPECT_EQ(*s.mainFolder, "  D:\\Programy ąę\\ ");
  EXPECT_EQ(*s.emulator, "");
  EXPECT_EQ(*s.ftpClients, "Klienci\\");
  EXPECT_EQ(*s.ftpServer, "E:\\Serwer");
  EXPECT_EQ(*s.components, (engine::ProductChoice{true, false, false, true}));
  EXPECT_EQ(*s.tasks, (std::vector<int>{engine::kAutostartFtpServer, engine::kDesktopVortel}));
  const Switches none = ParseSwitches({"/SILENT", "/TASKS="});
  EXPECT_FALSE(none.mainFolder || none.emulator || none.ftpClients || none.ftpServer ||
               none.components);
  EXPECT_TRUE(none.tasks && none.tasks->empty());
}

TEST(CommandLine, EveryFaultIsNamed) {
  const std::string products = "\" (dozwolone: vortel, ftpclient, ftpbatch, ftpserver).";
  const std::string wizardChoices =
      "Parametry /DIR, /DIR0, /DIR1, /DIR3, /COMPONENTS, /TASKS i /LOADINF działają tylko z "
      "/SILENT albo /VERYSILENT.";
  const std::pair<Words, std::string> cases[] = {
      {{"/SILENT", "C:\\x"}, "Nieznany parametr wiersza poleceń: \"C:\\x\"."},
      {{"/SP-=1"}, "Parametr /SP- nie przyjmuje wartości."},
      {{"/SP"}, "Nieznany parametr wiersza poleceń: \"/SP\"."},  // names are whole
      {{"/SILENT", "/LOADINF"}, "Parametr /LOADINF wymaga wartości (/LOADINF=...)."},
      {{"/SAVEINF= "}, "Parametr /SAVEINF wymaga nazwy pliku."},
      {{"/SILENT", "/DIR"}, "Parametr /DIR wymaga wartości (/DIR=...)."},
      {{"/SILENT", "/DIR=  "}, "Parametr /DIR nie może być pusty."},
      {{"/SILENT", "/LOG="}, "Parametr /LOG= wymaga nazwy pliku."},
      {{"/SILENT", "/COMPONENTS=vortel,,ftpserver"},
       "Nieznany produkt w /COMPONENTS: \"" + products},
      {{"/SILENT", "/OVERWRITE=yes"},
       "Parametr /OVERWRITE przyjmuje wartość all albo none, nie \"yes\"."},
      {{"/SILENT", "/ASSOCIATE="}, "Parametr /ASSOCIATE przyjmuje wartość yes albo no, nie \"\"."},
      {{"/X", "/Y"}, "Nieznany parametr wiersza poleceń: \"/X\"."},  // the first fault
      // Choices without a silent mode would be ignored by the wizard's pages: refused instead.
      {{"/LOADINF=C:\\x.inf"}, wizardChoices},
      {{"/DIR=C:\\x"}, wizardChoices}};
  for (const auto& [args, error] : cases) {
    EXPECT_EQ(ParseSwitches(args).error, error) << ::testing::PrintToString(args);
    EXPECT_TRUE(plat::IsCp1250Representable(error));
  }
  EXPECT_TRUE(plat::IsCp1250Representable(unattended::HelpText()));
  // A value is read by its own switch: never refused as unknown, nor in another switch's words.
  for (const unattended::SwitchInfo& info : unattended::SwitchTable)
    if (info.value != unattended::SwitchValue::None) {
      const std::string error =
          ParseSwitches({"/SILENT", "/" + std::string(info.name) + "=x"}).error;
      EXPECT_TRUE(error.empty() || error.find(" /" + std::string(info.name)) != std::string::npos)
          << error;
    }
}

TEST(CommandLine, ASettingsFileIsReadLineByLineAndItsFaultNamesTheLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"\xEF\xBB\xBF; komentarz\r\n[Setup]\r\n\r\noverwrite = none \r\nAssociate=no\r\nNoIcons=yes",
       "silent no noicons load=x"},
      // The command line's own switches come after the file's.
      {"Overwrite=none\nNoIcons=no", "silent load=x"},
      {"[Setup]\nDir\n", "silent load=xPlik /LOADINF, wiersz 2: oczekiwano klucz=wartość."},
      {"[Inne]\n",
       "silent load=xPlik /LOADINF, wiersz 1: nieznana sekcja \"[Inne]\" (dozwolona: [Setup])."},
      {"Log=C:\\x.log", "silent load=xPlik /LOADINF, wiersz 1: nieznany klucz \"Log\"."},
      {"\r\nNoIcons=tak",
       "silent load=xPlik /LOADINF, wiersz 2: NoIcons przyjmuje wartość yes albo no, nie \"tak\"."},
      {"Components=vortel\r\nTasks=x",
       "silent load=xPlik /LOADINF, wiersz 2: Nieznane zadanie w /TASKS: \"x\" (dozwolone: "
       "desktopvortel, desktopftp, autostartftpserver)."}};
  for (const auto& [inf, flags] : cases) {
    const Switches s = ParseSwitches({"/SILENT", "/LOADINF=x", "/OVERWRITE=all"}, &inf);
    EXPECT_EQ(Flags(s), flags) << inf;
    EXPECT_TRUE(plat::IsCp1250Representable(s.error));
  }
  const std::string inf = "Dir=\"C:\\Program Files\\VP\\\"\nDir0=\nTasks=";
  const Switches s = ParseSwitches({"/SILENT", "/LOADINF=x"}, &inf);
  EXPECT_EQ(*s.mainFolder, "C:\\Program Files\\VP\\");
  EXPECT_EQ(*s.emulator, "");
  EXPECT_TRUE(s.tasks && s.tasks->empty());
}

// The manifest's return codes are the program's failures, 2 and 5 as package managers read them.
TEST(PackageManifest, SwitchesAndReturnCodesAreTheProgramsOwn) {
  std::ifstream in(std::string(VORTEL_SOURCE_DIR) +
                   "/packaging/winget/NorvikSoft.VortelPRO.installer.yaml");
  ASSERT_TRUE(in);
  std::map<std::string, std::string> fields;
  std::map<int, std::string> responses;
  int code = -1;
  for (std::string line; std::getline(in, line);) {
    line = line.substr(std::min(line.find_first_not_of(" -"), line.size()));
    const size_t colon = line.find(": ");
    if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
    const std::string key = line.substr(0, colon), value = line.substr(colon + 2);
    if (key == "InstallerReturnCode") code = std::stoi(value);
    if (key == "ReturnResponse") responses[code] = value;
    fields[key] = value;
  }
  const auto parse = [&](const char* key, const std::string& more) {
    Words words = plat::SplitCommandLine("Install.exe " + fields[key] + more);
    words.erase(words.begin());
    return ParseSwitches(words);
  };
  EXPECT_EQ(fields["InstallerType"], "exe");  // the one setup file, with nothing to unpack first
  EXPECT_EQ(Flags(parse("Silent", "")), "verysilent suppress");
  EXPECT_EQ(Flags(parse("SilentWithProgress", "")), "silent suppress");
  EXPECT_EQ(parse("InstallLocation", " /SILENT").mainFolder.value_or(""), "<INSTALLPATH>");
  EXPECT_EQ(Flags(parse("Log", "")), "wizard log=<LOGPATH>");
  std::set<int> failures, listed;
  for (const engine::ExitCodeInfo& exit : engine::ExitCodes)
    if (exit.deployment != engine::Deployment::Success) failures.insert(exit.code);
  for (const auto& [listedCode, response] : responses) listed.insert(listedCode);
  EXPECT_EQ(listed, failures);
  EXPECT_EQ(responses[engine::kExitRefused], "packageInUse");
  EXPECT_EQ(responses[engine::kExitCancelled], "cancelledByUser");
}
