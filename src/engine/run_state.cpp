#include "engine/run_state.h"

namespace engine {

bool CloseWithoutAsking = false;

}  // namespace engine
