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

#include "bare_zlib.h"
#include "bench_env.h"
#include "engine/block_deflate.h"
#include "engine/stored_file.h"

namespace {

using bench::BareCompress;
using bench::BareExpand;
using bench::Generate;
using engine::StoredFileCodec;

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
                      single = dir + "single.bi_", reference = dir + "reference.bi_",
                      expanded = dir + "mixed.out", bareStored = dir + "bare.z",
                      bareExpanded = dir + "bare.out";
    Generate(env->HostPath(source), size);

    // Memory first, before the bare loops have touched anything: the codec's own buffers,
    // zlib's state and the file streams, above what the process held when idle.
    const size_t idle = env->CurrentMemory();
    double compress = 1e9, compressOne = 1e9, expand = 1e9, bareCompress = 1e9, bareExpand = 1e9;
    size_t peak = 0;
    const unsigned threads = engine::DeflateThreads();
    {
      StoredFileCodec codec{plat::Current()};
      auto engineRun = [&] {
        codec.threads = 1;
        compressOne = std::min(compressOne, Seconds([&] { codec.CompressFile(source, single); }));
        codec.threads = threads;
        compress = std::min(compress, Seconds([&] { codec.CompressFile(source, stored); }));
        expand = std::min(expand, Seconds([&] { codec.ExpandFile(stored, expanded); }));
      };
      auto bareRun = [&] {
        bareCompress = std::min(bareCompress, Seconds([&] {
                                  BareCompress(env->HostPath(source), env->HostPath(bareStored));
                                }));
        bareExpand = std::min(bareExpand, Seconds([&] {
                                BareExpand(env->HostPath(reference), env->HostPath(bareExpanded));
                              }));
      };
      engineRun();
      peak = env->PeakMemory();
      // What the bare loop expands: the engine's stream, which any zlib must read.
      codec.CompressFile(source, reference);
      // Best of five each, taking turns at going first, so that the disk's write-back of one
      // run's output does not always fall on the same contender.
      for (int round = 0; round < 5; ++round) {
        // Every run writes a new file, so no run pays for truncating another's output.
        for (const auto& path : {stored, single, expanded, bareStored, bareExpanded})
          env->Remove(path);
        if (round % 2) {
          engineRun();
          bareRun();
        } else {
          bareRun();
          engineRun();
        }
      }
    }

    size_t sourceSize = 0, expandedSize = 0, bareExpandedSize = 0, bareSize = 0, storedSize = 0,
           singleSize = 0;
    const uint32_t sourceCrc = Crc(env->HostPath(source), &sourceSize);
    const bool sameExpansion = Crc(env->HostPath(expanded), &expandedSize) == sourceCrc &&
                               expandedSize == sourceSize &&
                               Crc(env->HostPath(bareExpanded), &bareExpandedSize) == sourceCrc &&
                               bareExpandedSize == sourceSize;
    const bool sameStream =
        Crc(env->HostPath(stored), &storedSize) == Crc(env->HostPath(single), &singleSize) &&
        storedSize == singleSize;
    Crc(env->HostPath(bareStored), &bareSize);
    for (const auto& path : {source, stored, single, reference, expanded, bareStored, bareExpanded})
      env->Remove(path);

    const double mb = static_cast<double>(size) / 1e6;
    std::printf(
        "file: %zu MiB of mixed content, stored at level %d as %.2f%% of its size (bare loop "
        "%.2f%%)\n",
        size >> 20, StoredFileCodec::kLevel, 100.0 * storedSize / size, 100.0 * bareSize / size);
    std::printf("%-12s %10s %10s %8s\n", "", "engine", "bare zlib", "ratio");
    std::printf("%-12s %7.1f MB/s %5.1f MB/s %8.2f\n", "expansion", mb / expand, mb / bareExpand,
                bareExpand / expand);
    std::printf("%-12s %7.1f MB/s %5.1f MB/s %8.2f  (%u threads)\n", "compression", mb / compress,
                mb / bareCompress, bareCompress / compress, threads);
    std::printf("%-12s %7.1f MB/s %5.1f MB/s %8.2f  (1 thread)\n", "compression", mb / compressOne,
                mb / bareCompress, bareCompress / compressOne);
    std::printf("peak memory above idle: %.2f MiB (idle %.2f MiB)\n",
                (peak > idle ? peak - idle : 0) / 1048576.0, idle / 1048576.0);
    std::printf(
        "same stream on 1 and %u threads: %s; it expands to the file, by the engine and "
        "by the bare loop: %s\n",
        threads, sameStream ? "yes" : "NO", sameExpansion ? "yes" : "NO");
    return sameStream && sameExpansion ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench failed: %s\n", e.what());
    return 2;
  }
}
