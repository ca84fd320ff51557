// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// A program's view in words, read the ways the tests check it: as one text,
// and as the names of the objects it names.
#ifndef TESTS_UNIT_VIEW_WORDS_H
#define TESTS_UNIT_VIEW_WORDS_H

#include "viewer/sight.h"

#include <string>
#include <vector>

inline std::string words_text(const ViewWords &words) {
  std::string text;
  for (const WordPiece &piece : words) text += piece.text;
  return text;
}

inline std::vector<std::string> words_objects(const ViewWords &words) {
  std::vector<std::string> names;
  for (const WordPiece &piece : words) {
    if (!piece.object.empty() && piece.object != "=") names.push_back(piece.object);
  }
  return names;
}

#endif
