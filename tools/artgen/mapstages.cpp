// The world map's stage pictures (gfx/mapa/stage-N.png), drawn from the map file itself so that
// the pictures and the markers cannot drift apart: each stage picture carries its stretch of road
// through the markers of its levels (coming in from the last marker of the stage before) and the
// stage's landmark, on a transparent ground. The picture is clear over every marker and faded over
// its glow square, since the game draws the stage pictures after the markers and the glow. Position: the stage's X, Y
// in the map file; size: its row in the image manifest.
#include "artgen.h"
#include "gems.h"
#include "scene.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <vector>

#include "datafiles/tsc_file.h"
#include "platform/errors.h"

namespace artgen {

namespace {

struct MapMarker {
    int number = 0, stage = 0, kind = 0;
    double x = 0, y = 0;
    double glowSide() const { return kind == 5 ? 72 : 64; }
    double pictureSide() const { return kind == 5 ? 48 : 40; }
};

// Over a marker the stage picture is clear, a little beyond the marker's own picture; over the
// rest of its glow square (the pulsing glow of the level to play next is drawn there, under the
// stage pictures) the road runs on a little faded, so that it reaches the marker and the glow
// still shows through it.
constexpr double kMarkerClearance = 2;
constexpr double kOverGlowAlpha = 0.8;

struct MapStage {
    int number = 0;
    std::string image;
    int x = 0, y = 0;
};

struct MapFile {
    std::vector<MapMarker> markers;  // in order of play
    std::vector<MapStage> stages;
};

MapFile readMapFile(const std::string& path) {
    TSCFilePtr file = CreateTSCFile();
    try {
        file->Load(path);
    } catch (const TextError& e) {
        throw std::runtime_error(path + ": " + ToUtf8(e.message()));
    }
    MapFile map;
    auto number = [&](const String& group, const char* key) {
        return GetTSCWholeNumberKey(file, group, S(key), 0);
    };
    TListPtr<TSCGroupPtr> levels = GetTSCGroupList(file, S("Levels"));
    for (const TSCGroupPtr& g : *levels) {
        const String p = S("Levels::") + g->name;
        map.markers.push_back({number(p, "Number"), number(p, "Stage"), number(p, "Kind"),
                               static_cast<double>(number(p, "X")), static_cast<double>(number(p, "Y"))});
    }
    TListPtr<TSCGroupPtr> stages = GetTSCGroupList(file, S("Stages"));
    for (const TSCGroupPtr& g : *stages) {
        const String p = S("Stages::") + g->name;
        map.stages.push_back({number(p, "Number"), ToPath(GetTSCStringKey(file, p, S("Image"), 0)),
                              number(p, "X"), number(p, "Y")});
    }
    std::stable_sort(map.markers.begin(), map.markers.end(),
                     [](const MapMarker& a, const MapMarker& b) { return a.number < b.number; });
    return map;
}

// A point on the Catmull-Rom curve through the points, segment i at t in 0..1.
void curvePoint(const std::vector<std::pair<double, double>>& p, size_t i, double t, double& x, double& y) {
    const auto& p0 = p[i == 0 ? 0 : i - 1];
    const auto& p1 = p[i];
    const auto& p2 = p[i + 1];
    const auto& p3 = p[std::min(i + 2, p.size() - 1)];
    const double t2 = t * t, t3 = t2 * t;
    auto f = [&](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
    };
    x = f(p0.first, p1.first, p2.first, p3.first);
    y = f(p0.second, p1.second, p2.second, p3.second);
}

// The road through the points as a dense polyline.
std::vector<std::pair<double, double>> roadLine(const std::vector<std::pair<double, double>>& points) {
    std::vector<std::pair<double, double>> line;
    if (points.size() < 2) return points;
    for (size_t i = 0; i + 1 < points.size(); ++i)
        for (int s = 0; s < 24; ++s) {
            double x, y;
            curvePoint(points, i, s / 24.0, x, y);
            line.push_back({x, y});
        }
    line.push_back(points.back());
    return line;
}

void tracePath(cairo_t* cr, const std::vector<std::pair<double, double>>& line) {
    cairo_new_path(cr);
    for (size_t i = 0; i < line.size(); ++i) {
        if (i == 0) cairo_move_to(cr, line[i].first, line[i].second);
        else cairo_line_to(cr, line[i].first, line[i].second);
    }
}

// A travellers' road in ink on the map: a pale band with dark edges and a red trail, broad
// enough to follow from marker to marker in the short stretches between them.
void drawRoad(Canvas& c, const std::vector<std::pair<double, double>>& line) {
    cairo_t* cr = c.cr();
    glow(c, [&](cairo_t* g) {
        tracePath(g, line);
        cairo_set_line_width(g, 16);
        cairo_stroke(g);
    }, pal::parchment, 0.6, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    tracePath(cr, line);
    cairo_set_line_width(cr, 13);
    setCol(cr, rgb(78, 48, 24));
    cairo_stroke(cr);
    tracePath(cr, line);
    cairo_set_line_width(cr, 9);
    setCol(cr, rgb(238, 218, 166));
    cairo_stroke(cr);
    tracePath(cr, line);
    const double dash[] = {9, 5};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, 3.4);
    setCol(cr, rgb(168, 34, 26));
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// A small keep with two towers and a banner, `s` pixels wide, standing on (x, baseY).
void castle(Canvas& c, double x, double baseY, double s, int seed) {
    cairo_t* cr = c.cr();
    const Col stone = rgb(176, 160, 140), dark = pal::ink;
    auto outline = [&](Col fill) {
        setCol(cr, fill);
        cairo_fill_preserve(cr);
        setCol(cr, dark);
        cairo_set_line_width(cr, std::max(1.0, s * 0.03));
        cairo_stroke(cr);
    };
    const double wall = s * 0.62, wallH = s * 0.34, towerW = s * 0.2, towerH = s * 0.62;
    // The wall with battlements.
    cairo_rectangle(cr, x - wall / 2, baseY - wallH, wall, wallH);
    outline(stone);
    for (int i = 0; i < 4; ++i) {
        cairo_rectangle(cr, x - wall / 2 + (i + 0.25) * wall / 4, baseY - wallH - s * 0.06, wall / 8, s * 0.06);
        outline(stone);
    }
    // The gate.
    cairo_arc(cr, x, baseY - wallH * 0.45, wall * 0.12, M_PI, 2 * M_PI);
    cairo_line_to(cr, x + wall * 0.12, baseY);
    cairo_line_to(cr, x - wall * 0.12, baseY);
    cairo_close_path(cr);
    outline(rgb(60, 40, 30));
    // Two towers with pointed roofs.
    for (int side : {-1, 1}) {
        const double tx = x + side * (wall / 2);
        cairo_rectangle(cr, tx - towerW / 2, baseY - towerH, towerW, towerH);
        outline(scale(stone, 0.92));
        cairo_move_to(cr, tx - towerW * 0.65, baseY - towerH);
        cairo_line_to(cr, tx, baseY - towerH - s * 0.26);
        cairo_line_to(cr, tx + towerW * 0.65, baseY - towerH);
        cairo_close_path(cr);
        outline(rgb(60, 70, 140));
        cairo_rectangle(cr, tx - towerW * 0.12, baseY - towerH * 0.7, towerW * 0.24, towerH * 0.16);
        setCol(cr, pal::candle);
        cairo_fill(cr);
    }
    // A banner on the left tower.
    const double fx = x - wall / 2, fy = baseY - towerH - s * 0.26;
    cairo_move_to(cr, fx, fy);
    cairo_line_to(cr, fx, fy - s * 0.16);
    setCol(cr, dark);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, fx, fy - s * 0.16);
    cairo_line_to(cr, fx + s * 0.16, fy - s * 0.12 + s * 0.02 * hash2(seed, 1, 7));
    cairo_line_to(cr, fx, fy - s * 0.08);
    cairo_close_path(cr);
    setCol(cr, rgb(180, 30, 30));
    cairo_fill(cr);
}

// The landmark of a stage, about `s` pixels wide, standing on (x, baseY): a castle, ruins,
// standing stones or a lone tower, by the stage's number.
void landmark(Canvas& c, int stage, double x, double baseY, double s) {
    // A soft light under it, so it reads on the map and glows with the stage.
    softLight(c.cr(), x, baseY - s * 0.35, s * 0.75, pal::parchment, 0.55);
    switch ((stage - 1) % 4) {
        case 0: castle(c, x, baseY, s, stage); break;
        case 1: ruins(c, x - s * 0.5, baseY, s / 250.0, rgb(96, 74, 56), stage); break;
        case 2: standingStones(c, x, baseY, s / 120.0, rgb(110, 104, 100), stage); break;
        default: tower(c, x, baseY, s * 0.3, s * 0.7, rgb(120, 96, 80), pal::candle, stage); break;
    }
}

double distanceToLine(double x, double y, const std::vector<std::pair<double, double>>& line) {
    double best = 1e9;
    for (const auto& [lx, ly] : line) best = std::min(best, std::hypot(x - lx, y - ly));
    return best;
}

// How far the point lies from every glow square (0 inside one).
double distanceToGlows(double x, double y, const std::vector<MapMarker>& markers) {
    double best = 1e9;
    for (const MapMarker& m : markers) {
        const double h = m.glowSide() / 2;
        const double dx = std::max(0.0, std::fabs(x - m.x) - h), dy = std::max(0.0, std::fabs(y - m.y) - h);
        best = std::min(best, std::hypot(dx, dy));
    }
    return best;
}

void paintStage(Canvas& c, const MapFile& map, const MapStage& stage) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_translate(cr, -stage.x, -stage.y);
    // The road: into the stage from the last marker of the stage before, through its own markers.
    std::vector<std::pair<double, double>> points;
    const MapMarker* previous = nullptr;
    for (const MapMarker& m : map.markers) {
        if (m.stage == stage.number) {
            if (points.empty() && previous) points.push_back({previous->x, previous->y});
            points.push_back({m.x, m.y});
        } else if (points.empty()) {
            previous = &m;
        }
    }
    const auto line = roadLine(points);
    if (line.size() > 1) drawRoad(c, line);
    // The landmark where it stands farthest from the road and the markers, inside the picture.
    double bestX = stage.x + c.width() / 2.0, bestY = stage.y + c.height() / 2.0, bestRoom = -1;
    for (double y = stage.y + 30; y <= stage.y + c.height() - 8; y += 4)
        for (double x = stage.x + 30; x <= stage.x + c.width() - 30; x += 4) {
            const double room = std::min({distanceToLine(x, y - 20, line), distanceToGlows(x, y - 20, map.markers),
                                          x - stage.x, stage.x + c.width() - x, y - stage.y});
            if (room > bestRoom) {
                bestRoom = room;
                bestX = x;
                bestY = y;
            }
        }
    const double size = std::clamp(bestRoom * 1.5, 28.0, 64.0);
    landmark(c, stage.number, bestX, bestY, size);
    cairo_restore(cr);
    // The markers show through from under the picture.
    maskAlpha(c, [&](int px, int py) {
        double keep = 1;
        for (const MapMarker& m : map.markers) {
            const double dx = std::fabs(px + 0.5 + stage.x - m.x), dy = std::fabs(py + 0.5 + stage.y - m.y);
            const double glowHalf = m.glowSide() / 2 + 1, clearRadius = m.pictureSide() / 2 + kMarkerClearance;
            if (std::hypot(dx, dy) < clearRadius) return 0.0;
            if (dx < glowHalf && dy < glowHalf) keep = kOverGlowAlpha;
        }
        return keep;
    });
}

}  // namespace

ARTGEN_FAMILY(mapStageFamily) {
    const MapFile map = readMapFile(ARTGEN_MAP_FILE);
    for (const MapStage& stage : map.stages) {
        int w = 0, h = 0;
        if (!manifestSize(stage.image, w, h))
            throw std::runtime_error("the stage picture " + stage.image + " of " + ARTGEN_MAP_FILE +
                                     " has no row in the image manifest (its size)");
        addImage(stage.image, w, h, [map, stage](Canvas& c) { paintStage(c, map, stage); });
    }
}

}  // namespace artgen
