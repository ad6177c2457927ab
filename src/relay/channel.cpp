#include "relay/channel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/filled_buffer_text.h"
#include "base/run_time_error.h"
#include "base/user_messages.h"
#include "platform/byte_runs.h"
#include "platform/code_page.h"
#include "platform/thread_state.h"
#include "relay/command_line.h"

namespace tavrosk {
namespace {

std::intptr_t send_with_bytes(platform::WindowHandle window, std::uint32_t message,
                              std::int32_t wparam, char* bytes) {
  return platform::send_message(window, message, static_cast<std::uintptr_t>(wparam),
                                reinterpret_cast<std::intptr_t>(bytes));
}

// The buffer of spaces that a read lends to the reply window. The thread keeps one, and every
// byte that a window may have written is a space again before the next read, so a read sees
// what a fresh buffer of spaces would show and never another read's bytes. A read nested in
// another (a window that reads a reply while answering) gets a fresh buffer of its own. The
// kept buffer is per-thread state like the session record, released when the thread ends (a
// thread_local of the DLL would keep a Windows thread from finishing its end).
struct KeptSpaces {
  std::string bytes;
  bool lent = false;
};

class LentSpaces {
 public:
  explicit LentSpaces(std::size_t size) : size_(size), written_(size) {
    auto& kept = platform::thread_state<KeptSpaces, platform::ThreadStateSlot::kReplyBuffer>();
    if (kept.lent) {
      own_.assign(size, ' ');
      bytes_ = own_.data();
      return;
    }
    if (kept.bytes.size() < size) kept.bytes.resize(size, ' ');
    bytes_ = kept.bytes.data();
    lent_ = &kept.lent;
    kept.lent = true;
  }
  ~LentSpaces() {
    if (lent_ == nullptr) return;
    std::memset(bytes_, ' ', written_);
    *lent_ = false;
  }
  LentSpaces(const LentSpaces&) = delete;
  LentSpaces& operator=(const LentSpaces&) = delete;

  char* data() { return bytes_; }
  // Only the first `count` bytes can differ from spaces; the rest need no restoring.
  void written_within(std::size_t count) { written_ = count < size_ ? count : size_; }

 private:
  std::size_t size_;
  std::size_t written_;
  char* bytes_ = nullptr;
  bool* lent_ = nullptr;
  std::string own_;
};

}  // namespace

void SendDebugLine(std::u16string_view line) {
  std::u16string_view trimmed = trim_spaces(line);
  if (trimmed.empty()) return;
  platform::WindowHandle relay = platform::find_top_level_window(kRelayWindowTitle);
  if (relay == 0) return;
  // Counted in bytes, so a multi-byte code page never cuts a character.
  std::string bytes = platform::to_ansi(trimmed);
  std::string buffer(std::max(kSendBufferSize, bytes.size() + 1), '\0');
  std::memcpy(buffer.data(), bytes.data(), bytes.size());
  platform::CopyDataRecord record{kCopyDataTag, static_cast<std::uint32_t>(bytes.size() + 1),
                                  buffer.data()};
  platform::send_message(relay, platform::kWmCopyData, 0, reinterpret_cast<std::intptr_t>(&record));
}

template <class T>
T ReadDebugReply(Long capacity) {
  if (capacity == 0) capacity = kDefaultReplyCapacity;
  if (capacity < 0) raise(error::kInvalidCall);
  platform::WindowHandle reply_window = FindDebugReplyWindow(kRelayWindowTitle);
  if (reply_window == 0) return {};
  auto size = static_cast<std::size_t>(capacity);
  LentSpaces buffer(size);
  std::intptr_t copied =
      send_with_bytes(reply_window, platform::kWmGetText, capacity, buffer.data());
  // A window of another process that returns its count with its NUL at that place wrote
  // nothing past it (the system copies back no more), so the read costs what the reply holds.
  // A window of this process wrote into the buffer itself and may have written anywhere in it;
  // that, and any other answer, is searched and restored whole.
  // Asking whose window it is may take a call to the system (under Wine, as long as restoring
  // half a megabyte), so it is asked only when it would spare restoring a large part.
  constexpr std::size_t kRestoreWorthAsking = std::size_t{64} << 10;
  const char* bytes = buffer.data();
  bool counted = copied >= 0 && copied < capacity && bytes[copied] == '\0' &&
                 size - static_cast<std::size_t>(copied) > kRestoreWorthAsking &&
                 !platform::window_in_this_process(reply_window);
  std::size_t written = counted ? static_cast<std::size_t>(copied) + 1 : size;
  buffer.written_within(written);
  // Only the characters before the first NUL are the reply, so only they are converted. A reply
  // window that filled the buffer to its limit may have stopped inside a character.
  std::size_t nul = platform::first_nul(std::string_view(bytes, written));
  if (nul == written) return {};
  std::string_view reply(bytes, nul);
  if (reply.size() + 1 == size) return from_filled_buffer<T>(reply);
  return text_before_nul<T>(std::string_view(bytes, written), nul);
}

template Text ReadDebugReply<Text>(Long capacity);
template PlatformText ReadDebugReply<PlatformText>(Long capacity);

platform::WindowHandle FindDebugReplyWindow(std::u16string_view title) {
  platform::WindowHandle relay = platform::find_top_level_window(title);
  if (relay == 0) {
    show_error_message(kDebuggerNotRunning);
    return 0;
  }
  return platform::first_child_window(relay);
}

platform::WindowHandle FindDebuggerWindow() {
  return platform::find_top_level_window(kRelayWindowTitle);
}

}  // namespace tavrosk
