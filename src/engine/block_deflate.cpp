#include "engine/block_deflate.h"

#include <zlib.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include "platform/errors.h"

namespace engine {
namespace {

constexpr size_t kStretch = 65536;  // what one choice between storing and compressing covers

// Made on the reading thread, so a worker never meets a failed allocation.
class RawDeflater {
 public:
  RawDeflater() = default;
  ~RawDeflater() { deflateEnd(&z); }  // harmless on a stream never initialised
  RawDeflater(const RawDeflater&) = delete;
  RawDeflater& operator=(const RawDeflater&) = delete;
  void Init(int level) {
    // The larger hash table: at level 1 it compresses about 8 % faster, and no worse.
    if (deflateInit2(&z, level, Z_DEFLATED, -15, MAX_MEM_LEVEL, Z_DEFAULT_STRATEGY) != Z_OK)
      throw std::bad_alloc();
  }
  z_stream z{};
};

struct Block {
  unsigned char* in = nullptr;
  unsigned char* out = nullptr;
  size_t bound = 0, size = 0, packed = 0;
  uLong adler = 0;
  bool last = false, done = false, failed = false;
};

// Bytes whose values are as evenly spread as noise's: data already compressed (pictures,
// archives), which level 1 cannot shrink and takes twice as long over as over text. Integer
// arithmetic, so the choice is the same on every machine.
bool LooksCompressed(const unsigned char* data, size_t size) {
  uint32_t counts[256] = {};
  for (size_t i = 0; i < size; ++i) ++counts[data[i]];
  uint64_t squares = 0;
  for (const uint32_t count : counts) squares += uint64_t{count} * count;
  // Within 2 % of an even spread (noise is within 0.4 % at 64 KiB).
  return 256 * 100 * squares < 102 * uint64_t{size} * size;
}

void Compress(Block& block, RawDeflater& deflater, int level) {
  z_stream& z = deflater.z;
  block.adler = adler32(adler32(0, nullptr, 0), block.in, static_cast<uInt>(block.size));
  deflateReset(&z);
  z.next_out = block.out;
  z.avail_out = static_cast<uInt>(block.bound);
  // A reset keeps the level the stream had, which depends on the block this thread did last.
  int rc = deflateParams(&z, level, Z_DEFAULT_STRATEGY);
  // Stretches of the block at fixed places, each stored as it is when it looks compressed.
  for (size_t at = 0; at < block.size && rc == Z_OK; at += kStretch) {
    const size_t size = std::min(kStretch, block.size - at);
    rc = deflateParams(&z, LooksCompressed(block.in + at, size) ? 0 : level, Z_DEFAULT_STRATEGY);
    z.next_in = block.in + at;
    z.avail_in = static_cast<uInt>(size);
    if (rc == Z_OK) rc = deflate(&z, Z_NO_FLUSH);
  }
  if (rc == Z_OK) rc = deflate(&z, block.last ? Z_FINISH : Z_SYNC_FLUSH);
  // The output buffer holds the worst case, so one call always completes the block.
  block.failed = rc != (block.last ? Z_STREAM_END : Z_OK) || z.avail_in || !z.avail_out;
  block.packed = block.bound - z.avail_out;
}

// The blocks in flight, written in the order they were read, whoever compresses them.
class Pipeline {
 public:
  // Two blocks per thread: one being compressed, one read or written meanwhile.
  Pipeline(int level, unsigned threads)
      : level_(level),
        threads_(std::max(threads, 1u)),
        slots_(2 * threads_),
        blocks_(new Block[slots_]),
        deflaters_(new RawDeflater[threads_]),
        workers_(new std::thread[threads_]) {
    deflaters_[0].Init(level);
    // The worst case of a whole stream, plus the sync flush's empty stored block.
    const size_t bound = deflateBound(&deflaters_[0].z, kDeflateBlock) + 16;
    const size_t each = kDeflateBlock + bound;
    memory_.reset(new unsigned char[slots_ * each]);
    for (size_t i = 0; i < slots_; ++i) {
      blocks_[i].in = memory_.get() + i * each;
      blocks_[i].out = blocks_[i].in + kDeflateBlock;
      blocks_[i].bound = bound;
    }
  }
  ~Pipeline() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    work_.notify_all();
    for (unsigned i = 0; i < started_; ++i) workers_[i].join();
  }
  Pipeline(const Pipeline&) = delete;
  Pipeline& operator=(const Pipeline&) = delete;

