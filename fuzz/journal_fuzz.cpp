// Any bytes as the installation journal, which the elevated uninstaller reads: no crash or leak,
// and every change it accepts is written back as a line that reads as the same change, so a
// journal the installer extends never changes meaning.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "engine/journal.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "journal_fuzz: %s\n", what);
  std::abort();
}

auto Fields(const engine::Change& c) {
  return std::tie(c.kind, c.path, c.aside, c.root, c.section, c.name, c.before, c.after);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  engine::JournalContents read;
  if (!engine::ParseJournal(text, read)) return 0;
  for (const std::string& folder : read.folders) Check(!folder.empty(), "a run names no folder");
  std::string rewritten = "VORTEL-PRO-JOURNAL 1\nrun\n";
  for (const engine::Change& change : read.changes)
    rewritten += engine::FormatChange(change) + "\n";
  engine::JournalContents reread;
  Check(engine::ParseJournal(rewritten, reread), "a journal written back does not read");
  Check(reread.changes.size() == read.changes.size(), "a journal written back has other lines");
  for (size_t i = 0; i < read.changes.size(); ++i)
    Check(Fields(reread.changes[i]) == Fields(read.changes[i]),
          "a change written back reads differently");
  return 0;
}
