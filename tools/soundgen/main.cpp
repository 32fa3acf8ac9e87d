// soundgen: synthesizes every sound effect, music track and spoken line of the game into the
// game folder's sfx/ tree.
//
//   soundgen --out GAME_DIR [--manifest content/manifest/sounds.txt] [--jobs N]
//
// With a manifest, it checks afterwards that every sound listed there was written.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "effects.h"
#include "music.h"
#include "ogg_writer.h"
#include "voices.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMusicRate = 32000;
constexpr float kMusicQuality = 0.3f;
constexpr float kEffectQuality = 0.4f;

struct Job {
  std::string path;
  float quality;
  std::function<Audio()> make;
};

int Usage() {
  std::cerr << "usage: soundgen --out GAME_DIR [--manifest SOUNDS_TXT] [--jobs N] [--verbose]\n";
  return 2;
}

// The sound rows of the manifest: the first field of every line that is not a comment.
std::vector<std::string> ManifestPaths(const std::string& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read the manifest " + file);
  std::vector<std::string> paths;
  std::string line;
  while (std::getline(in, line)) {
    auto hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream fields(line);
    std::string path;
    if (fields >> path) paths.push_back(path);
  }
  return paths;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir, manifest;
  bool verbose = false;
  unsigned jobsWanted = std::max(1u, std::thread::hardware_concurrency());
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--out" && i + 1 < argc) {
      outDir = argv[++i];
    } else if (a == "--manifest" && i + 1 < argc) {
      manifest = argv[++i];
    } else if (a == "--verbose") {
      verbose = true;
    } else if (a == "--jobs" && i + 1 < argc) {
      jobsWanted = static_cast<unsigned>(std::max(1, std::atoi(argv[++i])));
    } else {
      return Usage();
    }
  }
  if (outDir.empty()) return Usage();
  auto started = std::chrono::steady_clock::now();

  fs::path work = fs::path(outDir) / ".soundgen-work";
  std::vector<Job> jobs;
  // The long music tracks first, so the threads finish together.
  for (const SongSpec& song : AllSongs()) {
    jobs.push_back({song.path, kMusicQuality, [song] { return RenderSong(song, kMusicRate); }});
  }
  for (const VoiceSpec& voice : AllVoices()) {
    std::string dir = work.string();
    jobs.push_back({voice.path, kEffectQuality, [voice, dir] { return SpeakLine(voice, dir); }});
  }
  for (const EffectSpec& effect : AllEffects()) {
    jobs.push_back({effect.path, kEffectQuality, effect.make});
  }

  std::error_code ec;
  fs::create_directories(work, ec);
  for (const Job& job : jobs) fs::create_directories((fs::path(outDir) / job.path).parent_path(), ec);

  std::atomic<size_t> next{0};
  std::mutex lock;
  std::vector<std::string> errors;
  auto worker = [&] {
    for (;;) {
      size_t k = next++;
      if (k >= jobs.size()) return;
      const Job& job = jobs[k];
      std::string error;
      try {
        auto t0 = std::chrono::steady_clock::now();
        Audio audio = job.make();
        auto t1 = std::chrono::steady_clock::now();
        std::string title = fs::path(job.path).stem().string();
        if (!WriteOggVorbis((fs::path(outDir) / job.path).string(), audio, job.quality, title, error)) {
          std::lock_guard<std::mutex> g(lock);
          errors.push_back(error);
        }
        if (verbose) {
          auto t2 = std::chrono::steady_clock::now();
          std::lock_guard<std::mutex> g(lock);
          std::printf("  %-48s synth %5.2f s, encode %5.2f s\n", job.path.c_str(),
                      std::chrono::duration<double>(t1 - t0).count(),
                      std::chrono::duration<double>(t2 - t1).count());
        }
      } catch (const std::exception& e) {
        std::lock_guard<std::mutex> g(lock);
        errors.push_back(job.path + ": " + e.what());
      }
    }
  };
  std::vector<std::thread> threads;
  unsigned count = std::min<unsigned>(jobsWanted, static_cast<unsigned>(jobs.size()));
  for (unsigned t = 0; t < count; ++t) threads.emplace_back(worker);
  for (auto& t : threads) t.join();
  fs::remove_all(work, ec);

  std::set<std::string> written;
  for (const Job& job : jobs) written.insert(job.path);
  if (!manifest.empty()) {
    try {
      for (const std::string& path : ManifestPaths(manifest)) {
        if (!written.count(path)) errors.push_back("the manifest lists " + path + ", which soundgen does not make");
      }
    } catch (const std::exception& e) {
      errors.push_back(e.what());
    }
  }
  for (const auto& e : errors) std::cerr << "soundgen: " << e << "\n";
  if (!errors.empty()) return 1;
  double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("soundgen: %zu sounds written to %s in %.1f s\n", jobs.size(), outDir.c_str(), secs);
  return 0;
}
