// Every asset file is stored in the format the game's loaders and its pixel probes rely on:
// truecolour PNG (a paletted one would lose colour precision), baseline JPEG, 8-bit PCX grids,
// PCM WAV and an Ogg stream.
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> read_head(const std::string &path, size_t bytes = 64) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> head(bytes);
  in.read(reinterpret_cast<char *>(head.data()), static_cast<std::streamsize>(bytes));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

bool starts_with(const std::vector<uint8_t> &head, const std::string &magic, size_t at = 0) {
  return head.size() >= at + magic.size() && std::equal(magic.begin(), magic.end(), head.begin() + at,
                                                        [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

uint32_t big_endian32(const std::vector<uint8_t> &h, size_t at) {
  return uint32_t(h[at]) << 24 | uint32_t(h[at + 1]) << 16 | uint32_t(h[at + 2]) << 8 | h[at + 3];
}

}  // namespace

TEST(formats, pictures_are_truecolour_png_of_their_size) {
  struct png_case {
    const char *file;
    uint32_t min_w, min_h;
  };
  for (const png_case &c : {png_case{"grafika/ele.png", 870, 700}, png_case{"grafika/pl2.png", 800, 600}}) {
    const std::vector<uint8_t> h = read_head(c.file);
    ASSERT_TRUE(starts_with(h, "\x89PNG\r\n\x1a\n") && starts_with(h, "IHDR", 12)) << c.file;
    EXPECT_GE(big_endian32(h, 16), c.min_w) << c.file;
    EXPECT_GE(big_endian32(h, 20), c.min_h) << c.file;
    EXPECT_EQ(h[24], 8) << c.file << ": 8 bits per channel";
    EXPECT_TRUE(h[25] == 2 || h[25] == 6) << c.file << ": colour type " << int(h[25]) << " is not truecolour";
  }
}

TEST(formats, photographs_are_jpeg) {
  for (int n = 0; n <= 4; n++) {
    const std::string file = "grafika/r" + std::to_string(n) + ".jpg";
    EXPECT_TRUE(starts_with(read_head(file), "\xff\xd8\xff")) << file;
  }
}

TEST(formats, fonts_are_8_bit_single_plane_pcx) {
  for (const char *file : {"grafika/F16.pcx", "grafika/arial_16.pcx", "grafika/arialbd_14.pcx", "grafika/F20.pcx"}) {
    const std::vector<uint8_t> h = read_head(file, 128);
    ASSERT_EQ(h.size(), 128u) << file;
    EXPECT_EQ(h[0], 0x0A) << file << ": PCX signature";
    EXPECT_EQ(h[3], 8) << file << ": bits per pixel";
    EXPECT_EQ(h[65], 1) << file << ": colour planes";
  }
}

TEST(formats, sounds_are_pcm_wav_and_music_is_ogg_vorbis) {
  for (int n = 1; n <= 7; n++) {
    const std::string file = "muz/s" + std::to_string(n) + ".wav";
    const std::vector<uint8_t> h = read_head(file);
    EXPECT_TRUE(starts_with(h, "RIFF") && starts_with(h, "WAVEfmt ", 8)) << file;
    ASSERT_GE(h.size(), 22u) << file;
    EXPECT_EQ(h[20] | h[21] << 8, 1) << file << ": PCM";
  }
  const std::vector<uint8_t> ogg = read_head("muz/muzyczka.ogg");
  EXPECT_TRUE(starts_with(ogg, "OggS")) << "muz/muzyczka.ogg";
  EXPECT_TRUE(starts_with(ogg, "\x01vorbis", 28)) << "muz/muzyczka.ogg: first packet";
}
