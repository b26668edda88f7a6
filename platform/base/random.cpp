#include "platform/base/random.h"

#include <cstdint>

namespace {

std::uint32_t g_state = 1;

std::function<int()>& Override()
{
  static std::function<int()> source;
  return source;
}

}  // namespace

namespace win {

void srand(unsigned int seed)
{
  g_state = seed;
}

int rand()
{
  if (Override()) return Override()() & kRandMax;
  g_state = g_state * 214013u + 2531011u;
  return static_cast<int>((g_state >> 16) & 0x7FFF);
}

}  // namespace win

namespace vetra {

void SetRandomSourceForTests(std::function<int()> source)
{
  Override() = std::move(source);
}

}  // namespace vetra
