// The reference Korvex host as a Windows program, which a plug-in author keeps open while
// developing: the IDE window "Korvex IDE" showing the model, and the relay tool's window
// "Debug VB Application" whose first child is the reply window, with a list of the traffic.
// Each line that arrives with WM_COPYDATA is logged, then answered, and the answer is in the
// reply child before the message returns, so the sender can read it at once. The answer is a
// test's queued reply, else the --replies file's for the command, else the IDE's (the "Korvex
// IDE" window, wherever its model lives), else, with no IDE window, this program's own model.
// Export calls that a plug-in's Zavoplex.dll hands to the IDE window reach the same model.
#include <windows.h>
// After windows.h.
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/ide_model.h"
#include "relay_tool/model_view.h"
#include "relay_tool/program/options.h"
#include "relay_tool/program/scripted_replies.h"
#include "relay_tool/traffic.h"
#include "relay_tool/win32_ide_window.h"
#include "shared/guarded.h"
#include "shared/relay_commands.h"
#include "shared/state_file.h"
#include "shared/traffic_log.h"
#include "shared/win32_relay_protocol.h"

namespace {

using namespace tavrosk::host;

constexpr int kReplyHeight = 22;
// Older rows leave the list (the log keeps them): beyond this many, or when the replies that
// the rows keep for the copy pass this many bytes, which a 32-bit program could not hold for
// thousands of rows of the largest page.
constexpr std::size_t kRowsKept = 5000;
constexpr std::size_t kReplyBytesKept = std::size_t{64} << 20;
constexpr std::size_t kShownLength = 300;  // of each column in the list
// The list learns of new rows at most this often: telling it costs a scroll and a redraw, which
// would otherwise come between every line and the sender's read of its reply.
constexpr UINT kRowsShownEveryMs = 50;
constexpr UINT_PTR kShowRowsTimer = 1;
// With --answer-boxes, the library's boxes are looked for this often.
constexpr UINT kBoxesLookedForEveryMs = 50;
constexpr UINT_PTR kAnswerBoxesTimer = 2;
// The class of this program's relay window: --close and --wait-ready look for it, so that
// another program's window of the same title (the IDE's own VB DEBUGGER) is left alone.
constexpr wchar_t kRelayWindowClass[] = L"TavroskReferenceRelayTool";
constexpr wchar_t kBoxCaption[] = L"Tavrosk";
constexpr int kScriptWaitMs = 30000;

enum MenuCommand : UINT_PTR {
  kLoadState = 101,
  kSaveState,
  kClearTraffic,
  kCopyTraffic,
  kExit,
};

struct HostProgram {
  HostOptions options;
  ScriptedReplies replies;
  HWND relay = nullptr;
  HWND reply = nullptr;
  HWND traffic = nullptr;
  HWND ide_view = nullptr;
  std::unique_ptr<Win32IdeWindow> ide;
  std::deque<std::string> queued;        // replies a test queued for the next lines
  std::optional<std::string> ide_reply;  // filled while the IDE carries a line out
  std::deque<TrafficRow> rows;
  bool rows_count_due = false;  // the list has not been told the rows' count since the last row
  std::size_t reply_bytes = 0;  // of the rows' replies
  std::string saved_state;
  std::string ide_view_text;
  // The reply window's text as this program last set it; not known after another program set it.
  SharedReply shown_reply = std::make_shared<const std::string>();
  bool shown_reply_known = true;
  bool setting_reply = false;
  WNDPROC reply_proc = nullptr;
  HWND answered_box = nullptr;  // OK pressed, not gone yet: logged once
};

HostProgram g_host;

// The entry is made only when there is a log: escaping a long reply costs as much as reading it.
template <class Entry>
void log_entry(Entry&& entry) {
  if (!g_host.options.log.empty()) append_log_entry(g_host.options.log, entry());
}

// To standard error, the log, and a box unless hidden.
void report(const std::string& message) {
  log_entry([&] { return log_time() + " error " + escape_log_text(message); });
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
  if (!g_host.options.hidden) {
    MessageBoxA(g_host.relay, message.c_str(), "Korvex reference host", MB_OK | MB_ICONERROR);
  }
}

void save_state_if_changed() {
  if (g_host.options.save_state.empty()) return;
  IdeState state = ide_model().locked([](IdeState& ide) { return ide; });
  std::string text = format_state(state);
  if (text == g_host.saved_state) return;
  if (FileStatus saved = save_state_file(g_host.options.save_state, state); saved.ok()) {
    g_host.saved_state = std::move(text);
  } else {
    std::fprintf(stderr, "%s\n", saved.error.c_str());
  }
}

// Most lines change nothing that the view shows, and setting its text again would repaint it
// while the plug-in waits to read its reply.
void model_changed() {
  if (g_host.ide_view != nullptr) {
    std::string text = ide_model().locked([](IdeState& ide) { return describe_model(ide); });
    if (text != g_host.ide_view_text) {
      SetWindowTextA(g_host.ide_view, text.c_str());
      g_host.ide_view_text = std::move(text);
    }
  }
  save_state_if_changed();
}

// Setting a long reply costs the system a copy and a conversion of all of it, so the text is
// set only when it differs from what the window shows. The text shown is returned for the
// traffic row to share, so that a reply given again is not kept twice.
SharedReply show_reply(SharedReply reply) {
  const SharedReply& shown = g_host.shown_reply;
  if (g_host.shown_reply_known && *reply == *shown) return shown;
  g_host.setting_reply = true;
  SetWindowTextA(g_host.reply, reply->c_str());
  g_host.setting_reply = false;
  g_host.shown_reply = std::move(reply);
  g_host.shown_reply_known = true;
  return g_host.shown_reply;
}

// Notices a text that another program gives the reply window, which show_reply must then set.
LRESULT on_reply_window_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SETTEXT && !g_host.setting_reply) g_host.shown_reply_known = false;
  return CallWindowProcW(g_host.reply_proc, window, message, wparam, lparam);
}

