#include "platform/headless/registry.h"

#include <cstdio>
#include <map>
#include <stdexcept>

#include "platform/errors.h"
#include "platform/text.h"

namespace plat::headless {

struct HeadlessRegistry::Key {
  struct Value {
    std::string name;
    RegValue data;
  };
  std::string name;
  std::map<std::string, std::unique_ptr<Key>> subkeys;  // by upper-case name
  std::vector<Value> values;                            // in the order first written

  Value* FindValue(const std::string& valueName) {
    const std::string wanted = InvariantUpper(valueName);
    for (auto& value : values)
      if (InvariantUpper(value.name) == wanted) return &value;
    return nullptr;
  }
  Value& MakeValue(const std::string& valueName) {
    if (Value* value = FindValue(valueName)) return *value;
    values.push_back(Value());
    values.back().name = valueName;
    return values.back();
  }
};

namespace {

using Key = HeadlessRegistry::Key;

constexpr uint32_t kAccessDenied = 5;

// A number names no text, as the real registry's string reads have it.
std::string TextOf(const RegValue& value) {
  return value.kind == RegValue::Kind::Number ? std::string() : value.text;
}

// The components of a key path; a leading backslash and one trailing backslash are allowed,
// as the real API allows them. False for an empty component inside the path.
bool SplitKeyPath(const std::string& keyPath, std::vector<std::string>& parts) {
  std::string rest = keyPath;
  if (!rest.empty() && rest.front() == '\\') rest.erase(0, 1);
  if (!rest.empty() && rest.back() == '\\') rest.pop_back();
  parts.clear();
  if (rest.empty()) return true;
  size_t start = 0;
  for (;;) {
    const size_t end = rest.find('\\', start);
    parts.push_back(rest.substr(start, end == std::string::npos ? end : end - start));
    if (parts.back().empty()) return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

void DumpKey(const Key& key, const std::string& path, std::string& out) {
  out += "[" + path + "]\n";
  for (const auto& value : key.values) {
    out += value.name.empty() ? std::string("@") : Quoted(value.name);
    char hex[16];
    switch (value.data.kind) {
      case RegValue::Kind::Number:
        std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(value.data.number));
        out += std::string("=dword:") + hex + "\n";
        break;
      case RegValue::Kind::ExpandString:
        // As REGEDIT4 writes it: the text's bytes (UTF-8 here) and its terminating zero.
        out += "=hex(2):";
        for (char c : value.data.text) {
          std::snprintf(hex, sizeof hex, "%02x,", static_cast<unsigned char>(c));
          out += hex;
        }
        out += "00\n";
        break;
      default:
        out += "=" + Quoted(value.data.text) + "\n";
    }
  }
  out += "\n";
  for (const auto& [upper, subkey] : key.subkeys) DumpKey(*subkey, path + "\\" + subkey->name, out);
}

}  // namespace

class HeadlessAccessor : public RegistryAccessor {
 public:
  explicit HeadlessAccessor(HeadlessRegistry& registry) : registry_(registry) {}
  ~HeadlessAccessor() override { CloseKey(); }

  bool OpenKey(const std::string& keyPath, bool create) override {
    CloseKey();
    const std::string canonical = HeadlessRegistry::Canonical(root_, keyPath);
    // The codes Windows gives: a bad path, a denied key, a missing one.
    openError_ = canonical.empty() ? 161 : 5;
    if (canonical.empty() || registry_.deniedOpen_.count(canonical)) return false;
    key_ = registry_.Find(root_, keyPath, create);
    openError_ = 2;
    if (!key_) return false;
    path_ = keyPath;
    canonical_ = canonical;
    ++registry_.openKeys_;
    return true;
  }

  void CloseKey() override {
    if (!key_) return;
    key_ = nullptr;
    --registry_.openKeys_;
  }
  bool HasOpenKey() const override { return key_ != nullptr; }
  uint32_t OpenError() const override { return openError_; }

  std::string ReadString(const std::string& name) override {
    if (!key_) throw std::logic_error("registry read with no key open");
    const Key::Value* value = key_->FindValue(name);
    return value ? TextOf(value->data) : std::string();
  }

  void WriteString(const std::string& name, const std::string& value) override {
    Store(name, {RegValue::Kind::String, value, 0});
  }
  void WriteExpandString(const std::string& name, const std::string& value) override {
    Store(name, {RegValue::Kind::ExpandString, value, 0});
  }
  void WriteNumber(const std::string& name, uint32_t value) override {
    Store(name, {RegValue::Kind::Number, std::string(), value});
  }

  RegValue ReadValue(const std::string& name) override {
    if (!key_) throw std::logic_error("registry read with no key open");
    const Key::Value* value = key_->FindValue(name);
    return value ? value->data : RegValue();
  }

  bool DeleteValue(const std::string& name) override {
    if (!key_) throw std::logic_error("registry write with no key open");
    if (access_ == RegAccess::Read || registry_.deniedWrites_.count(canonical_)) return false;
    auto& values = key_->values;
    for (auto it = values.begin(); it != values.end(); ++it)
      if (InvariantUpper(it->name) == InvariantUpper(name)) {
        values.erase(it);
        break;
      }
    return true;
  }

  bool DeleteEmptyKey(const std::string& keyPath) override {
    CloseKey();
    std::vector<std::string> parts;
    RegRoot root = root_;
    if (!SplitKeyPath(keyPath, parts) || parts.empty() || !registry_.Locate(root, keyPath, parts))
      return false;
    Key* key = registry_.Walk(root, parts, false);
    if (!key) return true;
    if (!key->values.empty() || !key->subkeys.empty() ||
        registry_.deniedWrites_.count(HeadlessRegistry::Canonical(root_, keyPath)))
      return false;
    const std::string leaf = parts.back();
    parts.pop_back();
    registry_.Walk(root, parts, false)->subkeys.erase(InvariantUpper(leaf));
    return true;
  }

