// Any bytes as a stored file on the medium: the expander must not crash or leak, must replace
// the destination only with the expansion of one whole, intact zlib stream, and must otherwise
// leave the earlier file exactly as it was, with nothing else beside it.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>

#include "engine/stored_file.h"
#include "platform/headless/headless.h"

namespace {

const char kStored[] = "C:\\medium\\Vortel.ex_";
const char kTarget[] = "C:\\Vortel\\Vortel.exe";
const char kEarlier[] = "the user's earlier program";

// What zlib's own one-stream reader, rather than the engine's block loop, makes of `data`:
// the bytes it expands to, and whether they are exactly one complete stream.
std::string Inflate(const uint8_t* data, size_t size, bool& whole) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) std::abort();
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(size);
  std::string out;
  int rc;
  do {  // fresh room every time, so only input used up mid-stream stops it short
    unsigned char block[16384];
    z.next_out = block;
    z.avail_out = sizeof block;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(reinterpret_cast<char*>(block), sizeof block - z.avail_out);
  } while (rc == Z_OK);
  whole = rc == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  return out;
}

// What the stored file should expand to; nothing when it is damaged. Zero bytes are an empty
// file, as older media hold them.
std::optional<std::string> Expected(const uint8_t* data, size_t size) {
  if (size == 0) return std::string();
  bool whole = false;
  std::string out = Inflate(data, size, whole);
  if (!whole) return std::nullopt;
  return out;
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "stored_file_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

// Byte mutations alone almost never get past the checksum, so half the time the contents are
// mutated and compressed afresh: whole streams of many contents and levels, some cut short
// or followed by more bytes, which is where an expander goes wrong.
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned seed) {
  std::minstd_rand rng(seed);
  if (rng() % 2) return LLVMFuzzerMutate(data, size, maxSize);
  bool whole = false;
  std::string plain = Inflate(data, size, whole);
  const size_t used = plain.size();
  plain.resize(used + 64);
  plain.resize(LLVMFuzzerMutate(reinterpret_cast<uint8_t*>(plain.data()), used, plain.size()));
  uLongf packed = compressBound(plain.size());
  std::string stream(packed, '\0');
  if (compress2(reinterpret_cast<Bytef*>(stream.data()), &packed,
                reinterpret_cast<const Bytef*>(plain.data()), plain.size(),
                static_cast<int>(rng() % 10)) != Z_OK)
    std::abort();
  stream.resize(packed);
  switch (rng() % 4) {
    case 0:  // cut short
      stream.resize(rng() % stream.size());
      break;
    case 1:  // more after the end: a few bytes, or a second stream
      stream += rng() % 2 ? stream : std::string(1 + rng() % 8, static_cast<char>(rng()));
      break;
  }
  if (stream.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
  std::memcpy(data, stream.data(), stream.size());
  return stream.size();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static plat::headless::HeadlessPlatform platform;
  static engine::StoredFileCodec codec{platform};
  auto& files = platform.files;
  files.PutFile(kStored, std::string(reinterpret_cast<const char*>(data), size));
  files.PutFile(kTarget, kEarlier);

  bool expanded = false;
  try {
    expanded = codec.ExpandFile(kStored, kTarget);
  } catch (const engine::EDamagedFile&) {
  }
  const std::optional<std::string> expected = Expected(data, size);
  const std::string now = files.ReadFile(kTarget);
  Check(expanded == expected.has_value(),
        expanded ? "a damaged stream expanded" : "a whole stream was refused");
  Check(now == (expanded ? *expected : kEarlier),
        expanded ? "the expansion differs from zlib's" : "a failed expansion touched the file");
  Check(files.List("C:\\Vortel\\").size() == 1, "a temporary file was left behind");
  return 0;
}
