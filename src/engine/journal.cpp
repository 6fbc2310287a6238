#include "engine/journal.h"

#include <cstring>

#include "engine/journal_format.h"
#include "platform/errors.h"
#include "system/paths.h"

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

// A value: "-" when there was none, "s:" and the text, "x:" and a text its readers expand, or
// "d:" and the number.
std::string FormatValue(const plat::RegValue& value) {
  switch (value.kind) {
    case plat::RegValue::Kind::Missing:
      return "-";
    case plat::RegValue::Kind::String:
      return "s:" + Escape(value.text);
    case plat::RegValue::Kind::ExpandString:
      return "x:" + Escape(value.text);
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

Journal::Journal(plat::FileSystem& files, const std::string& folder,
                 const std::vector<std::string>& packageFolders, sys::RunLog& log)
    : files_(files), log_(log), folder_(folder), path_(folder + kJournalName), runLine_(kRunLine) {
  for (const std::string& package : packageFolders) runLine_ += "\t" + Escape(package);
}

void Journal::Open() {
  const uint32_t attributes = files_.GetAttributes(folder_);
  if (attributes == plat::kInvalidAttributes) {
    if (!sys::CreateDirectoryPath(files_, folder_)) throw files_.LastError(folder_);
    madeFolder_ = true;
  } else if (!(attributes & plat::kAttrDirectory) || !files_.Trusted(folder_)) {
    // Someone else made it: what it holds, Uninstall.exe or a journal, may be theirs.
    throw plat::EFileError(folder_, "katalog nie został utworzony przez instalator");
  }
  hadEarlier_ = files_.GetAttributes(path_) != plat::kInvalidAttributes;
  if (!hadEarlier_) return;
  if (!files_.Trusted(path_)) throw plat::EFileError(path_, "plik mógł zmienić inny użytkownik");
  earlier_ = ReadWholeFile(files_, path_);
  hadEarlier_ = !earlier_.empty();  // a run killed as it began the file
  if (hadEarlier_ && earlier_.compare(0, std::strlen(kFirstLine), kFirstLine) != 0)
    throw plat::EFileError(path_, "to nie jest dziennik instalacji pakietu Vortel PRO");
}

void Journal::Record(const Change& change) {
  std::string text;
  if (!started_) {
    // An earlier journal cut short in the middle of a line gets its end, so that this run's
    // first line stays a line of its own.
    if (hadEarlier_ && earlier_.back() != '\n') text = "\n";
    if (!hadEarlier_) text = std::string(kFirstLine) + kComment;
    text += runLine_ + "\n";
  }
  text += FormatChange(change) + "\n";
  try {
    auto out = files_.Append(path_);
    out->Write(text.data(), text.size());
    out->Close();
  } catch (const plat::EFileError& e) {
    log_.Note(std::string("Nie można zapisać dziennika instalacji: ") + e.what(), true);
    throw;
  }
  started_ = true;
  changes_.push_back(change);
}

void Journal::Withdraw() {
  changes_.pop_back();
  Write(changes_);
}

void Journal::Write(const std::vector<Change>& runChanges) {
  std::string text = hadEarlier_ ? earlier_ : std::string(kFirstLine) + kComment;
  if (hadEarlier_ && !text.empty() && text.back() != '\n') text += '\n';
  text += runLine_ + "\n";
  for (const Change& change : runChanges) text += FormatChange(change) + "\n";
  auto out = files_.Create(path_);
  out->Write(text.data(), text.size());
  out->Close();
}

bool Journal::Retract(const std::vector<Change>& left) {
  try {
    if (started_ && !left.empty()) {
      Write(left);
      return true;
    }
    if (started_ && hadEarlier_) {
      auto out = files_.Create(path_);
      out->Write(earlier_.data(), earlier_.size());
      out->Close();
      return true;
    }
  } catch (const plat::EFileError&) {
    return false;
  }
  const bool gone = hadEarlier_ || files_.GetAttributes(path_) == plat::kInvalidAttributes ||
                    files_.Remove(path_);
  if (gone && madeFolder_) files_.RemoveFolder(folder_);
  return gone;
}

void Journal::DiscardKeptFiles() {
  for (const Change& change : changes_) {
    if (change.aside.empty()) continue;
    // A kept file keeps its read-only bit, which would refuse the delete.
    const uint32_t attributes = files_.GetAttributes(change.aside);
    if (attributes != plat::kInvalidAttributes && (attributes & plat::kAttrReadOnly))
      files_.SetAttributes(change.aside, attributes & ~plat::kAttrReadOnly);
    files_.Remove(change.aside);
  }
}

}  // namespace engine
