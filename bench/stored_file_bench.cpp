// Throughput and memory of the medium's stored-file codec, each beside a bare zlib loop with
// the same buffer sizes on the same file, timed in the same run.
//   stored_file_bench [MiB [folder]]     (default 256 MiB, the temporary folder)
#include <zlib.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_env.h"
#include "engine/stored_file.h"

namespace {

using engine::StoredFileCodec;

// Deterministic content like a software package's: text, binary records and data that is
// already compressed (which level 1 cannot shrink), in segments of mixed lengths.
class Mixed {
 public:
  void Fill(std::vector<unsigned char>& block) {
    for (unsigned char& byte : block) {
      if (left_ == 0) NextSegment();
      --left_;
      byte = Next();
    }
  }

 private:
  uint32_t Random() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  void NextSegment() {
    kind_ = Random() % 4;  // two parts text, one binary, one compressed
    left_ = 4096 + Random() % (1 << 20);
    word_.clear();
  }
  unsigned char Next() {
    switch (kind_) {
      case 0:
      case 1: {
        static const char* const words[] = {
            "terminal ", "połączenie ", "konwersja ", "znaków ",     "wydruk ",     "serwer ",
            "klient ",   "FTP ",        "plik ",      "katalog ",    "użytkownik ", "hasło ",
            "\r\n",      "Vortel ",     "emulator ",  "ustawienia ", "0x1B[2J ",    "strona 852 "};
        if (word_.empty()) word_ = words[Random() % (sizeof words / sizeof *words)];
        const unsigned char c = static_cast<unsigned char>(word_.front());
        word_.erase(0, 1);
        return c;
      }
      case 2:
        // Records of counters and small fields, as in program and table files.
        ++record_;
        return static_cast<unsigned char>((record_ % 16 == 0) ? Random() : record_ / 16 % 7);
      default:
        return static_cast<unsigned char>(Random());
    }
  }

