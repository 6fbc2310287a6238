// Stored files are the package: a wrong byte breaks it, a failed expansion must keep the old file.
#include "engine/stored_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "engine/block_deflate.h"
#include "install_fixture.h"
#include "platform/text.h"

using engine::EDamagedFile;
using engine::StoredFileCodec;
using enginetest::Deflate;
using enginetest::FilesIn;
using enginetest::Inflate;
using enginetest::MixedBytes;
using plat::EFileError;

class StoredFileTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessFileSystem& files = platform.files;
  StoredFileCodec codec{platform};
};

TEST_F(StoredFileTest, CompressThenExpandGivesBackEveryByteAcrossBlockEdges) {
  ASSERT_TRUE(files.CreateFolder("C:\\medium") && files.CreateFolder("C:\\cel"));
  for (size_t size :
       {size_t{0}, size_t{1}, StoredFileCodec::kOutputBlock - 1, StoredFileCodec::kOutputBlock,
        StoredFileCodec::kInputBlock, StoredFileCodec::kInputBlock + 1, size_t{700000},
        engine::kDeflateBlock, 3 * engine::kDeflateBlock + 1}) {
    SCOPED_TRACE(size);
    std::string data = MixedBytes(size, static_cast<unsigned>(size));
    // Already compressed data, as in pictures and archives, across a block edge.
    std::mt19937 noise(7);
    for (size_t i = engine::kDeflateBlock / 2; i < std::min(size, engine::kDeflateBlock * 2); ++i)
      data[i] = static_cast<char>(noise());
    files.PutFile("C:\\src\\plik.bin", data);
    // A medium is the same bytes on every run, whatever the machine's processors.
    std::string stored;
    for (const unsigned threads : {1u, 3u}) {
      codec.threads = threads;
      ASSERT_TRUE(codec.CompressFile("C:\\src\\plik.bin", "C:\\medium\\plik.bi_"));
      if (stored.empty()) stored = files.ReadFile("C:\\medium\\plik.bi_");
      EXPECT_TRUE(files.ReadFile("C:\\medium\\plik.bi_") == stored) << threads << " threads";
    }
    EXPECT_EQ(Inflate(stored, size), data) << "the stored form is not plain zlib";
    EXPECT_TRUE(size <= engine::kDeflateBlock || stored.size() < size * 9 / 10) << stored.size();
    EXPECT_EQ(static_cast<unsigned char>(stored[1]) >> 6, 0) << "not written at level 1";
    ASSERT_TRUE(codec.ExpandFile("C:\\medium\\plik.bi_", "C:\\cel\\plik.bin"));
    EXPECT_EQ(files.ReadFile("C:\\cel\\plik.bin"), data);
  }
  EXPECT_EQ(FilesIn(files, "C:\\medium"), std::set<std::string>{"plik.bi_"});
}

TEST_F(StoredFileTest, DamagedStreamsFailAndLeaveTheOldFileAlone) {
  const std::string data = MixedBytes(150000, 11);
  const std::string good = Deflate(data);
  const std::pair<const char*, std::string> cases[] = {
      {"cut short", good.substr(0, good.size() / 2)},
      {"checksum wrong", good.substr(0, good.size() - 1) + char(good.back() ^ 1)},
      {"trailing data in a later block",
       good + std::string(StoredFileCodec::kInputBlock * 2, '\0')},
      {"a second stream after the first", good + Deflate("more")},
      {"not zlib at all", "PK\x03\x04 not a zlib stream"}};
  for (const auto& [what, stored] : cases) {
    SCOPED_TRACE(what);
    files.PutFile("C:\\m\\Vortel.ex_", stored);
    files.PutFile("C:\\inst\\Vortel.exe", "the user's old program");
    try {
      codec.ExpandFile("C:\\m\\Vortel.ex_", "C:\\inst\\Vortel.exe");
      ADD_FAILURE() << "a damaged stream expanded";
    } catch (const EDamagedFile& e) {
      // Mastering shows such messages to the user as they are.
      EXPECT_TRUE(e.Path() == "C:\\m\\Vortel.ex_" && plat::IsCp1250Representable(e.what()));
    }
    EXPECT_EQ(files.ReadFile("C:\\inst\\Vortel.exe"), "the user's old program");
    EXPECT_EQ(FilesIn(files, "C:\\inst").size(), 1u);
  }
}

