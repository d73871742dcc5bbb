#include "glimmet/core/remote_layouts.h"

#include <cstring>

namespace glimmet {
namespace {

constexpr std::uint32_t kTextMask = 1;  // LVIF_TEXT, TVIF_TEXT and TCIF_TEXT alike

template <class Record>
RemoteBytes Bytes(const Record& record) {
  RemoteBytes bytes(sizeof(Record));
  std::memcpy(bytes.data(), &record, sizeof(Record));
  return bytes;
}

template <class Record>
Record FromBytes(const RemoteBytes& bytes) {
  Record record{};
  std::memcpy(&record, bytes.data(), bytes.size() < sizeof(Record) ? bytes.size() : sizeof(Record));
  return record;
}

template <class Record, class Address>
RemoteBytes ListViewQuery(int row, int column, std::uint64_t textAddress, int textChars) {
  Record record{};
  record.mask = kTextMask;
  record.item = row;
  record.subItem = column;
  record.text = static_cast<Address>(textAddress);
  record.textMax = textChars;
  return Bytes(record);
}

template <class Record, class Address>
RemoteBytes TreeQuery(std::uint64_t item, std::uint64_t textAddress, int textChars) {
  Record record{};
  record.mask = kTextMask;
  record.item = static_cast<Address>(item);
  record.text = static_cast<Address>(textAddress);
  record.textMax = textChars;
  return Bytes(record);
}

template <class Record, class Address>
RemoteBytes TabQuery(std::uint64_t textAddress, int textChars) {
  Record record{};
  record.mask = kTextMask;
  record.text = static_cast<Address>(textAddress);
  record.textMax = textChars;
  return Bytes(record);
}

template <class Record>
RemoteBytes HitTest(int x, int y) {
  Record record{};
  record.x = x;
  record.y = y;
  return Bytes(record);
}

}  // namespace

RemoteBytes PackListViewTextQuery(Bitness bitness, int row, int column, std::uint64_t textAddress, int textChars) {
  return bitness == Bitness::k32 ? ListViewQuery<layout32::ListViewItem, std::uint32_t>(row, column, textAddress, textChars)
                                 : ListViewQuery<layout64::ListViewItem, std::uint64_t>(row, column, textAddress, textChars);
}

RemoteBytes PackTreeTextQuery(Bitness bitness, std::uint64_t item, std::uint64_t textAddress, int textChars) {
  return bitness == Bitness::k32 ? TreeQuery<layout32::TreeItem, std::uint32_t>(item, textAddress, textChars)
                                 : TreeQuery<layout64::TreeItem, std::uint64_t>(item, textAddress, textChars);
}

RemoteBytes PackTabTextQuery(Bitness bitness, std::uint64_t textAddress, int textChars) {
  return bitness == Bitness::k32 ? TabQuery<layout32::TabItem, std::uint32_t>(textAddress, textChars)
                                 : TabQuery<layout64::TabItem, std::uint64_t>(textAddress, textChars);
}

RemoteBytes PackTreeHitTest(Bitness bitness, int x, int y) {
  return bitness == Bitness::k32 ? HitTest<layout32::TreeHitTest>(x, y) : HitTest<layout64::TreeHitTest>(x, y);
}

std::uint64_t TreeHitTestItem(Bitness bitness, const RemoteBytes& answer) {
  return bitness == Bitness::k32 ? FromBytes<layout32::TreeHitTest>(answer).item
                                 : FromBytes<layout64::TreeHitTest>(answer).item;
}

std::size_t ToolButtonSize(Bitness bitness) {
  return bitness == Bitness::k32 ? sizeof(layout32::ToolButton) : sizeof(layout64::ToolButton);
}

int ToolButtonCommand(const RemoteBytes& button) {
  // The command id sits at offset 4 in both layouts.
  return button.size() >= 8 ? FromBytes<layout32::ToolButton>(button).command : 0;
}

}  // namespace glimmet
