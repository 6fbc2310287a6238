#pragma once
// SHA-256 (FIPS 180-4), for the digests of a medium's files. Installation hashes every byte it
// reads from the medium, so where the processor has the SHA instructions they do the work.
#include <array>
#include <cstddef>
#include <cstdint>

namespace engine {

class Sha256 {
 public:
  using Digest = std::array<uint8_t, 32>;
  // `useCpu` false keeps to the portable rounds even where the instructions exist.
  explicit Sha256(bool useCpu = true);
  void Update(const void* data, size_t size);
  // The digest of everything given; the object is spent afterwards.
  Digest Final();
  // Whether this processor has the instructions (and so whether `useCpu` changes anything).
  static bool CpuHasSha();

 private:
  void Blocks(const uint8_t* data, size_t count);

  uint32_t state_[8];
  uint8_t pending_[64];
  size_t pendingSize_ = 0;
  uint64_t total_ = 0;
  bool cpu_;
};

}  // namespace engine