  uint32_t state_ = 2463534242u;
  uint32_t kind_ = 0;
  size_t left_ = 0;
  uint32_t record_ = 0;
  std::string word_;
};

void Generate(const std::string& path, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot create " + path);
  Mixed mixed;
  std::vector<unsigned char> block(StoredFileCodec::kInputBlock);
  for (size_t done = 0; done < size; done += block.size()) {
    mixed.Fill(block);
    std::fwrite(block.data(), 1, block.size(), f);
  }
  std::fclose(f);
}

struct Files {
  std::FILE* in;
  std::FILE* out;
  Files(const std::string& from, const std::string& to)
      : in(std::fopen(from.c_str(), "rb")), out(std::fopen(to.c_str(), "wb")) {
    if (!in || !out) throw std::runtime_error("cannot open " + from + " or " + to);
  }
  ~Files() {
    std::fclose(in);
    std::fclose(out);
  }
};

// The loops the engine would be if it were nothing but zlib and the C library.
void BareCompress(const std::string& from, const std::string& to) {
  Files f(from, to);
  std::vector<unsigned char> input(StoredFileCodec::kInputBlock),
      output(StoredFileCodec::kInputBlock);
  z_stream z{};
  deflateInit(&z, StoredFileCodec::kLevel);
  int flush = Z_NO_FLUSH;
  while (flush != Z_FINISH) {
    const size_t got = std::fread(input.data(), 1, input.size(), f.in);
    flush = got == 0 ? Z_FINISH : Z_NO_FLUSH;
    z.next_in = input.data();
    z.avail_in = static_cast<uInt>(got);
    do {
      z.next_out = output.data();
      z.avail_out = static_cast<uInt>(output.size());
      deflate(&z, flush);
      std::fwrite(output.data(), 1, output.size() - z.avail_out, f.out);
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
}

void BareExpand(const std::string& from, const std::string& to) {
  Files f(from, to);
  std::vector<unsigned char> input(StoredFileCodec::kInputBlock),
      output(StoredFileCodec::kOutputBlock);
  z_stream z{};
  inflateInit(&z);
  int rc = Z_OK;
  while (rc != Z_STREAM_END) {
    const size_t got = std::fread(input.data(), 1, input.size(), f.in);
    if (got == 0) break;
    z.next_in = input.data();
    z.avail_in = static_cast<uInt>(got);
    do {
      z.next_out = output.data();
      z.avail_out = static_cast<uInt>(output.size());
      rc = inflate(&z, Z_NO_FLUSH);
      if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        throw std::runtime_error("bare inflate failed");
      std::fwrite(output.data(), 1, output.size() - z.avail_out, f.out);
    } while (z.avail_out == 0 && rc != Z_STREAM_END);
  }
  inflateEnd(&z);
}

template <class F>
double Seconds(F&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

uint32_t Crc(const std::string& path, size_t* size) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw std::runtime_error("cannot read " + path);
  std::vector<unsigned char> block(1 << 16);
  uLong crc = crc32(0, nullptr, 0);
  *size = 0;
  while (size_t n = std::fread(block.data(), 1, block.size(), f)) {
    crc = crc32(crc, block.data(), static_cast<uInt>(n));
    *size += n;
  }
  std::fclose(f);
  return static_cast<uint32_t>(crc);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const size_t size = (argc > 1 ? std::stoul(argv[1]) : 256) << 20;
    auto env = MakeBenchEnv(argc > 2 ? argv[2] : "");
    const std::string dir = env->Folder();
    const std::string source = dir + "mixed.bin", stored = dir + "mixed.bi_",
                      expanded = dir + "mixed.out", bareStored = dir + "bare.z",
                      bareExpanded = dir + "bare.out";
    Generate(env->HostPath(source), size);

    // Memory first, before the bare loops have touched anything: the codec's own buffers,
    // zlib's state and the file streams, above what the process held when idle.
    const size_t idle = env->CurrentMemory();
    double compress = 1e9, expand = 1e9, bareCompress = 1e9, bareExpand = 1e9;
    size_t peak = 0;
    {
      StoredFileCodec codec;
      auto engineRun = [&] {
        compress = std::min(compress, Seconds([&] { codec.CompressFile(source, stored); }));
        expand = std::min(expand, Seconds([&] { codec.ExpandFile(stored, expanded); }));
      };
      auto bareRun = [&] {
        bareCompress = std::min(bareCompress, Seconds([&] {
                                  BareCompress(env->HostPath(source), env->HostPath(bareStored));
                                }));
        bareExpand = std::min(bareExpand, Seconds([&] {
                                BareExpand(env->HostPath(bareStored), env->HostPath(bareExpanded));
                              }));
      };
      engineRun();
      peak = env->PeakMemory();
      // Best of five each, taking turns at going first, so that the disk's write-back of one
      // run's output does not always fall on the same contender.
      for (int round = 0; round < 5; ++round) {
        // Every run writes a new file, so no run pays for truncating another's output.
        for (const auto& path : {stored, expanded, bareStored, bareExpanded}) env->Remove(path);
        if (round % 2) {
          engineRun();
          bareRun();
        } else {
          bareRun();
          engineRun();
        }
      }
    }

    size_t sourceSize = 0, expandedSize = 0, bareSize = 0, storedSize = 0;
    const uint32_t sourceCrc = Crc(env->HostPath(source), &sourceSize);
    const bool sameExpansion =
        Crc(env->HostPath(expanded), &expandedSize) == sourceCrc && expandedSize == sourceSize;
    const bool sameStream =
        Crc(env->HostPath(stored), &storedSize) == Crc(env->HostPath(bareStored), &bareSize) &&
        storedSize == bareSize;
    for (const auto& path : {source, stored, expanded, bareStored, bareExpanded}) env->Remove(path);

    const double mb = static_cast<double>(size) / 1e6;
    std::printf("file: %zu MiB of mixed content, stored at level %d as %.1f%% of its size\n",
                size >> 20, StoredFileCodec::kLevel, 100.0 * storedSize / size);
    std::printf("%-12s %10s %10s %8s\n", "", "engine", "bare zlib", "ratio");
    std::printf("%-12s %7.1f MB/s %5.1f MB/s %8.2f\n", "expansion", mb / expand, mb / bareExpand,
                bareExpand / expand);
    std::printf("%-12s %7.1f MB/s %5.1f MB/s %8.2f\n", "compression", mb / compress,
                mb / bareCompress, bareCompress / compress);
    std::printf("peak memory above idle: %.2f MiB (idle %.2f MiB)\n",
                (peak > idle ? peak - idle : 0) / 1048576.0, idle / 1048576.0);
    std::printf("engine output equals the bare loop's: stream %s, expansion %s\n",
                sameStream ? "yes" : "NO", sameExpansion ? "yes" : "NO");
    return sameStream && sameExpansion ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench failed: %s\n", e.what());
    return 2;
  }
}
