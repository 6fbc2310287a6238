#include "platform/headless/headless.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>

#include "platform/errors.h"
#include "platform/text.h"

namespace fs = std::filesystem;

namespace plat::headless {
namespace {

char DriveLetter(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
    return static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
  return 0;
}

std::vector<std::string> SplitComponents(const std::string& rest) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : rest + '\\') {
    if (c == '\\' || c == '/') {
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part += c;
    }
  }
  return parts;
}

class HostInput : public InputFile {
 public:
  HostInput(std::FILE* f, std::string path) : f_(f), path_(std::move(path)) {}
  ~HostInput() override { std::fclose(f_); }
  size_t Read(void* buffer, size_t size) override {
    const size_t n = std::fread(buffer, 1, size, f_);
    if (n < size && std::ferror(f_)) throw EFileError(path_, EFileError::Reason::Other, 30);
    return n;
  }
  void Seek(uint64_t offset) override {
    if (fseeko(f_, static_cast<off_t>(offset), SEEK_SET) != 0)
      throw EFileError(path_, EFileError::Reason::Other, 25);
  }

 private:
  std::FILE* f_;
  std::string path_;
};

class HostOutput : public OutputFile {
 public:
  HostOutput(std::FILE* f, std::string path, fs::path host, HeadlessFileSystem::Drive* drive)
      : f_(f), path_(std::move(path)), host_(std::move(host)), drive_(drive) {}
  ~HostOutput() override {
    if (f_) Release();
  }
  void Write(const void* data, size_t size) override {
    if (!f_) throw EFileError(path_, EFileError::Reason::Other, 6);
    if (drive_->freeBytes) {
      if (size > *drive_->freeBytes) throw EFileError(path_, EFileError::Reason::DiskFull);
      *drive_->freeBytes -= size;
    }
    if (std::fwrite(data, 1, size, f_) != size)
      throw EFileError(path_, EFileError::Reason::Other, 29);
  }
  void Flush() override {
    if (!f_ || std::fflush(f_) != 0) throw EFileError(path_, EFileError::Reason::Other, 29);
  }
  void Close() override {
    if (f_ && Release() != 0) throw EFileError(path_, EFileError::Reason::Other, 29);
  }
  void Discard() override { discard_ = true; }

 private:
  // Closes; a discarded file goes only while its name still holds it: Windows removes it
  // through the handle, so never another file that took the name meanwhile.
  int Release() {
    struct stat own = {}, now = {};
    const bool remove = discard_ && fstat(fileno(f_), &own) == 0;
    const int rc = std::fclose(f_);
    f_ = nullptr;
    std::error_code ec;
    if (remove && stat(host_.c_str(), &now) == 0 && now.st_ino == own.st_ino &&
        now.st_dev == own.st_dev)
      fs::remove(host_, ec);
    return rc;
  }

  std::FILE* f_;
  std::string path_;
  fs::path host_;
  HeadlessFileSystem::Drive* drive_;
  bool discard_ = false;
};

}  // namespace

HeadlessFileSystem::HeadlessFileSystem(fs::path sandbox) : sandbox_(std::move(sandbox)) {
  AddDrive('C');
}

void HeadlessFileSystem::AddDrive(char letter) {
  letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  fs::create_directories(sandbox_ / std::string(1, letter));
  drives_[letter];
}

void HeadlessFileSystem::RemoveDrive(char letter) {
  drives_.erase(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
}

void HeadlessFileSystem::SetFreeSpace(char letter, uint64_t bytes) {
  drives_.at(static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))).freeBytes = bytes;
}

HeadlessFileSystem::Drive* HeadlessFileSystem::DriveOf(const std::string& path) {
  std::string full = path;
  if (!DriveLetter(full)) full = currentDir_;
  auto it = drives_.find(DriveLetter(full));
  return it == drives_.end() ? nullptr : &it->second;
}

std::optional<fs::path> HeadlessFileSystem::Map(const std::string& path) {
  std::string full;
  if (path.empty()) {
    return std::nullopt;  // as on Windows, the empty path names nothing
  } else if (DriveLetter(path)) {
    full = path;
  } else if (path.rfind("\\\\", 0) == 0) {
    return std::nullopt;  // network paths have no drive here
  } else if (!path.empty() && (path[0] == '\\' || path[0] == '/')) {
    full = currentDir_.substr(0, 2) + path;
  } else {
    full = currentDir_ + "\\" + path;
  }
  const char letter = DriveLetter(full);
  if (!drives_.count(letter)) return std::nullopt;
  fs::path host = sandbox_ / std::string(1, letter);
  // Existing names are found whatever their letter case; new names keep the caller's.
  for (const auto& part : SplitComponents(full.substr(2))) {
    fs::path next = host / part;
    std::error_code ec;
    if (!fs::exists(next, ec) && fs::is_directory(host, ec)) {
      const std::string wanted = InvariantUpper(part);
      for (const auto& entry : fs::directory_iterator(host, ec)) {
        if (InvariantUpper(entry.path().filename().string()) == wanted) {
          next = entry.path();
          break;
        }
      }
    }
    host = next;
  }
  return host;
}

