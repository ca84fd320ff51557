// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Writes roomtour's ten images into a folder (img/ by default), the same
// bytes on every run: 256 x 256, 24-bit uncompressed TGA, pixel bytes in the
// order red, green, blue, rows from the bottom up.
//
// Each picture is painted pixel by pixel from a function of (u, v), the
// position in the units of the surface it covers in the room, so that a
// square stays square once the picture is stretched over its wall. Only
// integer hashing, + - * / and sqrt are used, so the result does not depend on
// the maths library.
//
//   make_textures [folder]
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 256;
constexpr int kSamples = 3;  // per axis, for smooth edges

struct Colour {
  double r, g, b;
};

Colour rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }
Colour mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Colour scale(Colour c, double f) { return {c.r * f, c.g * f, c.b * f}; }
double clamp01(double x) { return x < 0 ? 0 : x > 1 ? 1 : x; }
double smooth(double edge0, double edge1, double x) {
  const double t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

// --- deterministic randomness -------------------------------------------------

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                    static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

double hash01(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  return (hash(x, y, seed) & 0xffffff) / 16777216.0;
}

// Smooth value noise in [0, 1).
double noise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const auto xi = static_cast<std::int32_t>(fx), yi = static_cast<std::int32_t>(fy);
  const double tx = smooth(0, 1, x - fx), ty = smooth(0, 1, y - fy);
  const double a = hash01(xi, yi, seed), b = hash01(xi + 1, yi, seed);
  const double c = hash01(xi, yi + 1, seed), d = hash01(xi + 1, yi + 1, seed);
  return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double fbm(double x, double y, int octaves, std::uint32_t seed) {
  double sum = 0, amplitude = 0.5, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * noise(x, y, seed + i * 101);
    total += amplitude;
    x *= 2;
    y *= 2;
    amplitude *= 0.5;
  }
  return sum / total;
}

// --- shapes -------------------------------------------------------------------

bool inside(double u, double v, double u0, double v0, double u1, double v1) {
  return u >= u0 && u < u1 && v >= v0 && v < v1;
}

// Squared distance from the centre of an ellipse, 1 on its edge.
double ellipse(double u, double v, double cu, double cv, double ru, double rv) {
  const double du = (u - cu) / ru, dv = (v - cv) / rv;
  return du * du + dv * dv;
}

// A raised panel: light on its top and left bevels, dark on the bottom and
// right ones; 1 on the flat face.
double bevel(double u, double v, double u0, double v0, double u1, double v1, double width) {
  const double left = u - u0, right = u1 - u, bottom = v - v0, top = v1 - v;
  const double nearest = std::fmin(std::fmin(left, right), std::fmin(bottom, top));
  if (nearest >= width) return 1;
  if (nearest == top || nearest == left) return 1.25;
  return 0.7;
}

// --- the pictures ---------------------------------------------------------------

// A picture: its size in room units and the colour at each point.
struct Picture {
  const char *file;
  double width, height;
  Colour (*paint)(double u, double v);
};

// Floor, 13 x 10: a warm woven carpet with a patterned border band.
Colour carpet(double u, double v) {
  const double weave = 0.88 + 0.12 * hash01(static_cast<int>(u * 40), static_cast<int>(v * 40), 7);
  const double mottle = 0.9 + 0.2 * fbm(u * 1.5, v * 1.5, 4, 11);
  const double edge = std::fmin(std::fmin(u, 13 - u), std::fmin(v, 10 - v));
  Colour c;
  if (edge < 0.25) {
    c = rgb(120, 72, 48);  // outer binding
  } else if (edge < 0.95) {
    // Cream band with a chain of diamonds along it.
    const double along = (u < 0.95 || u > 12.05) ? v : u;
    const double across = edge - 0.6;
    const double phase = along / 0.7 - std::floor(along / 0.7) - 0.5;
    const double diamond = std::fabs(phase) * 0.7 + std::fabs(across);
    c = diamond < 0.22   ? rgb(86, 112, 150)
        : diamond < 0.27 ? rgb(200, 120, 80)
                         : rgb(238, 222, 186);
  } else if (edge < 1.05) {
    c = rgb(120, 72, 48);
  } else {
    // The field: terracotta with a lattice of small lighter lozenges.
    const double gu = u / 1.1 - std::floor(u / 1.1) - 0.5, gv = v / 1.1 - std::floor(v / 1.1) - 0.5;
    const double lozenge = std::fabs(gu) + std::fabs(gv);
    c = lozenge < 0.12   ? rgb(240, 200, 140)
        : lozenge > 0.46 ? rgb(196, 100, 72)
                         : rgb(222, 128, 88);
  }
  return scale(c, weave * mottle);
}

