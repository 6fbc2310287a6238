// Any bytes as a stored file on the medium: the expander must not crash or leak, must replace
// the destination only with the expansion of one whole, intact zlib stream, and must otherwise
// leave the earlier file exactly as it was, with nothing else beside it.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "engine/stored_file.h"
#include "platform/headless/headless.h"

namespace {

const char kStored[] = "C:\\medium\\Vortel.ex_";
const char kTarget[] = "C:\\Vortel\\Vortel.exe";
const char kEarlier[] = "the user's earlier program";

// What the stored file should expand to, judged by zlib's own one-stream reader rather than the
// engine's block loop: nothing when it is not exactly one complete stream. Zero bytes are an
// empty file, as older media hold them.
std::optional<std::string> Expected(const uint8_t* data, size_t size) {
  if (size == 0) return std::string();
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
  const bool whole = rc == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  if (!whole) return std::nullopt;
  return out;
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "stored_file_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static plat::headless::HeadlessPlatform platform;
  static engine::StoredFileCodec codec;
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