fs::path HeadlessFileSystem::HostPath(const std::string& path) {
  return Map(path).value_or(fs::path());
}

bool HeadlessFileSystem::IsReadOnly(const fs::path& host) {
  auto it = attributes_.find(host.string());
  return it != attributes_.end() && (it->second & kAttrReadOnly);
}

// A link has its name even when what it points to is gone, as on Windows.
bool HeadlessFileSystem::Taken(const fs::path& host) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(host, ec));
}

bool HeadlessFileSystem::ThroughLink(const fs::path& host) {
  std::error_code ec;
  for (fs::path level = host.parent_path(); level.has_relative_path() && level != sandbox_;
       level = level.parent_path())
    if (fs::is_symlink(level, ec)) {
      lastError_ = EFileError::Reason::AccessDenied;
      return true;
    }
  return false;
}

uint32_t HeadlessFileSystem::GetAttributes(const std::string& path) {
  auto host = Map(path);
  std::error_code ec;
  if (!host || !Taken(*host)) return kInvalidAttributes;
  const uint32_t link = fs::is_symlink(*host, ec) ? kAttrReparsePoint : 0;
  if (fs::is_directory(*host, ec)) return kAttrDirectory | link;
  if (link) return link;
  auto it = attributes_.find(host->string());
  return it == attributes_.end() ? kAttrArchive : it->second;
}

bool HeadlessFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  auto host = Map(path);
  std::error_code ec;
  if (!host || !fs::exists(*host, ec) || ThroughLink(*host)) return false;
  attributes_[host->string()] = attributes & ~(kAttrDirectory | kAttrReparsePoint);
  return true;
}

bool HeadlessFileSystem::CreateFolder(const std::string& path) {
  auto host = Map(path);
  std::error_code ec;
  if (!host || Taken(*host) || !fs::is_directory(host->parent_path(), ec) || ThroughLink(*host))
    return false;
  if (!fs::create_directory(*host, ec)) return false;
  protected_.insert(host->string());
  return true;
}

bool HeadlessFileSystem::Protected(const std::string& path) {
  auto host = Map(path);
  return host && protected_.count(host->string());
}

void HeadlessFileSystem::SetUntrusted(const std::string& path) {
  if (auto host = Map(path)) untrusted_.insert(host->string());
}

bool HeadlessFileSystem::Trusted(const std::string& path) {
  auto host = Map(path);
  std::error_code ec;
  if (!host || !fs::exists(*host, ec) || fs::is_symlink(*host, ec) ||
      untrusted_.count(host->string()))
    return false;
  return fs::is_directory(*host, ec) || fs::hard_link_count(*host, ec) == 1;
}

bool HeadlessFileSystem::Rename(const std::string& from, const std::string& to) {
  auto src = Map(from);
  auto dst = Map(to);
  std::error_code ec;
  lastError_ = EFileError::Reason::InUse;
  if (!src || !dst || !Taken(*src) || Taken(*dst) || inUse_.count(src->string()) ||
      ThroughLink(*dst))
    return false;
  return Move(*src, *dst);
}

bool HeadlessFileSystem::Move(const fs::path& src, const fs::path& dst) {
  std::error_code ec;
  fs::rename(src, dst, ec);
  if (ec) return false;
  auto it = attributes_.find(src.string());
  attributes_.erase(dst.string());
  if (it != attributes_.end()) {
    attributes_[dst.string()] = it->second;
    attributes_.erase(it);
  }
  return true;
}

bool HeadlessFileSystem::RemoveAtRestart(const std::string& path) {
  auto host = Map(path);
  if (!host || !Taken(*host) || ThroughLink(*host)) return false;
  atRestart.push_back(path);
  return true;
}

void HeadlessFileSystem::Restart() {
  for (const std::string& path : atRestart)
    if (!Remove(path)) RemoveFolder(path);
  atRestart.clear();
  inUse_.clear();
}

