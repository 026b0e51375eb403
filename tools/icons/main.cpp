// Writes the desktop icon at the usual sizes of the hicolor theme:
//   iconbuild <folder>   makes <folder>/<n>x<n>/apps/quorvale.png
#include "art/art.h"
#include "datbuild/writer.h"

#include <cstdio>
#include <sys/stat.h>

static const int SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};

static bool write_icon(const std::string &dir, int size) {
  Image img;
  art_icon(size, img);
  std::vector<uint8_t> png = dat_png_entry("ICON", img).data;
  std::string path = dir + "/" + std::to_string(size) + "x" + std::to_string(size);
  mkdir(path.c_str(), 0755);
  path += "/apps";
  mkdir(path.c_str(), 0755);
  path += "/quorvale.png";
  FILE *f = fopen(path.c_str(), "wb");
  bool ok = f && !png.empty() && fwrite(png.data(), 1, png.size(), f) == png.size();
  if (f) ok = fclose(f) == 0 && ok;
  if (!ok) fprintf(stderr, "iconbuild: cannot write %s\n", path.c_str());
  return ok;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: iconbuild <folder>\n");
    return 2;
  }
  mkdir(argv[1], 0755);
  for (int size : SIZES)
    if (!write_icon(argv[1], size)) return 1;
  return 0;
}
