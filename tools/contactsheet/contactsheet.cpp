// contactsheet GAME_DIR OUT_DIR [MANIFEST...]: writes OUT_DIR/<folder>.png for every picture
// folder, with every picture of that folder loaded through the platform's loader and drawn at
// its own size over a neutral grey checkerboard (so transparency shows), labelled with its file
// name and size. Without manifests every .png and .jpg under GAME_DIR/gfx is taken.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/pixmap.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSheetWidth = 1680;
constexpr int kPad = 12;
constexpr int kLabel = 30;  // two lines of label under each picture
constexpr uint32_t kBackground = 0xFF2A2D33u;

bool IsPicture(const std::string& path) {
  std::string ext = fs::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".png" || ext == ".jpg" || ext == ".jpeg";
}

// Picture paths named by the manifests: every field that looks like a picture path.
std::vector<std::string> FromManifests(const std::vector<std::string>& manifests) {
  std::vector<std::string> paths;
  std::set<std::string> seen;
  for (const auto& file : manifests) {
    std::ifstream in(file);
    if (!in) {
      std::fprintf(stderr, "contactsheet: cannot read %s\n", file.c_str());
      continue;
    }
    std::string line;
    while (std::getline(in, line)) {
      auto hash = line.find('#');
      if (hash != std::string::npos) line.erase(hash);
      std::istringstream fields(line);
      for (std::string f; fields >> f;) {
        if (f.find('/') != std::string::npos && IsPicture(f) && seen.insert(f).second) paths.push_back(f);
      }
    }
  }
  return paths;
}

