#include "fuzz_game.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "services/data_folders.h"
#include "services/song_manager.h"
#include "play/puzzle/puzzle_manager.h"
#include "bca_encoder.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "support/board_game.h"
#include "support/scripted_player.h"
#include "toolkit/spark.h"
#include "program/layer_links.h"

namespace fuzz_game {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

struct State {
  std::string home;
  std::string bundle;  // ends with '/'
  // The entries of each shipped archive, (stored name, entry data) in order.
  std::map<std::string, std::vector<std::pair<std::string, std::vector<uint8_t>>>> archives;
};
State& S() {
  static State state;
  return state;
}

bool ReadAll(const std::string& path, std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes.clear();
  uint8_t buffer[65536];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(f);
  return true;
}

bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

int32_t GetInt(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v = 0;
  for (size_t k = 0; k < 4; ++k) v |= static_cast<uint32_t>(b[at + k]) << (8 * k);
  return static_cast<int32_t>(v);
}

// The (stored name, data) pairs of a well-formed archive, as the packer wrote it.
std::vector<std::pair<std::string, std::vector<uint8_t>>> Entries(const std::string& path) {
  std::vector<uint8_t> b;
  if (!ReadAll(path, b) || b.size() < 8 || std::memcmp(b.data(), bca::kMagic, 4) != 0)
    Fail("not a shipped archive: " + path);
  std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
  size_t at = 8;
  for (int32_t k = 0, count = GetInt(b, 4); k < count; ++k) {
    const size_t nameLength = static_cast<size_t>(GetInt(b, at));
    at += 4;
    std::string name(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + nameLength));
    at += nameLength;
    const size_t size = static_cast<size_t>(GetInt(b, at));
    at += 4;
    entries.emplace_back(name, std::vector<uint8_t>(b.begin() + static_cast<long>(at),
                                                    b.begin() + static_cast<long>(at + size)));
    at += size;
  }
  return entries;
}

// Songs are decoded whole, which takes long under the sanitizers and reads no file under test:
// every song of the game folder is cached as the shortest sound effect, under both prefixes.
void QuietSongs(const std::string& game) {
  fs::path shortest;
  for (const fs::directory_entry& e : fs::directory_iterator(game + "/sfx/fx"))
    if (e.path().extension() == ".ogg" && (shortest.empty() || e.file_size() < fs::file_size(shortest)))
      shortest = e.path();
  const SoundPtr quiet = shortest.empty() ? nullptr : LoadSound(shortest.string(), 0);
  if (!songManager) songManager = std::make_shared<TSongManager>();
  for (const char* folder : {"sfx", "sfx/story"}) {
    if (!fs::is_directory(game + "/" + folder)) continue;
    for (const fs::directory_entry& e : fs::directory_iterator(game + "/" + folder)) {
      if (e.path().extension() != ".ogg") continue;
      for (const std::string& prefix : {std::string(), S().bundle}) {
        auto song = std::make_shared<TMusicFile>();
        song->name = prefix + folder + "/" + e.path().filename().string();
        song->loaded = 1;
        song->sound = quiet;
        songManager->songs->AddLast(song);
      }
    }
  }
}

}  // namespace

void Init() {
  State& s = S();
  if (!s.home.empty()) return;
  LinkLayers();
  char folder[] = "/tmp/mirethorn-fuzz-XXXXXX";
  if (!mkdtemp(folder)) Fail("no temporary folder");
  s.home = folder;
  setenv("HOME", folder, 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const std::string game = MIRETHORN_GAME_DIR;
  if (chdir(game.c_str()) != 0) Fail("no game folder at " + game + " (build the game first)");
  // The archives are copied, the pictures and sounds reached through links.
  s.bundle = s.home + "/bundle/";
  fs::create_directories(s.bundle + "data");
  for (const fs::directory_entry& e : fs::directory_iterator(game)) {
    const std::string name = e.path().filename().string();
    if (name != "data") fs::create_symlink(e.path(), s.bundle + name);
  }
  for (const fs::directory_entry& e : fs::directory_iterator(game + "/data")) {
    const std::string name = e.path().filename().string();
    fs::copy_file(e.path(), s.bundle + "data/" + name);
    if (e.path().extension() == ".bca") s.archives[name] = Entries(e.path().string());
  }
  // Everything the game prints about damaged data would flood the fuzzer's own output.
  if (!std::getenv("FUZZ_GAME_VERBOSE") && !std::freopen("/dev/null", "w", stdout))
    Fail("cannot quiet standard output");
  headless::Enable();
  headless::SetFrameCap(0);
  if (!Graphics(800, 600, 0)) Fail("no headless screen");
  // Every drawing call still checks its arguments and keeps the drawing state; the pixels are
  // drawn one frame in three, which takes about a third off an input's time and keeps nearly
  // every edge that drawing every frame reaches.
  headless::SetSparseDrawing(3);
  ResetDrawingState();
  test_support::MakeBoardGame();
  bundleDir = s.bundle;
  QuietSongs(game);
}


void PutEntry(const std::string& archive, const std::string& entry, const uint8_t* data,
              size_t size) {
  State& s = S();
  auto found = s.archives.find(archive);
  if (found == s.archives.end()) Fail("no shipped archive " + archive);
  std::vector<std::pair<std::string, std::vector<uint8_t>>> entries = found->second;
  const std::string stored = entry + ".bbc";
  const std::vector<uint8_t> encoded = bca::EncodeEntry(std::vector<uint8_t>(data, data + size), 64);
  bool replaced = false;
  for (auto& [name, bytes] : entries) {
    if (name == stored) {
      bytes = encoded;
      replaced = true;
    }
  }
  if (!replaced) entries.emplace_back(stored, encoded);
  if (!WriteAll(s.bundle + "data/" + archive, bca::BuildArchive(entries)))
    Fail("cannot write the archive copy");
}

void Restore(const std::string& archive) {
  State& s = S();
  if (!WriteAll(s.bundle + "data/" + archive, bca::BuildArchive(s.archives.at(archive))))
    Fail("cannot write the archive copy");
}

namespace {
struct FramesDone {};
}  // namespace

void Play(int frames, const std::function<void()>& run, bool player,
          const std::function<void(int frame, int shown)>& onFrame) {
  const int first = headless::FrameNumber();
  test_support::ScriptedPlayer scripted;
  scripted.playing = player;
  scripted.onFrame = [&](int shown) {
    const int frame = shown - first;
    if (frame >= frames) throw FramesDone{};
    if (onFrame) onFrame(frame, shown);
    return true;
  };
  // Should anything take the callback away, the cap still ends the run (and fails it).
  headless::SetFrameCap(first + frames + 2);
  try {
    run();
  } catch (const FramesDone&) {
  } catch (const ProgramEnded&) {
  } catch (const FrameworkError& e) {
    if (std::string(e.what()) == "frame cap reached") Fail("the frames ran past the cap");
    // The game refuses data it cannot use with its message and status 255; a message that
    // names nothing is no clear refusal.
    if (std::strlen(e.what()) == 0) Fail("a framework error without a message");
  } catch (const TextError& e) {
    Fail("a text error escaped the game: " + e.what());
  }
  headless::SetFrameCap(0);
  headless::ClearScript();
}

void EndPuzzle() {
  puzzle->grid->Clear();
  TSpark::destroyAll();
  if (puzzle->music) puzzle->music->stop();
  puzzle->music = nullptr;
}

}  // namespace fuzz_game
