#pragma once
// The platform of a logged run: the real one underneath, with everything the run changes on
// the machine (folders, files, INI values, registry values, shortcuts) and every message it
// shows written to the log on its way through. The dialogs are the caller's: the real ones,
// logged, for the wizard; answers from the switches for an unattended run.
#include <memory>

#include "platform/errors.h"
#include "platform/forwarding.h"
#include "unattended/setup_log.h"

namespace unattended {

// Shows each dialog on the platform below and logs its text and the answer.
class LoggedDialogs : public plat::Dialogs {
 public:
  LoggedDialogs(plat::Dialogs& inner, SetupLog& log) : inner_(inner), log_(log) {}
  plat::ModalResult Show(const plat::DialogRequest& request) override;

 private:
  plat::Dialogs& inner_;
  SetupLog& log_;
};

// What a dialog looks like in the log: its text and the caption of the answer given.
std::string DescribeAnswer(const plat::DialogRequest& request, plat::ModalResult answer);

class LoggingPlatform : public plat::ForwardingPlatform {
 public:
  // Wraps `inner` and installs itself as the current platform until it is destroyed.
  LoggingPlatform(plat::Platform& inner, SetupLog& log, plat::Dialogs& dialogs);
  ~LoggingPlatform() override;

  plat::FileSystem& Files() override { return *files_; }
  plat::Dialogs& Dlg() override { return dialogs_; }
  plat::IniFiles& Ini() override { return *ini_; }
  plat::Registry& Reg() override { return *registry_; }
  plat::ShellLinks& Links() override { return *links_; }

 private:
  plat::Dialogs& dialogs_;
  std::unique_ptr<plat::FileSystem> files_;
  std::unique_ptr<plat::IniFiles> ini_;
  std::unique_ptr<plat::Registry> registry_;
  std::unique_ptr<plat::ShellLinks> links_;
};

}  // namespace unattended
