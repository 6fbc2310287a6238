#pragma once
// The registry as the registration code sees it: one accessor per routine, holding a root, an
// access mask and at most one open key. Values are texts (REG_SZ, and REG_EXPAND_SZ where one
// is put back) and numbers (REG_DWORD); key and value names are matched without regard to
// letter case, as Windows does.
#include <cstdint>
#include <memory>
#include <string>

namespace plat {

enum class RegRoot { CurrentUser, LocalMachine, ClassesRoot };
enum class RegAccess { Read, All };  // KEY_READ, KEY_ALL_ACCESS

// A value as read back, to be restored later exactly as it was.
struct RegValue {
  // ExpandString: a text with %VARIABLES% that its readers expand (REG_EXPAND_SZ).
  enum class Kind { Missing, String, ExpandString, Number };
  Kind kind = Kind::Missing;
  std::string text;
  uint32_t number = 0;
  bool operator==(const RegValue& other) const {
    return kind == other.kind && text == other.text && number == other.number;
  }
};

class RegistryAccessor {
 public:
  virtual ~RegistryAccessor() = default;
  // Changing the root or the access closes the open key, so a key never outlives the root
  // and mask it was opened with.
  void SetRoot(RegRoot root) {
    CloseKey();
    root_ = root;
  }
  RegRoot Root() const { return root_; }
  void SetAccess(RegAccess access) {
    CloseKey();
    access_ = access;
  }
  // Closes the key open before, then opens `keyPath` below the root (a leading backslash is
  // allowed). With `create`, a missing key is made together with its missing parents. False
  // when the key cannot be opened; no key is open then, and OpenError says why.
  virtual bool OpenKey(const std::string& keyPath, bool create) = 0;
  // The system's error code of the last OpenKey that failed.
  virtual uint32_t OpenError() const = 0;
  virtual void CloseKey() = 0;
  virtual bool HasOpenKey() const = 0;
  // The value of the open key ("" names the default value); empty when it is missing or not a
  // string (a number where a text is expected names nothing worth keeping). Raises
  // ERegistryException when it cannot be read. Reading or writing with no key open is a
  // programming error (a plain plat::Error).
  virtual std::string ReadString(const std::string& name) = 0;
  // Writes a REG_SZ value into the open key; raises ERegistryException when that fails.
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
  // Writes a REG_EXPAND_SZ value into the open key; raises ERegistryException when that fails.
  virtual void WriteExpandString(const std::string& name, const std::string& value) = 0;
  // Writes a REG_DWORD value into the open key; raises ERegistryException when that fails.
  virtual void WriteNumber(const std::string& name, uint32_t value) = 0;
  // A text or number of the open key with its kind, Missing when absent; raises
  // ERegistryException for a value of another type (nothing of ours writes one, so nothing of
  // ours restores one).
  virtual RegValue ReadValue(const std::string& name) = 0;
  // Removes a value of the open key; true when it is gone (also when it was never there).
  virtual bool DeleteValue(const std::string& name) = 0;
  // Removes `keyPath` below the root when it has neither values nor subkeys; true when the key
  // is gone (also when it was never there). Closes the open key first.
  virtual bool DeleteEmptyKey(const std::string& keyPath) = 0;

 protected:
  RegRoot root_ = RegRoot::CurrentUser;
  RegAccess access_ = RegAccess::All;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // A fresh accessor: root HKEY_CURRENT_USER, access KEY_ALL_ACCESS, no key open.
  virtual std::unique_ptr<RegistryAccessor> NewAccessor() = 0;
};

// Closes the accessor's key when the scope ends, also when a write raised inside it.
class OpenKeyScope {
 public:
  explicit OpenKeyScope(RegistryAccessor& accessor) : accessor_(accessor) {}
  ~OpenKeyScope() { accessor_.CloseKey(); }
  OpenKeyScope(const OpenKeyScope&) = delete;
  OpenKeyScope& operator=(const OpenKeyScope&) = delete;

 private:
  RegistryAccessor& accessor_;
};

// The name REGEDIT4 and the logs give a root ("HKEY_LOCAL_MACHINE", ...).
std::string RootName(RegRoot root);

// Texts of the accessor's failures (a key that cannot be opened, a value that cannot be written
// or read), shared by both backends so they read alike: the key with its root, the value and
// the system's reason.
std::string RegistryOpenError(RegRoot root, const std::string& keyPath, uint32_t code);
std::string RegistryWriteError(RegRoot root, const std::string& keyPath,
                               const std::string& valueName, uint32_t code);
std::string RegistryReadError(RegRoot root, const std::string& keyPath,
                              const std::string& valueName, uint32_t code);

}  // namespace plat