// Walls, 13 x 8 (and 10 x 8): rough courses of pale stone in dark mortar.
Colour rock(double u, double v) {
  const double course_height = 0.62;
  const int course = static_cast<int>(std::floor(v / course_height));
  const double in_course = v - course * course_height;
  // Stones of irregular length, shifted from course to course.
  const double shift = hash01(course, 0, 21) * 1.3;
  double start = -shift;
  int stone = 0;
  double length = 0;
  for (;; ++stone) {
    length = 0.75 + 0.8 * hash01(course, stone, 22);
    if (u < start + length) break;
    start += length;
  }
  const double in_stone = u - start;
  const double ragged = 0.05 * fbm(u * 6, v * 6, 3, 23);
  const double gap = 0.045 + ragged;
  const double to_edge = std::fmin(std::fmin(in_stone, length - in_stone),
                                   std::fmin(in_course, course_height - in_course));
  const Colour mortar = scale(rgb(96, 90, 84), 0.8 + 0.3 * fbm(u * 9, v * 9, 2, 24));
  if (to_edge < gap) return mortar;

  const double tone = hash01(course, stone, 25);
  Colour base = mix(rgb(214, 206, 190), rgb(232, 214, 178), tone);
  base = mix(base, rgb(190, 192, 196), hash01(course, stone, 26) * 0.6);
  const double rough = 0.72 + 0.4 * fbm(u * 3 + stone, v * 3 + course, 5, 27);
  // Rounded stone faces: brighter towards the middle, darker at the rim.
  const double rim = smooth(gap, gap + 0.14, to_edge);
  return scale(base, rough * (0.72 + 0.28 * rim));
}

// Right wall, 10 x 8: a painted wall with a closet of four louvred doors.
Colour closet(double u, double v) {
  const Colour wall = scale(rgb(236, 228, 208), 0.94 + 0.06 * fbm(u * 4, v * 4, 3, 31));
  const double left = 1.6, right = 8.4, top = 6.6;
  if (v < 0.35) return inside(u, v, 0, 0, 10, 0.32) ? rgb(150, 110, 74) : rgb(90, 64, 44);
  if (!inside(u, v, left - 0.18, 0, right + 0.18, top + 0.18)) return wall;
  if (!inside(u, v, left, 0.35, right, top)) return rgb(196, 156, 108);  // the frame

  const double door_width = (right - left) / 4;
  const int door = static_cast<int>((u - left) / door_width);
  const double du = u - left - door * door_width;
  const double grain = 0.88 + 0.12 * fbm(u * 2 + door * 7, v * 30, 3, 32);
  const Colour wood = scale(rgb(214, 170, 118), grain);
  if (du < 0.04 || du > door_width - 0.04) return rgb(92, 66, 44);  // gap between doors

  // Two louvred panels a door, one above the other, in a stile-and-rail frame.
  const double stile = 0.2, mid_low = 2.9, mid_high = 3.25;
  const bool lower = inside(du, v, stile, 0.75, door_width - stile, mid_low);
  const bool upper = inside(du, v, stile, mid_high, door_width - stile, top - 0.3);
  if (lower || upper) {
    const double slat = v / 0.16 - std::floor(v / 0.16);
    return scale(wood, slat < 0.25 ? 0.62 : 0.8 + 0.25 * slat);
  }
  // A round brass knob on the inner side of each pair of doors.
  const double knob_u = (door % 2 == 0) ? door_width - 0.12 : 0.12;
  const double k = ellipse(du, v, knob_u, 3.07, 0.07, 0.07);
  if (k < 1) return mix(rgb(250, 226, 150), rgb(170, 130, 60), k);
  return wood;
}

