// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// GL 1.1's fixed-function arithmetic: matrices, lighting, scaling, the near-plane cut.
#include "web/gl/pipeline.h"

#include <algorithm>
#include <cmath>

namespace {

float &at(Mat4 &a, int row, int column) { return a.m[column * 4 + row]; }
float at(const Mat4 &a, int row, int column) { return a.m[column * 4 + row]; }

float dot3(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void normalise3(float v[3]) {
  const float length = std::sqrt(dot3(v, v));
  if (length > 0) {
    for (int i = 0; i < 3; ++i) v[i] /= length;
  }
}

float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

}  // namespace

Mat4 mat_identity() {
  Mat4 a{};
  for (int i = 0; i < 4; ++i) at(a, i, i) = 1;
  return a;
}

Mat4 mat_multiply(const Mat4 &a, const Mat4 &b) {
  Mat4 c{};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += at(a, row, k) * at(b, k, column);
      at(c, row, column) = sum;
    }
  }
  return c;
}

Mat4 mat_translate(float x, float y, float z) {
  Mat4 a = mat_identity();
  at(a, 0, 3) = x;
  at(a, 1, 3) = y;
  at(a, 2, 3) = z;
  return a;
}

Mat4 mat_scale(float x, float y, float z) {
  Mat4 a = mat_identity();
  at(a, 0, 0) = x;
  at(a, 1, 1) = y;
  at(a, 2, 2) = z;
  return a;
}

// R = u u^T + cos(angle) (I - u u^T) + sin(angle) S, for the unit axis u and
// its cross-product matrix S.
Mat4 mat_rotate(float degrees, float x, float y, float z) {
  float u[3] = {x, y, z};
  normalise3(u);
  const float radians = degrees * static_cast<float>(M_PI) / 180.0f;
  const float c = std::cos(radians), s = std::sin(radians);
  const float cross[3][3] = {{0, -u[2], u[1]}, {u[2], 0, -u[0]}, {-u[1], u[0], 0}};
  Mat4 a = mat_identity();
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const float uu = u[row] * u[column];
      at(a, row, column) = uu + c * ((row == column ? 1 : 0) - uu) + s * cross[row][column];
    }
  }
  return a;
}

Mat4 mat_frustum(double left, double right, double bottom, double top, double near_plane,
                 double far_plane) {
  Mat4 a{};
  at(a, 0, 0) = static_cast<float>(2 * near_plane / (right - left));
  at(a, 0, 2) = static_cast<float>((right + left) / (right - left));
  at(a, 1, 1) = static_cast<float>(2 * near_plane / (top - bottom));
  at(a, 1, 2) = static_cast<float>((top + bottom) / (top - bottom));
  at(a, 2, 2) = static_cast<float>(-(far_plane + near_plane) / (far_plane - near_plane));
  at(a, 2, 3) = static_cast<float>(-2 * far_plane * near_plane / (far_plane - near_plane));
  at(a, 3, 2) = -1;
  return a;
}

Vec4 mat_apply(const Mat4 &a, const Vec4 &v) {
  const float in[4] = {v.x, v.y, v.z, v.w};
  float out[4];
  for (int row = 0; row < 4; ++row) {
    out[row] = at(a, row, 0) * in[0] + at(a, row, 1) * in[1] + at(a, row, 2) * in[2] +
               at(a, row, 3) * in[3];
  }
  return {out[0], out[1], out[2], out[3]};
}

namespace {

void normalise(double v[3]) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length > 0) {
    for (int i = 0; i < 3; ++i) v[i] /= length;
  }
}

void cross(const double a[3], const double b[3], double out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

Mat4 mat_look_rotation(const double eye[3], const double centre[3], const double up[3]) {
  double f[3] = {centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]};
  normalise(f);
  double s[3], u[3];
  cross(f, up, s);
  normalise(s);
  cross(s, f, u);
  Mat4 m = mat_identity();
  for (int k = 0; k < 3; ++k) {
    at(m, 0, k) = static_cast<float>(s[k]);
    at(m, 1, k) = static_cast<float>(u[k]);
    at(m, 2, k) = static_cast<float>(-f[k]);
  }
  return m;
}

