#include "startup/res_meter.h"

#include "platform/platform.h"

namespace startup {

int FreeResourcePercent(int kind) {
  if (plat::Current().Version().IsNtFamily()) return -1;
  return plat::Current().Meter().FreePercent(kind);
}

bool CheckFreeResources(int minSystem, int minUser, int minGdi) {
  if (plat::Current().Version().IsNtFamily()) return true;
  const int system = FreeResourcePercent(kSystemResources);
  const int gdi = FreeResourcePercent(kGdiResources);
  const int user = FreeResourcePercent(kUserResources);
  return system >= minSystem && gdi >= minGdi && user >= minUser;
}

namespace {
std::string Reading(int value) {
  return value >= 0 && value <= 100 ? std::to_string(value) + "%" : "brak danych";
}
}  // namespace

std::string ResourceMeterText() {
  const std::string system = Reading(FreeResourcePercent(kSystemResources));
  const std::string user = Reading(FreeResourcePercent(kUserResources));
  const std::string gdi = Reading(FreeResourcePercent(kGdiResources));
  return "Wolne zasoby:\r    Systemu\t: " + system + "\r    Użytkownika\t: " + user +
         "\r    GDI\t\t: " + gdi;
}

}  // namespace startup
