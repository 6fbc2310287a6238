#include "engine/journal.h"

#include <cstdlib>

#include "platform/errors.h"

namespace engine {

namespace {

constexpr char kHeader[] =
    "VORTEL-PRO-JOURNAL 1\n"
    "# Zmiany wprowadzone przez instalator pakietu Vortel PRO, w kolejności wprowadzania.\n"
    "# Uninstall.exe cofa je od końca. Proszę nie zmieniać tego pliku.\n";
constexpr char kRunLine[] = "run";

struct Name {
  ChangeKind kind;
  const char* text;
};
constexpr Name kKinds[] = {
    {ChangeKind::Folder, "folder"},     {ChangeKind::File, "file"},
    {ChangeKind::Shortcut, "shortcut"}, {ChangeKind::Key, "key"},
    {ChangeKind::Value, "value"},       {ChangeKind::Ini, "ini"},
};
struct RootName {
  plat::RegRoot root;
  const char* text;
};
constexpr RootName kRoots[] = {{plat::RegRoot::LocalMachine, "HKLM"},
                               {plat::RegRoot::CurrentUser, "HKCU"},
                               {plat::RegRoot::ClassesRoot, "HKCR"}};

// Fields are parted by tabs; a tab, a line end or a percent sign inside one is written as
// %XX, so that paths stay readable.
std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\t' || c == '\n' || c == '\r' || c == '%') {
      static const char kHex[] = "0123456789ABCDEF";
      out += '%';
      out += kHex[(c >> 4) & 0xF];
      out += kHex[c & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

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

// A value: "-" when there was none, "s:" and the text, or "d:" and the number.
std::string FormatValue(const plat::RegValue& value) {
  switch (value.kind) {
    case plat::RegValue::Kind::Missing:
      return "-";
    case plat::RegValue::Kind::String:
      return "s:" + Escape(value.text);
    case plat::RegValue::Kind::Number:
      break;
  }
  return "d:" + std::to_string(value.number);
}

bool ParseValue(const std::string& field, plat::RegValue& value) {
  value = plat::RegValue();
  if (field == "-") return true;
  if (field.rfind("s:", 0) == 0) {
    value.kind = plat::RegValue::Kind::String;
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

std::string RootText(plat::RegRoot root) {
  for (const RootName& name : kRoots)
    if (name.root == root) return name.text;
  return std::string();
}

}  // namespace

std::string FormatChange(const Change& change) {
  std::string line;
  for (const Name& name : kKinds)
    if (name.kind == change.kind) line = name.text;
  switch (change.kind) {
    case ChangeKind::Folder:
      return line + "\t" + Escape(change.path);
    case ChangeKind::File:
    case ChangeKind::Shortcut:
      return line + "\t" + Escape(change.path) + "\t" +
             (change.aside.empty() ? std::string("-") : Escape(change.aside));
    case ChangeKind::Key:
      return line + "\t" + RootText(change.root) + "\t" + Escape(change.path);
    case ChangeKind::Value:
      return line + "\t" + RootText(change.root) + "\t" + Escape(change.path) + "\t" +
             Escape(change.name) + "\t" + FormatValue(change.before) + "\t" +
             FormatValue(change.after);
    case ChangeKind::Ini:
      break;
  }
  return line + "\t" + Escape(change.path) + "\t" + Escape(change.section) + "\t" +
         Escape(change.name) + "\t" + FormatValue(change.before) + "\t" + FormatValue(change.after);
}

bool ParseChange(const std::string& line, Change& change) {
  const std::vector<std::string> f = Fields(line);
  change = Change();
  bool known = false;
  for (const Name& name : kKinds)
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

bool ParseJournal(const std::string& text, std::vector<Change>& changes) {
  changes.clear();
  const std::string header = kHeader;
  const std::string first = header.substr(0, header.find('\n') + 1);
  if (text.compare(0, first.size(), first) != 0) return false;
  size_t start = first.size();
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = text.substr(start, end - start);
    if (line.empty() || line[0] == '#' || line == kRunLine) continue;
    Change change;
    if (!ParseChange(line, change)) return false;
    changes.push_back(change);
  }
  return true;
}

std::string ReadWholeFile(plat::FileSystem& files, const std::string& path) {
  auto in = files.OpenRead(path);
  std::string text;
  char buffer[16384];
  while (const size_t got = in->Read(buffer, sizeof buffer)) text.append(buffer, got);
  return text;
}

Journal::Journal(plat::FileSystem& files, const std::string& mainFolder)
    : files_(files), path_(mainFolder + kJournalName) {
  hadEarlier_ = files_.GetAttributes(path_) != plat::kInvalidAttributes;
  if (hadEarlier_) earlier_ = ReadWholeFile(files_, path_);
  // An earlier journal cut short in the middle of a line gets its end, so that this run's
  // first line stays a line of its own.
  if (hadEarlier_ && !earlier_.empty() && earlier_.back() != '\n') pending_ = "\n";
  if (!hadEarlier_ || earlier_.empty()) pending_ += kHeader;
  pending_ += std::string(kRunLine) + "\n";
}

void Journal::Record(const Change& change) {
  changes_.push_back(change);
  pending_ += FormatChange(change) + "\n";
  Flush();
}

void Journal::Flush() {
  // Until the main folder exists, the lines wait: it is among the run's first changes.
  const uint32_t folder = files_.GetAttributes(path_.substr(0, path_.rfind('\\')));
  if (folder == plat::kInvalidAttributes || !(folder & plat::kAttrDirectory)) return;
  auto out = files_.Append(path_);
  out->Write(pending_.data(), pending_.size());
  out->Close();
  pending_.clear();
}

bool Journal::Retract() {
  pending_.clear();
  if (!hadEarlier_)
    return files_.GetAttributes(path_) == plat::kInvalidAttributes || files_.Remove(path_);
  try {
    auto out = files_.Create(path_);
    out->Write(earlier_.data(), earlier_.size());
    out->Close();
  } catch (const plat::EFileError&) {
    return false;
  }
  return true;
}

void Journal::DiscardKeptFiles() {
  for (const Change& change : changes_)
    if (!change.aside.empty()) files_.Remove(change.aside);
}

}  // namespace engine
