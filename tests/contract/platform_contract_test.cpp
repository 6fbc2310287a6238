#include "contract/platform_contract.h"

#include <utility>
#include <vector>

#include "platform/errors.h"

namespace plat {
void PrintTo(const RegValue& value, std::ostream* out) {
  *out << static_cast<int>(value.kind) << " \"" << value.text << "\" " << value.number;
}
}  // namespace plat

namespace contract {
namespace {

using plat::RegRoot;
using Kind = plat::RegValue::Kind;
using Reason = plat::EFileError::Reason;

void Put(plat::FileSystem& files, const std::string& path, const std::string& data) {
  auto out = files.Create(path);
  out->Write(data.data(), data.size());
  out->Close();
}

std::string Get(plat::FileSystem& files, const std::string& path) {
  auto in = files.OpenRead(path);
  std::string data;
  char buffer[256];
  while (size_t n = in->Read(buffer, sizeof buffer)) data.append(buffer, n);
  return data;
}

template <typename Call>
Reason FailureOf(Call call) {
  try {
    call();
  } catch (const plat::EFileError& e) {
    return e.Why();
  }
  return Reason::Other;
}

TEST_P(PlatformContract, FilesAreReplacedOnlyWhenAskedAndNamesMatchInAnyCase) {
  auto& files = platform.Files();
  const std::string target = dir + "Cel.txt", other = dir + "nowy.tmp";
  Put(files, target, "stare");
  Put(files, other, "nowe");
  EXPECT_EQ(Get(files, dir + "CEL.TXT"), "stare");
  // A taken name is never overwritten by the calls that make a new file or a new name.
  EXPECT_EQ(files.CreateNew(dir + "cel.TXT"), nullptr);
  EXPECT_FALSE(files.Rename(other, dir + "CEL.txt"));
  EXPECT_FALSE(files.CopyNew(other, dir + "cel.txt"));
  // Read-only: only Replace, which the overwrite answer chose, puts another file in its place.
  ASSERT_TRUE(files.SetAttributes(target, plat::kAttrReadOnly));
  EXPECT_TRUE(files.GetAttributes(dir + "cel.txt") & plat::kAttrReadOnly);
  if (!backend->Wine()) {
    EXPECT_EQ(FailureOf([&] { files.Create(target); }), Reason::AccessDenied);
    EXPECT_FALSE(files.Remove(target));
  }
  EXPECT_EQ(Get(files, target), "stare");
  EXPECT_TRUE(files.Replace(other, dir + "cel.txt"));
  EXPECT_EQ(Get(files, target), "nowe");
  EXPECT_FALSE(files.GetAttributes(target) & plat::kAttrReadOnly);
  EXPECT_EQ(files.GetAttributes(other), plat::kInvalidAttributes);
  Put(files, target, "trzecie");
  EXPECT_EQ(files.FileSize(dir + "CEL.txt"), 7u);
  EXPECT_TRUE(files.Rename(target, other));
  EXPECT_EQ(files.GetAttributes(target), plat::kInvalidAttributes);
  EXPECT_EQ(FailureOf([&] { files.OpenRead(target); }), Reason::NotFound);
  EXPECT_EQ(FailureOf([&] { files.Create(dir + "brak\\plik.txt"); }), Reason::NotFound);
  // A discarded file goes through its own handle, never taking what took its name meanwhile.
  {
    auto made = files.Create(dir + "zbędny");
    ASSERT_TRUE(files.Rename(dir + "zbędny", dir + "gdzie"));
    Put(files, dir + "zbędny", "obcy");
    made->Discard();
  }
  EXPECT_EQ(Get(files, dir + "zbędny"), "obcy");
  files.Create(dir + "zbędny2")->Discard();
  EXPECT_EQ(files.GetAttributes(dir + "zbędny2"), plat::kInvalidAttributes);
  // Folders: one level at a time, removed only when empty.
  EXPECT_TRUE(files.CreateFolder(dir + "Pod"));
  EXPECT_FALSE(files.CreateFolder(dir + "POD"));
  EXPECT_FALSE(files.CreateFolder(dir + "a\\b"));
  EXPECT_TRUE(files.GetAttributes(dir + "pod") & plat::kAttrDirectory);
  Put(files, dir + "pod\\Plik", "");
  EXPECT_EQ(files.List(dir + "POD\\"), std::vector<std::string>{"Plik"});
  EXPECT_FALSE(files.RemoveFolder(dir + "pod"));
  EXPECT_TRUE(files.Remove(dir + "POD\\plik"));
  EXPECT_TRUE(files.RemoveFolder(dir + "pod"));
  // A link planted at the name is replaced, what it points to left alone.
  backend->PlantLink(target, other);
  EXPECT_EQ(files.CreateNew(target), nullptr);
  Put(files, target, "własny");
  EXPECT_EQ(Get(files, other), "trzecie");
  EXPECT_EQ(Get(files, target), "własny");
}

TEST_P(PlatformContract, RegistryValuesKeepTheirKindAndNamesMatchInAnyCase) {
  auto reg = platform.Reg().NewAccessor();
  EXPECT_FALSE(reg->OpenKey(kUserKey + "\\Klucz", false));
  EXPECT_EQ(reg->OpenError(), 2u);
  ASSERT_TRUE(reg->OpenKey("\\" + kUserKey + "\\Klucz", true));
  reg->WriteString("Tekst", "zażółć");
  reg->WriteExpandString("Rozwijany", "%SystemRoot%\\x");
  reg->WriteNumber("Liczba", 0xFFFFFFFE);
  reg->WriteString("", "domyślna");
  ASSERT_TRUE(reg->OpenKey("SOFTWARE\\vortel-kontrakt\\KLUCZ\\", false));
  const std::pair<const char*, plat::RegValue> values[] = {
      {"TEKST", {Kind::String, "zażółć", 0}},
      {"rozwijany", {Kind::ExpandString, "%SystemRoot%\\x", 0}},  // unexpanded
      {"liczba", {Kind::Number, "", 0xFFFFFFFE}},
      {"", {Kind::String, "domyślna", 0}},
      {"Brak", {}}};
  for (const auto& [name, value] : values) EXPECT_EQ(reg->ReadValue(name), value) << name;
  // As a text, a number names nothing, as a missing value does.
  EXPECT_EQ(reg->ReadString("Liczba"), "");
  EXPECT_EQ(reg->ReadString("brak"), "");
  EXPECT_EQ(reg->ReadString("ROZWIJANY"), "%SystemRoot%\\x");
  // A key goes only when it has neither values nor subkeys.
  EXPECT_FALSE(reg->DeleteEmptyKey(kUserKey));
  EXPECT_FALSE(reg->HasOpenKey());
  EXPECT_FALSE(reg->DeleteEmptyKey(kUserKey + "\\Klucz"));
  ASSERT_TRUE(reg->OpenKey(kUserKey + "\\Klucz", false));
  for (const auto& [name, value] : values) EXPECT_TRUE(reg->DeleteValue(name)) << name;
  EXPECT_EQ(reg->ReadValue("Tekst").kind, Kind::Missing);
  EXPECT_TRUE(reg->DeleteEmptyKey(kUserKey + "\\KLUCZ"));
  EXPECT_TRUE(reg->DeleteEmptyKey(kUserKey + "\\Klucz"));
  EXPECT_FALSE(reg->OpenKey(kUserKey + "\\Klucz", false));
  reg->SetAccess(plat::RegAccess::Read);
  ASSERT_TRUE(reg->OpenKey(kUserKey, false));
  try {
    reg->WriteNumber("Ver", 1);
    ADD_FAILURE() << "a write through a read-only key passed";
  } catch (const plat::ERegistryException& e) {
    EXPECT_STREQ(e.what(), ("Nie można zapisać wartości \"Ver\" w kluczu \"HKEY_CURRENT_USER\\" +
                            kUserKey + "\" Rejestru: brak dostępu (błąd systemu nr 5)")
                               .c_str());
  }
  EXPECT_FALSE(reg->DeleteValue("Ver"));
}

TEST_P(PlatformContract, ClassesRootShowsTheMachinesClassesUnlessTheUserHasTheKey) {
  const std::string machineKey = "Software\\Classes\\" + kExtension;
  auto machine = platform.Reg().NewAccessor(), classes = platform.Reg().NewAccessor();
  machine->SetRoot(RegRoot::LocalMachine);
  classes->SetRoot(RegRoot::ClassesRoot);
  ASSERT_TRUE(machine->OpenKey(machineKey, true));
  machine->WriteString("", "maszyna");
  ASSERT_TRUE(classes->OpenKey(kExtension, false));
  EXPECT_EQ(classes->ReadString(""), "maszyna");
  // Values and keys written through the view land in the machine's classes.
  classes->WriteString("Przez", "widok");
  EXPECT_EQ(machine->ReadString("przez"), "widok");
  ASSERT_TRUE(classes->OpenKey(kExtension + "\\Nowy", true));
  classes->WriteNumber("", 3);
  ASSERT_TRUE(machine->OpenKey(machineKey + "\\nowy", false));
  EXPECT_EQ(machine->ReadValue("").number, 3u);
  EXPECT_TRUE(machine->DeleteValue(""));
  EXPECT_TRUE(classes->DeleteEmptyKey(kExtension + "\\NOWY"));
  EXPECT_FALSE(machine->OpenKey(machineKey + "\\Nowy", false));
  if (backend->Wine()) return;
  auto user = platform.Reg().NewAccessor();
  ASSERT_TRUE(user->OpenKey(machineKey, true));
  user->WriteString("", "użytkownik");
  ASSERT_TRUE(classes->OpenKey(kExtension, false));
  EXPECT_EQ(classes->ReadString(""), "użytkownik");
  EXPECT_EQ(classes->ReadString("Przez"), "");
  classes->WriteString("Drugi", "u");
  EXPECT_EQ(user->ReadString("drugi"), "u");
  ASSERT_TRUE(machine->OpenKey(machineKey, false));
  EXPECT_EQ(machine->ReadValue("Drugi").kind, Kind::Missing);
}

TEST_P(PlatformContract, IniWritesChangeOneKeyAndNamesMatchInAnyCase) {
  auto& ini = platform.Ini();
  const std::string file = dir + "Vortel.ini", client = "C:\\Program Files\\Klient FTP\\x.exe";
  EXPECT_EQ(ini.Read(file, "FTP", "CLIENT", "?"), "?");
  EXPECT_TRUE(ini.Keys(file, "FTP").empty());
  Put(platform.Files(), file, "[CONFIG]\r\nFONT=Courier\r\n[FTP]\r\nSERVER=x\r\n");
  ini.Write(file, "ftp", "CLIENT", client);
  ini.Write(file, "CONFIG", "USERDIR", "");
  ini.Write(file, "Nowa", "Klucz", "zażółć");
  EXPECT_EQ(ini.Read(file, "FTP", "client", "?"), client);
  EXPECT_EQ(ini.Read(file, "config", "userdir", "?"), "");
  EXPECT_EQ(ini.Read(file, "NOWA", "klucz", "?"), "zażółć");
  EXPECT_EQ(ini.Read(file, "FTP", "BRAK", "?"), "?");
  EXPECT_EQ(ini.Read(file, "BRAK", "SERVER", "?"), "?");
  EXPECT_EQ(ini.Keys(file, "Config"), (std::vector<std::string>{"FONT", "USERDIR"}));
  ini.Remove(file, "FTP", "server");
  EXPECT_EQ(ini.Keys(file, "FTP"), std::vector<std::string>{"CLIENT"});
  EXPECT_EQ(ini.Read(file, "CONFIG", "FONT", ""), "Courier");
  const std::string lost = dir + "brak\\Vortel.ini";
  try {
    ini.Write(lost, "FTP", "CLIENT", "x");
    ADD_FAILURE() << "a write into a missing folder passed";
  } catch (const plat::EFileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("\"" + lost + "\": nie można zapisać [FTP] CLIENT: ", 0),
              0u)
        << e.what();
  }
}

TEST_P(PlatformContract, ShellLinkSavedOverAnOldOneReadsBackEveryField) {
  auto& links = platform.Links();
  const std::string target = dir + "Program.exe", path = dir + "Skrót.lnk";
  Put(platform.Files(), target, "");
  for (const char* arguments : {"/stary", "/profil bank.pft"}) {
    std::unique_ptr<plat::ShellLinkObject> link;
    ASSERT_EQ(links.Create(link), 0u);
    EXPECT_EQ(link->SetPath(target), 0u);
    EXPECT_EQ(link->SetArguments(arguments), 0u);
    EXPECT_EQ(link->SetWorkingDirectory(dir), 0u);
    EXPECT_EQ(link->SetDescription("Klient – połączenia"), 0u);
    EXPECT_EQ(link->SetIconLocation(target, 1), 0u);
    EXPECT_EQ(link->Save(path), 0u);
    EXPECT_NE(link->Save(dir + "brak\\x.lnk"), 0u);
  }
  plat::ShellLinkInfo info;
  ASSERT_TRUE(links.Read(dir + "SKRÓT.lnk", info));
  EXPECT_EQ(info.target, target);
  EXPECT_EQ(info.arguments, "/profil bank.pft");
  EXPECT_EQ(info.workingDir, dir);
  EXPECT_EQ(info.description, "Klient – połączenia");
  EXPECT_EQ(info.iconFile, target);
  EXPECT_EQ(info.iconIndex, 1);
  EXPECT_FALSE(links.Read(target, info));
  EXPECT_FALSE(links.Read(dir + "brak.lnk", info));
}

}  // namespace
}  // namespace contract
