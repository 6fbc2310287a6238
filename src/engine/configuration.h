#pragma once
// Each chosen product's configuration after its files are in place: the emulator's INI file
// learns where the FTP programs live, and the FTP programs get their working folders.
#include "engine/choices.h"
#include "engine/copy.h"

namespace engine {

// Each works in the folders `dirs` (as TargetDirs).
// Adds the FTP programs to an existing "Vortel.ini" of the emulator's folder, never replacing
// a value that is there.
void LinkFtpIntoVortelIni(plat::Platform& platform, const ProductChoice& chosen,
                          const Folders& dirs);
void ConfigureVortel(plat::Platform& platform, const ProductChoice& chosen, const Folders& dirs);
// A working folder that cannot be made is told to `asked` (the copier's for the batch client).
void ConfigureFtpClient(plat::Platform& platform, const ProductChoice& chosen, const Folders& dirs,
                        sys::Questions& asked);
// Returns false when the user aborted at the sample script's overwrite question.
bool ConfigureFtpBatch(const ProductChoice& chosen, const Folders& dirs, Copier& copier);
void ConfigureFtpServer(plat::Platform& platform, const ProductChoice& chosen, const Folders& dirs,
                        sys::Questions& asked);

}  // namespace engine
