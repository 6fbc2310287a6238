// The digests that vouch for a medium's files: SHA-256 itself, the catalogue a program carries
// after its sections, and installation refusing what the catalogue does not vouch for.
#include "engine/payload.h"

#include <cstring>

#include "engine/bundle.h"
#include "engine/medium.h"
#include "engine/medium_kind.h"
#include "engine/sha256.h"
#include "install_fixture.h"

namespace {

using engine::PayloadEntry;
using engine::PayloadState;
using engine::Sha256;

std::string Hex(const Sha256::Digest& digest) {
  std::string text;
  for (uint8_t byte : digest)
    text += "0123456789abcdef"[byte >> 4], text += "0123456789abcdef"[byte & 15];
  return text;
}

Sha256::Digest DigestOf(const std::string& data) {
  Sha256 sha;
  sha.Update(data.data(), data.size());
  return sha.Final();
}

PayloadState Parse(const std::string& file, std::vector<PayloadEntry>& entries,
                   engine::ProgramLayout* layout = nullptr) {
  struct Memory : plat::InputFile {
    explicit Memory(const std::string& bytes) : bytes(bytes) {}
    size_t Read(void* buffer, size_t size) override {
      size = std::min(size, bytes.size() - std::min(at, bytes.size()));
      std::memcpy(buffer, bytes.data() + at, size);
      at += size;
      return size;
    }
    void Seek(uint64_t offset) override { at = offset; }
    const std::string& bytes;
    size_t at = 0;
  } memory(file);
  engine::ProgramLayout ignored;
  return engine::ReadPayload(memory, "x", file.size(), layout ? *layout : ignored, entries);
}

TEST(Sha256, FipsVectorsByTheInstructionsAndThePortableRoundsInAnyPieces) {
  const std::string million(1000000, 'a');
  const std::pair<std::string, const char*> vectors[] = {
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {million, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"}};
  for (bool cpu : {false, true})
    for (const auto& [message, digest] : vectors)
      for (size_t piece : {size_t{1}, size_t{63}, size_t{65}, size_t{1} << 20}) {
        Sha256 sha(cpu);
        for (size_t at = 0; at < message.size(); at += piece)
          sha.Update(message.data() + at, std::min(piece, message.size() - at));
        EXPECT_EQ(Hex(sha.Final()), digest) << cpu << " " << message.size() << " " << piece;
        if (message.size() > 100 && piece == 1) break;  // a million calls are enough once
      }
}

TEST(Payload, TheCatalogueLiesBeforeTheSignatureAndAnyInconsistencyIsBroken) {
  const std::vector<PayloadEntry> entries = {{"Vortel.ex_", 5, DigestOf("bytes"), 0x400},
                                             {"wydruk", 7, DigestOf("wydruk!"), ~0ull}};
  const std::string carried("bytes\0\0\0", 8);
  const std::string tail = engine::EncodePayload(entries, 0x400, 0x408);
  const std::string plain = enginetest::Program() + carried + tail;
  std::vector<PayloadEntry> read;
  engine::ProgramLayout layout;
  ASSERT_EQ(Parse(plain, read, &layout), PayloadState::Valid);
  EXPECT_EQ(plain.size() % 8, 0u);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(std::tuple(read[1].name, read[1].size, read[1].digest, read[1].offset),
            std::tuple(entries[1].name, entries[1].size, entries[1].digest, entries[1].offset));
  EXPECT_EQ(std::tuple(layout.sectionsEnd, layout.signedEnd, layout.hasCertificate),
            std::tuple(uint64_t{0x400}, uint64_t{plain.size()}, false));
  // Signed: the certificate table follows, the directory entry names it.
  const std::string signedFile = enginetest::Program(static_cast<uint32_t>(plain.size()), 16) +
                                 carried + tail + std::string(16, 'C');
  EXPECT_EQ(Parse(signedFile, read, &layout), PayloadState::Valid);
  EXPECT_TRUE(layout.hasCertificate);
  EXPECT_EQ(Parse(enginetest::Program() + "older medium", read), PayloadState::None);
  EXPECT_EQ(Parse("MZ not a program", read), PayloadState::None);
  // Every field of the trailer and the table counts: any byte changed breaks the catalogue or
  // changes what it vouches for.
  const auto fields = [](const std::vector<PayloadEntry>& list) {
    std::vector<std::tuple<std::string, uint64_t, Sha256::Digest, uint64_t>> out;
    for (const auto& e : list) out.emplace_back(e.name, e.size, e.digest, e.offset);
    return out;
  };
  for (size_t at = plain.size() - tail.size(); at < plain.size(); ++at) {
    std::string changed = plain;
    changed[at] ^= 0x41;
    if (Parse(changed, read) == PayloadState::Valid) {
      EXPECT_NE(fields(read), fields(entries)) << at;
    }
  }
  // A carried file reaching past the catalogue's start.
  const std::vector<PayloadEntry> past = {{"Vortel.ex_", 9, DigestOf("bytes"), 0x400}};
  EXPECT_EQ(
      Parse(enginetest::Program() + carried + engine::EncodePayload(past, 0x400, 0x408), read),
      PayloadState::Broken);
}

// The medium on D: with the catalogue the running D:\Install.exe carries, one file left out.
void Catalogue(plat::headless::HeadlessPlatform& platform, const std::string& leftOut = "") {
  auto& files = platform.files;
  std::vector<PayloadEntry> entries;
  for (const std::string& name : files.List("D:\\"))
    if (name != leftOut && name != "Install.exe") {
      const std::string contents = files.ReadFile("D:\\" + name);
      entries.push_back({name, contents.size(), DigestOf(contents), PayloadEntry::kNotCarried});
    }
  files.PutFile("D:\\Install.exe",
                enginetest::Program() + engine::EncodePayload(entries, 0x400, 0x400));
  files.SetModulePath("D:\\Install.exe");
}

TEST(MediumDigests, AFileTheCatalogueDoesNotVouchForIsDamagedAndNothingStaysInstalled) {
  using installtest::Machine;
  const installtest::Selection all = {true, true, true, true};
  {
    Machine intact;
    Catalogue(intact.platform);
    EXPECT_EQ(intact.Run(all, "C:\\VP"), engine::RunOutcome::Installed);
  }
  const std::function<void(plat::headless::HeadlessPlatform&)> faults[] = {
      [](auto& p) {  // another valid zlib stream
        Catalogue(p);
        p.files.PutFile("D:\\NorvikFTPsrv.ex_", enginetest::Deflate("other"));
      },
      [](auto& p) {  // the same length
        Catalogue(p);
        p.files.PutFile("D:\\wydruk", "new wydrux");
      },
      [](auto& p) { Catalogue(p, "FTPSrv.cn_"); },
      [](auto& p) {  // a kind that would change what is offered
        Catalogue(p);
        p.files.PutFile("D:\\appid.dat", "A");
      },
      [](auto& p) {
        Catalogue(p);
        std::string program = p.files.ReadFile("D:\\Install.exe");
        program[0x400] ^= 1;
        p.files.PutFile("D:\\Install.exe", program);
      },
  };
  for (const auto& fault : faults) {
    Machine m;
    fault(m.platform);
    const std::string before = m.State();
    m.platform.dialogs.Expect("Wystąpił błąd podczas kopiowania plików.", plat::ModalResult::OK);
    EXPECT_EQ(m.Run(all, "C:\\VP"), engine::RunOutcome::CopyFailed);
    EXPECT_EQ(m.State(), before);
  }
}

// The setup file installs what the folder does, from itself alone; the catalogue vouches for
// its bytes as for the folder's.
TEST(Bundle, OneSetupFileInstallsWhatItsMediumDoesAndRefusesAChangedByte) {
  using installtest::Machine;
  const installtest::Selection all = {true, true, true, true};
  Machine folder;
  Catalogue(folder.platform);
  folder.platform.files.PutFile("D:\\appid.dat", "S");
  Catalogue(folder.platform);
  ASSERT_EQ(engine::BundleMedium(folder.platform, {"bundle", "D:\\", "D:\\setup.exe"}), 0);
  const std::string bundle = folder.platform.files.ReadFile("D:\\setup.exe");
  folder.platform.files.Remove("D:\\setup.exe");
  ASSERT_EQ(folder.Run(all, "C:\\VP"), engine::RunOutcome::Installed);
  for (const bool changed : {false, true}) {
    Machine m;
    auto& files = m.platform.files;
    for (const std::string& name : files.List("D:\\")) files.Remove("D:\\" + name);
    files.PutFile("D:\\appid.dat", "A");  // the user's, not the medium's
    files.PutFile("D:\\setup.exe", bundle);
    if (changed)
      files.PutFile("D:\\setup.exe", bundle.substr(0, 0x500) + "!" + bundle.substr(0x501));
    files.SetModulePath("D:\\setup.exe");
    EXPECT_EQ(engine::ReadMediumKind(files, "D:\\").products, engine::kFtpServerGroup);
    const std::string before = m.State();
    if (changed)
      m.platform.dialogs.Expect("Wystąpił błąd podczas kopiowania plików.", plat::ModalResult::OK);
    EXPECT_EQ(m.Run(all, "C:\\VP"),
              changed ? engine::RunOutcome::CopyFailed : engine::RunOutcome::Installed);
    EXPECT_EQ(m.State(), changed ? before : folder.State());
  }
  // A medium whose files the catalogue does not vouch for makes no setup file.
  folder.platform.files.PutFile("D:\\wydruk", "changed");
  folder.platform.dialogs.ExpectStartingWith(
      "Nie udało się utworzyć pliku instalacyjnego \"D:\\setup.exe\".\r\"D:\\wydruk\": ",
      plat::ModalResult::OK);
  EXPECT_EQ(engine::BundleMedium(folder.platform, {"BUNDLE", "D:\\", "D:\\setup.exe"}), 1);
  EXPECT_FALSE(folder.platform.files.Exists("D:\\setup.exe"));
}

}  // namespace
