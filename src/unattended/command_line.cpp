#include "unattended/command_line.h"

#include "engine/catalogue.h"
#include "system/paths.h"

namespace unattended {

namespace {

const char* const kComponentNames[engine::kProductCount] = {"vortel", "ftpclient", "ftpbatch",
                                                            "ftpserver"};

// Switch names and their fixed values are ASCII: only a-z are folded.
std::string AsciiUpper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool Same(const std::string& a, const char* b) {
  return AsciiUpper(a) == AsciiUpper(b);
}

std::vector<std::string> SplitList(const std::string& value) {
  std::vector<std::string> items;
  size_t start = 0;
  for (;;) {
    const size_t comma = value.find(',', start);
    items.push_back(sys::TrimSpaces(value.substr(start, comma - start)));
    if (comma == std::string::npos) return items;
    start = comma + 1;
  }
}

// Fills `out` from one switch; returns the fault, or an empty text.
std::string Apply(const std::string& word, Switches& out) {
  const size_t equals = word.find('=');
  const bool hasValue = equals != std::string::npos;
  const std::string name = AsciiUpper(word.substr(1, hasValue ? equals - 1 : std::string::npos));
  const std::string value = hasValue ? word.substr(equals + 1) : std::string();
  const std::string shown = "/" + name;

  if (name == "?" || name == "HELP" || name == "SILENT" || name == "VERYSILENT" ||
      name == "NORESTART") {
    if (hasValue) return "Parametr " + shown + " nie przyjmuje wartości.";
    if (name == "SILENT" && out.mode == Mode::Wizard) out.mode = Mode::Silent;
    if (name == "VERYSILENT") out.mode = Mode::VerySilent;
    if (name == "?" || name == "HELP") out.help = true;
    return std::string();
  }
  if (name == "LOG") {
    if (hasValue && value.empty()) return "Parametr /LOG= wymaga nazwy pliku.";
    out.log = true;
    out.logFile = value;
    return std::string();
  }
  std::optional<std::string>* folder = name == "DIR"    ? &out.mainFolder
                                       : name == "DIR0" ? &out.emulator
                                       : name == "DIR1" ? &out.ftpClients
                                       : name == "DIR3" ? &out.ftpServer
                                                        : nullptr;
  const bool known = folder || name == "COMPONENTS" || name == "TASKS" || name == "OVERWRITE" ||
                     name == "ASSOCIATE";
  if (!known) return "Nieznany parametr wiersza poleceń: \"" + word + "\".";
  if (!hasValue) return "Parametr " + shown + " wymaga wartości (" + shown + "=...).";
  if (folder) {
    // An empty product folder is the main folder itself, as on the folder page.
    if (name == "DIR" && sys::TrimSpaces(value).empty()) return "Parametr /DIR nie może być pusty.";
    *folder = value;
  } else if (name == "COMPONENTS") {
    engine::ProductChoice chosen{};
    for (const std::string& item : SplitList(value)) {
      int found = -1;
      for (int i = 0; i < engine::kProductCount; ++i)
        if (Same(item, kComponentNames[i])) found = i;
      if (found < 0)
        return "Nieznany produkt w /COMPONENTS: \"" + item +
               "\" (dozwolone: vortel, ftpclient, ftpbatch, ftpserver).";
      chosen[found] = true;
    }
    out.components = chosen;
  } else if (name == "TASKS") {
    std::vector<int> tasks;
    if (!sys::TrimSpaces(value).empty()) {
      for (const std::string& item : SplitList(value)) {
        int found = -1;
        for (int i = 0; i < engine::kOptionCount; ++i)
          if (Same(item, engine::Options[i].task)) found = i;
        if (found < 0)
          return "Nieznane zadanie w /TASKS: \"" + item +
                 "\" (dozwolone: desktopvortel, desktopftp, autostartftpserver).";
        tasks.push_back(found);
      }
    }
    out.tasks = tasks;
  } else if (name == "OVERWRITE") {
    if (!Same(value, "all") && !Same(value, "none"))
      return "Parametr /OVERWRITE przyjmuje wartość all albo none, nie \"" + value + "\".";
    out.answers.overwriteAll = Same(value, "all");
  } else {
    if (!Same(value, "yes") && !Same(value, "no"))
      return "Parametr /ASSOCIATE przyjmuje wartość yes albo no, nie \"" + value + "\".";
    out.answers.associate = Same(value, "yes");
  }
  return std::string();
}

}  // namespace

const char* ComponentName(int product) {
  return kComponentNames[product];
}

Switches ParseSwitches(const std::vector<std::string>& args) {
  Switches out;
  for (const std::string& word : args) {
    const std::string fault = word.empty() || word[0] != '/'
                                  ? "Nieznany parametr wiersza poleceń: \"" + word + "\"."
                                  : Apply(word, out);
    if (out.error.empty()) out.error = fault;
  }
  const bool choices = out.mainFolder || out.emulator || out.ftpClients || out.ftpServer ||
                       out.components || out.tasks;
  if (out.error.empty() && !out.help && choices && out.mode == Mode::Wizard)
    out.error =
        "Parametry /DIR, /DIR0, /DIR1, /DIR3, /COMPONENTS i /TASKS działają tylko z "
        "/SILENT albo /VERYSILENT.";
  return out;
}

std::string HelpText() {
  return "Instalator pakietu Vortel PRO - parametry wiersza poleceń:\r\r"
         "/SILENT - instalacja bez kreatora, tylko okno postępu\r"
         "/VERYSILENT - instalacja bez żadnego okna\r"
         "/DIR=\"katalog\" - katalog docelowy pakietu\r"
         "/DIR0=, /DIR1=, /DIR3= - katalogi emulatora, klientów FTP i serwera FTP\r"
         "/COMPONENTS=vortel,ftpclient,ftpbatch,ftpserver - instalowane produkty\r"
         "/TASKS=desktopvortel,desktopftp,autostartftpserver - opcje dodatkowe\r"
         "/OVERWRITE=all|none - nadpisywanie istniejących plików\r"
         "/ASSOCIATE=yes|no - przejmowanie skojarzeń rozszerzeń\r"
         "/LOG[=\"plik\"] - dziennik instalacji (UTF-8)\r"
         "/NORESTART - przyjmowany i pomijany\r\r"
         "Kody wyjścia: 0 zainstalowano, 1 błędny wiersz poleceń, 2 odmowa uruchomienia, "
         "3 nie można utworzyć katalogu, 4 błąd kopiowania pliku, 5 przerwano, "
         "6 błąd rejestracji.";
}

}  // namespace unattended
