#include "code_tables.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

namespace nkf::detail {
namespace {

struct VariantPair {
  char16_t jis;
  char16_t ms;
  std::uint16_t code;
};

#include "generated/jis_tables.inc"

std::uint16_t SjisCode(int row, int cell) {
  int lead = (row + 1) / 2 + (row <= 62 ? 0x80 : 0xC0);
  int trail = (row % 2) ? cell + 0x3F + (cell >= 64 ? 1 : 0) : cell + 0x9E;
  return static_cast<std::uint16_t>(lead << 8 | trail);
}

template <std::size_t Rows>
std::uint16_t Cell(const std::uint8_t (&slots)[Rows], const std::uint16_t (*cells)[94], int row, int cell) {
  int slot = slots[row - 1];
  return slot ? cells[slot - 1][cell - 1] : 0;
}

// The generated lists are in ascending code order.
bool Contains(const std::uint16_t* list, std::size_t count, std::uint16_t code) {
  return std::binary_search(list, list + count, code);
}

void IndexValidPairs(SjisDecodeTable& t) {
  for (int lead = 0; lead <= 0xFC - 0x81; ++lead) {
    for (int k = 0; k < 3; ++k) t.pairValid[lead][k] = 0;
    for (int trail = 0; trail < 0xC0; ++trail) {
      if (t.pair[lead][trail]) t.pairValid[lead][trail >> 6] |= std::uint64_t{1} << (trail & 63);
    }
  }
}

std::unique_ptr<SjisDecodeTable> BuildCp932Decode() {
  auto t = std::make_unique<SjisDecodeTable>();
  std::memset(t.get(), 0, sizeof(SjisDecodeTable));
  for (int b = 0; b < 0x80; ++b) t->single[b] = static_cast<std::uint16_t>(b);
  for (int b = 0x80; b < 0x100; ++b) {
    t->isLead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    t->single[b] = t->isLead[b] ? 0 : kCp932SingleByte[b - 0x80];
  }
  for (int row = 1; row <= 120; ++row) {
    for (int cell = 1; cell <= 94; ++cell) {
      std::uint16_t code = SjisCode(row, cell);
      t->pair[(code >> 8) - 0x81][(code & 0xFF) - 0x40] = Cell(kCp932RowSlot, kCp932Cells, row, cell);
    }
  }
  IndexValidPairs(*t);
  return t;
}

std::unique_ptr<std::uint16_t[]> NewCodePointTable() {
  auto t = std::make_unique<std::uint16_t[]>(0x10000);
  std::memset(t.get(), 0, 0x10000 * sizeof(std::uint16_t));
  return t;
}

std::unique_ptr<std::uint16_t[]> BuildJisEncode(const std::uint8_t (&slots)[94], const std::uint16_t (*cells)[94],
                                                const std::uint16_t* readOnly, std::size_t readOnlyCount) {
  auto t = NewCodePointTable();
  for (int row = 1; row <= 94; ++row) {
    for (int cell = 1; cell <= 94; ++cell) {
      std::uint16_t cp = Cell(slots, cells, row, cell);
      auto code = static_cast<std::uint16_t>(row << 8 | cell);
      if (cp && !Contains(readOnly, readOnlyCount, code)) t[cp] = code;
    }
  }
  return t;
}

struct GridBox {
  JisGrid grid;
};

std::unique_ptr<GridBox> BuildGrid(const std::uint8_t (&slots)[94], const std::uint16_t (*cells)[94]) {
  auto g = std::make_unique<GridBox>();
  for (int row = 1; row <= 94; ++row) {
    for (int cell = 1; cell <= 94; ++cell) g->grid[row - 1][cell - 1] = Cell(slots, cells, row, cell);
  }
  return g;
}

}  // namespace

const SjisDecodeTable& Cp932DecodeTable() {
  static const std::unique_ptr<SjisDecodeTable> table = BuildCp932Decode();
  return *table;
}

const SjisDecodeTable& ShiftJisDecodeTable() {
  static const std::unique_ptr<SjisDecodeTable> table = [] {
    auto t = BuildCp932Decode();
    for (const VariantPair& v : kVariantPairs) {
      std::uint16_t code = SjisCode(v.code >> 8, v.code & 0xFF);
      t->pair[(code >> 8) - 0x81][(code & 0xFF) - 0x40] = v.jis;
    }
    IndexValidPairs(*t);
    return t;
  }();
  return *table;
}

const JisGrid& Jis0208Grid() {
  static const std::unique_ptr<GridBox> box = BuildGrid(kJis0208RowSlot, kJis0208Cells);
  return box->grid;
}

const JisGrid& Jis0212Grid() {
  static const std::unique_ptr<GridBox> box = BuildGrid(kJis0212RowSlot, kJis0212Cells);
  return box->grid;
}

const std::uint16_t* Cp932EncodeTable() {
  static const std::unique_ptr<std::uint16_t[]> table = [] {
    auto t = NewCodePointTable();
    for (int b = 0x80; b < 0x100; ++b) {
      std::uint16_t cp = Cp932DecodeTable().single[b];
      if (cp) t[cp] = static_cast<std::uint16_t>(b);
    }
    for (int row = 1; row <= 120; ++row) {
      for (int cell = 1; cell <= 94; ++cell) {
        std::uint16_t cp = Cell(kCp932RowSlot, kCp932Cells, row, cell);
        auto rc = static_cast<std::uint16_t>(row << 8 | cell);
        if (cp && !Contains(kCp932ReadOnly, kCp932ReadOnlyCount, rc)) t[cp] = SjisCode(row, cell);
      }
    }
    for (const VariantPair& v : kVariantPairs) t[v.jis] = SjisCode(v.code >> 8, v.code & 0xFF);
    return t;
  }();
  return table.get();
}

const std::uint16_t* Jis0208EncodeTable() {
  static const std::unique_ptr<std::uint16_t[]> table = [] {
    auto t = BuildJisEncode(kJis0208RowSlot, kJis0208Cells, kJis0208ReadOnly, kJis0208ReadOnlyCount);
    for (const VariantPair& v : kVariantPairs) t[v.ms] = v.code;
    return t;
  }();
  return table.get();
}

const std::uint16_t* Jis0212EncodeTable() {
  static const std::unique_ptr<std::uint16_t[]> table =
      BuildJisEncode(kJis0212RowSlot, kJis0212Cells, kJis0212ReadOnly, kJis0212ReadOnlyCount);
  return table.get();
}

std::uint8_t VariantOf(char32_t cp) {
  for (std::size_t i = 0; i < std::size(kVariantPairs); ++i) {
    if (cp == kVariantPairs[i].jis) return static_cast<std::uint8_t>(i + 1);
    if (cp == kVariantPairs[i].ms) return static_cast<std::uint8_t>(0x11 + i);
  }
  return 0;
}

char16_t HalfwidthKanaFull(char32_t cp) { return kHalfwidthKanaFull[cp - 0xFF61]; }

char16_t HalfwidthKanaCombined(char32_t kana, char32_t mark) {
  if (kana < 0xFF61 || kana > 0xFF9F) return 0;
  return mark == 0xFF9E ? kHalfwidthKanaVoiced[kana - 0xFF61]
       : mark == 0xFF9F ? kHalfwidthKanaSemiVoiced[kana - 0xFF61] : 0;
}

}  // namespace nkf::detail
