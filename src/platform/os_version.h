#pragma once
// Which Windows family the program runs on. Some behaviour differs between the NT family and
// the older family (all-users shell folders, for one). The system's calendar lives here too.
#include <string>

namespace plat {

class OsVersion {
 public:
  virtual ~OsVersion() = default;
  // True when the version query reports VER_PLATFORM_WIN32_NT.
  virtual bool IsNtFamily() = 0;
  // Today's local date as "yyyymmdd".
  virtual std::string Today() = 0;
};

}  // namespace plat