std::unique_ptr<InputFile> HeadlessFileSystem::OpenRead(const std::string& path) {
  auto host = Map(path);
  std::error_code ec;
  if (!host || !fs::exists(*host, ec)) throw EFileError(path, EFileError::Reason::NotFound);
  if (fs::is_directory(*host, ec)) throw EFileError(path, EFileError::Reason::AccessDenied);
  std::FILE* f = std::fopen(host->c_str(), "rb");
  if (!f) throw EFileError(path, EFileError::Reason::AccessDenied);
  return std::make_unique<HostInput>(f, path);
}

std::unique_ptr<OutputFile> HeadlessFileSystem::Create(const std::string& path) {
  // A link at the name goes, as the rename of a new file onto the name removes it on Windows.
  auto host = Map(path);
  std::error_code ec;
  if (host && ThroughLink(*host)) throw EFileError(path, EFileError::Reason::AccessDenied);
  if (host && fs::is_symlink(*host, ec) && !IsReadOnly(*host)) fs::remove(*host, ec);
  return OpenForWriting(path, "wb");
}

std::unique_ptr<OutputFile> HeadlessFileSystem::CreateNew(const std::string& path) {
  auto host = Map(path);
  if (host && Taken(*host)) return nullptr;
  if (host && ThroughLink(*host)) throw EFileError(path, EFileError::Reason::AccessDenied);
  return OpenForWriting(path, "wbx");
}

bool HeadlessFileSystem::Copy(const fs::path& src, const fs::path& dst, const std::string& to) {
  std::error_code ec;
  if (!fs::is_regular_file(src, ec) || !fs::is_directory(dst.parent_path(), ec)) return false;
  Drive* drive = DriveOf(to);
  const auto size = fs::file_size(src, ec);
  if (drive->freeBytes) {
    if (size > *drive->freeBytes) return false;
    *drive->freeBytes -= size;
  }
  if (!fs::copy_file(src, dst, ec)) return false;
  // Windows' copy carries the source's attributes over, the read-only bit included.
  auto it = attributes_.find(src.string());
  attributes_[dst.string()] = it == attributes_.end() ? kAttrArchive : it->second;
  return true;
}

bool HeadlessFileSystem::CopyNew(const std::string& from, const std::string& to) {
  auto src = Map(from);
  auto host = Map(to);
  lastError_ = EFileError::Reason::AccessDenied;
  return src && host && !Taken(*host) && !ThroughLink(*host) && Copy(*src, *host, to);
}

bool HeadlessFileSystem::Remove(const std::string& path) {
  auto host = Map(path);
  std::error_code ec;
  if (!host || !(fs::is_regular_file(*host, ec) || fs::is_symlink(*host, ec)) ||
      IsReadOnly(*host) || ThroughLink(*host))
    return false;
  attributes_.erase(host->string());
  return fs::remove(*host, ec);
}

bool HeadlessFileSystem::Replace(const std::string& from, const std::string& to) {
  auto src = Map(from);
  auto dst = Map(to);
  std::error_code ec;
  lastError_ = EFileError::Reason::AccessDenied;
  if (to.size() >= kMaxPath) lastError_ = EFileError::Reason::TooLong;
  if (dst && inUse_.count(dst->string())) lastError_ = EFileError::Reason::InUse;
  if (!src || !dst || !fs::is_regular_file(*src, ec) || fs::is_directory(*dst, ec) ||
      lastError_ != EFileError::Reason::AccessDenied || ThroughLink(*dst))
    return false;
  return Move(*src, *dst);
}

EFileError HeadlessFileSystem::LastError(const std::string& path) {
  return EFileError(path, lastError_);
}

void HeadlessFileSystem::SetInUse(const std::string& path) {
  if (auto host = Map(path)) inUse_.insert(host->string());
}

uint64_t HeadlessFileSystem::FileSize(const std::string& path) {
  auto host = Map(path);
  std::error_code ec;
  const auto size = host ? fs::file_size(*host, ec) : 0;
  return ec ? 0 : size;
}

bool HeadlessFileSystem::RemoveFolder(const std::string& path) {
  auto host = Map(path);
  std::error_code ec;
  if (!host || ThroughLink(*host)) return false;
  // A junction goes as an empty folder would, its target untouched.
  if (fs::is_symlink(*host, ec)) return fs::remove(*host, ec);
  if (!fs::is_directory(*host, ec) || !fs::is_empty(*host, ec)) return false;
  protected_.erase(host->string());
  return fs::remove(*host, ec);
}

