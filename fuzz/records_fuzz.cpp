// The conversion of both information records from arbitrary bytes and back, and of arbitrary
// stores into records, in Windows-1252 and in UTF-8. Windows-1252 maps every byte to one
// character and back, so a record's round trip at full width is exact. In UTF-8 a field may
// hold bytes that are no character; what goes back into a record is always whole characters
// that fit the field, the rest zero.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <type_traits>

#include "fuzz_support.h"
#include "platform/code_page.h"
#include "platform/sim/code_page_selection.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"

using namespace tavrosk;

namespace {

template <class Record>
Record record_from(std::string_view bytes) {
  Record record;
  std::memset(&record, 0, sizeof record);
  std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
  return record;
}

// Calls `visit(record_field, store_field)` for each text field.
template <class R, class S, class Visit>
void text_fields(R& r, S& s, Visit&& visit) {
  pair_fields(r, s, [&](auto& field, auto& wide) {
    if constexpr (std::is_array_v<std::remove_reference_t<decltype(field)>>) visit(field, wide);
  });
}

// Every number field holds the same value in the record and the store.
template <class R, class S>
bool same_numbers(const R& r, const S& s) {
  bool same = true;
  pair_fields(r, s, [&](const auto& field, const auto& stored) {
    if constexpr (!std::is_array_v<std::remove_reference_t<decltype(field)>>) {
      same = same && field == stored;
    }
  });
  return same;
}

// A field written from `expected` holds whole characters only: its bytes read back as a
// character-by-character prefix of `expected`, and every byte after them is zero.
template <std::size_t N>
void check_whole_characters(const char (&bytes)[N], std::u16string_view expected) {
  std::size_t used = N;
  while (used > 0 && bytes[used - 1] == '\0') --used;
  std::string_view written(bytes, used);
  FUZZ_CHECK(platform::to_ansi(platform::from_ansi(written)) == written);  // no cut character
  std::u16string read_back = platform::from_ansi(written);
  // Trailing NULs that the store held are zero bytes too.
  FUZZ_CHECK(read_back.size() <= expected.size());
  FUZZ_CHECK(expected.substr(0, read_back.size()) == read_back);
}

template <class Record, class Store>
void check_record_bytes(std::string_view bytes, bool single_byte) {
  const Record record = record_from<Record>(bytes);
  Store store = from_record(record);
  Record again = to_record(store);
  FUZZ_CHECK(same_numbers(again, store) && same_numbers(record, store));
  if (single_byte) {
    FUZZ_CHECK(std::memcmp(&record, &again, sizeof record) == 0);
    return;
  }
  text_fields(again, store, [](const auto& field, const auto& wide) {
    check_whole_characters(field, std::u16string_view(wide.data(), wide.size()));
  });
}

// An arbitrary store: every field from the bytes as UTF-16 units, numbers from the same bytes.
template <class Record, class Store>
void check_store(std::string_view bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  Store store{};
  Record unused{};
  std::size_t next = 0;
  text_fields(unused, store, [&](const auto&, auto& field) {
    for (auto& c : field) c = next < units.size() ? units[next++] : u'\0';
  });
  Record record = to_record(store);
  text_fields(record, store, [](const auto& field, const auto& wide) {
    std::u16string expected = platform::from_ansi(platform::to_ansi({wide.data(), wide.size()}));
    check_whole_characters(field, expected);
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool single_byte = (data[0] & 1) == 0;
  sim::set_code_page(single_byte ? sim::CodePage::kWindows1252 : sim::CodePage::kUtf8);
  std::string_view bytes = fuzz::as_bytes(data + 1, size - 1);
  switch ((data[0] >> 1) % 4) {
    case 0:
      check_record_bytes<PageInfoRecord, PageInfoStore>(bytes, single_byte);
      break;
    case 1:
      check_record_bytes<ProgrammerInfoRecord, ProgrammerInfoStore>(bytes, single_byte);
      break;
    case 2:
      check_store<PageInfoRecord, PageInfoStore>(bytes);
      break;
    default:
      check_store<ProgrammerInfoRecord, ProgrammerInfoStore>(bytes);
      break;
  }
  return 0;
}
