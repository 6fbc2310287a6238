#pragma once
// What the product, folder and options pages offer before the user changes anything, and the
// rule the folder page's check applies to the main folder. The wizard's pages and the
// unattended run both start from here, so a run without the wizard installs what the wizard
// would have proposed.
#include <array>
#include <string>

#include "engine/installation.h"

namespace engine {

// Every product on the medium, as the product page ticks them when first shown.
ProductChoice OfferedProducts();

// The main folder: the one an earlier installation recorded (exactly as stored), else
// "<Program Files>\NorvikSoft\VortelPRO\". A registry that cannot be read counts as empty.
std::string DefaultMainFolder();
// A product row's folder text: the program's App Paths folder, below `mainFolderText` (compared
// without regard to case, the text taken as it stands) made relative to it; else
// `defaultSubfolder`.
std::string ProductSubfolder(const std::string& program, const std::string& defaultSubfolder,
                             const std::string& mainFolderText);

// The folder page's product rows: edPath0, edPath1 (shared by the two FTP clients), edPath3.
struct FolderRow {
  const char* program;           // looked up in App Paths
  const char* defaultSubfolder;  // what the row falls back to
  std::string FolderTexts::*text;
};
extern const std::array<FolderRow, 3> FolderRows;
// Whether row `row` is enabled (serves a chosen product).
bool RowInUse(int row, const ProductChoice& chosen);
// The folder page as it is entered: the default main folder and every row proposed below it.
FolderTexts ProposedFolders();
// The folder page's reaction to a main folder other than the default (letter case, blanks and
// a final "\" aside): the rows in use go back to their default subfolders.
void ApplyMainFolder(FolderTexts& folders, const std::string& mainFolder,
                     const ProductChoice& chosen);

// "C:\..." or "\\server\share\..." once completed with a final "\": only such a main folder
// names one folder whatever the current folder is.
bool IsFullFolderPath(const std::string& folder);

// The options page: each option's product and whether its box starts ticked.
struct OptionInfo {
  const char* task;  // its name on the command line
  int product;
  bool defaultTicked;
  bool InstallChoices::*chosen;
};
extern const std::array<OptionInfo, 3> Options;
// The options as the page leaves them untouched: ticked by default and enabled.
void ApplyDefaultOptions(InstallChoices& choices);

}  // namespace engine
