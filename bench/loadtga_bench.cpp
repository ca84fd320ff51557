// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What a texture load costs beside reading the same bytes from the file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "loadtga/loadtga.h"
#include "loadtga/tga_decode.h"

namespace {

std::string folder;

std::string image_path(int side) { return folder + "/" + std::to_string(side) + ".tga"; }

void write_image(int side) {
  std::vector<unsigned char> b(kTgaHeaderSize, 0);
  b[2] = 2;
  b[12] = static_cast<unsigned char>(side & 0xff);
  b[13] = static_cast<unsigned char>(side >> 8);
  b[14] = b[12];
  b[15] = b[13];
  b[16] = 24;
  for (int i = 0; i < side * side * 3; ++i) b.push_back(static_cast<unsigned char>(i * 31));
  std::FILE *f = std::fopen(image_path(side).c_str(), "wb");
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
}

void BM_ReadFile(benchmark::State &state) {
  const std::string path = image_path(static_cast<int>(state.range(0)));
  std::vector<unsigned char> bytes;
  for (auto _ : state) {
    std::FILE *f = std::fopen(path.c_str(), "rb");
    std::fseek(f, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::ftell(f)));
    std::rewind(f);
    benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_Decode(benchmark::State &state) {
  const std::string path = image_path(static_cast<int>(state.range(0)));
  std::FILE *f = std::fopen(path.c_str(), "rb");
  std::vector<unsigned char> bytes(kTgaHeaderSize + state.range(0) * state.range(0) * 3);
  benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), f));
  std::fclose(f);
  TgaImage image;
  for (auto _ : state) {
    benchmark::DoNotOptimize(decode_tga(bytes.data(), bytes.size(), &image));
  }
}

void BM_LoadGlTga(benchmark::State &state) {
  const std::string path = image_path(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(load_gl_tga(path.c_str(), 1));
    glFinish();
  }
}

BENCHMARK(BM_ReadFile)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Decode)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadGlTga)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
  char pattern[] = "/tmp/loadtga-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  folder = pattern;
  write_image(256);
  write_image(1024);
  open_bench_window(&argc, argv, GLUT_DOUBLE | GLUT_RGB);
  run_benchmarks(&argc, argv);
  std::remove(image_path(256).c_str());
  std::remove(image_path(1024).c_str());
  rmdir(pattern);
  return 0;
}
