// The relay road against its true floor, both in this process and with the same relay program:
// relayed GetPageCount against the same window look-ups, WM_COPYDATA and WM_GETTEXT sent by
// hand; and relayed GetPageText of the largest page against the same exchange by hand plus the
// one conversion of the reply's bytes into the BSTR that a caller receives, and, without a
// target, against that read and conversion alone and against the bare WM_GETTEXT.
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "shared/win32_relay_protocol.h"
#include "windows_bench.h"

namespace tavrosk::bench {
namespace {

constexpr long kLargestPage = 512000;
constexpr int kPageTextCapacity = 512006;
constexpr int kReplyCapacity = 500;

HWND relay_window() {
  return FindWindowW(nullptr, host::win32_relay::kRelayWindowTitle);
}

// The exchange of GetPageCount as the library makes it, written out by hand: the relay window
// looked up for the send and again for the read, the line from a zeroed 255-byte buffer, the
// reply into a buffer of spaces and read as a number.
template <std::size_t N>
void send_line_by_hand(const char (&text)[N]) {
  char line[255] = {};
  std::memcpy(line, text, N - 1);
  COPYDATASTRUCT data{3, N, line};
  SendMessageA(relay_window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

long page_count_by_hand() {
  send_line_by_hand("GetPageCount//::^x1312");
  HWND reply = GetWindow(relay_window(), GW_CHILD);
  char text[kReplyCapacity];
  std::memset(text, ' ', sizeof text);
  SendMessageA(reply, WM_GETTEXT, kReplyCapacity, reinterpret_cast<LPARAM>(text));
  return std::strtol(text, nullptr, 10);
}

// The reads of the largest page share one buffer, as the library keeps one per thread.
std::vector<char>& page_buffer() {
  static std::vector<char> buffer(kPageTextCapacity, ' ');
  return buffer;
}

LRESULT bare_page_read(HWND reply) {
  return SendMessageA(reply, WM_GETTEXT, kPageTextCapacity,
                      reinterpret_cast<LPARAM>(page_buffer().data()));
}

// The least work that hands a caller the page: the bare read, then the reply's bytes converted
// once, straight into the caller's BSTR. A wide character never takes fewer bytes than one, so
// the reply's byte count is room enough in every code page.
std::size_t page_read_into_bstr(HWND reply) {
  LRESULT copied = bare_page_read(reply);
  if (copied <= 0) return 0;
  int bytes = static_cast<int>(copied);
  BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(bytes));
  if (text == nullptr) throw std::runtime_error("SysAllocStringLen");
  int length = MultiByteToWideChar(CP_ACP, 0, page_buffer().data(), bytes, text, bytes);
  SysFreeString(text);
  return static_cast<std::size_t>(length);
}

std::size_t relayed_page_text_length(_VB_PluginLib* ide) {
  long length = 0;
  BSTR text = nullptr;
  check(ide->GetPageText(&length, &text), "GetPageText");
  std::size_t size = SysStringLen(text);
  SysFreeString(text);
  return size;
}

// The relay program's own IDE gets a page of the largest size.
void fill_relay_page(_VB_PluginLib* ide) {
  std::wstring text;
  for (long line = 0; static_cast<long>(text.size()) < kLargestPage; ++line) {
    text += L"Line " + std::to_wstring(line) + L" of the largest page\r\n";
  }
  text.resize(kLargestPage);
  BSTR page = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  set_relay_road(ide, true);
  HRESULT hr = ide->SetPageText(&page);
  SysFreeString(page);
  check(hr, "SetPageText");
  std::size_t read = relayed_page_text_length(ide);
  set_relay_road(ide, false);
  if (read != static_cast<std::size_t>(kLargestPage)) {
    throw std::runtime_error("the relay program holds a page of " + std::to_string(read) +
                             " characters");
  }
}

}  // namespace

void add_relay_floors(InterleavedRuns& runs, std::vector<RowPlan>& rows, _VB_PluginLib* ide) {
  fill_relay_page(ide);
  if (page_count_by_hand() != 2) throw std::runtime_error("GetPageCount by hand: no answer");
  // The relayed calls follow the exchange of DebugApp that switches the road; these follow one
  // exchange too, so that both find the relay program just as lately woken.
  runs.add({"hand/GetPageCount",
            [](std::int64_t calls) {
              for (std::int64_t i = 0; i < calls; ++i) {
                if (page_count_by_hand() != 2) throw std::runtime_error("GetPageCount by hand");
              }
            },
            [] { page_count_by_hand(); }});
  rows.push_back({kRelayByHandRow, "relay/GetPageCount", "hand/GetPageCount", kRelayByHandTarget});

  // Every read of the largest page starts with the page in the reply window, as when a plug-in
  // reads the same page again: the bare read reads that window, and the relay program answers
  // the line with the reply that the window already shows. The relayed reads need the relay road
  // switched on, an exchange of its own before the page is shown and another after the reads;
  // the floors' repetitions start and end with the same exchanges, so that the relay program
  // has set the page anew just as lately and has just as much left to do behind them.
  auto show_page_on_relay_road = [=] {
    set_relay_road(ide, true);
    send_line_by_hand("GetPageText//::^x1312");
  };
  auto leave_relay_road = [=] { set_relay_road(ide, false); };
  auto read_relayed = [=](std::int64_t calls) {
    for (std::int64_t i = 0; i < calls; ++i) {
      if (relayed_page_text_length(ide) != static_cast<std::size_t>(kLargestPage)) {
        throw std::runtime_error("relayed GetPageText changed its answer");
      }
    }
  };
  runs.add({"relay/GetPageText512000", read_relayed, show_page_on_relay_road, leave_relay_road});
  // After another reply, so that the relay program sets the page as the reply window's text.
  runs.add({"relay/GetPageText512000/after another reply", read_relayed,
            [=] {
              set_relay_road(ide, true);
              send_line_by_hand("GetPageCount//::^x1312");
            },
            leave_relay_road, true});
  // The floor: the whole exchange that the relay protocol asks for, written out by hand, and the
  // one conversion that hands the caller its text.
  runs.add({"hand/GetPageText512000+BSTR",
            [](std::int64_t calls) {
              for (std::int64_t i = 0; i < calls; ++i) {
                send_line_by_hand("GetPageText//::^x1312");
                if (page_read_into_bstr(GetWindow(relay_window(), GW_CHILD)) !=
                    static_cast<std::size_t>(kLargestPage)) {
                  throw std::runtime_error("GetPageText by hand");
                }
              }
            },
            show_page_on_relay_road, leave_relay_road});
  runs.add({"hand/WM_GETTEXT512006",
            [](std::int64_t calls) {
              HWND reply = GetWindow(relay_window(), GW_CHILD);
              for (std::int64_t i = 0; i < calls; ++i) {
                if (bare_page_read(reply) != kLargestPage) {
                  throw std::runtime_error("bare WM_GETTEXT");
                }
              }
            },
            show_page_on_relay_road, leave_relay_road});
  runs.add({"hand/WM_GETTEXT512006+BSTR",
            [](std::int64_t calls) {
              HWND reply = GetWindow(relay_window(), GW_CHILD);
              for (std::int64_t i = 0; i < calls; ++i) {
                if (page_read_into_bstr(reply) != static_cast<std::size_t>(kLargestPage)) {
                  throw std::runtime_error("WM_GETTEXT into a BSTR");
                }
              }
            },
            show_page_on_relay_road, leave_relay_road});
  rows.push_back({kRelayPageTextByHandRow, "relay/GetPageText512000", "hand/GetPageText512000+BSTR",
                  kRelayPageTextByHandTarget});
  // Floors that leave part of the exchange out, without a target: they measure Wine's messages
  // more than the library.
  rows.push_back(
      {kRelayPageTextFloorRow, "relay/GetPageText512000", "hand/WM_GETTEXT512006+BSTR", 0});
  rows.push_back({kRelayPageTextRow, "relay/GetPageText512000", "hand/WM_GETTEXT512006", 0});
  rows.push_back({kRelayChangedPageTextRow, "relay/GetPageText512000/after another reply",
                  "hand/WM_GETTEXT512006", 0});
}

}  // namespace tavrosk::bench