// Front of the bookshelf, 3 x 3: a wooden case of four shelves of books.
Colour bookshelf(double u, double v) {
  const Colour wood = scale(rgb(150, 96, 56), 0.85 + 0.2 * fbm(u * 3, v * 40, 3, 41));
  const double side = 0.12, base = 0.18, board = 0.08;
  if (u < side || u > 3 - side || v < base || v > 3 - side) return wood;
  const double shelf_height = (3 - side - base) / 4;
  const int shelf = static_cast<int>((v - base) / shelf_height);
  const double sv = v - base - shelf * shelf_height;
  if (sv < board) return scale(wood, 1.1);
  const double gap_height = shelf_height - board;
  const Colour back = rgb(70, 44, 28);

  static const Colour kSpines[] = {rgb(178, 34, 34),  rgb(30, 80, 150),  rgb(34, 120, 70),
                                   rgb(220, 180, 60), rgb(120, 50, 120), rgb(230, 230, 220),
                                   rgb(200, 90, 40),  rgb(40, 40, 50),   rgb(90, 150, 170)};
  // Walk along the shelf, book by book.
  double at = side + 0.03;
  for (int book = 0; at < 3 - side - 0.05; ++book) {
    const double w = 0.07 + 0.09 * hash01(shelf, book, 42);
    if (hash01(shelf, book, 48) < 0.06) {  // now and then a gap
      at += w * 1.5;
      continue;
    }
    if (u >= at && u < at + w) {
      const double h = gap_height * (0.62 + 0.33 * hash01(shelf, book, 43));
      const double bv = sv - board;
      if (bv > h) return back;
      const Colour spine = kSpines[hash(shelf, book, 44) % 9];
      const double x = (u - at) / w;
      double light = 0.75 + 0.35 * (1 - (2 * x - 1) * (2 * x - 1));  // rounded spine
      if (x < 0.06 || x > 0.94) light *= 0.6;
      // Gilt bands near the top and bottom of some spines, a label on others.
      const int style = static_cast<int>(hash(shelf, book, 45) % 3);
      const double t = bv / h;
      if (style == 0 && ((t > 0.82 && t < 0.86) || (t > 0.12 && t < 0.16)))
        return scale(rgb(230, 196, 90), light);
      if (style == 1 && t > 0.6 && t < 0.75 && x > 0.2 && x < 0.8)
        return scale(rgb(240, 232, 210), light);
      return scale(spine, light);
    }
    at += w + 0.005;
  }
  return back;
}

// Top of the bed, 5 (across) x 7 (along): a patchwork of squares in warm
// colours (the room tints the quilt brown, which keeps only red and green).
Colour quilt(double u, double v) {
  const int col = static_cast<int>(u), row = static_cast<int>(v);
  const double pu = u - col, pv = v - row;
  if (pu < 0.03 || pu > 0.97 || pv < 0.03 || pv > 0.97) return rgb(250, 244, 230);  // seams
  static const Colour kFabric[][2] = {
      {rgb(255, 220, 120), rgb(220, 80, 60)},  {rgb(250, 250, 240), rgb(120, 170, 80)},
      {rgb(255, 180, 60), rgb(140, 60, 40)},   {rgb(240, 230, 200), rgb(210, 90, 110)},
      {rgb(255, 240, 170), rgb(90, 140, 120)}, {rgb(230, 120, 80), rgb(250, 220, 180)},
  };
  const int palette = static_cast<int>(hash(col, row, 51) % 6);
  const Colour a = kFabric[palette][0], b = kFabric[palette][1];
  const double cu = pu - 0.5, cv = pv - 0.5;
  switch ((col + 2 * row) % 5) {
    case 0: return (pu + pv < 1) ? a : b;  // half triangles
    case 1: return (static_cast<int>(pu * 6) + static_cast<int>(pv * 6)) % 2 ? a : b;  // checks
    case 2: return (static_cast<int>(pu * 8) % 2) ? a : b;                             // stripes
    case 3: return std::fabs(cu) + std::fabs(cv) < 0.32 ? b : a;                       // diamond
    default: {
      const double du = pu * 4 - std::floor(pu * 4) - 0.5, dv = pv * 4 - std::floor(pv * 4) - 0.5;
      return du * du + dv * dv < 0.06 ? b : a;  // dots
    }
  }
}