LRESULT CALLBACK reply_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return guarded([&] { return on_reply_window_message(window, message, wparam, lparam); },
                 LRESULT{0});
}

// The list holds no text of its own (an owner-data list): it asks for the cells it shows, so a
// row costs no more to add or drop than the count the list is told.
void show_row_count() {
  if (g_host.traffic == nullptr) return;
  SendMessageW(g_host.traffic, LVM_SETITEMCOUNT, static_cast<WPARAM>(g_host.rows.size()),
               LVSICF_NOSCROLL);
  if (!g_host.rows.empty()) {
    SendMessageW(g_host.traffic, LVM_ENSUREVISIBLE, static_cast<WPARAM>(g_host.rows.size() - 1),
                 FALSE);
  }
}

void show_rows_soon() {
  if (g_host.rows_count_due) return;
  g_host.rows_count_due = SetTimer(g_host.relay, kShowRowsTimer, kRowsShownEveryMs, nullptr) != 0;
  if (!g_host.rows_count_due) show_row_count();
}

void on_show_rows_timer() {
  KillTimer(g_host.relay, kShowRowsTimer);
  g_host.rows_count_due = false;
  show_row_count();
}

// The text of a system message box: its static control with a text.
std::string box_text(HWND box) {
  char text[4096] = {};
  if (GetDlgItemTextA(box, 0xFFFF, text, sizeof text) > 0) return text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char class_name[32] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    if (lstrcmpiA(class_name, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0) {
      return text;
    }
  }
  return {};
}

// A box of the library in any process would stop an unattended plug-in run until someone
// pressed OK: its text goes to the log, and OK is pressed for it.
void answer_boxes() {
  if (g_host.answered_box != nullptr && IsWindow(g_host.answered_box)) return;
  g_host.answered_box = FindWindowW(L"#32770", kBoxCaption);
  if (g_host.answered_box == nullptr) return;
  std::string text = box_text(g_host.answered_box);
  log_entry([&] { return log_time() + " box " + escape_log_text(text); });
  PostMessageW(g_host.answered_box, WM_COMMAND, IDOK, 0);
}

void add_row(TrafficRow row) {
  g_host.reply_bytes += reply_column_size(row);
  g_host.rows.push_back(std::move(row));
  if (g_host.traffic == nullptr) return;
  while (g_host.rows.size() > 1 &&
         (g_host.rows.size() > kRowsKept || g_host.reply_bytes > kReplyBytesKept)) {
    g_host.reply_bytes -= reply_column_size(g_host.rows.front());
    g_host.rows.pop_front();
  }
  show_rows_soon();
}

