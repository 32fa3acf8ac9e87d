#include "manifest.h"

#include <fstream>
#include <sstream>

#include "support/test_support.h"

namespace manifest {

std::vector<Row> ReadRows(const std::string& file, std::string& error) {
  std::vector<Row> rows;
  std::ifstream in(file);
  if (!in) {
    error = "cannot read " + file;
    return rows;
  }
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    auto hash = text.find('#');
    if (hash != std::string::npos) text.erase(hash);
    std::istringstream fields(text);
    Row row;
    row.line = number;
    for (std::string f; fields >> f;) row.fields.push_back(f);
    if (!row.fields.empty()) rows.push_back(row);
  }
  return rows;
}

std::string ManifestPath(const std::string& name) {
  return test_support::SourceDir() + "/content/manifest/" + name;
}

}  // namespace manifest
