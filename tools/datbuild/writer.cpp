#include "datbuild/writer.h"

#include <cstdio>
#include <png.h>

static uint32_t id(const char *s) {
  return (uint32_t)(uint8_t)s[0] << 24 | (uint32_t)(uint8_t)s[1] << 16 | (uint32_t)(uint8_t)s[2] << 8 | (uint8_t)s[3];
}

static void be32(std::vector<uint8_t> &out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back((uint8_t)(v >> s));
}

static void be16(std::vector<uint8_t> &out, uint16_t v) {
  out.push_back((uint8_t)(v >> 8));
  out.push_back((uint8_t)v);
}

uint16_t pixel565(uint32_t argb) {
  const uint16_t mask = 0xF81F;
  if ((argb >> 24) < 128) return mask;
  uint16_t c = (uint16_t)(((argb >> 19) & 0x1F) << 11 | ((argb >> 10) & 0x3F) << 5 | ((argb >> 3) & 0x1F));
  // An opaque pixel must never read as see-through.
  return c == mask ? (uint16_t)(mask - 1) : c;
}

DatEntry dat_bitmap_entry(const std::string &name, const Image &img) {
  DatEntry e;
  e.type = id("BMP ");
  e.name = name;
  be16(e.data, 16);
  be16(e.data, (uint16_t)img.w);
  be16(e.data, (uint16_t)img.h);
  // Pixels are stored as little-endian 16-bit words.
  for (uint32_t p : img.px) {
    uint16_t c = pixel565(p);
    e.data.push_back((uint8_t)c);
    e.data.push_back((uint8_t)(c >> 8));
  }
  return e;
}

static void png_append(png_structp png, png_bytep data, png_size_t length) {
  std::vector<uint8_t> *out = (std::vector<uint8_t> *)png_get_io_ptr(png);
  out->insert(out->end(), data, data + length);
}

static void png_no_flush(png_structp) {}

DatEntry dat_png_entry(const std::string &name, const Image &img) {
  DatEntry e;
  e.type = id("DATA");
  e.name = name;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    e.data.clear();
    return e;
  }
  png_set_write_fn(png, &e.data, png_append, png_no_flush);
  png_set_IHDR(png, info, img.w, img.h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row((size_t)img.w * 4);
  for (int y = 0; y < img.h; y++) {
    for (int x = 0; x < img.w; x++) {
      uint32_t p = img.px[(size_t)y * img.w + x];
      row[x * 4 + 0] = (uint8_t)(p >> 16);
      row[x * 4 + 1] = (uint8_t)(p >> 8);
      row[x * 4 + 2] = (uint8_t)p;
      row[x * 4 + 3] = (uint8_t)(p >> 24);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return e;
}

DatEntry dat_raw_entry(const std::string &name, const std::vector<uint8_t> &bytes) {
  DatEntry e;
  e.type = id("DATA");
  e.name = name;
  e.data = bytes;
  return e;
}

static void write_object(std::vector<uint8_t> &out, const DatEntry &e) {
  if (!e.name.empty()) {
    be32(out, id("prop"));
    be32(out, id("NAME"));
    be32(out, (uint32_t)e.name.size());
    out.insert(out.end(), e.name.begin(), e.name.end());
  }
  be32(out, e.type);
  be32(out, (uint32_t)e.data.size());
  be32(out, (uint32_t)e.data.size());
  out.insert(out.end(), e.data.begin(), e.data.end());
}

bool dat_write_file(const std::string &path, const std::vector<DatEntry> &entries) {
  std::vector<uint8_t> out;
  be32(out, 0x736C682E);  // unpacked file
  be32(out, id("ALL."));
  be32(out, (uint32_t)entries.size());
  for (const DatEntry &e : entries) write_object(out, e);
  std::string temp = path + ".tmp";
  FILE *f = fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = fwrite(out.data(), 1, out.size(), f) == out.size();
  ok = fclose(f) == 0 && ok;
  if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
    remove(temp.c_str());
    return false;
  }
  return true;
}
