#include "engine/run_state.h"

namespace engine {

bool StopRequested = false;

}  // namespace engine
