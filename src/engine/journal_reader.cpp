// Reading the journal back, for the uninstaller.
#include <cstdlib>

#include "engine/journal.h"
#include "engine/journal_format.h"

namespace engine {

namespace {

using namespace journal_format;

bool Unescape(const std::string& text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return false;
    char* end = nullptr;
    const std::string hex = text.substr(i + 1, 2);
    const long value = std::strtol(hex.c_str(), &end, 16);
    if (*end || hex[0] == '-' || hex[0] == '+') return false;
    out += static_cast<char>(value);
    i += 2;
  }
  return true;
}

bool ParseValue(const std::string& field, plat::RegValue& value) {
  value = plat::RegValue();
  if (field == "-") return true;
  if (field.rfind("s:", 0) == 0 || field.rfind("x:", 0) == 0) {
    value.kind =
        field[0] == 'x' ? plat::RegValue::Kind::ExpandString : plat::RegValue::Kind::String;
    return Unescape(field.substr(2), value.text);
  }
  if (field.rfind("d:", 0) != 0 || field.size() < 3) return false;
  char* end = nullptr;
  const unsigned long number = std::strtoul(field.c_str() + 2, &end, 10);
  value.kind = plat::RegValue::Kind::Number;
  value.number = static_cast<uint32_t>(number);
  return *end == '\0';
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace

bool ParseChange(const std::string& line, Change& change) {
  const std::vector<std::string> f = Fields(line);
  change = Change();
  bool known = false;
  for (const KindName& name : kKinds)
    if (f[0] == name.text) {
      change.kind = name.kind;
      known = true;
    }
  if (!known) return false;
  auto root = [&](const std::string& text) {
    for (const RootName& name : kRoots)
      if (text == name.text) {
        change.root = name.root;
        return true;
      }
    return false;
  };
  switch (change.kind) {
    case ChangeKind::Folder:
      return f.size() == 2 && Unescape(f[1], change.path) && !change.path.empty();
    case ChangeKind::File:
    case ChangeKind::Shortcut:
      return f.size() == 3 && Unescape(f[1], change.path) && !change.path.empty() &&
             (f[2] == "-" || Unescape(f[2], change.aside));
    case ChangeKind::Key:
      return f.size() == 3 && root(f[1]) && Unescape(f[2], change.path) && !change.path.empty();
    case ChangeKind::Value:
      return f.size() == 6 && root(f[1]) && Unescape(f[2], change.path) &&
             Unescape(f[3], change.name) && ParseValue(f[4], change.before) &&
             ParseValue(f[5], change.after);
    case ChangeKind::Ini:
      break;
  }
  return f.size() == 6 && Unescape(f[1], change.path) && Unescape(f[2], change.section) &&
         Unescape(f[3], change.name) && ParseValue(f[4], change.before) &&
         ParseValue(f[5], change.after);
}

bool ParseJournal(const std::string& text, JournalContents& contents) {
  contents = JournalContents();
  const std::string first = kFirstLine;
  if (text.compare(0, first.size(), first) != 0) return false;
  size_t start = first.size();
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = text.substr(start, end - start);
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> fields = Fields(line);
    if (fields[0] == kRunLine) {
      for (size_t i = 1; i < fields.size(); ++i) {
        std::string folder;
        if (!Unescape(fields[i], folder) || folder.empty()) return false;
        contents.folders.push_back(folder);
      }
      continue;
    }
    Change change;
    if (!ParseChange(line, change)) return false;
    contents.changes.push_back(change);
  }
  return true;
}

}  // namespace engine
