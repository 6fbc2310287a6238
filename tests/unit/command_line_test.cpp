// The administrators' command line: how words are cut and what every switch may and may not
// say. A fault here installs into the wrong folder or silently ignores a deployment's wish.
#include "unattended/command_line.h"

#include <gtest/gtest.h>

#include "engine/choices.h"
#include "platform/program_main.h"
#include "platform/text.h"
#include "startup/entry.h"

using unattended::ParseSwitches;
using unattended::Switches;
using Words = std::vector<std::string>;

TEST(CommandLine, QuotesGroupBackslashesStayPlainAndDiscDecidesTheMode) {
  const std::pair<std::string, Words> lines[] = {
      {"\"C:\\Nośnik A\\Install.exe\" /SILENT", {"C:\\Nośnik A\\Install.exe", "/SILENT"}},
      // The final backslash survives the closing quotation mark, and the next word stays apart.
      {"x /DIR=\"C:\\Program Files\\X\\\" /VERYSILENT",
       {"x", "/DIR=C:\\Program Files\\X\\", "/VERYSILENT"}},
      {"x \"/LOG=C:\\a b\\log.txt\"", {"x", "/LOG=C:\\a b\\log.txt"}},
      {"x\t /SILENT  \t/NORESTART ", {"x", "/SILENT", "/NORESTART"}},
      {"x \"\" /DIR0=", {"x", "", "/DIR0="}},
  };
  for (const auto& [line, words] : lines) EXPECT_EQ(plat::SplitCommandLine(line), words) << line;
  using startup::EntryMode;
  const std::tuple<Words, EntryMode, bool> entries[] = {
      {{}, EntryMode::Wizard, true},
      {{"DISC", "/x"}, EntryMode::Mastering, false},  // only the exact word skips the check
      {{"disc", "C:\\nośnik\\", "/S"}, EntryMode::Mastering, true},
      {{"x", "DISC"}, EntryMode::Wizard, true},
      {{"cokolwiek", "/LOG"}, EntryMode::Switches, true},
  };
  for (const auto& [args, mode, checkComponents] : entries) {
    const startup::EntryDecision d = startup::DecideEntry(args);
    EXPECT_EQ(d.mode, mode) << ::testing::PrintToString(args);
    EXPECT_EQ(d.checkComponents, checkComponents) << ::testing::PrintToString(args);
  }
}

TEST(CommandLine, SwitchesInAnyLetterCaseGiveTheModeFlagsFoldersAndLists) {
  // The mode and the flags as one line, e.g. "silent help none no log=x", then the fault.
  const auto flags = [](const Switches& s) {
    const char* const modes[] = {"wizard", "silent", "verysilent"};
    return modes[static_cast<int>(s.mode)] + std::string(s.help ? " help" : "") +
           (s.answers.overwriteAll ? "" : " none") + (s.answers.associate ? "" : " no") +
           (s.log ? " log=" + s.logFile : "") + s.error;
  };
  const std::pair<Words, const char*> cases[] = {
      {{"/silent"}, "silent"},
      {{"/VERYSILENT", "/silent"}, "verysilent"},  // the quieter mode wins whichever is first
      {{"/SILENT", "/verysilent"}, "verysilent"},
      {{"/help", "/SILENT"}, "silent help"},
      {{"/?", "/NORESTART"}, "wizard help"},
      {{"/SILENT", "/overwrite=NONE", "/Associate=No"}, "silent none no"},
      {{"/SILENT", "/OVERWRITE=none", "/OVERWRITE=all"}, "silent"},  // the later value wins
      {{"/LOG"}, "wizard log="},
      {{"/log=C:\\a.log", "/LOG=D:\\x.log"}, "wizard log=D:\\x.log"},
      // A silent mode is still known on a faulty line, so the fault goes to the log.
      {{"/VERYSILENT", "/TASKS=x", "/LOG=C:\\l.log"},
       "verysilent log=C:\\l.logNieznane zadanie w /TASKS: \"x\" (dozwolone: desktopvortel, "
       "desktopftp, autostartftpserver)."},
  };
  for (const auto& [args, expected] : cases)
    EXPECT_EQ(flags(ParseSwitches(args)), expected) << ::testing::PrintToString(args);
  const Switches s =
      ParseSwitches({"/VERYSILENT", "/DIR=C:\\Stary", "/dir=  D:\\Programy ąę\\ ",
                     "/DIR0=", "/Dir1=Klienci\\", "/DIR3=E:\\Serwer", "/COMPONENTS=ftpbatch",
                     "/COMPONENTS=FtpServer, vortel", "/TASKS= AutostartFTPServer,desktopvortel"});
  ASSERT_EQ(s.error, "");
  EXPECT_EQ(*s.mainFolder + "|" + *s.emulator + "|" + *s.ftpClients + "|" + *s.ftpServer,
            "  D:\\Programy ąę\\ ||Klienci\\|E:\\Serwer");
  EXPECT_EQ(*s.components, (engine::ProductChoice{true, false, false, true}));
  EXPECT_EQ(*s.tasks, (std::vector<int>{engine::kAutostartFtpServer, engine::kDesktopVortel}));
  const Switches none = ParseSwitches({"/SILENT", "/TASKS="});
  EXPECT_FALSE(none.mainFolder || none.emulator || none.ftpClients || none.ftpServer);
  EXPECT_FALSE(none.components);
  EXPECT_TRUE(none.tasks && none.tasks->empty());
}

TEST(CommandLine, EveryFaultIsNamed) {
  const std::string products = "\" (dozwolone: vortel, ftpclient, ftpbatch, ftpserver).";
  const std::pair<Words, std::string> cases[] = {
      {{"/SILENT", "C:\\x"}, "Nieznany parametr wiersza poleceń: \"C:\\x\"."},
      {{"/SILENT=1"}, "Parametr /SILENT nie przyjmuje wartości."},
      {{"/SILENT", "/DIR"}, "Parametr /DIR wymaga wartości (/DIR=...)."},
      {{"/SILENT", "/DIR=  "}, "Parametr /DIR nie może być pusty."},
      {{"/SILENT", "/LOG="}, "Parametr /LOG= wymaga nazwy pliku."},
      {{"/SILENT", "/COMPONENTS=vortel,ftp"}, "Nieznany produkt w /COMPONENTS: \"ftp" + products},
      {{"/SILENT", "/COMPONENTS=vortel,,ftpserver"},
       "Nieznany produkt w /COMPONENTS: \"" + products},
      {{"/SILENT", "/OVERWRITE=yes"},
       "Parametr /OVERWRITE przyjmuje wartość all albo none, nie \"yes\"."},
      {{"/SILENT", "/ASSOCIATE="}, "Parametr /ASSOCIATE przyjmuje wartość yes albo no, nie \"\"."},
      {{"/X", "/Y"}, "Nieznany parametr wiersza poleceń: \"/X\"."},  // the first fault
      // Choices without a silent mode would be ignored by the wizard's pages: refused instead.
      {{"/DIR=C:\\x"},
       "Parametry /DIR, /DIR0, /DIR1, /DIR3, /COMPONENTS i /TASKS działają tylko z /SILENT albo "
       "/VERYSILENT."},
  };
  for (const auto& [args, error] : cases) {
    EXPECT_EQ(ParseSwitches(args).error, error) << ::testing::PrintToString(args);
    EXPECT_TRUE(plat::IsCp1250Representable(error));
  }
  EXPECT_TRUE(plat::IsCp1250Representable(unattended::HelpText()));
}
