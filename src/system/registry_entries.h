#pragma once
// The products' registry entries: App Paths, the maker's key with folders and versions, the
// package's one Uninstall entry; and the readers a later installation takes its defaults from.
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "system/questions.h"

namespace sys {

// The program-files folder ("C:\Program Files\" when the registry does not say). Never raises.
std::string GetProgramFilesDir(plat::Registry& registry);
// Where the journal and the uninstaller that the system starts elevated live: a folder of
// the system's Common Files, which only administrators and the system may write, ending in "\".
std::string UninstallFolder(plat::Registry& registry);
// One string value; empty when the key or value is missing or not a string. Raises
// plat::ERegistryException when it cannot be read.
std::string ReadRegistryString(plat::Registry& registry, plat::RegRoot root,
                               const std::string& keyPath, const std::string& valueName);
// The "Path" of the program's App Paths entry.
std::string GetAppPathDir(plat::Registry& registry, const std::string& exeName);

// Each writer opens its key below HKEY_LOCAL_MACHINE with creation, reports it (Questions::
// SteppedOver) and goes on when it cannot be opened, and raises plat::ERegistryException for a
// failed write once the key is closed.
void WriteAppPath(plat::RegistryAccessor& reg, const std::string& exeName,
                  const std::string& fullPath, const std::string& dir, Questions& asked);
// An empty productKeyName writes to the maker key itself.
void WriteMakerKey(plat::RegistryAccessor& reg, const std::string& productKeyName,
                   const std::string& path, const std::string& version, Questions& asked);
// The package's entry in "Programs and Features", with what deployment tools read there.
void WriteUninstallEntry(plat::Platform& platform, plat::RegistryAccessor& reg,
                         const std::string& name, const std::string& displayIcon,
                         const std::string& mainFolder, Questions& asked);
// "EstimatedSize" of the package's entry: the installed files' size in KiB.
void WriteEstimatedSize(plat::Registry& registry, uint64_t bytes, Questions& asked);

// Per-product registration with the package's main folder and the product's folder. Registry
// write failures are raised; the file-type question goes to `asked`.
void RegisterEmulator(plat::Platform& platform, const std::string& mainFolder,
                      const std::string& dir, const std::string& productKeyName,
                      const std::string& exeName, Questions& asked);
void RegisterFtpClient(plat::Platform& platform, const std::string& mainFolder,
                       const std::string& dir, Questions& asked);
void RegisterFtpBatch(plat::Platform& platform, const std::string& mainFolder,
                      const std::string& dir, Questions& asked);
void RegisterFtpServer(plat::Platform& platform, const std::string& mainFolder,
                       const std::string& dir, Questions& asked);

}  // namespace sys
