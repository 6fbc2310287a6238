#include "engine/target_dirs.h"

namespace engine {

std::array<std::string, 4> TargetDirs;

}  // namespace engine
