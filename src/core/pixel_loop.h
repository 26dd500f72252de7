#pragma once

// A pixel loop compiled for the AVX-512 and AVX2 vector units besides plain
// x86-64; the loader picks the best one this machine has, once. The files
// with such loops are compiled at -O3 without fused multiply-adds (see
// src/CMakeLists.txt), so that results do not depend on the vector unit.
#if defined(__x86_64__)
#define KALVO_PIXEL_LOOP __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define KALVO_PIXEL_LOOP
#endif
