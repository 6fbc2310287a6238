#pragma once
// The log of a run for administrators: UTF-8 text, one event a line, written as it happens so
// that a run that dies half-way still leaves what it did.
#include <memory>
#include <string>

#include "engine/run_log.h"
#include "platform/errors.h"
#include "platform/platform.h"

namespace unattended {

// Makes the file of a default log in the temporary folder: `name`.log, or where that name is
// taken, `name` (2).log, (3)... Always a new file, so that a name or link planted there is never
// written through; SetupLog then takes it over by its handle. Empty when none could be made.
std::string NewDefaultLog(plat::FileSystem& files, const std::string& name);

class SetupLog : public engine::RunLog {
 public:
  // A log that records nothing: no log was asked for, or its file could not be made.
  SetupLog() = default;
  // Creates (or replaces) `path` through `files`, or takes over what NewDefaultLog made there.
  // Raises plat::EFileError when it cannot.
  SetupLog(plat::FileSystem& files, const std::string& path);
  SetupLog(const SetupLog&) = delete;
  SetupLog& operator=(const SetupLog&) = delete;

  const std::string& Path() const { return path_; }
  bool Writing() const { return file_ != nullptr; }
  // One line; a line break inside the text becomes a blank.
  void Line(const std::string& text);
  void Error(const std::string& text) { Line("BŁĄD: " + text); }

  void FileSkipped(const std::string& path) override;
  void FileFailed(const std::string& path, const std::string& reason) override;
  void Note(const std::string& text, bool error) override { error ? Error(text) : Line(text); }

 private:
  std::string path_;
  std::unique_ptr<plat::OutputFile> file_;
};

}  // namespace unattended
