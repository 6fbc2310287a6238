#include "unattended/setup_log.h"

namespace unattended {

namespace {

// The default log's file, from NewDefaultLog until its SetupLog takes it over.
std::string madePath;
std::unique_ptr<plat::OutputFile> madeFile;

}  // namespace

std::string NewDefaultLog(plat::FileSystem& files, const std::string& name) {
  const std::string folder = files.TempFolder();
  for (int n = 1; n <= 100; ++n) {
    const std::string path =
        folder + name + (n == 1 ? std::string() : " (" + std::to_string(n) + ")") + ".log";
    try {
      madeFile = files.CreateNew(path);
    } catch (const plat::EFileError&) {
      break;
    }
    if (madeFile) return madePath = path;
  }
  return std::string();
}

SetupLog::SetupLog(plat::FileSystem& files, const std::string& path)
    : path_(path), file_(madeFile && path == madePath ? std::move(madeFile) : files.Create(path)) {
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