std::vector<std::string> FromFolder(const std::string& gameDir) {
  std::vector<std::string> paths;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(fs::path(gameDir) / "gfx", ec); it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (ec) break;
    if (it->is_regular_file() && IsPicture(it->path().string())) {
      paths.push_back(fs::relative(it->path(), gameDir).generic_string());
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

uint32_t Blend(uint32_t dst, uint32_t src) {
  uint32_t a = src >> 24;
  if (a == 255) return src | 0xFF000000u;
  if (a == 0) return dst;
  auto mix = [a](uint32_t d, uint32_t s) { return (s * a + d * (255 - a) + 127) / 255; };
  uint32_t r = mix((dst >> 16) & 255, (src >> 16) & 255);
  uint32_t g = mix((dst >> 8) & 255, (src >> 8) & 255);
  uint32_t b = mix(dst & 255, src & 255);
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

class Labeller {
 public:
  Labeller() {
    if (FT_Init_FreeType(&lib_) != 0) return;
    for (const char* f : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                          "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf"}) {
      if (FT_New_Face(lib_, f, 0, &face_) == 0) break;
      face_ = nullptr;
    }
    if (face_) FT_Set_Pixel_Sizes(face_, 0, 12);
  }
  ~Labeller() {
    if (face_) FT_Done_Face(face_);
    if (lib_) FT_Done_FreeType(lib_);
  }
  // Draws ASCII text with its top-left at (x, y), clipped to `maxWidth`.
  void Draw(const PixmapPtr& sheet, const std::string& text, int x, int y, int maxWidth, uint32_t rgb) {
    if (!face_) return;
    int pen = x;
    for (unsigned char c : text) {
      if (FT_Load_Char(face_, c, FT_LOAD_RENDER) != 0) continue;
      FT_GlyphSlot g = face_->glyph;
      if (pen + static_cast<int>(g->advance.x >> 6) > x + maxWidth) break;
      for (unsigned row = 0; row < g->bitmap.rows; ++row) {
        for (unsigned col = 0; col < g->bitmap.width; ++col) {
          uint32_t cov = g->bitmap.buffer[row * g->bitmap.pitch + col];
          if (!cov) continue;
          int px = pen + g->bitmap_left + static_cast<int>(col);
          int py = y + 11 - g->bitmap_top + static_cast<int>(row);
          WritePixel(sheet, px, py, Blend(ReadPixel(sheet, px, py), (cov << 24) | rgb));
        }
      }
      pen += static_cast<int>(g->advance.x >> 6);
    }
  }

 private:
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

struct Tile {
  std::string path;
  PixmapPtr pixmap;  // null when the picture does not load
  int x = 0, y = 0, w = 0, h = 0;
};

bool WriteSheet(const std::string& folder, std::vector<Tile>& tiles, const std::string& outDir, Labeller& labels) {
  // Lay the tiles out in rows, left to right.
  int x = kPad, y = kPad + 24, rowHeight = 0, width = kSheetWidth;
  for (auto& t : tiles) {
    t.w = t.pixmap ? t.pixmap->width : 120;
    t.h = t.pixmap ? t.pixmap->height : 40;
    int cellW = std::max(t.w, 130);
    width = std::max(width, cellW + 2 * kPad);
    if (x > kPad && x + cellW + kPad > width) {
      x = kPad;
      y += rowHeight + kLabel + kPad;
      rowHeight = 0;
    }
    t.x = x;
    t.y = y;
    x += cellW + kPad;
    rowHeight = std::max(rowHeight, t.h);
  }
  int height = y + rowHeight + kLabel + kPad;
  PixmapPtr sheet = CreatePixmap(width, height);
  ClearPixels(sheet, kBackground);
  labels.Draw(sheet, folder + "/  (" + std::to_string(tiles.size()) + " pictures)", kPad, 6, width, 0xFFFFFF);
  for (const auto& t : tiles) {
    // A neutral checkerboard behind each picture, so its transparency shows.
    for (int yy = 0; yy < t.h; ++yy) {
      for (int xx = 0; xx < t.w; ++xx) {
        bool dark = ((xx / 8) + (yy / 8)) % 2;
        uint32_t bg = dark ? 0xFF767676u : 0xFF8C8C8Cu;
        uint32_t px = t.pixmap ? ReadPixel(t.pixmap, xx, yy) : 0xFFB02020u;
        WritePixel(sheet, t.x + xx, t.y + yy, Blend(bg, px));
      }
    }
    std::string name = fs::path(t.path).filename().string();
    std::string size = t.pixmap ? std::to_string(t.w) + " x " + std::to_string(t.h) : "does not load";
    labels.Draw(sheet, name, t.x, t.y + t.h + 2, std::max(t.w, 130), 0xF0E6C8);
    labels.Draw(sheet, size, t.x, t.y + t.h + 15, std::max(t.w, 130), t.pixmap ? 0xA8B0BC : 0xFF6060);
  }
  std::string name = folder;
  std::replace(name.begin(), name.end(), '/', '_');
  std::string out = (fs::path(outDir) / (name + ".png")).string();
  if (!SavePixmapPNG(sheet, out)) {
    std::fprintf(stderr, "contactsheet: cannot write %s\n", out.c_str());
    return false;
  }
  std::printf("contactsheet: %s (%zu pictures)\n", out.c_str(), tiles.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: contactsheet GAME_DIR OUT_DIR [MANIFEST...]\n");
    return 2;
  }
  std::string gameDir = argv[1], outDir = argv[2];
  std::vector<std::string> manifests(argv + 3, argv + argc);
  std::vector<std::string> paths = manifests.empty() ? FromFolder(gameDir) : FromManifests(manifests);
  std::error_code ec;
  fs::create_directories(outDir, ec);

  std::map<std::string, std::vector<Tile>> folders;
  int missing = 0;
  for (const auto& p : paths) {
    Tile t;
    t.path = p;
    t.pixmap = LoadPixmap((fs::path(gameDir) / p).string());
    if (!t.pixmap) ++missing;
    folders[fs::path(p).parent_path().generic_string()].push_back(std::move(t));
  }
  Labeller labels;
  bool ok = true;
  for (auto& [folder, tiles] : folders) ok = WriteSheet(folder, tiles, outDir, labels) && ok;
  if (missing) std::fprintf(stderr, "contactsheet: %d pictures do not load (drawn as red boxes)\n", missing);
  return ok ? 0 : 1;
}
