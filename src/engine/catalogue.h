#pragma once
// The package's contents, compiled in: products, the files of each in installation order, the
// working folders some of them need, and the names the files bear on the medium.
#include <array>
#include <string>
#include <vector>

namespace engine {

// A product's index is also its item in the wizard's product list.
enum Product { kVortel = 0, kFtpClient = 1, kFtpBatch = 2, kFtpServer = 3 };
constexpr int kProductCount = 4;

struct ProductInfo {
  const char* caption;  // as the product list shows it (two blanks before "ver.")
  int targetSlot;       // index into TargetDirs
  const char* program;  // main program file
  const char* defaultSubfolder;
};
extern const std::array<ProductInfo, kProductCount> Products;
// The TargetDirs slot that holds a product's files.
inline int SlotOf(int product) {
  return Products[product].targetSlot;
}

// Bare file names; order matters, because files are installed in list order and the first
// failure stops the list.
using FileList = std::vector<std::string>;
extern const FileList CommonFiles;
// What the uninstall folder receives: the uninstaller that the system starts elevated.
extern const FileList UninstallerFiles;
extern const FileList VortelFiles;
extern const FileList FtpClientFiles;
extern const FileList FtpBatchFiles;
extern const FileList FtpBatchScripts;
extern const FileList FtpManualFiles;
extern const FileList FtpServerFiles;
// Folders relative to the product's target folder.
extern const FileList FtpClientFolders;
extern const FileList FtpBatchFolders;
extern const FileList FtpServerFolders;

inline int LastIndex(const FileList& list) {
  return static_cast<int>(list.size()) - 1;
}

// How an entry travels on the medium, decided by its name alone.
enum class EntryKind {
  Installer,  // "Install.exe": the medium carries the installer itself; never installed
  Stored,     // a name with a "." anywhere: one zlib stream under StoredName
  Plain,      // a name without a ".": a byte-for-byte copy under the same name
};
EntryKind KindOf(const std::string& entry);

// The name on the medium: the last character replaced by "_" ("Vortel.exe" -> "Vortel.ex_").
std::string StoredName(const std::string& name);

}  // namespace engine