 private:
  void Store(const std::string& name, const RegValue& value) {
    if (!key_) throw std::logic_error("registry write with no key open");
    if (access_ == RegAccess::Read || registry_.deniedWrites_.count(canonical_))
      throw ERegistryException(RegistryWriteError(root_, path_, name, kAccessDenied));
    key_->MakeValue(name).data = value;
    std::vector<std::string> parts;
    SplitKeyPath(path_, parts);
    std::string where = RootName(root_);
    for (const auto& part : parts) where += "\\" + part;
    registry_.writes.push_back(where + ":" + (name.empty() ? std::string("@") : name));
  }

  HeadlessRegistry& registry_;
  Key* key_ = nullptr;
  std::string path_;
  std::string canonical_;
  uint32_t openError_ = 0;
};

HeadlessRegistry::HeadlessRegistry() {
  for (auto& root : roots_) root = std::make_unique<Key>();
}

HeadlessRegistry::~HeadlessRegistry() = default;

std::unique_ptr<RegistryAccessor> HeadlessRegistry::NewAccessor() {
  return std::make_unique<HeadlessAccessor>(*this);
}

std::string HeadlessRegistry::Canonical(RegRoot root, const std::string& keyPath) {
  std::vector<std::string> parts;
  if (!SplitKeyPath(keyPath, parts)) return std::string();
  std::string canonical = RootName(root) + "\\";
  for (const auto& part : parts) canonical += InvariantUpper(part) + "\\";
  return canonical;
}

bool HeadlessRegistry::Locate(RegRoot& root, const std::string& keyPath,
                              std::vector<std::string>& parts) {
  if (!SplitKeyPath(keyPath, parts)) return false;
  if (root != RegRoot::ClassesRoot) return true;
  // The user's key hides the machine's of the same name; new keys are the machine's, as
  // Windows makes them for a program that writes through the view.
  parts.insert(parts.begin(), {"Software", "Classes"});
  const bool user = parts.size() > 2 && Walk(RegRoot::CurrentUser, parts, false);
  root = user ? RegRoot::CurrentUser : RegRoot::LocalMachine;
  return true;
}

Key* HeadlessRegistry::Find(RegRoot root, const std::string& keyPath, bool create) {
  std::vector<std::string> parts;
  return Locate(root, keyPath, parts) ? Walk(root, parts, create) : nullptr;
}

Key* HeadlessRegistry::Walk(RegRoot root, const std::vector<std::string>& parts, bool create) {
  Key* key = roots_[static_cast<int>(root)].get();
  for (const auto& part : parts) {
    const std::string upper = InvariantUpper(part);
    auto it = key->subkeys.find(upper);
    if (it == key->subkeys.end()) {
      if (!create) return nullptr;
      it = key->subkeys.emplace(upper, std::make_unique<Key>()).first;
      it->second->name = part;
    }
    key = it->second.get();
  }
  return key;
}

void HeadlessRegistry::Set(RegRoot root, const std::string& keyPath, const std::string& name,
                           const std::string& value) {
  Find(root, keyPath, true)->MakeValue(name).data = {RegValue::Kind::String, value, 0};
}

void HeadlessRegistry::SetExpandString(RegRoot root, const std::string& keyPath,
                                       const std::string& name, const std::string& value) {
  Find(root, keyPath, true)->MakeValue(name).data = {RegValue::Kind::ExpandString, value, 0};
}

void HeadlessRegistry::SetDword(RegRoot root, const std::string& keyPath, const std::string& name,
                                uint32_t value) {
  Find(root, keyPath, true)->MakeValue(name).data = {RegValue::Kind::Number, std::string(), value};
}

void HeadlessRegistry::MakeKey(RegRoot root, const std::string& keyPath) {
  Find(root, keyPath, true);
}

bool HeadlessRegistry::KeyExists(RegRoot root, const std::string& keyPath) {
  return Find(root, keyPath, false) != nullptr;
}

std::string HeadlessRegistry::Get(RegRoot root, const std::string& keyPath,
                                  const std::string& name) {
  Key* key = Find(root, keyPath, false);
  const Key::Value* value = key ? key->FindValue(name) : nullptr;
  return value ? TextOf(value->data) : std::string();
}

void HeadlessRegistry::DenyOpen(RegRoot root, const std::string& keyPath) {
  deniedOpen_.insert(Canonical(root, keyPath));
}

void HeadlessRegistry::DenyWrites(RegRoot root, const std::string& keyPath) {
  deniedWrites_.insert(Canonical(root, keyPath));
}

std::string HeadlessRegistry::Dump(RegRoot root, const std::string& keyPath) {
  std::string out = "REGEDIT4\n\n";
  RegRoot holder = root;
  std::vector<std::string> parts;
  const Key* key = Locate(holder, keyPath, parts) ? Walk(holder, parts, false) : nullptr;
  if (!key) return out;
  // The path as stored, so the dump shows the spelling the keys were made with, below the root
  // it was asked for.
  std::string path = RootName(root);
  const Key* walk = roots_[static_cast<int>(holder)].get();
  for (size_t i = 0; i < parts.size(); ++i) {
    walk = walk->subkeys.at(InvariantUpper(parts[i])).get();
    if (root != RegRoot::ClassesRoot || i >= 2) path += "\\" + walk->name;
  }
  DumpKey(*key, path, out);
  return out;
}

}  // namespace plat::headless
