// Any bytes as the installation journal, which the elevated uninstaller reads from the main
// folder: no crash or leak, and every change it accepts is written back as a line that reads
// as the same change, so a journal the installer extends never changes meaning.
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
  std::vector<engine::Change> changes;
  if (!engine::ParseJournal(text, changes)) return 0;
  std::string rewritten = "VORTEL-PRO-JOURNAL 1\n";
  for (const engine::Change& change : changes) rewritten += engine::FormatChange(change) + "\n";
  std::vector<engine::Change> reread;
  Check(engine::ParseJournal(rewritten, reread), "a journal written back does not read");
  Check(reread.size() == changes.size(), "a journal written back has other lines");
  for (size_t i = 0; i < changes.size(); ++i)
    Check(Fields(reread[i]) == Fields(changes[i]), "a change written back reads differently");
  return 0;
}