std::vector<std::string> HeadlessFileSystem::List(const std::string& folder) {
  std::vector<std::string> names;
  auto host = Map(folder);
  std::error_code ec;
  if (!host || !fs::is_directory(*host, ec)) return names;
  for (const auto& entry : fs::directory_iterator(*host, ec))
    names.push_back(entry.path().filename().string() + (entry.is_directory(ec) ? "\\" : ""));
  std::sort(names.begin(), names.end());
  return names;
}

std::unique_ptr<OutputFile> HeadlessFileSystem::Append(const std::string& path) {
  auto host = Map(path);
  std::error_code ec;
  if (host && (fs::is_symlink(*host, ec) || ThroughLink(*host)))
    throw EFileError(path, EFileError::Reason::AccessDenied);
  return OpenForWriting(path, "ab");
}

// A new file ("wb") loses the attributes of the one it replaces; an appended one keeps them.
std::unique_ptr<OutputFile> HeadlessFileSystem::OpenForWriting(const std::string& path,
                                                               const char* mode) {
  auto host = Map(path);
  std::error_code ec;
  if (!host || !fs::is_directory(host->parent_path(), ec))
    throw EFileError(path, EFileError::Reason::NotFound);
  if (fs::is_directory(*host, ec) || IsReadOnly(*host))
    throw EFileError(path, EFileError::Reason::AccessDenied);
  std::FILE* f = std::fopen(host->c_str(), mode);
  if (!f) throw EFileError(path, EFileError::Reason::AccessDenied);
  if (mode[0] == 'w') attributes_.erase(host->string());
  return std::make_unique<HostOutput>(f, path, *host, DriveOf(path));
}

bool HeadlessFileSystem::ChangeDirectory(const std::string& path) {
  if (!(GetAttributes(path) & kAttrDirectory) || GetAttributes(path) == kInvalidAttributes)
    return false;
  currentDir_ = path;
  while (currentDir_.size() > 3 && currentDir_.back() == '\\') currentDir_.pop_back();
  return true;
}

void HeadlessFileSystem::PutFile(const std::string& path, const std::string& contents) {
  auto host = Map(path);
  if (!host) throw EFileError(path, EFileError::Reason::NotFound);
  fs::create_directories(host->parent_path());
  std::ofstream(*host, std::ios::binary) << contents;
  attributes_.erase(host->string());
}

std::string HeadlessFileSystem::ReadFile(const std::string& path) {
  auto host = Map(path);
  std::error_code ec;
  if (!host || !fs::is_regular_file(*host, ec))
    throw EFileError(path, EFileError::Reason::NotFound);
  std::ifstream in(*host, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

Launch HeadlessProcesses::Start(const std::string& program, const std::string& parameters) {
  const uint32_t attributes = files_.GetAttributes(program);
  if (program.empty() || attributes == kInvalidAttributes || (attributes & kAttrDirectory))
    return Launch::Failed;
  if (!userShell) return Launch::NoUserShell;
  started.push_back({"\"" + program + "\" " + parameters, files_.CurrentDirectory()});
  return Launch::ByUserShell;
}

std::string HeadlessShell::BrowseForFolder(const std::string& caption, const std::string&) {
  if (browseAnswers.empty())
    throw std::logic_error("unexpected folder-browse dialog \"" + caption + "\"");
  browseCaptions.push_back(caption);
  std::string answer = browseAnswers.front();
  browseAnswers.pop_front();
  return answer;
}

Launch HeadlessShell::OpenDocument(const std::string& path) {
  if (!files || files->GetAttributes(path) == kInvalidAttributes) return Launch::Failed;
  if (processes && !processes->userShell) return Launch::NoUserShell;
  opened.push_back(path);
  return Launch::ByUserShell;
}

void HeadlessPump::ProcessPending() {
  ++calls;
  if (onPump) onPump();
}

std::string HeadlessText::UpperCase(const std::string& text) {
  return InvariantUpper(text);
}

namespace {
fs::path MakeSandbox() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/vortel-sandbox-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create the test sandbox");
  return pattern;
}
}  // namespace

HeadlessPlatform::HeadlessPlatform()
    : sandbox(MakeSandbox()), files(sandbox), processes(files), previous_(SetCurrent(this)) {
  shell.files = &files;
  shell.processes = &processes;
}

HeadlessPlatform::~HeadlessPlatform() {
  SetCurrent(previous_);
  std::error_code ec;
  fs::remove_all(sandbox, ec);
}

}  // namespace plat::headless
