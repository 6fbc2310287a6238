#pragma once
// The platform of a logged run: the real one underneath, with everything the run changes on
// the machine (folders, files, INI values, registry values, shortcuts) and every message it
// shows written to the log on its way through. The dialogs are the caller's: the real ones,
// logged, for the wizard; answers from the switches for an unattended run.
#include <memory>

#include "platform/errors.h"
#include "platform/platform.h"
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

class LoggingPlatform : public plat::Platform {
 public:
  // Wraps `inner` and installs itself as the current platform until it is destroyed.
  LoggingPlatform(plat::Platform& inner, SetupLog& log, plat::Dialogs& dialogs);
  ~LoggingPlatform() override;
  LoggingPlatform(const LoggingPlatform&) = delete;
  LoggingPlatform& operator=(const LoggingPlatform&) = delete;

  plat::FileSystem& Files() override { return *files_; }
  plat::Processes& Process() override { return inner_.Process(); }
  plat::Shell& ShellApi() override { return inner_.ShellApi(); }
  plat::MessagePump& Pump() override { return inner_.Pump(); }
  plat::Text& Texts() override { return inner_.Texts(); }
  plat::Dialogs& Dlg() override { return dialogs_; }
  plat::gui::Gui& Ui() override { return inner_.Ui(); }
  plat::ResourceMeter& Meter() override { return inner_.Meter(); }
  plat::Desktop& Windows() override { return inner_.Windows(); }
  plat::IniFiles& Ini() override { return *ini_; }
  plat::Registry& Reg() override { return *registry_; }
  plat::ShellLinks& Links() override { return *links_; }
  plat::OsVersion& Version() override { return inner_.Version(); }

 private:
  plat::Platform& inner_;
  plat::Dialogs& dialogs_;
  std::unique_ptr<plat::FileSystem> files_;
  std::unique_ptr<plat::IniFiles> ini_;
  std::unique_ptr<plat::Registry> registry_;
  std::unique_ptr<plat::ShellLinks> links_;
  plat::Platform* previous_;
};

}  // namespace unattended
