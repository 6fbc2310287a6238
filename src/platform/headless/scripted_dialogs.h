#pragma once
// Dialogs answered by a script: each test states the text it expects and the answer to give.
// A dialog that nobody expected, or with another text, is reported to the test framework and
// raises. The report is what fails the test: the code under test may catch everything.
// Usable on both backends (the Wine tests put it in front of the real registry and shell).
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace plat::headless {

class UnexpectedDialog : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class ScriptedDialogs : public Dialogs {
 public:
  void Expect(const std::string& text, ModalResult answer) {
    script_.push_back({text, answer, false});
  }
  // For texts that name things a test does not control (a file and the system's reason).
  void ExpectStartingWith(const std::string& prefix, ModalResult answer) {
    script_.push_back({prefix, answer, true});
  }
  bool AllAnswered() const { return script_.empty(); }
  // Every dialog shown, in order, as the backend was asked to show it.
  std::vector<DialogRequest> shown;

  ModalResult Show(const DialogRequest& request) override;

  // Set once by the test program (to its framework's failure report).
  static inline std::function<void(const std::string&)> reportMismatch;

 private:
  struct Step {
    std::string text;
    ModalResult answer;
    bool prefixOnly;
  };
  std::deque<Step> script_;
};

}  // namespace plat::headless
