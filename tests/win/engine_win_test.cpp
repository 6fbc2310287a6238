// Stored files through the real file API: what the headless twin promises about temporary
// files and replacement must hold on Windows too. (Mastering and installation judge the media
// and the installed files end to end.)
#include <gtest/gtest.h>

#include "engine/stored_file.h"
#include "main_env.h"
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

}  // namespace

TEST(StoredFilesWin, RoundTripReplacesAndADamagedStreamKeepsTheOldFile) {
  const std::string dir = wintest::MakeScratchFolder("stored ż");
  engine::StoredFileCodec codec;
  for (size_t size : {size_t{0}, size_t{65537}, size_t{1} << 20}) {
    SCOPED_TRACE(size);
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 7919) >> (i % 5));
    Spill(dir + "\\źródło.bin", data);
    ASSERT_TRUE(codec.CompressFile(dir + "\\źródło.bin", dir + "\\źródło.bi_"));
    Spill(dir + "\\cel.bin", "old");
    ASSERT_TRUE(codec.ExpandFile(dir + "\\źródło.bi_", dir + "\\cel.bin"));
    EXPECT_EQ(Slurp(dir + "\\cel.bin"), data);
  }
  const std::string good = Slurp(dir + "\\źródło.bi_");
  for (const std::string& bad : {good.substr(0, good.size() - 1), good + "tail"}) {
    Spill(dir + "\\źródło.bi_", bad);
    EXPECT_THROW(codec.ExpandFile(dir + "\\źródło.bi_", dir + "\\cel.bin"), engine::EDamagedFile);
    EXPECT_EQ(Slurp(dir + "\\cel.bin").size(), size_t{1} << 20);
    EXPECT_EQ(wintest::Listing(dir),
              (std::vector<std::string>{"cel.bin", "źródło.bi_", "źródło.bin"}));
  }
}