// By cofactors, in double: the inverse is the adjugate over the determinant.
bool mat_inverse(const Mat4 &a, Mat4 *out) {
  double m[16], inv[16];
  for (int i = 0; i < 16; ++i) m[i] = a.m[i];
  for (int i = 0; i < 16; ++i) {
    const int row = i % 4, column = i / 4;  // of the inverse; its cofactor is of a's (column, row)
    double minor[9];
    int k = 0;
    for (int c = 0; c < 4; ++c) {
      for (int r = 0; r < 4; ++r) {
        if (c != row && r != column) minor[k++] = m[c * 4 + r];
      }
    }
    const double det3 = minor[0] * (minor[4] * minor[8] - minor[7] * minor[5]) -
                        minor[3] * (minor[1] * minor[8] - minor[7] * minor[2]) +
                        minor[6] * (minor[1] * minor[5] - minor[4] * minor[2]);
    inv[i] = ((row + column) % 2 ? -1 : 1) * det3;
  }
  double det = 0;
  for (int c = 0; c < 4; ++c) det += m[c * 4] * inv[c];  // a's first row times its cofactors
  if (det == 0) return false;
  for (int i = 0; i < 16; ++i) out->m[i] = static_cast<float>(inv[i] / det);
  return true;
}

// The inverse transpose of the upper 3 x 3 is its cofactor matrix over its
// determinant; out is row by row.
void normal_matrix(const Mat4 &a, float out[9]) {
  auto e = [&](int row, int column) { return at(a, row, column); };
  float cofactor[3][3];
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const int r0 = (row + 1) % 3, r1 = (row + 2) % 3;
      const int c0 = (column + 1) % 3, c1 = (column + 2) % 3;
      cofactor[row][column] = e(r0, c0) * e(r1, c1) - e(r0, c1) * e(r1, c0);
    }
  }
  const float det = e(0, 0) * cofactor[0][0] + e(0, 1) * cofactor[0][1] + e(0, 2) * cofactor[0][2];
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      out[row * 3 + column] = det != 0 ? cofactor[row][column] / det : 0;
    }
  }
}

void eye_normal(const float normals[9], const float n[3], bool normalize, float out[3]) {
  for (int row = 0; row < 3; ++row) {
    out[row] = normals[row * 3] * n[0] + normals[row * 3 + 1] * n[1] + normals[row * 3 + 2] * n[2];
  }
  if (normalize) normalise3(out);
}

namespace {

Vec4 times(const Vec4 &a, const Vec4 &b, float by = 1) {
  return {a.x * b.x * by, a.y * b.y * by, a.z * b.z * by, 0};
}

}  // namespace

LightTerms light_terms(const Material &material, const Light *lights, int light_count,
                       const Vec4 &global_ambient, const float n[3], const Vec4 &eye_position) {
  LightTerms t{};
  t.emission = {material.emission.x, material.emission.y, material.emission.z, 0};
  t.scene_ambient = times(material.ambient, global_ambient);
  float c[3] = {t.emission.x + t.scene_ambient.x, t.emission.y + t.scene_ambient.y,
                t.emission.z + t.scene_ambient.z};
  for (int i = 0; i < light_count && t.count < kMaxLights; ++i) {
    const Light &l = lights[i];
    if (!l.enabled) continue;
    LightTerm &term = t.lights[t.count++];
    term.light = i;
    float vp[3] = {l.position.x, l.position.y, l.position.z};
    if (l.position.w != 0) {
      for (int k = 0; k < 3; ++k) {
        vp[k] = vp[k] / l.position.w - (&eye_position.x)[k] / eye_position.w;
      }
    }
    normalise3(vp);
    term.ambient = times(material.ambient, l.ambient);
    const float n_dot_vp = dot3(n, vp);
    if (n_dot_vp > 0) {
      float h[3] = {vp[0], vp[1], vp[2] + 1};  // the viewer at infinity along +z
      normalise3(h);
      term.n_dot_l = n_dot_vp;
      term.n_dot_h = std::max(0.0f, dot3(n, h));
      const float shine = term.n_dot_h > 0 ? std::pow(term.n_dot_h, material.shininess) : 0;
      term.diffuse = times(material.diffuse, l.diffuse, n_dot_vp);
      term.specular = times(material.specular, l.specular, shine);
    }
    c[0] += term.ambient.x + term.diffuse.x + term.specular.x;
    c[1] += term.ambient.y + term.diffuse.y + term.specular.y;
    c[2] += term.ambient.z + term.diffuse.z + term.specular.z;
  }
  t.colour = {clamp01(c[0]), clamp01(c[1]), clamp01(c[2]), clamp01(material.diffuse.w)};
  return t;
}

Vec4 light_vertex(const Material &material, const Light *lights, int light_count,
                  const Vec4 &global_ambient, const float n[3], const Vec4 &eye_position) {
  return light_terms(material, lights, light_count, global_ambient, n, eye_position).colour;
}

int nearest_power_of_two(int side) {
  int p = 1;
  while (p * 2 <= side) p *= 2;
  return side - p < p * 2 - side ? p : p * 2;
}

