// Stored files are the package itself: a wrong byte here is a broken installation, and a
// failed expansion must never cost the user the file that was there before.
#include "engine/stored_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

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
  StoredFileCodec codec;
};

TEST_F(StoredFileTest, CompressThenExpandGivesBackEveryByteAcrossBlockEdges) {
  ASSERT_TRUE(files.CreateFolder("C:\\medium") && files.CreateFolder("C:\\cel"));
  for (size_t size :
       {size_t{0}, size_t{1}, StoredFileCodec::kOutputBlock - 1, StoredFileCodec::kOutputBlock,
        StoredFileCodec::kInputBlock, StoredFileCodec::kInputBlock + 1, size_t{700000}}) {
    SCOPED_TRACE(size);
    const std::string data = MixedBytes(size, static_cast<unsigned>(size));
    files.PutFile("C:\\src\\plik.bin", data);
    ASSERT_TRUE(codec.CompressFile("C:\\src\\plik.bin", "C:\\medium\\plik.bi_"));
    const std::string stored = files.ReadFile("C:\\medium\\plik.bi_");
    EXPECT_EQ(Inflate(stored, size), data) << "the stored form is not plain zlib";
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

TEST_F(StoredFileTest, FailuresCreateNothingAndTemporaryNamesAvoidOthersFiles) {
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
  // A disk that fills up mid-file, while expanding or while mastering, keeps the old file.
  files.PutFile("C:\\m\\big.pd_", Deflate(MixedBytes(100000, 5)));
  files.PutFile("C:\\src\\a.txt", MixedBytes(50000, 1));
  for (const char* target : {"D:\\inst\\big.pdf", "A:\\a.tx_"}) {
    files.AddDrive(target[0]);
    files.PutFile(target, "old");
    const bool expand = target[0] == 'D';
    files.SetFreeSpace(target[0], expand ? 30000 : 1000);
    try {
      expand ? codec.ExpandFile("C:\\m\\big.pd_", target)
             : codec.CompressFile("C:\\src\\a.txt", target);
      ADD_FAILURE() << "the full disk went unnoticed";
    } catch (const EFileError& e) {
      EXPECT_EQ(e.Why(), EFileError::Reason::DiskFull);
      EXPECT_EQ(e.Path(), target) << "the message names a file the user never saw";
    }
    EXPECT_EQ(files.ReadFile(target), "old");
    const std::string name(target);
    EXPECT_EQ(FilesIn(files, name.substr(0, name.rfind('\\') + 1)).size(), 1u);
  }
}

// Installing runs elevated in folders that others may write to.
TEST_F(StoredFileTest, PlantedLinksAreNeverWrittenThroughAndFailedReplacesSayWhy) {
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
      engine::StoredFileCodec fresh;
      ASSERT_TRUE(plain ? fresh.CopyPlainFile("C:\\m\\wydruk", "C:\\inst\\a.txt")
                        : fresh.ExpandFile("C:\\m\\a.tx_", "C:\\inst\\a.txt"));
      EXPECT_EQ(files.ReadFile("C:\\inst\\a.txt"), plain ? "kopia" : "nowy");
      EXPECT_FALSE(fs::is_symlink(files.HostPath("C:\\inst\\a.txt")));
      EXPECT_EQ(fs::file_size(outside), 11u) << "written through";
    }
  const std::string deep = "C:\\inst\\" + std::string(250, 'd') + ".txt";
  files.PutFile(deep, "stary");
  files.SetInUse("C:\\inst\\a.txt");
  const std::pair<std::string, EFileError::Reason> failures[] = {
      {"C:\\inst\\a.txt", EFileError::Reason::InUse}, {deep, EFileError::Reason::TooLong}};
  for (const auto& [dst, why] : failures) {
    const std::string before = files.ReadFile(dst);
    try {
      codec.ExpandFile("C:\\m\\a.tx_", dst);
      ADD_FAILURE() << dst << " was replaced";
    } catch (const EFileError& e) {
      EXPECT_TRUE(e.Why() == why && e.Path() == dst) << e.what();
    }
    EXPECT_EQ(files.ReadFile(dst), before);
  }
  EXPECT_FALSE(files.Exists("C:\\inst\\~vt1.tmp"));
}
