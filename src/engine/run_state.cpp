#include "engine/run_state.h"

namespace engine {

bool CloseWithoutAsking = false;
int ExitCode = 0;

}  // namespace engine
