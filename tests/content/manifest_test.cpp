// The built game folder against the asset manifests: every listed file is there, pictures have
// their listed sizes and cells, music loops without a click, sounds are neither silent nor
// clipping, fonts have the characters the game draws with them.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "audio_checks.h"
#include "manifest.h"
#include "platform/pixmap.h"

namespace {

namespace fs = std::filesystem;
using manifest::Row;

std::vector<Row> Rows(const std::string& name) {
  std::string error;
  auto rows = manifest::ReadRows(manifest::ManifestPath(name), error);
  EXPECT_EQ(error, "");
  EXPECT_FALSE(rows.empty()) << name << " lists nothing";
  return rows;
}

std::string Where(const std::string& name, const Row& row) {
  return name + ":" + std::to_string(row.line) + ": ";
}

// Every path a manifest names: the first field, and for the rune list the four picture columns.
std::vector<std::string> ListedPaths(const std::string& name, const Row& row) {
  if (name != "runes.txt") return {row.fields[0]};
  std::vector<std::string> paths;
  for (size_t i = 1; i <= 4 && i < row.fields.size(); ++i) {
    if (row.fields[i] != "-") paths.push_back(row.fields[i]);
  }
  return paths;
}

TEST(GameFolder, HoldsEveryFileTheManifestsList) {
  for (const char* name : {"images.txt", "runes.txt", "sounds.txt", "fonts.txt", "data.txt"}) {
    for (const Row& row : Rows(name)) {
      for (const std::string& path : ListedPaths(name, row)) {
        EXPECT_TRUE(fs::is_regular_file(path)) << Where(name, row) << path << " is missing";
      }
    }
  }
}

int Field(const Row& row, size_t i) { return std::atoi(row.fields[i].c_str()); }

TEST(GameFolder, PicturesHaveTheListedSizeAndCells) {
  for (const Row& row : Rows("images.txt")) {
    const std::string& path = row.fields[0];
    ASSERT_TRUE(row.fields.size() == 3 || row.fields.size() == 6) << Where("images.txt", row) << "needs 3 or 6 fields";
    PixmapPtr pixmap = LoadPixmap(path);
    if (!pixmap) {
      ADD_FAILURE() << Where("images.txt", row) << path << " does not load";
      continue;
    }
    EXPECT_EQ(pixmap->width, Field(row, 1)) << path;
    EXPECT_EQ(pixmap->height, Field(row, 2)) << path;
    if (row.fields.size() == 6) {
      const int cw = Field(row, 3), ch = Field(row, 4), cells = Field(row, 5);
      ASSERT_GT(cw, 0) << path;
      ASSERT_GT(ch, 0) << path;
      const int cols = pixmap->width / cw, rows = pixmap->height / ch;
      EXPECT_EQ(pixmap->width % cw, 0) << path << ": the width is not a whole number of cells";
      EXPECT_EQ(pixmap->height % ch, 0) << path << ": the height is not a whole number of cells";
      // Cells run left to right, then row by row: all of them fit, and the last row is used.
      EXPECT_GE(cols * rows, cells) << path;
      EXPECT_LT(cols * (rows - 1), cells) << path;
    }
  }
  for (const Row& row : Rows("runes.txt")) {
    ASSERT_GE(row.fields.size(), 5u) << Where("runes.txt", row);
    for (size_t i = 1; i <= 4; ++i) {
      if (row.fields[i] == "-") continue;
      const int size = (i % 2 == 1) ? 32 : 40;
      PixmapPtr pixmap = LoadPixmap(row.fields[i]);
      if (!pixmap) {
        ADD_FAILURE() << Where("runes.txt", row) << row.fields[i] << " does not load";
        continue;
      }
      EXPECT_EQ(pixmap->width, size) << row.fields[i];
      EXPECT_EQ(pixmap->height, size) << row.fields[i];
      EXPECT_TRUE(pixmap->hadAlpha) << row.fields[i] << ": rune pictures need their own alpha";
    }
  }
}

TEST(GameFolder, MusicAndLoopedSoundsRunFromTheirEndIntoTheirStart) {
  int checked = 0;
  for (const Row& row : Rows("sounds.txt")) {
    ASSERT_GE(row.fields.size(), 2u) << Where("sounds.txt", row);
    const std::string& kind = row.fields[1];
    if (kind != "music" && kind != "loop") continue;
    const std::string& path = row.fields[0];
    audio_checks::Decoded sound;
    std::string error;
    if (!audio_checks::DecodeOgg(path, sound, error)) {
      ADD_FAILURE() << path << ": " << error;
      continue;
    }
    ++checked;
    if (kind == "music") {
      EXPECT_GE(sound.Seconds(), 60.0) << path << " is shorter than a minute";
    }
    const double overall = audio_checks::MeasureLoudness(sound).rms;
    for (size_t c = 0; c < sound.channels.size(); ++c) {
      auto wrap = audio_checks::MeasureWrap(sound.channels[c], 512);
      EXPECT_TRUE(audio_checks::SeamIsClean(wrap))
          << path << " channel " << c << ": steps " << wrap.step << " from its last sample to its first, "
          << "while it steps at most " << wrap.localStep << " around the seam";
      // No fade to silence either: the music is still playing where it wraps.
      EXPECT_GT(wrap.endLevel, 0.05 * overall) << path << " channel " << c << " fades out at the seam";
    }
  }
  EXPECT_GT(checked, 0);
}

TEST(GameFolder, SoundsAreNeitherSilentNorClipping) {
  for (const Row& row : Rows("sounds.txt")) {
    const std::string& path = row.fields[0];
    audio_checks::Decoded sound;
    std::string error;
    if (!audio_checks::DecodeOgg(path, sound, error)) {
      ADD_FAILURE() << Where("sounds.txt", row) << path << ": " << error;
      continue;
    }
    std::string why;
    EXPECT_TRUE(audio_checks::LoudnessIsSensible(audio_checks::MeasureLoudness(sound), why)) << path << ": " << why;
    if (row.fields.size() >= 3) {
      EXPECT_LE(sound.Seconds(), std::atof(row.fields[2].c_str())) << path << " lasts too long";
    }
  }
}

TEST(GameFolder, FontsHaveTheCharactersTheGameDrawsWithThem) {
  FT_Library library;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  for (const Row& row : Rows("fonts.txt")) {
    ASSERT_EQ(row.fields.size(), 2u) << Where("fonts.txt", row);
    const std::string& path = row.fields[0];
    const std::string& set = row.fields[1];
    std::string wanted;
    for (char c = 'A'; c <= 'Z'; ++c) wanted += c;
    for (char c = 'a'; c <= 'z'; ++c) wanted += c;
    if (set == "text") wanted += "0123456789!:-.";
    if (set == "ascii") {
      for (char c = '!'; c <= '~'; ++c) wanted += c;
    }
    EXPECT_TRUE(set == "letters" || set == "text" || set == "ascii") << Where("fonts.txt", row) << set;
    FT_Face face;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
      ADD_FAILURE() << path << " is not a font FreeType can open";
      continue;
    }
    std::string lacking;
    for (char c : wanted) {
      if (FT_Get_Char_Index(face, static_cast<FT_ULong>(c)) == 0) lacking += c;
    }
    EXPECT_EQ(lacking, "") << path << " lacks these characters";
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
}

// The measurements themselves, on sounds made here: a loop cut mid-wave must be caught.
TEST(AudioChecks, SeamCheckCatchesACutWaveAndAFadeButPassesWholeCycles) {
  struct Case {
    double cycles;   // how many periods of the sine the loop holds
    double phase;    // where in its period the sine starts
    double fadeOut;  // seconds of fade to silence at the end
    bool clean;
    bool audibleAtSeam;
  };
  const Case cases[] = {
      {440.0, 0.1, 0.0, true, true},    // whole cycles: the end runs on into the start
      {440.5, 0.1, 0.0, false, true},   // half a cycle over: a jump at the seam
      {440.25, 0.1, 0.0, false, true},  // a quarter over
      {440.0, 0.0, 0.2, true, false},   // seamless, but only because it fades to silence
  };
  const int rate = 32000;
  for (const Case& c : cases) {
    const size_t n = static_cast<size_t>(rate);  // one second
    std::vector<float> s(n);
    for (size_t i = 0; i < n; ++i) {
      double t = static_cast<double>(i) / n;
      double gain = 1.0;
      if (c.fadeOut > 0) gain = std::min(1.0, (1.0 - t) / c.fadeOut);
      s[i] = static_cast<float>(0.5 * gain * std::sin(2 * std::numbers::pi * (c.cycles * t + c.phase)));
    }
    auto wrap = audio_checks::MeasureWrap(s, 512);
    EXPECT_EQ(audio_checks::SeamIsClean(wrap), c.clean) << c.cycles << " cycles";
    EXPECT_EQ(wrap.endLevel > 0.05 * 0.35, c.audibleAtSeam) << c.cycles << " cycles, fade " << c.fadeOut;
  }
}

TEST(AudioChecks, LoudnessCheckRejectsSilenceWhisperAndClipping) {
  struct Case {
    double amplitude;
    bool sensible;
  };
  const Case cases[] = {{0.0, false}, {0.02, false}, {0.5, true}, {0.95, true}, {1.4, false}};
  for (const Case& c : cases) {
    audio_checks::Decoded sound;
    sound.rate = 8000;
    sound.channels.assign(1, std::vector<float>(8000));
    for (size_t i = 0; i < 8000; ++i) {
      double v = c.amplitude * std::sin(2 * std::numbers::pi * 300 * i / 8000.0);
      sound.channels[0][i] = static_cast<float>(std::clamp(v, -1.0, 1.0));
    }
    std::string why;
    EXPECT_EQ(audio_checks::LoudnessIsSensible(audio_checks::MeasureLoudness(sound), why), c.sensible)
        << "amplitude " << c.amplitude << ": " << why;
  }
}

}  // namespace
