#pragma once
// The user's choices for one installation and the rules that derive them from the medium and
// the registry. The wizard's pages copy between this model and their controls; the unattended
// run applies its switches to it. Each rule lives here once, so a run without the wizard
// installs what the wizard would have proposed.
#include <array>
#include <optional>
#include <string>

#include "engine/catalogue.h"
#include "engine/medium_kind.h"
#include "engine/target_dirs.h"
#include "platform/platform.h"

namespace engine {

using ProductChoice = std::array<bool, kProductCount>;

// The options page, in the order of its boxes.
enum Option { kDesktopVortel = 0, kDesktopFtpClient = 1, kAutostartFtpServer = 2 };
constexpr int kOptionCount = 3;
struct OptionInfo {
  const char* task;  // its name on the command line
  int product;       // the option exists only while this product is chosen
  bool defaultTicked;
};
extern const std::array<OptionInfo, kOptionCount> Options;

// The answers to the run's questions that nobody is there to give: whether existing files are
// replaced ("Nadpisać ?") and whether other programs' file types are taken over. The wizard
// asks the user instead.
struct Answers {
  bool overwriteAll = true;
  bool associate = true;
};

struct InstallChoices {
  ProductChoice products{};  // by product index
  FolderTexts folders;
  // Options count only when the option is offered (its product chosen) and ticked.
  std::array<bool, kOptionCount> options{};
  Answers answers;
  // The Start-menu group; no page offers it, only /NOICONS (or a /LOADINF file) leaves it out.
  bool programGroup = true;
  // Nobody watches the run: what the wizard steps over after the files are copied (a shortcut
  // or a key that cannot be made) fails the registration instead of passing unseen.
  bool unattended = false;
};

// Every product on the medium, as the product page ticks them when first shown.
ProductChoice OfferedProducts(const MediumKind& medium);
bool AnyProduct(const ProductChoice& chosen);

// The main folder: the one an earlier installation recorded (exactly as stored), else
// "<Program Files>\NorvikSoft\VortelPRO\". A registry that cannot be read counts as empty.
std::string DefaultMainFolder(plat::Platform& platform);
// Whether slot `slot` of TargetDirs serves a chosen product; the main folder always does.
bool SlotInUse(int slot, const ProductChoice& chosen);
// The folder page as it is entered: the default main folder, and each product row the
// program's App Paths folder (made relative when below the main folder) or its default.
FolderTexts ProposedFolders(plat::Platform& platform);
// The folder page's reaction to a main folder other than the default (letter case, blanks and
// a final "\" aside): the rows in use go back to their default subfolders.
void ApplyMainFolder(plat::Platform& platform, FolderTexts& folders, const std::string& mainFolder,
                     const ProductChoice& chosen);
// The main folder as the folder page's check takes it: without surrounding blanks. It must name
// one folder whatever the current folder is and whatever the system makes of it (see
// sys::ResolvedFolder); "." and ".." levels and doubled separators are resolved when the
// installation's folders are computed.
std::string TrimmedMainFolder(const std::string& text);
bool AcceptableMainFolder(const std::string& trimmed);
// The same rule for every folder of the chosen products: the first one refused (the main folder
// trimmed, a product folder as composed with it), or none when all are accepted. A folder
// reached through a junction or link is refused too.
std::optional<std::string> RefusedFolder(plat::FileSystem& files, const FolderTexts& folders,
                                         const ProductChoice& chosen);
// How the wizard and the silent run name a refused folder.
std::string RefusedFolderText(const std::string& folder);

// Whether option `option` is offered for the chosen products.
bool OptionOffered(int option, const ProductChoice& chosen);
// An option not offered is not ticked (and stays so until ticked again).
void DropUnofferedOptions(InstallChoices& choices);
// The options as the page leaves them untouched: ticked by default where offered.
void ApplyDefaultOptions(InstallChoices& choices);

}  // namespace engine
