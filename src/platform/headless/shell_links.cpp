#include "platform/headless/shell_links.h"

#include "platform/errors.h"

namespace plat::headless {
namespace {

constexpr char kHeader[] = "[ShellLink]";

// The HRESULTs IPersistFile::Save gives for the file system's refusals.
uint32_t SaveResult(EFileError::Reason reason) {
  switch (reason) {
    case EFileError::Reason::NotFound:
      return 0x80070003;  // path not found
    case EFileError::Reason::AccessDenied:
      return 0x80070005;  // access denied
    case EFileError::Reason::DiskFull:
      return 0x80070070;  // disk full
    default:
      return 0x80004005;  // unspecified failure
  }
}

class RecordedLink : public ShellLinkObject {
 public:
  explicit RecordedLink(HeadlessShellLinks& links) : links_(links) { ++links_.liveObjects; }
  ~RecordedLink() override { --links_.liveObjects; }

  uint32_t SetPath(const std::string& target) override {
    return Assign("SetPath", info_.target, target);
  }
  uint32_t SetArguments(const std::string& arguments) override {
    return Assign("SetArguments", info_.arguments, arguments);
  }
  uint32_t SetWorkingDirectory(const std::string& folder) override {
    return Assign("SetWorkingDirectory", info_.workingDir, folder);
  }
  uint32_t SetDescription(const std::string& description) override {
    return Assign("SetDescription", info_.description, description);
  }
  uint32_t SetIconLocation(const std::string& file, int index) override {
    const uint32_t result = Assign("SetIconLocation", info_.iconFile, file);
    if (result == 0) info_.iconIndex = index;
    return result;
  }

  uint32_t Save(const std::string& linkPath) override {
    if (const uint32_t failure = links_.FailureOf("Save")) return failure;
    const std::string record =
        std::string(kHeader) + "\nTarget=" + info_.target + "\nArguments=" + info_.arguments +
        "\nWorkingDirectory=" + info_.workingDir + "\nDescription=" + info_.description +
        "\nIconFile=" + info_.iconFile + "\nIconIndex=" + std::to_string(info_.iconIndex) + "\n";
    try {
      auto out = links_.Files().Create(linkPath);
      out->Write(record.data(), record.size());
      out->Close();
    } catch (const EFileError& e) {
      return SaveResult(e.Why());
    }
    return 0;
  }

 private:
  uint32_t Assign(const char* call, std::string& field, const std::string& value) {
    if (const uint32_t failure = links_.FailureOf(call)) return failure;
    field = value;
    return 0;
  }

  HeadlessShellLinks& links_;
  ShellLinkInfo info_;
};

}  // namespace

uint32_t HeadlessShellLinks::FailureOf(const std::string& call) const {
  const auto it = failures.find(call);
  return it == failures.end() ? 0 : it->second;
}

uint32_t HeadlessShellLinks::Create(std::unique_ptr<ShellLinkObject>& link) {
  link.reset();
  if (const uint32_t failure = FailureOf("Create")) return failure;
  link = std::make_unique<RecordedLink>(*this);
  return 0;
}

bool HeadlessShellLinks::Read(const std::string& linkPath, ShellLinkInfo& info) {
  std::string record;
  try {
    auto in = files_.OpenRead(linkPath);
    char buffer[512];
    while (const size_t n = in->Read(buffer, sizeof buffer)) record.append(buffer, n);
  } catch (const EFileError&) {
    return false;
  }
  if (record.rfind(std::string(kHeader) + "\n", 0) != 0) return false;
  info = ShellLinkInfo();
  std::map<std::string, std::string*> fields = {{"Target", &info.target},
                                                {"Arguments", &info.arguments},
                                                {"WorkingDirectory", &info.workingDir},
                                                {"Description", &info.description},
                                                {"IconFile", &info.iconFile}};
  size_t start = 0;
  while (start < record.size()) {
    const size_t end = record.find('\n', start);
    const std::string line = record.substr(start, end - start);
    start = end == std::string::npos ? record.size() : end + 1;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string name = line.substr(0, eq);
    if (name == "IconIndex") {
      info.iconIndex = std::stoi(line.substr(eq + 1));
    } else if (auto it = fields.find(name); it != fields.end()) {
      *it->second = line.substr(eq + 1);
    }
  }
  return true;
}

}  // namespace plat::headless
