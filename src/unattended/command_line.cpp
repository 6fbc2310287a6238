#include "unattended/command_line.h"

#include "engine/catalogue.h"
#include "engine/exit_codes.h"
#include "system/paths.h"

namespace unattended {

const std::array<SwitchInfo, 22> SwitchTable = {{
    {"?", SwitchValue::None, ""},
    {"HELP", SwitchValue::None, ""},
    {"SILENT", SwitchValue::None, "/SILENT - instalacja bez kreatora, tylko okno postępu"},
    {"VERYSILENT", SwitchValue::None, "/VERYSILENT - instalacja bez żadnego okna"},
    {"DIR", SwitchValue::Required, "/DIR=\"katalog\" - katalog docelowy pakietu"},
    {"DIR0", SwitchValue::Required,
     "/DIR0=, /DIR1=, /DIR3= - katalogi emulatora, klientów FTP i serwera FTP"},
    {"DIR1", SwitchValue::Required, ""},
    {"DIR3", SwitchValue::Required, ""},
    {"COMPONENTS", SwitchValue::Required,
     "/COMPONENTS=vortel,ftpclient,ftpbatch,ftpserver - instalowane produkty"},
    {"TASKS", SwitchValue::Required,
     "/TASKS=desktopvortel,desktopftp,autostartftpserver - opcje dodatkowe"},
    {"OVERWRITE", SwitchValue::Required, "/OVERWRITE=all|none - nadpisywanie istniejących plików"},
    {"ASSOCIATE", SwitchValue::Required, "/ASSOCIATE=yes|no - przejmowanie skojarzeń rozszerzeń"},
    {"NOICONS", SwitchValue::None, "/NOICONS - bez grupy programów w menu Start"},
    {"LOADINF", SwitchValue::Required, "/LOADINF=\"plik\" - ustawienia instalacji z pliku"},
    {"SAVEINF", SwitchValue::Required, "/SAVEINF=\"plik\" - zapis ustawień instalacji do pliku"},
    {"LOG", SwitchValue::Optional, "/LOG[=\"plik\"] - dziennik instalacji (UTF-8)"},
    {"SUPPRESSMSGBOXES", SwitchValue::None,
     "/SUPPRESSMSGBOXES - bez okien komunikatów tam, gdzie jest odpowiedź domyślna"},
    {"NORESTART", SwitchValue::None,
     "/NORESTART, /SP-, /NOCANCEL, /CLOSEAPPLICATIONS, /NOCLOSEAPPLICATIONS - przyjmowane i "
     "pomijane"},
    {"SP-", SwitchValue::None, ""},
    {"NOCANCEL", SwitchValue::None, ""},
    {"CLOSEAPPLICATIONS", SwitchValue::None, ""},
    {"NOCLOSEAPPLICATIONS", SwitchValue::None, ""},
}};

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

const SwitchInfo* Find(const std::string& name) {
  for (const SwitchInfo& info : SwitchTable)
    if (name == info.name) return &info;
  return nullptr;
}

// Fills `out` from one switch; returns the fault, or an empty text.
std::string Apply(const std::string& word, Switches& out) {
  const size_t equals = word.find('=');
  const bool hasValue = equals != std::string::npos;
  const std::string name = AsciiUpper(word.substr(1, hasValue ? equals - 1 : std::string::npos));
  const std::string value = hasValue ? word.substr(equals + 1) : std::string();
  const std::string shown = "/" + name;

  const SwitchInfo* info = Find(name);
  if (!info) return "Nieznany parametr wiersza poleceń: \"" + word + "\".";
  if (info->value == SwitchValue::None && hasValue)
    return "Parametr " + shown + " nie przyjmuje wartości.";
  if (info->value == SwitchValue::Required && !hasValue)
    return "Parametr " + shown + " wymaga wartości (" + shown + "=...).";
  if (name == "SILENT" && out.mode == Mode::Wizard) out.mode = Mode::Silent;
  if (name == "VERYSILENT") out.mode = Mode::VerySilent;
  if (name == "?" || name == "HELP") out.help = true;
  if (name == "NOICONS") out.noIcons = true;
  if (name == "SUPPRESSMSGBOXES") out.suppressMsgBoxes = true;
  if (info->value == SwitchValue::None) return std::string();
  if (name == "LOG") {
    if (hasValue && value.empty()) return "Parametr /LOG= wymaga nazwy pliku.";
    out.log = true;
    out.logFile = value;
    return std::string();
  }
  if (name == "LOADINF" || name == "SAVEINF") {
    if (sys::TrimSpaces(value).empty()) return "Parametr " + shown + " wymaga nazwy pliku.";
    (name == "LOADINF" ? out.loadInf : out.saveInf) = value;
    return std::string();
  }
  std::optional<std::string>* folder = name == "DIR"    ? &out.mainFolder
                                       : name == "DIR0" ? &out.emulator
                                       : name == "DIR1" ? &out.ftpClients
                                       : name == "DIR3" ? &out.ftpServer
                                                        : nullptr;
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
  } else if (name == "ASSOCIATE") {
    if (!Same(value, "yes") && !Same(value, "no"))
      return "Parametr /ASSOCIATE przyjmuje wartość yes albo no, nie \"" + value + "\".";
    out.answers.associate = Same(value, "yes");
  } else {
    // A switch in the table that takes a value nobody reads would be accepted and ignored.
    return "Nieznany parametr wiersza poleceń: \"" + word + "\".";
  }
  return std::string();
}

