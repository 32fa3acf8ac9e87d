// artgen: the picture generator of the game folder.
//
// Every picture is one job: a path, a size (and for strips the cell layout) and a function that
// paints it on a Cairo canvas. Families of pictures live in their own source files and register
// their jobs with ARTGEN_FAMILY; main() runs all jobs on a few threads, writes PNG (RGBA) or
// JPEG by the path's extension and checks every written picture against the image manifest.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace artgen {

// A 32-bit premultiplied ARGB drawing surface with its Cairo context.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return w_; }
    int height() const { return h_; }
    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    // Pixel access (call flush() before and markDirty() after editing pixels by hand).
    uint32_t* row(int y);
    void flush();
    void markDirty();
    void clear();

private:
    int w_;
    int h_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

using Painter = std::function<void(Canvas&)>;

struct Job {
    std::string path;   // relative to the game folder
    int width = 0;
    int height = 0;
    int cellWidth = 0;  // 0 = a single picture
    int cellHeight = 0;
    int cells = 0;
    Painter paint;
};

// Adds a single picture.
void addImage(const std::string& path, int width, int height, Painter paint);
// Adds a strip of `cells` cells of cellWidth x cellHeight side by side in one row; the painter
// is called once per cell with the context translated and clipped to that cell.
void addStrip(const std::string& path, int cellWidth, int cellHeight, int cells,
              std::function<void(Canvas&, int cell)> paintCell);
// Adds a picture that is a strip as far as the manifest is concerned but is painted whole.
void addCells(const std::string& path, int cellWidth, int cellHeight, int cells, Painter paint);

// The size the image manifest gives a picture (for pictures whose size is data, such as the
// world map's stage pictures); false when the manifest has no row for it.
bool manifestSize(const std::string& path, int& width, int& height);

using FamilyFn = void (*)();
bool registerFamily(const char* name, FamilyFn fn);

}  // namespace artgen

#define ARTGEN_FAMILY(fn)                                                  \
    static void fn();                                                      \
    [[maybe_unused]] static const bool fn##_registered =                   \
        ::artgen::registerFamily(#fn, &fn);                                \
    static void fn()
