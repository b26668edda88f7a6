#pragma once
// The C library's random numbers as the original runtime made them: range 0..32767,
// s = s * 214013 + 2531011, result (s >> 16) & 0x7FFF. Tests seed it or replace it.

#include <functional>

namespace win {

// RAND_MAX of the original runtime (the C library macro of that name is larger here).
inline constexpr int kRandMax = 0x7FFF;

void srand(unsigned int seed);
int rand();

}  // namespace win

namespace vetra {

// Replaces the generator (for tests); an empty function restores it.
void SetRandomSourceForTests(std::function<int()> source);

}  // namespace vetra