// A cell as the list shows it: a long column's beginning (the log and the copy keep all of it),
// the reply escaped.
std::string cell_text(const TrafficRow& row, int column) {
  switch (column) {
    case 0:
      return row.time.substr(0, kShownLength);
    case 1:
      return row.command.substr(0, kShownLength);
    case 2:
      return row.session.substr(0, kShownLength);
    case 3:
      return row.fields.substr(0, kShownLength);
    default:
      return escape_log_text(reply_column(row, kShownLength)).substr(0, kShownLength);
  }
}

void fill_cell(LVITEMW& item) {
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  item.pszText[0] = L'\0';
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= g_host.rows.size()) return;
  std::string text = cell_text(g_host.rows[static_cast<std::size_t>(item.iItem)], item.iSubItem);
  int count = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                  item.pszText, item.cchTextMax - 1);
  item.pszText[std::max(count, 0)] = L'\0';
}

std::string payload(const COPYDATASTRUCT& data) {
  if (data.lpData == nullptr || data.cbData == 0) return {};
  return std::string(static_cast<const char*>(data.lpData), data.cbData);
}

// Hands the line to the IDE window. Nothing when there is none or it did not take the line.
std::optional<std::optional<std::string>> carry_out_in_ide(const std::string& line) {
  HWND ide = FindWindowW(win32_relay::kIdeWindowClass, win32_relay::kIdeWindowTitle);
  if (ide == nullptr) return std::nullopt;
  COPYDATASTRUCT data{win32_relay::kIdeCommandTag, static_cast<DWORD>(line.size()),
                      const_cast<char*>(line.data())};
  g_host.ide_reply.reset();
  DWORD_PTR taken = 0;
  if (!SendMessageTimeoutA(ide, WM_COPYDATA, reinterpret_cast<WPARAM>(g_host.relay),
                           reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                           win32_relay::kSendTimeoutMs, &taken) ||
      taken != 1) {
    return std::nullopt;
  }
  return std::exchange(g_host.ide_reply, std::nullopt);
}

void on_line(const ReceivedLine& line) {
  log_entry([&] { return line_entry(line); });
  std::string text = line.bytes.substr(0, line.bytes.find('\0'));
  std::optional<std::string> reply;
  bool same_as_shown = false;
  bool scripted = true;
  if (!g_host.queued.empty()) {
    reply = std::move(g_host.queued.front());
    g_host.queued.pop_front();
  } else if (auto it = g_host.replies.find(split_line(text).front()); it != g_host.replies.end()) {
    reply = it->second;
  } else {
    scripted = false;
    if (auto from_ide = carry_out_in_ide(text)) {
      reply = *from_ide;
    } else {
      static const RelayCommands commands;
      LineAnswer answer = commands.answer_line(
          text, g_host.shown_reply_known ? std::optional<std::string_view>(*g_host.shown_reply)
                                         : std::nullopt);
      same_as_shown = answer.same_as_shown;
      reply = std::move(answer.reply);
    }
  }
  // A command without a reply leaves the reply window as it was.
  SharedReply shared;
  if (same_as_shown) {
    shared = g_host.shown_reply;
  } else if (reply) {
    shared = show_reply(std::make_shared<const std::string>(std::move(*reply)));
  }
  log_entry([&] {
    return reply_entry(shared ? std::optional<std::string>(*shared) : std::nullopt, scripted);
  });
  add_row(relay_row(text, std::move(shared), scripted));
  model_changed();
}

LRESULT on_copy_data(const COPYDATASTRUCT& data) {
  std::string bytes = payload(data);
  switch (data.dwData) {
    case win32_relay::kScriptReplyTag:
      g_host.queued.push_back(bytes);
      return 1;
    case win32_relay::kResetTag:
      g_host.queued.clear();
      show_reply(std::make_shared<const std::string>());
      return 1;
    case win32_relay::kIdeReplyTag:
      g_host.ide_reply = bytes;
      return 1;
    default:
      on_line(ReceivedLine{data.dwData, data.cbData, bytes, {}});
      return 1;
  }
}

