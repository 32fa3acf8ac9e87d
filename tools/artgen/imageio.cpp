#include "imageio.h"

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace artgen {

Canvas::Canvas(int width, int height) : w_(width), h_(height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr_ = cairo_create(surface_);
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS || cairo_status(cr_) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot make a " + std::to_string(width) + "x" + std::to_string(height) +
                                 " canvas");
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

uint32_t* Canvas::row(int y) {
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_) +
                                       static_cast<size_t>(y) * cairo_image_surface_get_stride(surface_));
}

void Canvas::flush() { cairo_surface_flush(surface_); }
void Canvas::markDirty() { cairo_surface_mark_dirty(surface_); }

void Canvas::clear() {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void writePng(Canvas& canvas, const std::string& file) {
    // Written with libpng rather than Cairo, because Cairo drops the alpha channel of pictures
    // that happen to be opaque, and every picture of the game is an RGBA PNG.
    canvas.flush();
    const int w = canvas.width(), h = canvas.height();
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        const uint32_t* p = canvas.row(y);
        for (int x = 0; x < w; ++x) {
            uint32_t v = p[x];
            if (v == 0xFF000000u) v = 0xFF010101u;
            else if (v == 0xFFFF00FFu) v = 0xFFFE00FEu;
            unsigned a = v >> 24;
            unsigned char* o = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            for (int k = 0; k < 3; ++k) {
                unsigned c = (v >> (16 - 8 * k)) & 255;
                o[k] = static_cast<unsigned char>(a ? std::min(255u, (c * 255 + a / 2) / a) : 0);
            }
            o[3] = static_cast<unsigned char>(a);
        }
    }
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + file);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        throw std::runtime_error("cannot write " + file);
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) png_write_row(png, &rgba[static_cast<size_t>(y) * w * 4]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(f) != 0) throw std::runtime_error("cannot write " + file);
}

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void onJpegError(j_common_ptr info) {
    auto* err = reinterpret_cast<JpegError*>(info->err);
    std::longjmp(err->jump, 1);
}

bool encodeJpeg(const std::vector<unsigned char>& rgb, int w, int h, const std::string& file) {
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct c;
    JpegError err;
    c.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = onJpegError;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&c);
        std::fclose(f);
        return false;
    }
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW r = const_cast<unsigned char*>(&rgb[static_cast<size_t>(c.next_scanline) * w * 3]);
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return std::fclose(f) == 0;
}

}  // namespace

bool readJpeg(const std::string& file, std::vector<uint32_t>& pixels, int& width, int& height) {
    FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) return false;
    jpeg_decompress_struct d;
    JpegError err;
    d.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = onJpegError;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&d);
        std::fclose(f);
        return false;
    }
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, f);
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    width = static_cast<int>(d.output_width);
    height = static_cast<int>(d.output_height);
    pixels.assign(static_cast<size_t>(width) * height, 0);
    std::vector<unsigned char> line(static_cast<size_t>(width) * 3);
    while (d.output_scanline < d.output_height) {
        int y = static_cast<int>(d.output_scanline);
        JSAMPROW r = line.data();
        jpeg_read_scanlines(&d, &r, 1);
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] =
                0xFF000000u | (uint32_t(line[x * 3]) << 16) | (uint32_t(line[x * 3 + 1]) << 8) | line[x * 3 + 2];
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::fclose(f);
    return true;
}

void writeJpeg(Canvas& canvas, const std::string& file) {
    // Flatten over a dark-blue ground (premultiplied colour plus ground times the missing alpha).
    canvas.flush();
    const int w = canvas.width(), h = canvas.height();
    std::vector<unsigned char> base(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        const uint32_t* p = canvas.row(y);
        for (int x = 0; x < w; ++x) {
            uint32_t v = p[x];
            int a = v >> 24;
            int rgb[3] = {int((v >> 16) & 255), int((v >> 8) & 255), int(v & 255)};
            const int ground[3] = {10, 12, 30};
            unsigned char* o = &base[(static_cast<size_t>(y) * w + x) * 3];
            for (int k = 0; k < 3; ++k) o[k] = static_cast<unsigned char>(rgb[k] + ground[k] * (255 - a) / 255);
        }
    }
    for (int floor = 10; floor <= 40; floor += 10) {
        std::vector<unsigned char> rgb(base);
        for (size_t i = 0; i < rgb.size(); i += 3) {
            for (int k = 0; k < 3; ++k) rgb[i + k] = static_cast<unsigned char>(std::max<int>(rgb[i + k], floor));
            // Strong magenta gets some green, so compression cannot land on the colour key.
            if (rgb[i] > 200 && rgb[i + 2] > 200) rgb[i + 1] = static_cast<unsigned char>(std::max<int>(rgb[i + 1], 30));
        }
        if (!encodeJpeg(rgb, w, h, file)) throw std::runtime_error("cannot write " + file);
        std::vector<uint32_t> back;
        int bw = 0, bh = 0;
        if (!readJpeg(file, back, bw, bh) || bw != w || bh != h) throw std::runtime_error("cannot read back " + file);
        bool clean = std::none_of(back.begin(), back.end(),
                                  [](uint32_t v) { return v == 0xFF000000u || v == 0xFFFF00FFu; });
        if (clean) return;
    }
    throw std::runtime_error("compression keeps producing pure black or magenta in " + file);
}

