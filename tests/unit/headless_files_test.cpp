// The headless file system must fail where Windows fails, or tests of the copy engine built on
// it would pass against behaviour no real machine has.
#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/headless/headless.h"

using plat::EFileError;

class HeadlessFilesTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessFileSystem& files = platform.files;

  void Write(const std::string& path, const std::string& data) {
    auto out = files.Create(path);
    out->Write(data.data(), data.size());
    out->Close();
  }
};

TEST_F(HeadlessFilesTest, ReadOnlyFilesRefuseWritesUntilTheBitIsCleared) {
  files.PutFile("C:\\dir\\ro.txt", "old");
  ASSERT_TRUE(files.SetAttributes("C:\\dir\\ro.txt", plat::kAttrReadOnly));
  EXPECT_THROW(files.Create("C:\\dir\\ro.txt"), EFileError);
  EXPECT_FALSE(files.Remove("C:\\dir\\ro.txt"));
  files.PutFile("C:\\dir\\new.txt", "new");
  EXPECT_FALSE(files.Replace("C:\\dir\\new.txt", "C:\\dir\\ro.txt"));
  EXPECT_FALSE(files.CopyTo("C:\\dir\\new.txt", "C:\\dir\\ro.txt", false));
  EXPECT_EQ(files.ReadFile("C:\\dir\\ro.txt"), "old");
  ASSERT_TRUE(files.SetAttributes("C:\\dir\\ro.txt", plat::kAttrArchive));
  Write("C:\\dir\\ro.txt", "fresh");
  EXPECT_EQ(files.ReadFile("C:\\dir\\ro.txt"), "fresh");
}

TEST_F(HeadlessFilesTest, CopyCarriesTheReadOnlyBitAsWindowsDoes) {
  files.PutFile("C:\\src.txt", "data");
  files.SetAttributes("C:\\src.txt", plat::kAttrReadOnly | plat::kAttrArchive);
  ASSERT_TRUE(files.CopyTo("C:\\src.txt", "C:\\dst.txt", false));
  EXPECT_TRUE(files.GetAttributes("C:\\dst.txt") & plat::kAttrReadOnly);
  files.PutFile("C:\\exists.txt", "keep");
  EXPECT_FALSE(files.CopyTo("C:\\src.txt", "C:\\exists.txt", true));
  EXPECT_EQ(files.ReadFile("C:\\exists.txt"), "keep");
}

TEST_F(HeadlessFilesTest, MissingDriveFailsEveryOperation) {
  files.AddDrive('D');
  files.PutFile("D:\\x.txt", "x");
  files.RemoveDrive('D');
  EXPECT_EQ(files.GetAttributes("D:\\x.txt"), plat::kInvalidAttributes);
  EXPECT_FALSE(files.CreateFolder("D:\\new"));
  EXPECT_THROW(files.OpenRead("D:\\x.txt"), EFileError);
  EXPECT_THROW(files.Create("D:\\y.txt"), EFileError);
  EXPECT_FALSE(files.CopyTo("C:\\none", "D:\\z", false));
}

TEST_F(HeadlessFilesTest, FullDiskFailsTheWriteThatDoesNotFit) {
  files.AddDrive('E');
  files.SetFreeSpace('E', 10);
  auto out = files.Create("E:\\big.bin");
  out->Write("12345678", 8);
  try {
    out->Write("abc", 3);
    FAIL() << "a write past the free space succeeded";
  } catch (const EFileError& e) {
    EXPECT_EQ(e.Why(), EFileError::Reason::DiskFull);
    EXPECT_STREQ(e.what(), "\"E:\\big.bin\": brak miejsca na dysku");
  }
  files.PutFile("C:\\five.txt", "12345");
  EXPECT_FALSE(files.CopyTo("C:\\five.txt", "E:\\five.txt", false));
}

TEST_F(HeadlessFilesTest, NamesMatchWithoutRegardToCase) {
  files.PutFile("C:\\Program Files\\Vortel\\Vortel.INI", "[FTP]");
  EXPECT_EQ(files.ReadFile("c:\\PROGRAM FILES\\vortel\\vortel.ini"), "[FTP]");
  EXPECT_TRUE(files.GetAttributes("C:\\program files") & plat::kAttrDirectory);
  EXPECT_FALSE(files.CreateFolder("C:\\PROGRAM FILES"));  // exists already
  EXPECT_FALSE(files.CreateFolder("C:\\no\\parent"));
}

TEST_F(HeadlessFilesTest, RelativePathsFollowTheCurrentDirectory) {
  files.PutFile("C:\\medium\\appid.dat", "S");
  ASSERT_TRUE(files.ChangeDirectory("C:\\medium\\"));
  EXPECT_EQ(files.CurrentDirectory(), "C:\\medium");
  EXPECT_EQ(files.ReadFile("appid.dat"), "S");
  EXPECT_EQ(files.ReadFile("..\\medium\\appid.dat"), "S");
  EXPECT_FALSE(files.ChangeDirectory("C:\\medium\\appid.dat"));
  EXPECT_EQ(files.GetAttributes(""), plat::kInvalidAttributes);
}

TEST_F(HeadlessFilesTest, ReplaceFileMovesTheNewFileInPlace) {
  files.PutFile("C:\\d\\target", "old");
  files.PutFile("C:\\d\\target.tmp", "new");
  ASSERT_TRUE(files.Replace("C:\\d\\target.tmp", "C:\\d\\target"));
  EXPECT_EQ(files.ReadFile("C:\\d\\target"), "new");
  EXPECT_FALSE(files.Exists("C:\\d\\target.tmp"));
}
