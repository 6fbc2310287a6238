#include "platform/platform.h"

#include <cstdlib>

namespace plat {
namespace {
Platform* current = nullptr;
}

Platform& Current() {
  // Using the platform before one is installed is a programming error that must not pass
  // silently into undefined behaviour.
  if (!current) std::abort();
  return *current;
}

Platform* SetCurrent(Platform* platform) {
  Platform* previous = current;
  current = platform;
  return previous;
}

}  // namespace plat
