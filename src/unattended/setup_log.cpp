#include "unattended/setup_log.h"

namespace unattended {

SetupLog::SetupLog(std::string path, std::unique_ptr<plat::OutputFile> file)
    : path_(std::move(path)), file_(std::move(file)) {
  // The byte-order mark lets older editors tell UTF-8 from the ANSI code page.
  file_->Write("\xEF\xBB\xBF", 3);
}

std::unique_ptr<SetupLog> OpenLog(plat::FileSystem& files, const std::string& logFile,
                                  const std::string& name) {
  if (!logFile.empty()) return std::make_unique<SetupLog>(logFile, files.Create(logFile));
  const std::string folder = files.TempFolder();
  for (int n = 1; n <= 100; ++n) {
    const std::string path =
        folder + name + (n == 1 ? std::string() : " (" + std::to_string(n) + ")") + ".log";
    try {
      if (auto file = files.CreateNew(path))
        return std::make_unique<SetupLog>(path, std::move(file));
    } catch (const plat::EFileError&) {
      break;
    }
  }
  return std::make_unique<SetupLog>();
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
