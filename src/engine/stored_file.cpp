#include "engine/stored_file.h"

#include <zlib.h>

#include <new>

#include "platform/errors.h"
#include "platform/platform.h"

namespace engine {
namespace {

// The new contents of `dst`, written under a free temporary name in the same folder (so the
// final rename never crosses a volume) and moved over `dst` by Commit. Until then `dst` is
// untouched; without a Commit the temporary file is removed.
class ReplacingOutput {
 public:
  explicit ReplacingOutput(const std::string& dst) : dst_(dst), temp_(FreeTempName(dst)) {
    try {
      out_ = plat::Current().Files().Create(temp_);
    } catch (const plat::EFileError& e) {
      throw AsDestination(e);
    }
  }
  ~ReplacingOutput() {
    if (committed_) return;
    out_.reset();  // closes, swallowing errors: the file is going anyway
    plat::Current().Files().Remove(temp_);
  }
  ReplacingOutput(const ReplacingOutput&) = delete;
  ReplacingOutput& operator=(const ReplacingOutput&) = delete;

  void Write(const void* data, size_t size) {
    try {
      if (size) out_->Write(data, size);
    } catch (const plat::EFileError& e) {
      throw AsDestination(e);
    }
  }
  void Commit() {
    try {
      out_->Close();
    } catch (const plat::EFileError& e) {
      throw AsDestination(e);
    }
    if (!plat::Current().Files().Replace(temp_, dst_))
      throw plat::EFileError(dst_, plat::EFileError::Reason::AccessDenied);
    committed_ = true;
  }

 private:
  // The user knows the file by its real name, not by the temporary one.
  plat::EFileError AsDestination(const plat::EFileError& e) const {
    if (e.Why() != plat::EFileError::Reason::Other) return plat::EFileError(dst_, e.Why());
    const std::string what = e.what();
    const std::string prefix = "\"" + temp_ + "\": ";
    return plat::EFileError(
        dst_, what.compare(0, prefix.size(), prefix) == 0 ? what.substr(prefix.size()) : what);
  }

  static std::string FreeTempName(const std::string& dst) {
    const auto cut = dst.find_last_of("\\:");
    const std::string folder = cut == std::string::npos ? std::string() : dst.substr(0, cut + 1);
    auto& files = plat::Current().Files();
    // A short name, so the temporary path is no longer than most destinations.
    for (int n = 0; n < 1000; ++n) {
      std::string name = folder + "~vt" + std::to_string(n) + ".tmp";
      if (files.GetAttributes(name) == plat::kInvalidAttributes) return name;
    }
    throw plat::EFileError(dst, "brak wolnej nazwy pliku tymczasowego");
  }

  std::string dst_;
  std::string temp_;
  std::unique_ptr<plat::OutputFile> out_;
  bool committed_ = false;
};

class Inflater {
 public:
  Inflater() {
    if (inflateInit(&z) != Z_OK) throw std::bad_alloc();
  }
  ~Inflater() { inflateEnd(&z); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  z_stream z{};
};

class Deflater {
 public:
  explicit Deflater(int level) {
    if (deflateInit(&z, level) != Z_OK) throw std::bad_alloc();
  }
  ~Deflater() { deflateEnd(&z); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  z_stream z{};
};

}  // namespace

StoredFileCodec::StoredFileCodec()
    : copyBuffer_(kOutputBlock), input_(kInputBlock), packed_(kInputBlock) {}

bool StoredFileCodec::ExpandFile(const std::string& src, const std::string& dst) {
  auto& platform = plat::Current();
  auto in = platform.Files().OpenRead(src);
  ReplacingOutput out(dst);
  Inflater inflater;
  z_stream& z = inflater.z;
  size_t consumed = 0;
  int rc = Z_OK;
  while (rc != Z_STREAM_END) {
    const size_t got = in->Read(input_.data(), input_.size());
    platform.Pump().ProcessPending();
    if (got == 0) break;
    consumed += got;
    if (onRead) onRead(got);
    z.next_in = input_.data();
    z.avail_in = static_cast<uInt>(got);
    do {
      z.next_out = copyBuffer_.data();
      z.avail_out = static_cast<uInt>(copyBuffer_.size());
      rc = inflate(&z, Z_NO_FLUSH);
      if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_STREAM_ERROR)
        throw EDamagedFile(src, plat::EFileError::Reason::BadData);
      if (rc == Z_MEM_ERROR) throw std::bad_alloc();
      out.Write(copyBuffer_.data(), copyBuffer_.size() - z.avail_out);
    } while (z.avail_out == 0 && rc != Z_STREAM_END);
  }
  // An empty stored file is an empty file: older media hold such files as zero bytes.
  if (rc != Z_STREAM_END && consumed > 0)
    throw EDamagedFile(src, "plik skompresowany jest niekompletny");
  if (rc == Z_STREAM_END && (z.avail_in > 0 || in->Read(input_.data(), input_.size()) > 0))
    throw EDamagedFile(src, "dane za końcem strumienia skompresowanego");
  out.Commit();
  return true;
}

bool StoredFileCodec::CompressFile(const std::string& src, const std::string& dst) {
  auto in = plat::Current().Files().OpenRead(src);
  ReplacingOutput out(dst);
  Deflater deflater(kLevel);
  z_stream& z = deflater.z;
  int flush = Z_NO_FLUSH;
  while (flush != Z_FINISH) {
    const size_t got = in->Read(input_.data(), input_.size());
    flush = got == 0 ? Z_FINISH : Z_NO_FLUSH;
    z.next_in = input_.data();
    z.avail_in = static_cast<uInt>(got);
    do {
      z.next_out = packed_.data();
      z.avail_out = static_cast<uInt>(packed_.size());
      if (deflate(&z, flush) == Z_STREAM_ERROR) throw plat::Error("deflate state damaged");
      out.Write(packed_.data(), packed_.size() - z.avail_out);
    } while (z.avail_out == 0);
  }
  out.Commit();
  return true;
}

}  // namespace engine
