// zlib's deflate and inflate call crc32 only for the gzip wrapper, which the stored files never
// use (they are plain zlib streams, checked by Adler-32). The library's table-driven CRC-32
// brings 8 KB of tables into the shipped programs; this bitwise one gives the same values.
#include <zlib.h>

extern "C" uLong crc32(uLong crc, const Bytef* buf, uInt len) {
  if (!buf) return 0;
  crc = ~crc & 0xFFFFFFFFu;
  while (len--) {
    crc ^= *buf++;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc & 0xFFFFFFFFu;
}