TEST_F(StoredFileTest, FailuresCreateNothingLeaveTheOldFileAndSayWhy) {
  EXPECT_THROW(codec.ExpandFile("C:\\m\\brak.ex_", "C:\\brak.exe"), EFileError);
  EXPECT_FALSE(files.Exists("C:\\brak.exe"));
  files.PutFile("C:\\m\\a.tx_", Deflate("nowy"));
  EXPECT_THROW(codec.ExpandFile("C:\\m\\a.tx_", "C:\\nie ma\\a.txt"), EFileError);
  EXPECT_THROW(codec.CompressFile("C:\\m\\brak.txt", "C:\\m\\brak.tx_"), EFileError);
  EXPECT_EQ(FilesIn(files, "C:\\m"), std::set<std::string>{"a.tx_"});
  // A killed run's leftovers go; names that only look alike stay.
  for (const char* name : {"~vt0.tmp", "~VT17.TMP", "~vtx.tmp", "a~vt1.tmp"})
    files.PutFile(std::string("C:\\inst\\") + name, "left");
  ASSERT_TRUE(codec.ExpandFile("C:\\m\\a.tx_", "C:\\inst\\a.txt"));
  EXPECT_EQ(files.ReadFile("C:\\inst\\a.txt"), "nowy");
  EXPECT_EQ(FilesIn(files, "C:\\inst"), (std::set<std::string>{"a.txt", "a~vt1.tmp", "~vtx.tmp"}));
  // Full disk, file in use, long name: the fault names the user's file; only the old file stays.
  files.PutFile("C:\\m\\big.pd_", Deflate(MixedBytes(100000, 5)));
  files.PutFile("C:\\src\\a.txt", MixedBytes(50000, 1));
  const std::string deep = "C:\\inst\\" + std::string(250, 'd') + ".txt";
  using R = EFileError::Reason;
  const std::tuple<std::string, const char*, R> failures[] = {
      {"D:\\inst\\big.pdf", "C:\\m\\big.pd_", R::DiskFull},
      {"A:\\a.tx_", "", R::DiskFull},  // mastering
      {"C:\\inst\\a.txt", "C:\\m\\a.tx_", R::InUse},
      {deep, "C:\\m\\a.tx_", R::TooLong}};
  for (const char drive : {'D', 'A'}) files.AddDrive(drive);
  for (const auto& [target, stored, why] : failures) files.PutFile(target, "old");
  files.SetFreeSpace('D', 30000);
  files.SetFreeSpace('A', 1000);
  files.SetInUse("C:\\inst\\a.txt");
  for (const auto& [target, stored, why] : failures) {
    const std::string folder = target.substr(0, target.rfind('\\') + 1);
    const std::set<std::string> before = FilesIn(files, folder);
    try {
      *stored ? codec.ExpandFile(stored, target) : codec.CompressFile("C:\\src\\a.txt", target);
      ADD_FAILURE() << target << " was replaced";
    } catch (const EFileError& e) {
      EXPECT_TRUE(e.Why() == why && e.Path() == target) << e.what();
    }
    EXPECT_EQ(files.ReadFile(target), "old");
    EXPECT_EQ(FilesIn(files, folder), before);
  }
}

// Installing runs elevated in folders that others may write to.
TEST_F(StoredFileTest, PlantedLinksAreNeverWrittenThrough) {
  namespace fs = std::filesystem;
  const fs::path outside = platform.sandbox / "outside.txt";
  files.PutFile("C:\\m\\a.tx_", Deflate("nowy"));
  files.PutFile("C:\\m\\wydruk", "kopia");
  // The name planted as a link to `outside`, and whether the file is a plain copy.
  for (const char* link : {"a.txt", "~vt0.tmp"})
    for (const bool plain : {false, true}) {
      SCOPED_TRACE(std::string(link) + (plain ? " plain" : " stored"));
      fs::remove_all(files.HostPath("C:\\inst"));
      files.PutFile("C:\\inst\\a.txt", "stary");
      std::ofstream(outside) << "system file";
      fs::remove(files.HostPath("C:\\inst\\") / link);
      fs::create_symlink(outside, files.HostPath("C:\\inst\\") / link);
      // A leftover that cannot be swept must still not be written through.
      files.SetAttributes(std::string("C:\\inst\\") + link, plat::kAttrReadOnly);
      engine::StoredFileCodec fresh{platform};
      ASSERT_TRUE(plain ? fresh.CopyPlainFile("C:\\m\\wydruk", "C:\\inst\\a.txt")
                        : fresh.ExpandFile("C:\\m\\a.tx_", "C:\\inst\\a.txt"));
      EXPECT_EQ(files.ReadFile("C:\\inst\\a.txt"), plain ? "kopia" : "nowy");
      EXPECT_FALSE(fs::is_symlink(files.HostPath("C:\\inst\\a.txt")));
      EXPECT_EQ(fs::file_size(outside), 11u) << "written through";
    }
}
