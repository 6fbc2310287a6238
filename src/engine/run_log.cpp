#include "engine/run_log.h"

namespace engine {

namespace {
RunLog nothing;
RunLog* current = &nothing;
}  // namespace

RunLog& Log() {
  return *current;
}

RunLog* SetLog(RunLog* log) {
  RunLog* previous = current == &nothing ? nullptr : current;
  current = log ? log : &nothing;
  return previous;
}

}  // namespace engine
