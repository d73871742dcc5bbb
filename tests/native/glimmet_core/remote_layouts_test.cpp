// The records a 64-bit reader writes into a 32-bit or 64-bit target: each field where the
// control of that bitness looks for it.
#include "glimmet/core/remote_layouts.h"

#include <gtest/gtest.h>

#include <cstring>

namespace glimmet {
namespace {

std::uint64_t At(const RemoteBytes& bytes, std::size_t offset, std::size_t width) {
  std::uint64_t value = 0;
  std::memcpy(&value, bytes.data() + offset, width);
  return value;
}

struct Field {
  std::size_t offset, width;
  std::uint64_t value;
};

void ExpectFields(const RemoteBytes& bytes, std::size_t size, std::initializer_list<Field> fields) {
  ASSERT_EQ(bytes.size(), size);
  for (const Field& f : fields) {
    EXPECT_EQ(At(bytes, f.offset, f.width), f.value) << "offset " << f.offset;
  }
  // Nothing else set: every other byte is zero.
  std::uint64_t all = 0;
  for (std::byte b : bytes) all += static_cast<std::uint8_t>(b);
  std::uint64_t expected = 0;
  for (const Field& f : fields) {
    for (std::size_t i = 0; i < f.width; ++i) expected += (f.value >> (8 * i)) & 0xFF;
  }
  EXPECT_EQ(all, expected);
}

constexpr std::uint64_t kText32 = 0x7FFE1230;
constexpr std::uint64_t kText64 = 0x000001F2'3456789AULL;

TEST(RemoteLayouts, ListViewQueryPlacesEveryFieldForEachBitness) {
  ExpectFields(PackListViewTextQuery(Bitness::k32, 7, 2, kText32, 256), 60,
               {{0, 4, 1}, {4, 4, 7}, {8, 4, 2}, {20, 4, kText32}, {24, 4, 256}});
  ExpectFields(PackListViewTextQuery(Bitness::k64, 7, 2, kText64, 256), 88,
               {{0, 4, 1}, {4, 4, 7}, {8, 4, 2}, {24, 8, kText64}, {32, 4, 256}});
}

TEST(RemoteLayouts, TreeTabAndHitTestRecordsForEachBitness) {
  ExpectFields(PackTreeTextQuery(Bitness::k32, 0x5000, kText32, 260), 40,
               {{0, 4, 1}, {4, 4, 0x5000}, {16, 4, kText32}, {20, 4, 260}});
  ExpectFields(PackTreeTextQuery(Bitness::k64, 0x1'0000'5000ULL, kText64, 260), 56,
               {{0, 4, 1}, {8, 8, 0x1'0000'5000ULL}, {24, 8, kText64}, {32, 4, 260}});
  ExpectFields(PackTabTextQuery(Bitness::k32, kText32, 256), 28, {{0, 4, 1}, {12, 4, kText32}, {16, 4, 256}});
  ExpectFields(PackTabTextQuery(Bitness::k64, kText64, 256), 40, {{0, 4, 1}, {16, 8, kText64}, {24, 4, 256}});
  ExpectFields(PackTreeHitTest(Bitness::k32, 12, 34), 16, {{0, 4, 12}, {4, 4, 34}});
  ExpectFields(PackTreeHitTest(Bitness::k64, 12, 34), 24, {{0, 4, 12}, {4, 4, 34}});
}

TEST(RemoteLayouts, AnswersAreReadFromTheBitnessOffsets) {
  RemoteBytes hit32(16), hit64(24);
  const std::uint32_t item32 = 0xABCD1234;
  const std::uint64_t item64 = 0x12'ABCD1234ULL;
  std::memcpy(hit32.data() + 12, &item32, 4);
  std::memcpy(hit64.data() + 16, &item64, 8);
  EXPECT_EQ(TreeHitTestItem(Bitness::k32, hit32), item32);
  EXPECT_EQ(TreeHitTestItem(Bitness::k64, hit64), item64);

  EXPECT_EQ(ToolButtonSize(Bitness::k32), 20u);
  EXPECT_EQ(ToolButtonSize(Bitness::k64), 32u);
  RemoteBytes button(20);
  const std::int32_t command = 4711;
  std::memcpy(button.data() + 4, &command, 4);
  EXPECT_EQ(ToolButtonCommand(button), command);
  EXPECT_EQ(ToolButtonCommand(RemoteBytes(3)), 0);
}

}  // namespace
}  // namespace glimmet
