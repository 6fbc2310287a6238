// The engine's file work against the real file API: what the headless twin promises about
// temporary files, replacement and attributes must hold on Windows too.
#include <zlib.h>

#include <gtest/gtest.h>
#include <random>

#include "engine/copy.h"
#include "engine/mastering.h"
#include "engine/stored_file.h"
#include "main_env.h"
#include "platform/errors.h"
#include "system_env.h"

namespace {

std::string Slurp(const std::string& path) {
  auto in = plat::Current().Files().OpenRead(path);
  std::string data;
  char buffer[65536];
  while (size_t n = in->Read(buffer, sizeof buffer)) data.append(buffer, n);
  return data;
}

void Spill(const std::string& path, const std::string& data) {
  auto out = plat::Current().Files().Create(path);
  out->Write(data.data(), data.size());
  out->Close();
}

std::string Noise(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string data(size, '\0');
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>(i % 3 ? rng() % 16 : rng());
  return data;
}

using wintest::Listing;

class NoView : public engine::RunView {
 public:
  void ShowInfo(const std::string&) override {}
};

}  // namespace

TEST(StoredFilesWin, RoundTripsThroughTheRealFileApi) {
  const std::string dir = wintest::MakeScratchFolder("roundtrip ż");
  engine::StoredFileCodec codec;
  for (size_t size : {size_t{0}, size_t{4096}, size_t{65537}, size_t{1} << 20}) {
    SCOPED_TRACE(size);
    const std::string data = Noise(size, static_cast<unsigned>(size));
    Spill(dir + "\\źródło.bin", data);
    ASSERT_TRUE(codec.CompressFile(dir + "\\źródło.bin", dir + "\\źródło.bi_"));
    const std::string stored = Slurp(dir + "\\źródło.bi_");
    std::string check(size + 1, '\0');
    uLongf checkSize = check.size();
    uLong used = stored.size();
    ASSERT_EQ(uncompress2(reinterpret_cast<Bytef*>(check.data()), &checkSize,
                          reinterpret_cast<const Bytef*>(stored.data()), &used),
              Z_OK);
    EXPECT_EQ(used, stored.size());
    EXPECT_EQ(check.substr(0, checkSize), data);
    Spill(dir + "\\cel.bin", "old");
    ASSERT_TRUE(codec.ExpandFile(dir + "\\źródło.bi_", dir + "\\cel.bin"));
    EXPECT_EQ(Slurp(dir + "\\cel.bin"), data);
  }
  EXPECT_EQ(Listing(dir), (std::vector<std::string>{"cel.bin", "źródło.bi_", "źródło.bin"}));
}

TEST(StoredFilesWin, DamagedStreamLeavesTheOldFileAndNoTemporaryFile) {
  const std::string dir = wintest::MakeScratchFolder("damaged");
  engine::StoredFileCodec codec;
  Spill(dir + "\\a.txt", Noise(100000, 1));
  ASSERT_TRUE(codec.CompressFile(dir + "\\a.txt", dir + "\\a.tx_"));
  const std::string good = Slurp(dir + "\\a.tx_");
  for (const std::string& bad : {good.substr(0, good.size() - 1), good + "tail"}) {
    Spill(dir + "\\a.tx_", bad);
    Spill(dir + "\\old.txt", "keep me");
    EXPECT_THROW(codec.ExpandFile(dir + "\\a.tx_", dir + "\\old.txt"), engine::EDamagedFile);
    EXPECT_EQ(Slurp(dir + "\\old.txt"), "keep me");
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"a.tx_", "a.txt", "old.txt"}));
  }
}

TEST(CopyWin, OverwrittenReadOnlyFileEndsWritable) {
  wintest::ScriptedWin32Platform platform;
  const std::string dir = wintest::MakeScratchFolder("readonly");
  Spill(dir + "\\src.txt", "nowa treść");
  engine::StoredFileCodec().CompressFile(dir + "\\src.txt", dir + "\\plik.tx_");
  Spill(dir + "\\plik.txt", "stara treść");
  ASSERT_TRUE(platform.Files().SetAttributes(dir + "\\plik.txt", plat::kAttrReadOnly));
  platform.dialogs.Expect("Plik \"" + dir + "\\plik.txt\" już istnieje.\rNadpisać ?",
                          plat::ModalResult::Yes);
  NoView view;
  engine::Copier copier(view, dir + "\\");
  ASSERT_TRUE(copier.CopyOneFile("plik.tx_", dir + "\\plik.txt", false, false));
  EXPECT_EQ(Slurp(dir + "\\plik.txt"), "nowa treść");
  EXPECT_FALSE(platform.Files().GetAttributes(dir + "\\plik.txt") & plat::kAttrReadOnly);
  EXPECT_TRUE(platform.dialogs.AllAnswered());
}

TEST(MasteringWin, MissingBuildFileShowsOneErrorAndExitsWithOne) {
  wintest::ScriptedWin32Platform platform;
  auto& files = platform.Files();
  const std::string build = wintest::MakeScratchFolder("build");
  const std::string medium = wintest::MakeScratchFolder("medium");
  ASSERT_TRUE(files.CreateFolder(build + "\\Vortel"));
  Spill(build + "\\Vortel\\Uninstall.exe", "MZ");  // Zamowienie.doc is missing
  const std::string before = files.CurrentDirectory();
  ASSERT_TRUE(files.ChangeDirectory(build + "\\Vortel"));
  platform.dialogs.Expect("Nie udało się utworzyć nośnika instalacyjnego w \"" + medium +
                              "\\\".\r\"" + build +
                              "\\Vortel\\Zamowienie.doc\": plik lub "
                              "katalog nie istnieje",
                          plat::ModalResult::OK);
  EXPECT_EQ(engine::MasterMedium({"disc", medium, "S"}), 1);
  files.ChangeDirectory(before);
  EXPECT_TRUE(platform.dialogs.AllAnswered());
  EXPECT_EQ(Listing(medium), (std::vector<std::string>{"Install.exe", "Uninstall.ex_"}));
  EXPECT_EQ(Slurp(medium + "\\Install.exe"), Slurp(files.ModulePath()));
}