// A window frame round a 3 x 3 view: a white frame and a cross of bars.
bool window_frame(double u, double v, Colour *c) {
  const double frame = 0.16, bar = 0.05;
  if (u < frame || u > 3 - frame || v < frame || v > 3 - frame) {
    const double inner = std::fmin(std::fmin(u, 3 - u), std::fmin(v, 3 - v));
    *c = scale(rgb(244, 242, 236), inner > frame - 0.03 ? 0.8 : 1);
    return true;
  }
  if (std::fabs(u - 1.5) < bar || std::fabs(v - 1.9) < bar) {
    *c = rgb(236, 234, 228);
    return true;
  }
  return false;
}

Colour sky(double v, double top, Colour horizon, Colour zenith) {
  return mix(horizon, zenith, smooth(0, 1, v / top));
}

// Back window, 3 x 3: a garden under a summer sky, trees on a green rise.
Colour garden(double u, double v) {
  Colour c;
  if (window_frame(u, v, &c)) return c;
  Colour out = sky(v - 1, 2, rgb(200, 228, 250), rgb(90, 160, 230));
  const double cloud = smooth(0.55, 0.75, fbm(u * 1.2 + 3, v * 2.5, 5, 61));
  out = mix(out, rgb(255, 255, 255), cloud * smooth(1.4, 2.0, v));
  // Far hills, then the lawn.
  const double hills = 1.05 + 0.25 * fbm(u * 0.8, 0, 3, 62);
  if (v < hills) out = mix(rgb(120, 170, 130), rgb(150, 190, 150), (v - 0.8) / 0.5);
  const double lawn = 0.75 + 0.1 * fbm(u * 0.7, 0, 2, 63);
  if (v < lawn) out = scale(rgb(110, 180, 70), 0.85 + 0.25 * fbm(u * 8, v * 8, 3, 64));
  // Trees: a trunk and a round, lumpy crown.
  struct Tree {
    double u, v, radius;
  };
  static const Tree kTrees[] = {
      {0.55, 1.35, 0.42}, {1.2, 1.15, 0.3}, {2.25, 1.45, 0.5}, {2.85, 1.1, 0.28}};
  for (const Tree &t : kTrees) {
    if (std::fabs(u - t.u) < t.radius * 0.12 && v < t.v && v > t.v - t.radius * 1.6)
      out = rgb(100, 70, 46);
    const double lump = 0.8 + 0.35 * fbm(u * 5 + t.u * 10, v * 5, 3, 65);
    const double d = ellipse(u, v, t.u, t.v, t.radius, t.radius * 0.95) / (lump * lump);
    if (d < 1) {
      const double light = 0.7 + 0.5 * clamp01((u - t.u + v - t.v) / t.radius * 0.5 + 0.5);
      out = scale(mix(rgb(40, 110, 40), rgb(90, 160, 60), fbm(u * 14, v * 14, 2, 66)), light);
    }
  }
  return out;
}

// Left window, 3 x 3: a city at dusk, towers with lit windows.
Colour city(double u, double v) {
  Colour c;
  if (window_frame(u, v, &c)) return c;
  Colour out = sky(v - 0.6, 2.4, rgb(250, 170, 110), rgb(70, 90, 170));
  // Three rows of towers, the nearest darkest and tallest.
  for (int layer = 0; layer < 3; ++layer) {
    const double width = 0.28 - 0.05 * layer;
    const int slot = static_cast<int>(std::floor((u + layer * 0.13) / width));
    const double su = (u + layer * 0.13) / width - slot;
    const double roof = 0.6 + (1.7 - 0.45 * layer) * hash01(slot, layer, 72);
    if (v < roof && su > 0.06 && su < 0.94) {
      const double shade = 0.45 + 0.2 * layer;
      Colour wall =
          scale(mix(rgb(70, 80, 110), rgb(120, 110, 120), hash01(slot, layer, 73)), shade);
      if (layer == 2) {
        // Windows of the nearest towers: some lit, most dark.
        const int wx = static_cast<int>(su * 5), wy = static_cast<int>(v / 0.09);
        const double fu = su * 5 - wx, fv = v / 0.09 - wy;
        if (fu > 0.25 && fu < 0.75 && fv > 0.3 && fv < 0.8) {
          wall = hash01(wx + slot * 7, wy, 74) < 0.4 ? rgb(255, 220, 130) : scale(wall, 0.7);
        }
      }
      out = wall;
    }
  }
  return out;
}

