#include "startup/entry.h"

namespace startup {

int ProgramMain(const std::vector<std::string>&) {
  // The start-up checks and the background window with the wizard come here.
  return 0;
}

}  // namespace startup
