#pragma once
// The settings file of /SAVEINF and /LOADINF: one run's choices as UTF-8 INI text, so that an
// administrator records one wizard run and replays it on many machines. Its keys are the
// choices' switches without the "/" (and NoIcons=yes|no); ParseSwitches reads it back.
#include <string>

#include "engine/choices.h"
#include "platform/platform.h"

namespace unattended {

std::string FormatInf(const engine::InstallChoices& choices);

// The whole file through the platform; raise plat::EFileError.
std::string ReadTextFile(plat::FileSystem& files, const std::string& path);
void WriteTextFile(plat::OutputFile& file, const std::string& text);

}  // namespace unattended
