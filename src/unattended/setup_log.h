#pragma once
// The log of a run for administrators: UTF-8 text, one event a line, written as it happens so
// that a run that dies half-way still leaves what it did.
#include <memory>
#include <string>

#include "platform/errors.h"
#include "platform/platform.h"
#include "system/questions.h"

namespace unattended {

class SetupLog : public sys::RunLog {
 public:
  // A log that records nothing: no log was asked for, or its file could not be made.
  SetupLog() = default;
  // Writes into `file`, made at `path`.
  SetupLog(std::string path, std::unique_ptr<plat::OutputFile> file);
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

// The log of a run: the file the administrator named in `logFile`, created or replaced (raises
// plat::EFileError when it cannot); or, with none named, the default log in the temporary
// folder, `name`.log or where that name is taken `name` (2).log, (3)...: always a new file, so
// that a name or link planted there is never written through; one that records nothing when
// none can be made.
std::unique_ptr<SetupLog> OpenLog(plat::FileSystem& files, const std::string& logFile,
                                  const std::string& name);

}  // namespace unattended
