#pragma once
// The one watch over what a run changes on the machine: a platform that hands every call to the
// one below and tells an observer of each change (folder made, file written, INI value, registry
// key and value, shortcut) before it is made, with what it replaces, and once it was made. The
// journal needs the first, to keep what a change replaces and to refuse one it could not keep;
// the log needs the second, to say only what was done.
#include <memory>
#include <string>

#include "engine/journal.h"
#include "platform/forwarding.h"

namespace engine {

class ChangeObserver {
 public:
  virtual ~ChangeObserver() = default;
  // Before the change; raising refuses it. A File or Shortcut change names the file about to
  // be written (a File change also comes before an INI file is first made); its `aside` is the
  // observer's to fill. A Key change comes for each level a creating open is about to make.
  virtual void Changing(Change& change) { (void)change; }
  // After a folder was made, a file put in place, a shortcut saved, an INI or registry value
  // written.
  virtual void Changed(const Change& change) { (void)change; }
};

// An INI value as the journal keeps it: a String, or Missing when the key is not there.
plat::RegValue ReadIniValue(plat::IniFiles& ini, const std::string& file,
                            const std::string& section, const std::string& key);

// Files are created directly only under temporary names; they are put in place by Replace,
// which is the change reported. A shortcut's change carries its target as `after`'s text; a
// value's names its key as it was opened (a final "\\" kept).
class ObservedPlatform : public plat::ForwardingPlatform {
 public:
  ObservedPlatform(plat::Platform& inner, ChangeObserver& observer);
  ~ObservedPlatform() override;

  plat::FileSystem& Files() override { return *files_; }
  plat::IniFiles& Ini() override { return *ini_; }
  plat::Registry& Reg() override { return *registry_; }
  plat::ShellLinks& Links() override { return *links_; }

 private:
  std::unique_ptr<plat::FileSystem> files_;
  std::unique_ptr<plat::IniFiles> ini_;
  std::unique_ptr<plat::Registry> registry_;
  std::unique_ptr<plat::ShellLinks> links_;
};

}  // namespace engine