// Ceiling, 13 x 10: pale green acoustic tiles, one a unit square, on a grid.
Colour ceiling(double u, double v) {
  const double fu = u - std::floor(u), fv = v - std::floor(v);
  const double bar = 0.035;
  if (fu < bar || fu > 1 - bar || fv < bar || fv > 1 - bar) return rgb(232, 240, 230);
  const double speck = hash01(static_cast<int>(u * 60), static_cast<int>(v * 60), 81);
  const double fissure =
      smooth(0.48, 0.5, fbm(u * 5, v * 5, 4, 82)) - smooth(0.5, 0.52, fbm(u * 5, v * 5, 4, 82));
  const Colour tile = mix(rgb(214, 240, 206), rgb(196, 226, 190), fbm(u * 2, v * 2, 3, 83));
  return scale(tile, (speck < 0.1 ? 0.82 : 1) * (1 - 0.15 * fissure));
}

// Monitor screen, 4 x 3: a desktop with icons, a taskbar and two windows.
Colour desktop(double u, double v) {
  // Taskbar with a start button and a clock.
  if (v < 0.22) {
    if (inside(u, v, 0.05, 0.04, 0.55, 0.18)) return rgb(90, 200, 90);
    if (inside(u, v, 3.4, 0.04, 3.95, 0.18)) return rgb(60, 70, 100);
    if (inside(u, v, 0.7, 0.05, 1.4, 0.17)) return rgb(120, 140, 190);
    return rgb(40, 50, 80);
  }
  // Two windows, the front one drawn over the back one.
  struct Window {
    double u0, v0, u1, v1;
    Colour title;
  };
  static const Window kWindows[] = {{1.0, 0.8, 3.1, 2.55, rgb(70, 110, 200)},
                                    {2.3, 0.45, 3.8, 1.7, rgb(200, 80, 60)}};
  for (int i = 1; i >= 0; --i) {
    const Window &w = kWindows[i];
    if (!inside(u, v, w.u0, w.v0, w.u1, w.v1)) continue;
    if (v > w.v1 - 0.16) {
      if (inside(u, v, w.u1 - 0.15, w.v1 - 0.13, w.u1 - 0.04, w.v1 - 0.03)) return rgb(240, 90, 80);
      return w.title;
    }
    if (u < w.u0 + 0.03 || u > w.u1 - 0.03 || v < w.v0 + 0.03) return scale(w.title, 0.8);
    if (i == 1) {  // a picture: hills under a sun
      if (ellipse(u, v, 3.3, 1.25, 0.12, 0.12) < 1) return rgb(255, 230, 90);
      if (v < 0.75 + 0.25 * noise(u * 2, 0, 91)) return rgb(80, 170, 80);
      return rgb(150, 200, 250);
    }
    // A page of text: lines of grey words.
    const double line = (w.v1 - 0.2 - v) / 0.11;
    const int row = static_cast<int>(line);
    const double in_line = line - row;
    const double word = hash01(static_cast<int>((u - w.u0) / 0.22), row, 92);
    if (in_line > 0.35 && in_line < 0.75 && u > w.u0 + 0.12 &&
        u < w.u1 - 0.12 - 0.5 * (row % 3 == 2) &&
        (u - w.u0) / 0.22 - std::floor((u - w.u0) / 0.22) < 0.8 + 0.15 * word)
      return rgb(120, 120, 130);
    return rgb(250, 250, 252);
  }
  // Icons down the left edge, each a coloured tile over a white label.
  static const Colour kIcons[] = {rgb(250, 210, 80), rgb(90, 170, 250), rgb(240, 120, 160),
                                  rgb(140, 230, 120)};
  for (int i = 0; i < 4; ++i) {
    const double top = 2.85 - i * 0.62;
    if (inside(u, v, 0.2, top - 0.32, 0.52, top)) return kIcons[i];
    if (inside(u, v, 0.12, top - 0.46, 0.6, top - 0.39)) return rgb(245, 245, 245);
  }
  // Wallpaper: a teal-to-blue sweep with a soft wave.
  const double wave = 1.2 + 0.5 * noise(u * 0.8, 0, 93);
  return v < wave ? mix(rgb(40, 150, 170), rgb(30, 110, 160), v / wave)
                  : mix(rgb(60, 130, 200), rgb(20, 60, 140), (v - wave) / (3 - wave));
}

