// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// A pixel's story from what each call did there: which call's colour shows,
// which were drawn over and by whom, which lay behind whom, and which a
// plane of the view volume cut.
#include "web/gl/pixel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A call that draws: written, or lying there behind, or cut by a plane.
Touch clear(int call) {
  return {call, true, true, true, true, false, false, false, {9, 9, 9, 255}};
}
Touch wrote(int call, bool depth_on = true) {
  const auto red = static_cast<unsigned char>(call);
  return {call, false, true, true, depth_on, false, false, false, {red, 0, 0, 255}};
}
Touch behind(int call) { return {call, false, true, false, true, false, false, false, {}}; }
Touch cut(int call, bool near) { return {call, false, false, false, true, false, near, !near, {}}; }
Touch missed(int call) { return {call, false, false, false, true, false, false, false, {}}; }

TEST(PixelStory, EachCallIsFinalCoveredBehindOrClippedAndNamesWhoseDoing) {
  const struct {
    const char *what;
    std::vector<Touch> touches;
    std::string story;
  } cases[] = {
      {"only the clear", {clear(0), missed(3)}, R"([{"call":0,"did":"final","colour":[9,9,9]}])"},
      {"drawn over, and behind the one that shows",
       {clear(0), wrote(2), behind(5), wrote(7)},
       R"([{"call":0,"did":"covered","by":2,"colour":[9,9,9]},)"
       R"({"call":2,"did":"covered","by":7,"colour":[2,0,0]},{"call":5,"did":"depth","by":2},)"
       R"({"call":7,"did":"final","colour":[7,0,0]}])"},
      // A call drawn without the depth test writes no depth: what fails it
      // lies behind the clear's.
      {"behind no call's depth",
       {clear(0), wrote(2, false), behind(4)},
       R"([{"call":0,"did":"covered","by":2,"colour":[9,9,9]},)"
       R"({"call":2,"did":"final","colour":[2,0,0]},{"call":4,"did":"depth","by":0}])"},
      {"cut by the near and the far plane",
       {clear(0), cut(3, true), cut(4, false)},
       R"([{"call":0,"did":"final","colour":[9,9,9]},{"call":3,"did":"clipped","plane":"near"},)"
       R"({"call":4,"did":"clipped","plane":"far"}])"},
  };
  for (const auto &c : cases) EXPECT_EQ(pixel_story(c.touches), c.story) << c.what;
}

}  // namespace
