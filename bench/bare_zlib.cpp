#include "bare_zlib.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "engine/stored_file.h"

namespace bench {
namespace {

using engine::StoredFileCodec;

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

}  // namespace

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

namespace {

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

}  // namespace

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

}  // namespace bench
