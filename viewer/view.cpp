// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Writing a program's view as text and reading it back.
#include "viewer/view.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// One value of a field, as text: a finite float, or a flag of 0 or 1.
bool read_value(const ViewField &field, const std::string &text, float *real, int *flag) {
  if (field.flag) {
    if (text != "0" && text != "1") return false;
    *flag = text[0] - '0';
    return true;
  }
  // strtof would also skip leading blanks and take "inf" and "nan".
  if (text.empty() || !std::strchr("+-.0123456789", text[0])) return false;
  char *end = nullptr;
  const float value = std::strtof(text.c_str(), &end);  // beyond the float range: infinite
  if (*end != '\0' || !std::isfinite(value)) return false;
  *real = value;
  return true;
}

}  // namespace

std::string write_view(const ViewField *fields, int count) {
  std::string text = "v=" + std::to_string(kViewVersion);
  for (int i = 0; i < count; ++i) {
    char value[32];
    if (fields[i].flag) {
      std::snprintf(value, sizeof value, "%d", *fields[i].flag ? 1 : 0);
    } else {
      std::snprintf(value, sizeof value, "%.9g", static_cast<double>(*fields[i].real));
    }
    text += std::string("&") + fields[i].name + "=" + value;
  }
  return text;
}

bool read_view(const std::string &text, const ViewField *fields, int count) {
  const std::string version = "v=" + std::to_string(kViewVersion);
  if (text.size() > kViewTextMax || text.compare(0, version.size() + 1, version + "&") != 0) {
    return false;
  }
  std::vector<float> reals(count);
  std::vector<int> flags(count);
  std::vector<bool> seen(count, false);
  std::size_t at = version.size() + 1;
  while (at <= text.size()) {
    std::size_t end = text.find('&', at);
    if (end == std::string::npos) end = text.size();
    const std::string item = text.substr(at, end - at);
    const std::size_t equals = item.find('=');
    if (equals == std::string::npos) return false;
    const std::string name = item.substr(0, equals);
    int i = 0;
    while (i < count && name != fields[i].name) ++i;
    if (i == count || seen[i] || !read_value(fields[i], item.substr(equals + 1), &reals[i], &flags[i])) {
      return false;
    }
    seen[i] = true;
    at = end + 1;
  }
  for (int i = 0; i < count; ++i) {
    if (!seen[i]) return false;
  }
  for (int i = 0; i < count; ++i) {
    if (fields[i].flag) {
      *fields[i].flag = flags[i];
    } else {
      *fields[i].real = reals[i];
    }
  }
  return true;
}

const char *view_text() {
  static std::string text;
  text = write_view(view_fields, view_field_count);
  return text.c_str();
}

int set_view(const char *text) { return text && read_view(text, view_fields, view_field_count) ? 1 : 0; }