namespace {

// Scales `lines` lines of `length` pixels to `new_length` pixels. Pixel k of
// line r is at (r * line_in + k * step) pixels in `in`, pixel i of line r at
// (r * line_out + i * step) in `out`.
void scale_lines(const std::vector<float> &in, std::vector<float> &out, int length,
                 int new_length, int lines, int channels, int step, int line_in, int line_out) {
  const double ratio = static_cast<double>(length) / new_length;
  for (int r = 0; r < lines; ++r) {
    for (int ch = 0; ch < channels; ++ch) {
      auto src = [&](int k) {
        return in[(static_cast<size_t>(r) * line_in + static_cast<size_t>(k) * step) * channels + ch];
      };
      for (int i = 0; i < new_length; ++i) {
        double value = 0;
        if (new_length <= length) {
          // Box: the average over this pixel's span of the source, the pixels
          // at its ends weighed by the share they lie in it.
          const double from = i * ratio, to = (i + 1) * ratio;
          for (int k = static_cast<int>(from); k < length && k < to; ++k) {
            value += src(k) * (std::min<double>(k + 1, to) - std::max<double>(k, from));
          }
          value /= ratio;
        } else {
          const double x = std::max(0.0, std::min(length - 1.0, (i + 0.5) * ratio - 0.5));
          const int k = static_cast<int>(x);
          const double f = x - k;
          value = src(k) * (1 - f) + src(std::min(k + 1, length - 1)) * f;
        }
        out[(static_cast<size_t>(r) * line_out + static_cast<size_t>(i) * step) * channels + ch] =
            static_cast<float>(value);
      }
    }
  }
}

}  // namespace

std::vector<unsigned char> scale_image(const unsigned char *pixels, int w, int h, int channels,
                                       int new_w, int new_h) {
  std::vector<float> in(pixels, pixels + static_cast<size_t>(w) * h * channels);
  std::vector<float> wide(static_cast<size_t>(new_w) * h * channels);
  scale_lines(in, wide, w, new_w, h, channels, 1, w, new_w);
  std::vector<float> done(static_cast<size_t>(new_w) * new_h * channels);
  scale_lines(wide, done, h, new_h, new_w, channels, new_w, 1, 1);
  std::vector<unsigned char> out(done.size());
  for (size_t i = 0; i < done.size(); ++i) {
    out[i] = static_cast<unsigned char>(std::lround(std::min(255.0f, std::max(0.0f, done[i]))));
  }
  return out;
}

namespace {

float near_distance(const DrawVertex &v) { return v.clip[2] + v.clip[3]; }

DrawVertex between(const DrawVertex &a, const DrawVertex &b, float t) {
  DrawVertex v;
  for (int i = 0; i < 4; ++i) v.clip[i] = a.clip[i] + t * (b.clip[i] - a.clip[i]);
  for (int i = 0; i < 4; ++i) v.colour[i] = a.colour[i] + t * (b.colour[i] - a.colour[i]);
  for (int i = 0; i < 2; ++i) v.st[i] = a.st[i] + t * (b.st[i] - a.st[i]);
  return v;
}

// Where the edge from a to b meets the near plane.
DrawVertex on_plane(const DrawVertex &a, const DrawVertex &b) {
  const float da = near_distance(a), db = near_distance(b);
  return between(a, b, da / (da - db));
}

}  // namespace

void clip_near(const std::vector<DrawVertex> &in, bool lines, std::vector<DrawVertex> &out) {
  out.clear();
  const size_t size = lines ? 2 : 3;
  for (size_t first = 0; first + size <= in.size(); first += size) {
    const DrawVertex *p = &in[first];
    if (lines) {
      const bool a_in = near_distance(p[0]) >= 0, b_in = near_distance(p[1]) >= 0;
      if (!a_in && !b_in) continue;
      out.push_back(a_in ? p[0] : on_plane(p[0], p[1]));
      out.push_back(b_in ? p[1] : on_plane(p[0], p[1]));
      continue;
    }
    // The triangle's polygon in front of the plane, then a fan of it.
    DrawVertex polygon[4];
    int n = 0;
    for (int k = 0; k < 3; ++k) {
      const DrawVertex &a = p[k], &b = p[(k + 1) % 3];
      const bool a_in = near_distance(a) >= 0, b_in = near_distance(b) >= 0;
      if (a_in) polygon[n++] = a;
      if (a_in != b_in) polygon[n++] = on_plane(a, b);
    }
    for (int k = 1; k + 1 < n; ++k) {
      out.push_back(polygon[0]);
      out.push_back(polygon[k]);
      out.push_back(polygon[k + 1]);
    }
  }
}