// Door, 3 x 7: a six-panelled wooden door in its frame, with a brass knob.
// Seen from inside the room the picture is mirrored left to right, so the
// knob, drawn on the left here, shows on the right.
Colour door(double u, double v) {
  const double casing = 0.18;
  const double grain =
      0.86 + 0.16 * fbm(u * 2.5, v * 0.25 + u * 0.3, 4, 101) + 0.05 * noise(u * 40, v * 1.5, 102);
  const Colour wood = scale(rgb(190, 120, 66), grain);
  if (u < casing || u > 3 - casing || v > 7 - casing) {
    return scale(rgb(236, 230, 216), u < 0.04 || u > 2.96 || v > 6.96 ? 0.8 : 1);
  }
  // Six raised panels in two columns and three rows.
  const double pu[2][2] = {{0.5, 1.4}, {1.6, 2.5}};
  const double pv[3][2] = {{0.55, 2.35}, {2.75, 4.55}, {4.95, 6.45}};
  for (const auto &cu : pu)
    for (const auto &cv : pv)
      if (inside(u, v, cu[0], cv[0], cu[1], cv[1]))
        return scale(wood, bevel(u, v, cu[0], cv[0], cu[1], cv[1], 0.12));
  // Knob and back plate; round on the door, so narrower in v than in u here.
  const double knob = ellipse(u, v, 0.36, 3.45, 0.1, 0.1);
  if (knob < 1) return mix(rgb(255, 236, 160), rgb(160, 120, 50), knob);
  if (ellipse(u, v, 0.36, 3.45, 0.15, 0.15) < 1) return rgb(150, 112, 50);
  return wood;
}

const Picture kPictures[] = {
    {"carpet.tga", 13, 10, carpet},   {"b2_rock.tga", 13, 8, rock},
    {"closet.tga", 10, 8, closet},    {"bookshelf.tga", 3, 3, bookshelf},
    {"quilt.tga", 5, 7, quilt},       {"officebk.tga", 3, 3, garden},
    {"officert.tga", 3, 3, city},     {"greenup.tga", 13, 10, ceiling},
    {"comp_desk.tga", 4, 3, desktop}, {"door.tga", 3, 7, door},
};

unsigned char to_byte(double x) { return static_cast<unsigned char>(clamp01(x) * 255 + 0.5); }

bool write_picture(const std::string &folder, const Picture &p) {
  std::vector<unsigned char> out = {
      0,          0,  2, 0, 0, 0, 0, 0, 0, 0, 0, 0, kSide & 0xff, kSide >> 8, kSide & 0xff,
      kSide >> 8, 24, 0};
  for (int y = 0; y < kSide; ++y) {  // bottom row first
    for (int x = 0; x < kSide; ++x) {
      Colour sum{0, 0, 0};
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double u = (x + (sx + 0.5) / kSamples) / kSide * p.width;
          const double v = (y + (sy + 0.5) / kSamples) / kSide * p.height;
          const Colour c = p.paint(u, v);
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
      }
      const Colour c = scale(sum, 1.0 / (kSamples * kSamples));
      out.push_back(to_byte(c.r));
      out.push_back(to_byte(c.g));
      out.push_back(to_byte(c.b));
    }
  }
  const std::string path = folder + "/" + p.file;
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    std::fprintf(stderr, "make_textures: cannot write %s\n", path.c_str());
    return false;
  }
  const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace

int main(int argc, char **argv) {
  const std::string folder = argc > 1 ? argv[1] : "img";
  for (const Picture &p : kPictures) {
    if (!write_picture(folder, p)) return 1;
  }
  return 0;
}
