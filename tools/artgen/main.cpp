// artgen's driver: collects the jobs of every family, paints them on a few threads, writes the
// files and checks them against the image manifest.
//
//   artgen --out GAME_DIR [--manifest FILE] [--only TEXT]... [--list] [--sheet DIR] [--preview FILE]
//   artgen --icons DIR
//
// --only keeps the jobs whose path contains TEXT; --list prints the manifest rows of the jobs
// instead of drawing; --sheet writes one contact sheet per folder of the game folder's images and
// --preview a mock-up of a board level made of them (both read what an earlier run wrote).
#include "artgen.h"
#include "imageio.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace artgen {

namespace {

std::vector<Job>& jobs() {
    static std::vector<Job> list;
    return list;
}

struct Family {
    const char* name;
    FamilyFn fn;
};

std::vector<Family>& families() {
    static std::vector<Family> list;
    return list;
}

struct ManifestRow {
    int width = 0;
    int height = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int cells = 0;
    int line = 0;
};

std::map<std::string, ManifestRow> readManifest(const std::string& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read the image manifest " + file);
    std::map<std::string, ManifestRow> rows;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string path;
        if (!(words >> path)) continue;
        ManifestRow row;
        row.line = number;
        if (!(words >> row.width >> row.height))
            throw std::runtime_error(file + ":" + std::to_string(number) + ": width and height expected");
        if (words >> row.cellWidth) {
            if (!(words >> row.cellHeight >> row.cells))
                throw std::runtime_error(file + ":" + std::to_string(number) +
                                         ": a cell layout needs CELLW CELLH CELLS");
        }
        std::string extra;
        if (words >> extra) throw std::runtime_error(file + ":" + std::to_string(number) + ": too many fields");
        if (!rows.emplace(path, row).second)
            throw std::runtime_error(file + ":" + std::to_string(number) + ": " + path + " listed twice");
    }
    return rows;
}

std::string manifestLine(const Job& job) {
    std::string s = job.path + " " + std::to_string(job.width) + " " + std::to_string(job.height);
    if (job.cells > 0)
        s += " " + std::to_string(job.cellWidth) + " " + std::to_string(job.cellHeight) + " " +
             std::to_string(job.cells);
    return s;
}

// The manifest as read at the start of the run, for the pictures whose size it decides.
std::map<std::string, ManifestRow>& manifestRows() {
    static std::map<std::string, ManifestRow> rows;
    return rows;
}

bool endsWith(const std::string& s, const char* tail) {
    size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

void usage() {
    std::fprintf(stderr,
                 "usage: artgen --out GAME_DIR [--manifest FILE] [--only TEXT]... [--list] [--sheet DIR] [--preview FILE]\n"
                 "       artgen --icons DIR\n");
}

}  // namespace

bool manifestSize(const std::string& path, int& width, int& height) {
    auto it = manifestRows().find(path);
    if (it == manifestRows().end()) return false;
    width = it->second.width;
    height = it->second.height;
    return true;
}

bool registerFamily(const char* name, FamilyFn fn) {
    families().push_back({name, fn});
    return true;
}

void addImage(const std::string& path, int width, int height, Painter paint) {
    Job job;
    job.path = path;
    job.width = width;
    job.height = height;
    job.paint = std::move(paint);
    jobs().push_back(std::move(job));
}

void addCells(const std::string& path, int cellWidth, int cellHeight, int cells, Painter paint) {
    Job job;
    job.path = path;
    job.width = cellWidth * cells;
    job.height = cellHeight;
    job.cellWidth = cellWidth;
    job.cellHeight = cellHeight;
    job.cells = cells;
    job.paint = std::move(paint);
    jobs().push_back(std::move(job));
}

void addStrip(const std::string& path, int cellWidth, int cellHeight, int cells,
              std::function<void(Canvas&, int cell)> paintCell) {
    addCells(path, cellWidth, cellHeight, cells, [=](Canvas& c) {
        for (int i = 0; i < cells; ++i) {
            cairo_t* cr = c.cr();
            cairo_save(cr);
            cairo_rectangle(cr, i * cellWidth, 0, cellWidth, cellHeight);
            cairo_clip(cr);
            cairo_translate(cr, i * cellWidth, 0);
            paintCell(c, i);
            cairo_restore(cr);
        }
    });
}

