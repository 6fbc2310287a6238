#pragma once
// The platform of a logged run: the real one underneath, with everything the run changes on
// the machine (folders, files, INI values, registry values, shortcuts) and every message it
// shows written to the log on its way through. The dialogs are the caller's: the real ones,
// logged, for the wizard; answers from the switches for an unattended run.
#include <memory>

#include "engine/observed_platform.h"
#include "platform/errors.h"
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

// Each change the run made, as a line of the log.
class ChangeLog : public engine::ChangeObserver {
 public:
  // `files`: the platform's below the one observed, to read a written file's size.
  ChangeLog(plat::FileSystem& files, SetupLog& log) : files_(files), log_(log) {}
  void Changed(const engine::Change& change) override;

 private:
  void Written(const std::string& path);

  plat::FileSystem& files_;
  SetupLog& log_;
};

// The log comes first, so that it is whole before the platform that reports to it.
class LoggingPlatform : private ChangeLog, public engine::ObservedPlatform {
 public:
  LoggingPlatform(plat::Platform& inner, SetupLog& log, plat::Dialogs& dialogs);

  plat::Dialogs& Dlg() override { return dialogs_; }

 private:
  plat::Dialogs& dialogs_;
};

}  // namespace unattended