// The keys of a /LOADINF file: the choices' switches without their "/", and NoIcons as yes/no.
std::string ApplyInfLine(const std::string& line, Switches& out) {
  if (line[0] == '[') return "nieznana sekcja \"" + line + "\" (dozwolona: [Setup]).";
  const size_t equals = line.find('=');
  if (equals == std::string::npos) return "oczekiwano klucz=wartość.";
  const std::string key = AsciiUpper(sys::TrimSpaces(line.substr(0, equals)));
  std::string value = sys::TrimSpaces(line.substr(equals + 1));
  // Hand-edited files may quote a folder as the command line does.
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  if (key == "NOICONS") {
    if (!Same(value, "yes") && !Same(value, "no"))
      return "NoIcons przyjmuje wartość yes albo no, nie \"" + value + "\".";
    out.noIcons = Same(value, "yes");
    return std::string();
  }
  for (const char* known :
       {"COMPONENTS", "DIR", "DIR0", "DIR1", "DIR3", "TASKS", "OVERWRITE", "ASSOCIATE"})
    if (key == known) return Apply("/" + key + "=" + value, out);
  return "nieznany klucz \"" + sys::TrimSpaces(line.substr(0, equals)) + "\".";
}

void ApplyInf(const std::string& text, Switches& out) {
  const std::string bom = "\xEF\xBB\xBF";
  size_t start = text.compare(0, bom.size(), bom) == 0 ? bom.size() : 0;
  for (int number = 1; start <= text.size() && out.error.empty(); ++number) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    const std::string trimmed = sys::TrimSpaces(line);
    if (trimmed.empty() || trimmed[0] == ';' || Same(trimmed, "[Setup]")) continue;
    const std::string fault = ApplyInfLine(trimmed, out);
    if (!fault.empty())
      out.error.append("Plik /LOADINF, wiersz ").append(std::to_string(number)).append(": ") +=
          fault;
  }
}

}  // namespace

const char* ComponentName(int product) {
  return kComponentNames[product];
}

Switches ParseSwitches(const std::vector<std::string>& args, const std::string* inf) {
  Switches out;
  if (inf) ApplyInf(*inf, out);
  for (const std::string& word : args) {
    const std::string fault = word.empty() || word[0] != '/'
                                  ? "Nieznany parametr wiersza poleceń: \"" + word + "\"."
                                  : Apply(word, out);
    if (out.error.empty()) out.error = fault;
  }
  const bool choices = out.mainFolder || out.emulator || out.ftpClients || out.ftpServer ||
                       out.components || out.tasks || out.loadInf;
  if (out.error.empty() && !out.help && choices && out.mode == Mode::Wizard)
    out.error =
        "Parametry /DIR, /DIR0, /DIR1, /DIR3, /COMPONENTS, /TASKS i /LOADINF działają tylko z "
        "/SILENT albo /VERYSILENT.";
  return out;
}

std::string HelpText() {
  std::string text = "Instalator pakietu Vortel PRO - parametry wiersza poleceń:\r\r";
  for (const SwitchInfo& info : SwitchTable)
    if (*info.help) text.append(info.help).append("\r");
  text += "\rKody wyjścia:";
  for (const engine::ExitCodeInfo& exit : engine::ExitCodes)
    text += std::string(exit.code == 0 ? " " : ", ") + std::to_string(exit.code) + " " + exit.brief;
  return text + ".";
}

}  // namespace unattended
