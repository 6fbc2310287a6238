// Any bytes as the command line (and, after a NUL, as the text of a /LOADINF file): the
// splitter and both programs' switch parsers must not crash, leak or misbehave, whatever an
// administrator's script or another program hands the elevated installer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "platform/program_main.h"
#include "unattended/command_line.h"
#include "uninstall/uninstaller.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "command_line_fuzz: %s\n", what);
  std::abort();
}

auto Fields(const unattended::Switches& s) {
  return std::tie(s.help, s.mode, s.mainFolder, s.emulator, s.ftpClients, s.ftpServer, s.components,
                  s.tasks, s.answers.overwriteAll, s.answers.associate, s.noIcons,
                  s.suppressMsgBoxes, s.log, s.logFile, s.loadInf, s.saveInf, s.error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  const std::string line = input.substr(0, nul);
  const std::string inf = nul == std::string::npos ? std::string() : input.substr(nul + 1);

  std::vector<std::string> words = plat::SplitCommandLine(line);
  for (const std::string& word : words) {
    Check(word.find('"') == std::string::npos, "a quotation mark was kept in a word");
    if (line.find('"') == std::string::npos)
      Check(!word.empty() && word.find_first_of(" \t") == std::string::npos,
            "an unquoted blank stayed inside a word");
  }
  if (!words.empty()) words.erase(words.begin());  // the program's name

  const unattended::Switches once =
      unattended::ParseSwitches(words, nul == std::string::npos ? nullptr : &inf);
  if (once.error.empty() && !once.help && once.mode == unattended::Mode::Wizard)
    Check(!once.mainFolder && !once.emulator && !once.ftpClients && !once.ftpServer &&
              !once.components && !once.tasks && !once.loadInf,
          "a choice was taken without a silent mode");
  // The later of two equal switches counts, so saying everything twice changes nothing.
  std::vector<std::string> twice = words;
  twice.insert(twice.end(), words.begin(), words.end());
  const unattended::Switches again =
      unattended::ParseSwitches(twice, nul == std::string::npos ? nullptr : &inf);
  Check(Fields(once) == Fields(again), "repeating the switches changed the outcome");

  const uninstall::Switches removal = uninstall::ParseSwitches(words);
  const uninstall::Switches removalAgain = uninstall::ParseSwitches(twice);
  Check(std::tie(removal.mode, removal.log, removal.logFile, removal.error) ==
            std::tie(removalAgain.mode, removalAgain.log, removalAgain.logFile, removalAgain.error),
        "repeating the uninstaller's switches changed the outcome");
  return 0;
}
