#include "unattended/setup_log.h"

namespace unattended {

SetupLog::SetupLog(plat::FileSystem& files, const std::string& path)
    : path_(path), file_(files.Create(path)) {
  // The byte-order mark lets older editors tell UTF-8 from the ANSI code page.
  file_->Write("\xEF\xBB\xBF", 3);
}

void SetupLog::Line(const std::string& text) {
  if (!file_) return;
  std::string line = text;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  line += "\r\n";
  try {
    file_->Write(line.data(), line.size());
  } catch (const plat::EFileError&) {
    // A log that cannot be written any more must not stop the installation it describes.
    file_.reset();
  }
}

void SetupLog::FileSkipped(const std::string& path) {
  Line("Pominięto plik (już istnieje, pozostawiony bez zmian): " + path);
}

void SetupLog::FileFailed(const std::string& path, const std::string& reason) {
  Error("nie zainstalowano pliku " + path + ": " + reason);
}

}  // namespace unattended
