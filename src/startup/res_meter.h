#pragma once
// How much of the system, user and GDI resources is free, on the older Windows family where
// the platform reports it. On the NT family the check passes and nothing is read.
#include <string>

namespace startup {

enum ResourceKind { kSystemResources = 0, kGdiResources = 1, kUserResources = 2 };

// The free percentage, or -1 when no reading is possible.
int FreeResourcePercent(int kind);
// Note the order of the minimums: system, user, GDI.
bool CheckFreeResources(int minSystem, int minUser, int minGdi);
// The three readings for a message: "Wolne zasoby:\r    Systemu\t: 12%\r..." ("brak danych"
// where a reading is missing or out of range). Every reading is taken afresh.
std::string ResourceMeterText();

}  // namespace startup