cairo_surface_t* opaqueSurface(const std::vector<uint32_t>& pixels, int width, int height) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(s);
    for (int y = 0; y < height; ++y)
        std::copy(pixels.begin() + static_cast<long>(y) * width, pixels.begin() + static_cast<long>(y + 1) * width,
                  reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) +
                                              static_cast<size_t>(y) * cairo_image_surface_get_stride(s)));
    cairo_surface_mark_dirty(s);
    return s;
}

void writeContactSheets(const std::string& gameDir, const std::string& sheetDir) {
    std::map<std::string, std::vector<fs::path>> folders;
    for (const auto& e : fs::recursive_directory_iterator(gameDir)) {
        if (!e.is_regular_file()) continue;
        std::string ext = e.path().extension().string();
        if (ext != ".png" && ext != ".jpg") continue;
        std::string rel = fs::relative(e.path().parent_path(), gameDir).string();
        if (rel.rfind("gfx", 0) != 0) continue;
        folders[rel].push_back(e.path());
    }
    fs::create_directories(sheetDir);
    for (auto& [folder, files] : folders) {
        std::sort(files.begin(), files.end());
        std::vector<cairo_surface_t*> pics;
        for (const fs::path& p : files) {
            cairo_surface_t* s = nullptr;
            if (p.extension() == ".png") {
                s = cairo_image_surface_create_from_png(p.string().c_str());
            } else {
                std::vector<uint32_t> px;
                int w = 0, h = 0;
                if (readJpeg(p.string(), px, w, h)) {
                    s = opaqueSurface(px, w, h);
                }
            }
            pics.push_back(s);
        }
        // Shelf layout, 1200 px wide.
        const int sheetW = 1200, pad = 10, label = 14;
        int x = pad, y = pad, shelf = 0;
        std::vector<std::pair<int, int>> pos;
        // Full-screen pictures are shown at half size so that a folder of them fits on a sheet.
        auto shrink = [](cairo_surface_t* s) { return s && cairo_image_surface_get_width(s) >= 600 ? 0.5 : 1.0; };
        for (cairo_surface_t* s : pics) {
            double k = shrink(s);
            int w = s ? int(cairo_image_surface_get_width(s) * k) : 40, h = s ? int(cairo_image_surface_get_height(s) * k) : 40;
            int boxW = std::max(w, 60);
            if (x + boxW + pad > sheetW && x > pad) {
                x = pad;
                y += shelf + label + pad;
                shelf = 0;
            }
            pos.push_back({x, y});
            x += boxW + pad;
            shelf = std::max(shelf, h);
        }
        int sheetH = y + shelf + label + pad;
        cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheetW, sheetH);
        cairo_t* cr = cairo_create(sheet);
        cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
        cairo_paint(cr);
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 10);
        for (size_t i = 0; i < pics.size(); ++i) {
            auto [px, py] = pos[i];
            if (pics[i] && cairo_surface_status(pics[i]) == CAIRO_STATUS_SUCCESS) {
                double k = shrink(pics[i]);
                cairo_save(cr);
                cairo_translate(cr, px, py);
                cairo_scale(cr, k, k);
                cairo_set_source_surface(cr, pics[i], 0, 0);
                cairo_paint(cr);
                cairo_restore(cr);
                cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
                cairo_move_to(cr, px, py + cairo_image_surface_get_height(pics[i]) * k + 11);
            } else {
                cairo_set_source_rgb(cr, 1, 0, 0);
                cairo_move_to(cr, px, py + 11);
            }
            cairo_show_text(cr, files[i].filename().string().c_str());
            if (pics[i]) cairo_surface_destroy(pics[i]);
        }
        cairo_destroy(cr);
        std::string name = folder;
        std::replace(name.begin(), name.end(), '/', '_');
        cairo_surface_write_to_png(sheet, (fs::path(sheetDir) / (name + ".png")).string().c_str());
        cairo_surface_destroy(sheet);
    }
}

}  // namespace artgen