std::string ask_file_name(bool saving) {
  char name[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = g_host.relay;
  dialog.lpstrFilter = "State files (*.json)\0*.json\0All files\0*.*\0";
  dialog.lpstrFile = name;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = "json";
  dialog.Flags = saving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
  bool chosen = saving ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  return chosen ? std::string(name) : std::string();
}

void copy_traffic() {
  std::string text = traffic_text(g_host.rows);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (memory == nullptr) return;
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  if (OpenClipboard(g_host.relay)) {
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, memory) == nullptr) GlobalFree(memory);
    CloseClipboard();
  } else {
    GlobalFree(memory);
  }
}

void on_menu(UINT_PTR command) {
  switch (command) {
    case kLoadState:
      if (std::string file = ask_file_name(false); !file.empty()) {
        if (FileOutcome<IdeState> loaded = load_state_file(file); loaded.ok()) {
          ide_model().locked([&](IdeState& ide) { ide = std::move(*loaded.value); });
          model_changed();
        } else {
          report(loaded.error);
        }
      }
      break;
    case kSaveState:
      if (std::string file = ask_file_name(true); !file.empty()) {
        FileStatus saved =
            save_state_file(file, ide_model().locked([](IdeState& ide) { return ide; }));
        if (!saved.ok()) report(saved.error);
      }
      break;
    case kClearTraffic:
      g_host.rows.clear();
      g_host.reply_bytes = 0;
      show_row_count();
      break;
    case kCopyTraffic:
      copy_traffic();
      break;
    case kExit:
      DestroyWindow(g_host.relay);
      break;
    default:
      break;
  }
}

LRESULT on_relay_window_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COPYDATA:
      if (lparam == 0) return 0;
      return on_copy_data(*reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    case WM_COMMAND:
      on_menu(LOWORD(wparam));
      return 0;
    case WM_TIMER:
      if (wparam == kShowRowsTimer) on_show_rows_timer();
      if (wparam == kAnswerBoxesTimer) answer_boxes();
      return 0;
    case WM_NOTIFY: {
      auto* notice = reinterpret_cast<NMLVDISPINFOW*>(lparam);
      if (notice != nullptr && notice->hdr.hwndFrom == g_host.traffic &&
          notice->hdr.code == LVN_GETDISPINFOW) {
        fill_cell(notice->item);
        return 0;
      }
      return DefWindowProcW(window, message, wparam, lparam);
    }
    case WM_SIZE:
      MoveWindow(g_host.reply, 0, 0, LOWORD(lparam), kReplyHeight, TRUE);
      MoveWindow(g_host.traffic, 0, kReplyHeight + 2, LOWORD(lparam),
                 std::max(0, HIWORD(lparam) - kReplyHeight - 2), TRUE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT CALLBACK relay_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return guarded([&] { return on_relay_window_message(window, message, wparam, lparam); },
                 LRESULT{0});
}

HMENU host_menu() {
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kLoadState, L"&Load state...");
  AppendMenuW(file, MF_STRING, kSaveState, L"&Save state...");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, kExit, L"E&xit");
  HMENU traffic = CreatePopupMenu();
  AppendMenuW(traffic, MF_STRING, kClearTraffic, L"&Clear traffic");
  AppendMenuW(traffic, MF_STRING, kCopyTraffic, L"C&opy traffic as text");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(traffic), L"&Traffic");
  return bar;
}

