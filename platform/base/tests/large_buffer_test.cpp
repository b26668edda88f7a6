// A large buffer starts on a huge-page boundary (or the system could never give it huge pages),
// reads as zeros until written, keeps what is written, and hands its memory on when moved.
#include "platform/base/large_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace vetra {
namespace {

TEST(LargeBuffer, StartsOnAHugePageAndHoldsWhatIsWritten)
{
  constexpr std::uintptr_t kHugePage = 2u << 20;
  for (const std::size_t size : {std::size_t{1}, std::size_t{3 << 20} + 5, std::size_t{80} << 20}) {
    SCOPED_TRACE(size);
    auto buffer = LargeBuffer::Allocate(size);
    ASSERT_TRUE(buffer.has_value());
    const auto bytes = buffer->Bytes();
    ASSERT_EQ(bytes.size(), size);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes.data()) % kHugePage, 0u);
    buffer->Prepare(0, size / 2);
    EXPECT_EQ(bytes.front(), 0);
    EXPECT_EQ(bytes.back(), 0);
    std::fill(bytes.begin(), bytes.end(), std::uint8_t{0x5A});
    LargeBuffer moved = std::move(*buffer);
    EXPECT_TRUE(buffer->Bytes().empty());
    EXPECT_EQ(moved.Bytes().data(), bytes.data());
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t v) { return v == 0x5A; }));
  }
  const auto none = LargeBuffer::Allocate(0);
  ASSERT_TRUE(none.has_value());
  EXPECT_TRUE(none->Bytes().empty());
}

}  // namespace
}  // namespace vetra
