#include "platform/dialogs.h"

#include <algorithm>

#include "platform/platform.h"

namespace plat {

ModalResult ResultOf(DlgButton button) {
  switch (button) {
    case DlgButton::Yes:
      return ModalResult::Yes;
    case DlgButton::No:
      return ModalResult::No;
    case DlgButton::OK:
      return ModalResult::OK;
    case DlgButton::Cancel:
      return ModalResult::Cancel;
    case DlgButton::Abort:
      return ModalResult::Abort;
    case DlgButton::Retry:
      return ModalResult::Retry;
    case DlgButton::Ignore:
      return ModalResult::Ignore;
    case DlgButton::All:
      return ModalResult::All;
    case DlgButton::NoToAll:
      return ModalResult::NoToAll;
    case DlgButton::YesToAll:
      return ModalResult::YesToAll;
    case DlgButton::Help:
      break;
  }
  return ModalResult::None;
}

std::string CaptionOf(DlgType type) {
  switch (type) {
    case DlgType::Warning:
      return " Uwaga";
    case DlgType::Error:
      return " Błąd";
    case DlgType::Information:
      return " Informacja";
    case DlgType::Confirmation:
      break;
  }
  return " Decyzja";
}

std::string CaptionOf(DlgButton button) {
  switch (button) {
    case DlgButton::Yes:
      return "&Tak";
    case DlgButton::No:
      return "&Nie";
    case DlgButton::OK:
      return "OK";
    case DlgButton::Cancel:
      return "&Anuluj";
    case DlgButton::Abort:
      return "&Przerwij";
    case DlgButton::Retry:
      return "Powtó&rz";
    case DlgButton::Ignore:
      return "&Ignoruj";
    case DlgButton::All:
      return "&Wszystkie";
    case DlgButton::NoToAll:
      return "Nie, wszystkie";
    case DlgButton::YesToAll:
      return "Tak, wszystkie";
    case DlgButton::Help:
      break;
  }
  return "&Pomoc";
}

DialogRequest StandardRequest(const std::string& text, DlgType type, std::vector<DlgButton> buttons,
                              int helpContext) {
  std::sort(buttons.begin(), buttons.end());
  buttons.erase(std::unique(buttons.begin(), buttons.end()), buttons.end());
  auto indexOf = [&](DlgButton b) {
    auto it = std::find(buttons.begin(), buttons.end(), b);
    return it == buttons.end() ? -1 : static_cast<int>(it - buttons.begin());
  };
  auto firstOf = [&](std::initializer_list<DlgButton> choice) {
    for (DlgButton b : choice)
      if (indexOf(b) >= 0) return indexOf(b);
    return -1;
  };
  return {text,
          type,
          buttons,
          firstOf({DlgButton::OK, DlgButton::Yes, DlgButton::Retry}),
          firstOf({DlgButton::Cancel, DlgButton::No, DlgButton::OK}),
          helpContext};
}

ModalResult MessageDlg(const std::string& text, DlgType type, std::vector<DlgButton> buttons,
                       int helpContext) {
  return Current().Dlg().Show(StandardRequest(text, type, std::move(buttons), helpContext));
}

ModalResult OrderedMessageDlg(const std::string& text, DlgType type,
                              const std::vector<DlgButton>& buttons, int focus, int cancel,
                              int helpContext) {
  return Current().Dlg().Show({text, type, buttons, focus, cancel, helpContext});
}

}  // namespace plat
