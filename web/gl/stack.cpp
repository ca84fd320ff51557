// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The routines on a script stack, from its text.
#include "web/gl/stack.h"

#include <algorithm>
#include <cctype>

namespace {

// Every GL, GLU and GLUT function's name begins so; the frames inside the
// outermost of them (the layer's own, the script that reads the stack) are
// not the program's.
constexpr char kEntryPrefix[] = "gl";

bool digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string trimmed(const std::string &text) {
  const std::size_t from = text.find_first_not_of(" \t\r");
  if (from == std::string::npos) return "";
  return text.substr(from, text.find_last_not_of(" \t\r") - from + 1);
}

// The function's name as the line prints it, before its location.
std::string printed_name(const std::string &line) {
  if (line.compare(0, 3, "at ") == 0) {  // V8: the location is the last group in parentheses
    const std::string rest = line.substr(3);
    if (rest.empty() || rest.back() != ')') return "";
    int open = 0;
    for (std::size_t at = rest.size(); at-- > 0;) {
      if (rest[at] == ')') ++open;
      if (rest[at] == '(' && --open == 0) return trimmed(rest.substr(0, at));
    }
    return "";
  }
  const std::size_t at = line.find('@');
  return at == std::string::npos ? "" : line.substr(0, at);
}

// The last identifier of a mangled name ("_ZN12_GLOBAL__N_110draw_modelE5Model":
// "draw_model"), or the name as it is where it holds none.
std::string unmangled(const std::string &name) {
  std::size_t at = 2;
  while (at < name.size() && std::string("NLKVr").find(name[at]) != std::string::npos) ++at;
  std::string last;
  while (at < name.size() && digit(name[at])) {
    std::size_t length = 0;
    for (; at < name.size() && digit(name[at]); ++at) {
      length = length * 10 + static_cast<std::size_t>(name[at] - '0');
      if (length > name.size()) return last.empty() ? name : last;  // runs past the name
    }
    if (length > name.size() - at) break;
    const std::string word = name.substr(at, length);
    if (word != "_GLOBAL__N_1") last = word;
    at += length;
  }
  return last.empty() ? name : last;
}

// "drawBookshelf" of "drawBookshelf()", of "$drawBookshelf", of Safari's
// "<?>.wasm-function[drawBookshelf()]", and of a mangled name; "draw_boxes"
// of "void (anonymous namespace)::draw_boxes<1>(Box const (&) [1])".
std::string bare(std::string name) {
  const std::string wasm = "wasm-function[";
  const std::size_t in = name.find(wasm);
  if (in != std::string::npos && !name.empty() && name.back() == ']') {
    name = name.substr(in + wasm.size(), name.size() - 1 - in - wasm.size());
  }
  if (std::all_of(name.begin(), name.end(), digit)) return "";  // known by its index alone
  if (name[0] == '$') name.erase(0, 1);
  if (name.compare(0, 2, "_Z") == 0) return unmangled(name);
  const std::string anonymous = "(anonymous namespace)::";
  for (std::size_t a; (a = name.find(anonymous)) != std::string::npos;)
    name.erase(a, anonymous.size());
  name = name.substr(0, name.find('('));
  if (!name.empty() && name.back() == '>') name = name.substr(0, name.find('<'));
  const std::size_t space = name.rfind(' ');  // after a return type
  if (space != std::string::npos) name = name.substr(space + 1);
  const std::size_t colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

}  // namespace

std::string stack_frame_name(const std::string &line) { return bare(printed_name(trimmed(line))); }

std::vector<std::string> stack_routines(const std::string &text, int count) {
  std::vector<std::string> names;  // innermost first
  bool entered = false;            // the outermost entry point is reached
  for (std::size_t at = 0; at < text.size() && static_cast<int>(names.size()) < count;) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = trimmed(text.substr(at, end - at));
    at = end + 1;
    if (line.empty()) continue;
    const std::string name = stack_frame_name(line);
    const bool entry = name.compare(0, sizeof kEntryPrefix - 1, kEntryPrefix) == 0;
    if (names.empty() && entry) {
      entered = true;
    } else if (entered) {
      names.push_back(name.empty() ? kUnnamedRoutine : name);
    }
  }
  names.resize(static_cast<std::size_t>(std::max(0, count)), kUnnamedRoutine);
  std::reverse(names.begin(), names.end());
  return names;
}
