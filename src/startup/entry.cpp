#include "startup/entry.h"

#include "engine/mastering.h"
#include "platform/text.h"

namespace startup {

int ProgramMain(const std::vector<std::string>& args) {
  if (!args.empty() && plat::InvariantUpper(args[0]) == "DISC") return engine::MasterMedium(args);
  // The start-up checks and the background window with the wizard come here.
  return 0;
}

}  // namespace startup