bool create_relay_window(HINSTANCE instance) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = relay_window_proc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kRelayWindowClass;
  if (!RegisterClassW(&window_class)) return false;
  // Untitled until the program is ready (main titles it).
  g_host.relay = CreateWindowExW(0, window_class.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 600, 0,
                                 660, 480, nullptr, host_menu(), instance, nullptr);
  if (g_host.relay == nullptr) return false;
  // The reply child, created before any other so that it is the first child.
  g_host.reply =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP,
                      0, 0, 660, kReplyHeight, g_host.relay, nullptr, instance, nullptr);
  g_host.traffic = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_OWNERDATA, 0,
      kReplyHeight, 660, 400, g_host.relay, nullptr, instance, nullptr);
  if (g_host.reply == nullptr || g_host.traffic == nullptr) return false;
  g_host.reply_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(g_host.reply, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(reply_window_proc)));
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(g_host.reply, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(g_host.traffic, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const std::pair<const wchar_t*, int> columns[] = {
      {L"Time", 90}, {L"Command", 150}, {L"Session", 60}, {L"Fields", 200}, {L"Reply", 140}};
  for (int i = 0; i < 5; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(columns[i].first);
    column.cx = columns[i].second;
    column.iSubItem = i;
    SendMessageW(g_host.traffic, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
  return true;
}

void create_ide_window(HINSTANCE instance) {
  IdeWindowEvents events;
  events.line = [](const std::string&, const std::optional<std::string>&) { model_changed(); };
  events.export_call = [](const ExportCall& call, const ExportAnswer& answer) {
    std::string description = describe_export_call(call);
    log_entry([&] { return call_entry(description, answer.result); });
    add_row(export_row(description, answer.result));
    model_changed();
  };
  g_host.ide = std::make_unique<Win32IdeWindow>(std::move(events));
  HWND ide = reinterpret_cast<HWND>(g_host.ide->window());
  g_host.ide_view = CreateWindowExW(
      0, L"EDIT", L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL,
      0, 0, 580, 440, ide, nullptr, instance, nullptr);
  SendMessageW(g_host.ide_view, WM_SETFONT,
               reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
  SetWindowPos(ide, nullptr, 0, 0, 590, 480, SWP_NOZORDER);
}

HWND running_host() {
  return FindWindowW(kRelayWindowClass, win32_relay::kRelayWindowTitle);
}

// Asks the running host program to close and waits, boundedly, until its window has gone.
int close_running_host() {
  for (int waited = 0; waited < kScriptWaitMs; waited += 20) {
    HWND relay = running_host();
    if (relay == nullptr) return 0;
    PostMessageW(relay, WM_CLOSE, 0, 0);
    Sleep(20);
  }
  return 1;
}

// The relay window is titled last, once the IDE window exists: a host program found is ready.
int wait_until_host_ready() {
  for (int waited = 0; waited < kScriptWaitMs; waited += 20) {
    if (running_host() != nullptr) return 0;
    Sleep(20);
  }
  return 1;
}

// A window program has no console; --help and the messages go to the one it was started from.
void attach_console() {
  if (GetStdHandle(STD_OUTPUT_HANDLE) == nullptr && AttachConsole(ATTACH_PARENT_PROCESS)) {
    (void)std::freopen("CONOUT$", "w", stdout);
    (void)std::freopen("CONOUT$", "w", stderr);
  }
}

}  // namespace

int main(int argc, char** argv) {
  attach_console();
  ParsedOptions parsed = parse_host_options(std::vector<std::string>(argv + 1, argv + argc));
  g_host.options = parsed.options;
  if (!parsed.error.empty()) {
    report("korvex_relay_tool: " + parsed.error + "\n\n" + kHostUsage);
    return 2;
  }
  if (g_host.options.help) {
    std::fputs(kHostUsage, stdout);
    return 0;
  }
  if (g_host.options.close) return close_running_host();
  if (g_host.options.wait_ready) return wait_until_host_ready();
  if (!g_host.options.state.empty()) {
    FileOutcome<IdeState> seeded = load_state_file(g_host.options.state);
    if (!seeded.ok()) {
      report(seeded.error);
      return 2;
    }
    ide_model().locked([&](IdeState& ide) { ide = std::move(*seeded.value); });
  }
  if (!g_host.options.replies.empty()) {
    FileOutcome<ScriptedReplies> replies = load_scripted_replies(g_host.options.replies);
    if (!replies.ok()) {
      report(replies.error);
      return 2;
    }
    g_host.replies = std::move(*replies.value);
  }

  HINSTANCE instance = GetModuleHandleW(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  if (!create_relay_window(instance)) return 3;
  if (g_host.options.ide_window) create_ide_window(instance);
  model_changed();
  // Titled last: a sender finds the window by its title and reads the reply child at once, and
  // a plug-in started once it is found finds the IDE window too.
  if (!SetWindowTextW(g_host.relay, win32_relay::kRelayWindowTitle)) return 3;
  if (g_host.options.answer_boxes) {
    SetTimer(g_host.relay, kAnswerBoxesTimer, kBoxesLookedForEveryMs, nullptr);
    answer_boxes();
  }
  if (!g_host.options.hidden) {
    if (g_host.ide) ShowWindow(reinterpret_cast<HWND>(g_host.ide->window()), SW_SHOWNOACTIVATE);
    ShowWindow(g_host.relay, SW_SHOWNORMAL);
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  g_host.ide.reset();
  return 0;
}
