#include "startup/components.h"

#include "platform/platform.h"
#include "platform/text.h"

namespace startup {

namespace {

const char* const kProductTitles[] = {"Vortel", "Klient FTP", "Wsadowy klient FTP", "Serwer FTP"};
const char* const kProductExecutables[] = {"Vortel.exe", "NorvikFTP.exe", "NorvikFTPBatch.exe",
                                           "NorvikFTPSrv.exe"};
const char kApplicationClass[] = "TApplication";
const char kBatchFormClass[] = "TVortelFTPWsadForm";

// Titles are compared with only a-z upper-cased, as the check always has.
std::string AsciiUpper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool FoundBy(bool (*test)(plat::WindowId)) {
  bool found = false;
  plat::Current().Windows().EnumTopLevelWindows([&](plat::WindowId w) {
    found = test(w);
    return !found;
  });
  return found;
}

}  // namespace

bool IsAnyComponentRunning() {
  return FoundBy(ComponentWindowTest) || FoundBy(ComponentProcessTest);
}

bool ComponentWindowTest(plat::WindowId window) {
  auto& desktop = plat::Current().Windows();
  const std::string cls = desktop.ClassName(window);
  if (cls == kApplicationClass && !desktop.IsOwnApplicationWindow(window)) {
    const std::string title = AsciiUpper(desktop.Title(window));
    for (const char* name : kProductTitles)
      if (title.find(AsciiUpper(name)) != std::string::npos) return true;
  }
  return cls == kBatchFormClass;
}

bool ComponentProcessTest(plat::WindowId window) {
  auto& desktop = plat::Current().Windows();
  if (desktop.ClassName(window) != kApplicationClass || desktop.IsOwnApplicationWindow(window))
    return false;
  const std::string path = WindowExeName(window);
  const size_t cut = path.find_last_of("\\:");
  auto& text = plat::Current().Texts();
  const std::string file = text.UpperCase(cut == std::string::npos ? path : path.substr(cut + 1));
  for (const char* exe : kProductExecutables)
    if (file == text.UpperCase(exe)) return true;
  return false;
}

std::string WindowExeName(plat::WindowId window) {
  auto& desktop = plat::Current().Windows();
  uint32_t threadId = 0, processId = 0;
  desktop.ThreadAndProcess(window, threadId, processId);
  if (threadId == 0 || processId == 0) return std::string();
  for (const auto& entry : desktop.ProcessSnapshot())
    if (entry.processId == processId) return entry.exeFile;
  return std::string();
}

}  // namespace startup
