#pragma once
// An in-memory registry that behaves as the real one where the registration code relies on
// it: case-insensitive key and value names that keep their first spelling, missing parents
// made on a creating open, one open key per accessor, writes refused through a read-only
// accessor, HKEY_CLASSES_ROOT as the interactive user sees it (the machine's classes, where the
// user's own classes have no key of that name). Tests set it up, inject faults and read it back
// as REGEDIT4 text.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace plat::headless {

class HeadlessRegistry : public Registry {
 public:
  HeadlessRegistry();
  ~HeadlessRegistry() override;
  HeadlessRegistry(const HeadlessRegistry&) = delete;
  HeadlessRegistry& operator=(const HeadlessRegistry&) = delete;

  std::unique_ptr<RegistryAccessor> NewAccessor() override;

  // Fixtures: keys are made as needed.
  void Set(RegRoot root, const std::string& keyPath, const std::string& name,
           const std::string& value);
  // A text its readers expand (REG_EXPAND_SZ).
  void SetExpandString(RegRoot root, const std::string& keyPath, const std::string& name,
                       const std::string& value);
  // A value that is not a string (REG_DWORD).
  void SetDword(RegRoot root, const std::string& keyPath, const std::string& name, uint32_t value);
  void MakeKey(RegRoot root, const std::string& keyPath);
  bool KeyExists(RegRoot root, const std::string& keyPath);
  // Empty when the key or value is missing or not a string.
  std::string Get(RegRoot root, const std::string& keyPath, const std::string& name);

  // Faults: the key (existing or not) cannot be opened or created; values cannot be written.
  void DenyOpen(RegRoot root, const std::string& keyPath);
  void DenyWrites(RegRoot root, const std::string& keyPath);

  // REGEDIT4 text of the key and everything below it (the whole root for an empty path):
  // keys sorted by name without regard to case, values in the order they were first written.
  // A missing key gives just the header.
  std::string Dump(RegRoot root, const std::string& keyPath = std::string());

  // Every successful write in order, as "ROOT\key\path" + ":" + value name ("@" for the
  // default value).
  std::vector<std::string> writes;
  // Keys open at this moment, over all accessors.
  int OpenKeys() const { return openKeys_; }

  struct Key;

 private:
  friend class HeadlessAccessor;
  Key* Find(RegRoot root, const std::string& keyPath, bool create);
  // The root that holds the key and the key's components below it; false for a bad path.
  bool Locate(RegRoot& root, const std::string& keyPath, std::vector<std::string>& parts);
  Key* Walk(RegRoot root, const std::vector<std::string>& parts, bool create);
  // Root and path in one upper-case spelling, for the fault lists; empty for a bad path.
  static std::string Canonical(RegRoot root, const std::string& keyPath);

  std::unique_ptr<Key> roots_[2];  // HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE
  std::set<std::string> deniedOpen_;
  std::set<std::string> deniedWrites_;
  int openKeys_ = 0;
};

}  // namespace plat::headless
