#pragma once
// The licence viewer: a dialog that holds the four agreements and the maker's address as the
// lines of hidden text boxes. The wizard builds one, takes the assembled text and destroys it
// unseen; only its Memo1 would ever be shown.
#include <string>
#include <vector>

#include "platform/gui.h"

namespace wizard {

class TLicViewerForm : public plat::gui::Form {
 public:
  // `agreementKind` selects the agreement: 1 emulator, 2 FTP client, 3 FTP server, any other
  // value the whole package.
  TLicViewerForm(plat::gui::Component* owner, std::string name, int agreementKind);

  plat::gui::Memo* Memo1;
  plat::gui::Memo* MemoVortel;
  plat::gui::Memo* MemoFTPCli;
  plat::gui::Memo* MemoFTPSrv;
  plat::gui::Memo* MemoVortelPRO;
  plat::gui::Memo* MemoAddrNew;
  plat::gui::Button* Button1;

 private:
  void FormCreate(int agreementKind);
};

// The text the licence page shows for a medium: the agreement followed by the address block.
std::vector<std::string> AgreementLines(int agreementKind);

}  // namespace wizard
