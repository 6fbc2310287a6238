#include "engine/journal.h"

#include "engine/journal_format.h"
#include "platform/errors.h"

namespace engine {

namespace {

using namespace journal_format;

constexpr char kComment[] =
    "# Zmiany wprowadzone przez instalator pakietu Vortel PRO, w kolejności wprowadzania.\n"
    "# Uninstall.exe cofa je od końca. Proszę nie zmieniać tego pliku.\n";

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

std::string RootText(plat::RegRoot root) {
  for (const RootName& name : kRoots)
    if (name.root == root) return name.text;
  return std::string();
}

}  // namespace

std::string FormatChange(const Change& change) {
  std::string line;
  for (const KindName& name : kKinds)
    if (name.kind == change.kind) line = name.text;
  auto add = [&line](const std::string& field) {
    line += '\t';
    line += field;
  };
  const ChangeKind kind = change.kind;
  if (kind == ChangeKind::Key || kind == ChangeKind::Value) add(RootText(change.root));
  add(Escape(change.path));
  // "-" stands for no earlier file, so a kept file of that very name goes escaped.
  if (kind == ChangeKind::File || kind == ChangeKind::Shortcut)
    add(change.aside.empty()  ? std::string("-")
        : change.aside == "-" ? std::string("%2D")
                              : Escape(change.aside));
  if (kind == ChangeKind::Ini) add(Escape(change.section));
  if (kind == ChangeKind::Value || kind == ChangeKind::Ini) {
    add(Escape(change.name));
    add(FormatValue(change.before));
    add(FormatValue(change.after));
  }
  return line;
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
  if (!hadEarlier_ || earlier_.empty()) pending_ += std::string(kFirstLine) + kComment;
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
