#include "engine/stored_file.h"

#include <zlib.h>

#include <new>

#include "platform/errors.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace engine {
namespace {

std::string FolderOf(const std::string& path) {
  const auto cut = path.find_last_of("\\:");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// The names this program gives its temporary files: "~vt", digits, ".tmp".
bool IsOurTemporary(const std::string& name) {
  const std::string upper = plat::InvariantUpper(name);
  if (upper.size() < 8 || upper.compare(0, 3, "~VT") != 0 ||
      upper.compare(upper.size() - 4, 4, ".TMP") != 0)
    return false;
  for (size_t i = 3; i < upper.size() - 4; ++i)
    if (upper[i] < '0' || upper[i] > '9') return false;
  return true;
}

// The new contents of `dst`, made under a free temporary name in the same folder (so the final
// rename never crosses a volume) and moved over `dst` by Commit. Until then `dst` is untouched;
// without a Commit the temporary file is removed. The temporary file is always a new one: a
// link planted under its name is never written through.
class ReplacingOutput {
 public:
  // Contents to come through Write.
  explicit ReplacingOutput(const std::string& dst) : dst_(dst) {
    auto& files = plat::Current().Files();
    Claim([&](const std::string& temp) {
      out_ = files.CreateNew(temp);
      return out_ ? Claimed::Made : Claimed::Taken;
    });
  }
  // A copy of `src`, made by the platform; `copied` tells whether it was.
  ReplacingOutput(const std::string& dst, const std::string& src, bool& copied) : dst_(dst) {
    auto& files = plat::Current().Files();
    copied = Claim([&](const std::string& temp) {
      if (files.CopyNew(src, temp)) return Claimed::Made;
      return files.GetAttributes(temp) == plat::kInvalidAttributes ? Claimed::Failed
                                                                   : Claimed::Taken;
    });
  }
  ~ReplacingOutput() {
    if (committed_ || temp_.empty()) return;
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
      if (out_) {
        // Durable before the rename: a crash must not leave an empty file in its place.
        out_->Flush();
        out_->Close();
      }
    } catch (const plat::EFileError& e) {
      throw AsDestination(e);
    }
    auto& files = plat::Current().Files();
    if (!files.Replace(temp_, dst_)) throw files.LastError(dst_);
    committed_ = true;
  }

 private:
  enum class Claimed { Made, Taken, Failed };
  // Tries `make` on temporary names until one is made (true) or making fails (false).
  template <class Make>
  bool Claim(Make make) {
    const std::string folder = FolderOf(dst_);
    // A short name, so the temporary path is no longer than most destinations.
    for (int n = 0; n < 1000; ++n) {
      temp_ = folder + "~vt" + std::to_string(n) + ".tmp";
      Claimed claimed;
      try {
        claimed = make(temp_);
      } catch (const plat::EFileError& e) {
        temp_.clear();
        throw AsDestination(e);
      }
      if (claimed == Claimed::Made) return true;
      if (claimed == Claimed::Failed) {
        temp_.clear();
        return false;
      }
    }
    temp_.clear();
    throw plat::EFileError(dst_, "brak wolnej nazwy pliku tymczasowego");
  }

  // The user knows the file by its real name, not by the temporary one.
  plat::EFileError AsDestination(const plat::EFileError& e) const {
    if (e.Why() != plat::EFileError::Reason::Other) return plat::EFileError(dst_, e.Why());
    const std::string what = e.what();
    const std::string prefix = "\"" + temp_ + "\": ";
    return plat::EFileError(
        dst_, what.compare(0, prefix.size(), prefix) == 0 ? what.substr(prefix.size()) : what);
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

void StoredFileCodec::SweepLeftovers(const std::string& dst) {
  const std::string folder = FolderOf(dst);
  if (!swept_.insert(plat::InvariantUpper(folder)).second) return;
  auto& files = plat::Current().Files();
  for (const std::string& name : files.List(folder.empty() ? std::string(".\\") : folder))
    if (IsOurTemporary(name)) files.Remove(folder + name);
}

bool StoredFileCodec::ExpandFile(const std::string& src, const std::string& dst) {
  auto in = plat::Current().Files().OpenRead(src);
  return ExpandFrom(*in, src, dst);
}

bool StoredFileCodec::ExpandFrom(plat::InputFile& in, const std::string& src,
                                 const std::string& dst) {
  auto& platform = plat::Current();
  SweepLeftovers(dst);
  ReplacingOutput out(dst);
  Inflater inflater;
  z_stream& z = inflater.z;
  size_t consumed = 0;
  int rc = Z_OK;
  while (rc != Z_STREAM_END) {
    const size_t got = in.Read(input_.data(), input_.size());
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
  if (rc == Z_STREAM_END && (z.avail_in > 0 || in.Read(input_.data(), input_.size()) > 0))
    throw EDamagedFile(src, "dane za końcem strumienia skompresowanego");
  out.Commit();
  return true;
}

bool StoredFileCodec::CopyFrom(plat::InputFile& in, const std::string& dst) {
  SweepLeftovers(dst);
  ReplacingOutput out(dst);
  // Read to the end (the read that returns nothing included) before the file takes its place.
  while (const size_t got = in.Read(copyBuffer_.data(), copyBuffer_.size())) {
    plat::Current().Pump().ProcessPending();
    if (onRead) onRead(got);
    out.Write(copyBuffer_.data(), got);
  }
  out.Commit();
  return true;
}

bool StoredFileCodec::CopyPlainFile(const std::string& src, const std::string& dst) {
  SweepLeftovers(dst);
  bool copied = false;
  ReplacingOutput out(dst, src, copied);
  if (copied) out.Commit();
  return copied;
}

bool StoredFileCodec::CompressFile(const std::string& src, const std::string& dst) {
  auto in = plat::Current().Files().OpenRead(src);
  SweepLeftovers(dst);
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
