#include "engine/stored_file.h"

#include <zlib.h>

#include <new>

#include "engine/block_deflate.h"
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
  ReplacingOutput(plat::FileSystem& files, const std::string& dst) : files_(files), dst_(dst) {
    Claim([&](const std::string& temp) {
      out_ = files.CreateNew(temp);
      return out_ ? Claimed::Made : Claimed::Taken;
    });
  }
  // A copy of `src`, made by the platform; `copied` tells whether it was.
  ReplacingOutput(plat::FileSystem& files, const std::string& dst, const std::string& src,
                  bool& copied)
      : files_(files), dst_(dst) {
    copied = Claim([&](const std::string& temp) {
      if (files.CopyNew(src, temp)) return Claimed::Made;
      return files.GetAttributes(temp) == plat::kInvalidAttributes ? Claimed::Failed
                                                                   : Claimed::Taken;
    });
  }
  ~ReplacingOutput() {
    if (committed_ || temp_.empty()) return;
    out_.reset();  // closes, swallowing errors: the file is going anyway
    files_.Remove(temp_);
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
    if (!files_.Replace(temp_, dst_)) throw files_.LastError(dst_);
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

  plat::FileSystem& files_;
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

}  // namespace

StoredFileCodec::StoredFileCodec(plat::Platform& platform)
    : threads(DeflateThreads()),
      platform_(platform),
      copyBuffer_(kOutputBlock),
      input_(kInputBlock) {}

void StoredFileCodec::SweepLeftovers(const std::string& dst) {
  const std::string folder = FolderOf(dst);
  if (!swept_.insert(plat::InvariantUpper(folder)).second) return;
  auto& files = platform_.Files();
  for (const std::string& name : files.List(folder.empty() ? std::string(".\\") : folder))
    if (IsOurTemporary(name)) files.Remove(folder + name);
}

bool StoredFileCodec::ExpandFile(const std::string& src, const std::string& dst) {
  auto in = platform_.Files().OpenRead(src);
  ExpandFrom(*in, src, dst);
  return true;
}

void StoredFileCodec::ExpandFrom(plat::InputFile& in, const std::string& src,
                                 const std::string& dst) {
  SweepLeftovers(dst);
  ReplacingOutput out(platform_.Files(), dst);
  Inflater inflater;
  z_stream& z = inflater.z;
  size_t consumed = 0;
  int rc = Z_OK;
  while (rc != Z_STREAM_END) {
    const size_t got = in.Read(input_.data(), input_.size());
    platform_.Pump().ProcessPending();
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
}

void StoredFileCodec::CopyFrom(plat::InputFile& in, const std::string& dst) {
  SweepLeftovers(dst);
  ReplacingOutput out(platform_.Files(), dst);
  // Read to the end (the read that returns nothing included) before the file takes its place.
  while (const size_t got = in.Read(copyBuffer_.data(), copyBuffer_.size())) {
    platform_.Pump().ProcessPending();
    if (onRead) onRead(got);
    out.Write(copyBuffer_.data(), got);
  }
  out.Commit();
}

bool StoredFileCodec::CopyPlainFile(const std::string& src, const std::string& dst) {
  SweepLeftovers(dst);
  bool copied = false;
  ReplacingOutput out(platform_.Files(), dst, src, copied);
  if (copied) out.Commit();
  return copied;
}

bool StoredFileCodec::CompressFile(const std::string& src, const std::string& dst) {
  auto in = platform_.Files().OpenRead(src);
  SweepLeftovers(dst);
  ReplacingOutput out(platform_.Files(), dst);
  DeflateInBlocks([&](void* buffer, size_t size) { return in->Read(buffer, size); },
                  [&](const void* data, size_t size) { out.Write(data, size); }, kLevel, threads);
  out.Commit();
  return true;
}

}  // namespace engine
