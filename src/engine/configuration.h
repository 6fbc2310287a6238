#pragma once
// Each chosen product's configuration after its files are in place: the emulator's INI file
// learns where the FTP programs live, and the FTP programs get their working folders.
#include <array>

#include "engine/copy.h"

namespace engine {

using ProductChoice = std::array<bool, kProductCount>;

// Adds the FTP programs to an existing "Vortel.ini" of the emulator's folder, never replacing
// a value that is there.
void LinkFtpIntoVortelIni(const ProductChoice& chosen);
void ConfigureVortel(const ProductChoice& chosen);
void ConfigureFtpClient(const ProductChoice& chosen);
// Returns false when the user aborted at the sample script's overwrite question.
bool ConfigureFtpBatch(const ProductChoice& chosen, Copier& copier);
void ConfigureFtpServer(const ProductChoice& chosen);

}  // namespace engine
