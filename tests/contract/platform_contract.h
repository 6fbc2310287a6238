#pragma once
// The platform services as the engine relies on them, one set of cases run against both
// backends, so that the headless twin cannot drift from Windows. Each test program instantiates
// the cases with a factory of its own backend.
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace contract {

// Keys the cases write; a backend with a lasting registry removes them before and after.
inline const std::string kUserKey = "Software\\Vortel-Kontrakt";
inline const std::string kExtension = ".vortelkontrakt";

class Backend {
 public:
  virtual ~Backend() = default;
  // Installed as the current platform for the backend's lifetime.
  virtual plat::Platform& Platform() = 0;
  // A fresh, empty folder of the case, ending in "\".
  virtual std::string Scratch() = 0;
  // Makes `at` a link to `target`, as someone who may write the folder could.
  virtual void PlantLink(const std::string& at, const std::string& target) = 0;
  // Wine, where it differs from Windows: HKEY_CLASSES_ROOT is the machine's classes alone, and
  // a read-only file stops nobody running as root, as the tests do.
  virtual bool Wine() = 0;
};

using Factory = std::unique_ptr<Backend> (*)();

class PlatformContract : public ::testing::TestWithParam<Factory> {
 protected:
  std::unique_ptr<Backend> backend = GetParam()();
  plat::Platform& platform = backend->Platform();
  const std::string dir = backend->Scratch();
};

}  // namespace contract
