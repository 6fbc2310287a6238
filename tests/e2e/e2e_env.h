#pragma once
#include <string>

namespace e2e {
extern std::wstring installExe;
}
