// bcapack OUTPUT.bca FILE...: packs the files into a BCA archive, each as an entry named after
// the file (without its folder) plus ".bbc".
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bca_encoder.h"

namespace {

std::string StripFolder(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadAll(const std::string& path, std::vector<uint8_t>& bytes) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return false;
  bytes.clear();
  uint8_t buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  const bool ok = !std::ferror(in);
  std::fclose(in);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bcapack OUTPUT.bca FILE...\n");
    return 2;
  }
  const std::string output = argv[1];
  std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
  for (int i = 2; i < argc; ++i) {
    std::vector<uint8_t> content;
    if (!ReadAll(argv[i], content)) {
      std::fprintf(stderr, "bcapack: cannot read %s\n", argv[i]);
      return 1;
    }
    entries.emplace_back(StripFolder(argv[i]) + ".bbc", bca::EncodeEntry(content));
  }
  const std::vector<uint8_t> archive = bca::BuildArchive(entries);
  // Written beside the target and renamed over it, so a failed run leaves no half archive.
  const std::string temporary = output + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(archive.data()),
              static_cast<std::streamsize>(archive.size()));
    out.flush();
    if (!out) {
      std::fprintf(stderr, "bcapack: cannot write %s\n", temporary.c_str());
      std::remove(temporary.c_str());
      return 1;
    }
  }
  if (std::rename(temporary.c_str(), output.c_str()) != 0) {
    std::fprintf(stderr, "bcapack: cannot write %s\n", output.c_str());
    std::remove(temporary.c_str());
    return 1;
  }
  return 0;
}