int run(int argc, char** argv) {
    std::string out;
    std::string manifest = ARTGEN_DEFAULT_MANIFEST;
    std::string sheetDir;
    std::string preview;
    std::vector<std::string> only;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                usage();
                throw std::runtime_error("missing value after " + a);
            }
            return argv[++i];
        };
        if (a == "--out") out = next();
        else if (a == "--manifest") manifest = next();
        else if (a == "--only") only.push_back(next());
        else if (a == "--sheet") sheetDir = next();
        else if (a == "--preview") preview = next();
        else if (a == "--list") list = true;
        else if (a == "--icons") {
            // The application icon is no picture of the game folder: written on its own.
            writeIcons(next());
            return 0;
        } else {
            usage();
            return 2;
        }
    }

    // Read before the families run: some take their size from it.
    manifestRows() = readManifest(manifest);
    for (const Family& f : families()) f.fn();
    std::vector<Job>& all = jobs();
    std::sort(all.begin(), all.end(), [](const Job& a, const Job& b) { return a.path < b.path; });
    for (size_t i = 1; i < all.size(); ++i)
        if (all[i].path == all[i - 1].path) throw std::runtime_error("two pictures write " + all[i].path);

    if (list) {
        for (const Job& j : all) std::printf("%s\n", manifestLine(j).c_str());
        return 0;
    }
    if (out.empty()) {
        usage();
        return 2;
    }
    if (!sheetDir.empty() || !preview.empty()) {
        if (!sheetDir.empty()) writeContactSheets(out, sheetDir);
        if (!preview.empty()) writeBoardPreview(out, preview);
        return 0;
    }

    const std::map<std::string, ManifestRow>& rows = manifestRows();
    std::vector<const Job*> todo;
    for (const Job& j : all) {
        if (!only.empty() && std::none_of(only.begin(), only.end(), [&](const std::string& t) {
                return j.path.find(t) != std::string::npos;
            }))
            continue;
        auto it = rows.find(j.path);
        if (it == rows.end()) throw std::runtime_error(j.path + " is drawn but not listed in " + manifest);
        const ManifestRow& r = it->second;
        if (r.width != j.width || r.height != j.height || r.cellWidth != j.cellWidth ||
            r.cellHeight != j.cellHeight || r.cells != j.cells)
            throw std::runtime_error(j.path + " is drawn as '" + manifestLine(j) + "' but " + manifest + ":" +
                                     std::to_string(r.line) + " says otherwise");
        todo.push_back(&j);
    }

    std::atomic<size_t> nextJob{0};
    std::mutex errorLock;
    std::vector<std::string> errors;
    auto worker = [&]() {
        for (;;) {
            size_t k = nextJob.fetch_add(1);
            if (k >= todo.size()) return;
            const Job& j = *todo[k];
            try {
                Canvas canvas(j.width, j.height);
                j.paint(canvas);
                fs::path target = fs::path(out) / j.path;
                fs::create_directories(target.parent_path());
                if (endsWith(j.path, ".jpg")) writeJpeg(canvas, target.string());
                else if (endsWith(j.path, ".png")) writePng(canvas, target.string());
                else throw std::runtime_error("unknown picture type");
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> g(errorLock);
                errors.push_back(j.path + ": " + e.what());
            }
        }
    };
    unsigned n = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < n; ++t) threads.emplace_back(worker);
    for (std::thread& t : threads) t.join();
    for (const std::string& e : errors) std::fprintf(stderr, "artgen: %s\n", e.c_str());
    if (!errors.empty()) return 1;

    std::printf("artgen: %zu pictures written to %s\n", todo.size(), out.c_str());
    if (only.empty()) {
        size_t missing = 0;
        for (const auto& [path, row] : rows)
            if (std::none_of(all.begin(), all.end(), [&](const Job& j) { return j.path == path; })) {
                std::fprintf(stderr, "artgen: manifest lists %s but nothing draws it\n", path.c_str());
                ++missing;
            }
        if (missing) return 1;
    }
    return 0;
}

}  // namespace artgen

int main(int argc, char** argv) {
    try {
        return artgen::run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }
}
