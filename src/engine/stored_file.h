#pragma once
// The medium's stored form of a file: exactly one zlib stream of the whole file, nothing
// before or after it. Mastering writes it at level 1; installation expands it.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/platform.h"

namespace engine {

// A stored file that is not one complete, intact zlib stream: cut short, failing its
// checksum, or followed by other data. Names the stored file.
class EDamagedFile : public plat::EFileError {
 public:
  using plat::EFileError::EFileError;
};

// Holds the buffers that every expansion and compression of one run reuses.
class StoredFileCodec {
 public:
  // Uncompressed bytes per inflate call, and so per write: under Wine each write is a round
  // trip of its own, and 4 KiB writes cost an installation a third of its time.
  static constexpr size_t kOutputBlock = 65536;
  static constexpr size_t kInputBlock = 65536;  // bytes read from the source per read
  static constexpr int kLevel = 1;

  // Files are read and written, and window messages processed, on `platform`.
  explicit StoredFileCodec(plat::Platform& platform);

  // Expands `src` onto `dst`. The result is written beside `dst` and takes its place only
  // once the whole stream has expanded and checked out, so a failure leaves an existing
  // `dst` exactly as it was and no temporary file behind. Window messages are processed once
  // per input block. A stored file of zero bytes expands to an empty file. Raises
  // plat::EFileError (EDamagedFile for a damaged stream); returns true otherwise.
  bool ExpandFile(const std::string& src, const std::string& dst);
  // The same from an open source named `src`. Every successful expansion reads the source up to
  // a read that returns nothing, so a source that checks itself at its end is checked before
  // `dst` is replaced.
  void ExpandFrom(plat::InputFile& in, const std::string& src, const std::string& dst);
  // A byte-for-byte copy of `in` onto `dst`, read to its end before it replaces `dst`.
  void CopyFrom(plat::InputFile& in, const std::string& dst);
  // Writes `src` as one zlib stream onto `dst`, with the same all-or-nothing replacement.
  bool CompressFile(const std::string& src, const std::string& dst);
  // How many threads compress a large file (the processors); the bytes are the same for any.
  unsigned threads;
  // Told the size of every block read while expanding, so a caller can show progress within
  // a large file.
  std::function<void(size_t)> onRead;
  // The platform's copy of `src` (file times and attributes included), put in place of `dst`
  // the same way. False when the copy could not be made; a failed replace raises.
  bool CopyPlainFile(const std::string& src, const std::string& dst);

 private:
  // The first time a run writes into a folder, the temporary files that a killed earlier run
  // left there go.
  void SweepLeftovers(const std::string& dst);

  plat::Platform& platform_;
  std::set<std::string> swept_;            // folders, upper-cased
  std::vector<unsigned char> copyBuffer_;  // kOutputBlock
  std::vector<unsigned char> input_;       // kInputBlock
};

}  // namespace engine
