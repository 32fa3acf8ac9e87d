// Reading the asset manifests of content/manifest/: blank-separated fields, '#' comments.
#pragma once
#include <string>
#include <vector>

namespace manifest {

struct Row {
  int line = 0;
  std::vector<std::string> fields;
};

// The rows of a manifest file; an unreadable file gives no rows and sets `error`.
std::vector<Row> ReadRows(const std::string& file, std::string& error);
// The path of a manifest of the repository (content/manifest/NAME).
std::string ManifestPath(const std::string& name);

}  // namespace manifest
