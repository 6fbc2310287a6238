#pragma once
// Modal message dialogs. The platform shows exactly the buttons it is given, in the given
// order; the standard choice of order, focused button and Esc button is made here, above the
// backends, so both backends agree on it.
#include <string>
#include <vector>

namespace plat {

enum class DlgType { Warning, Error, Information, Confirmation };

enum class DlgButton { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help };

// What a dialog returns: the pressed button, or Cancel when the window was closed otherwise
// (close box, Alt+F4) and no button answers Esc.
enum class ModalResult { None, OK, Cancel, Abort, Retry, Ignore, Yes, No, All, NoToAll, YesToAll };

ModalResult ResultOf(DlgButton button);
// " Uwaga", " Błąd", " Informacja", " Decyzja" (with the leading blank).
std::string CaptionOf(DlgType type);
// "&Tak", "&Nie", "OK", "&Anuluj", "&Przerwij", "Powtó&rz", "&Ignoruj", "&Wszystkie",
// "Nie, wszystkie", "Tak, wszystkie", "&Pomoc".
std::string CaptionOf(DlgButton button);

struct DialogRequest {
  std::string text;  // lines separated by a single "\r"
  DlgType type;
  std::vector<DlgButton> buttons;  // left to right
  int focus;                       // index of the button with the focus; -1: the first
  int cancel;                      // index of the button that Esc presses; -1: none
  int helpContext;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows the dialog modally, centred on the screen, and returns the result.
  virtual ModalResult Show(const DialogRequest& request) = 0;
};

// The standard dialog: the buttons of the set in their fixed order (Yes, No, OK, Cancel, Abort,
// Retry, Ignore, All, No to all, Yes to all, Help); the focus on OK, else Yes, else Retry; Esc
// on Cancel, else No, else OK.
DialogRequest StandardRequest(const std::string& text, DlgType type, std::vector<DlgButton> buttons,
                              int helpContext = 0);
// The standard dialog, shown.
ModalResult MessageDlg(const std::string& text, DlgType type, std::vector<DlgButton> buttons,
                       int helpContext = 0);
// The caller decides the order, the focused button and the Esc button (-1: none).
ModalResult OrderedMessageDlg(const std::string& text, DlgType type,
                              const std::vector<DlgButton>& buttons, int focus, int cancel,
                              int helpContext = 0);

}  // namespace plat