  void Run(const std::function<size_t(void*, size_t)>& read,
           const std::function<void(const void*, size_t)>& write) {
    // What zlib's own header says for this level: a 32 KiB window, the level's class.
    unsigned header = 0x7800 | (level_ < 2 ? 0 : level_ < 6 ? 1 : level_ == 6 ? 2 : 3) << 6;
    header += 31 - header % 31;
    const unsigned char head[2] = {static_cast<unsigned char>(header >> 8),
                                   static_cast<unsigned char>(header)};
    write(head, sizeof head);
    uLong adler = adler32(0, nullptr, 0);
    bool readAll = false;
    for (;;) {
      while (!readAll && submitted_ - written_ < slots_) {
        Block& block = Fill(read);
        readAll = block.last;
        if (threads_ == 1 || (block.last && submitted_ == written_)) {
          Compress(block, deflaters_[0], level_);
          block.done = true;
        } else {
          StartWorkers();
        }
        std::lock_guard<std::mutex> lock(mutex_);
        ++submitted_;
        work_.notify_one();
      }
      if (written_ == submitted_) break;
      Block& block = blocks_[written_ % slots_];
      {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [&] { return block.done; });
      }
      if (block.failed) throw plat::Error("deflate state damaged");
      write(block.out, block.packed);
      adler = adler32_combine(adler, block.adler, static_cast<z_off_t>(block.size));
      ++written_;
    }
    const unsigned char trailer[4] = {
        static_cast<unsigned char>(adler >> 24), static_cast<unsigned char>(adler >> 16),
        static_cast<unsigned char>(adler >> 8), static_cast<unsigned char>(adler)};
    write(trailer, sizeof trailer);
  }

 private:
  // Reads the next block into its slot. A block is the last when the input ends within it, or
  // right at its end (then the last one is empty).
  Block& Fill(const std::function<size_t(void*, size_t)>& read) {
    Block& block = blocks_[submitted_ % slots_];
    block.size = 0;
    while (block.size < kDeflateBlock) {
      const size_t got = read(block.in + block.size, kDeflateBlock - block.size);
      if (got == 0) break;
      block.size += got;
    }
    block.last = block.size < kDeflateBlock;
    block.done = block.failed = false;
    return block;
  }

  void StartWorkers() {
    if (started_) return;
    for (unsigned i = 1; i < threads_; ++i) deflaters_[i].Init(level_);
    for (; started_ < threads_; ++started_)
      workers_[started_] = std::thread([this, i = started_] { Work(deflaters_[i]); });
  }

  void Work(RawDeflater& deflater) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      work_.wait(lock, [&] { return stop_ || taken_ < submitted_; });
      if (stop_) return;
      // Once there are workers, every block is theirs: only a lone first block is not.
      Block& block = blocks_[taken_++ % slots_];
      lock.unlock();
      Compress(block, deflater, level_);
      lock.lock();
      block.done = true;
      done_.notify_all();
    }
  }

  const int level_;
  const unsigned threads_;
  const size_t slots_;
  std::unique_ptr<Block[]> blocks_;
  std::unique_ptr<unsigned char[]> memory_;  // every block's input and output
  std::unique_ptr<RawDeflater[]> deflaters_;
  std::unique_ptr<std::thread[]> workers_;
  unsigned started_ = 0;
  std::mutex mutex_;
  std::condition_variable work_, done_;
  size_t submitted_ = 0, taken_ = 0, written_ = 0;
  bool stop_ = false;
};

}  // namespace

unsigned DeflateThreads() {
  // Each thread keeps two blocks and a deflate state (some 2 MiB): beyond 16 the 32-bit program's
  // memory would grow with the machine while the disk, not the processors, sets the pace.
  return std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
}

void DeflateInBlocks(const std::function<size_t(void*, size_t)>& read,
                     const std::function<void(const void*, size_t)>& write, int level,
                     unsigned threads) {
  Pipeline(level, threads).Run(read, write);
}

}  // namespace engine
