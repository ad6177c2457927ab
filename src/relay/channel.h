#pragma once
// The relay channel: one line to the relay tool's window by WM_COPYDATA, the reply read back
// as the window text of its first child. Windows are looked up afresh for every exchange.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/platform_text.h"
#include "base/value_types.h"
#include "platform/window_services.h"

namespace tavrosk {

constexpr std::u16string_view kRelayWindowTitle = u"Debug VB Application";
constexpr Long kDefaultReplyCapacity = 500;
constexpr std::size_t kSendBufferSize = 255;
constexpr std::uintptr_t kCopyDataTag = 3;

// Sends the line with its spaces trimmed; nothing when it is blank or no relay tool runs.
// A line of more than 254 bytes goes whole, from a buffer of its own size.
void SendDebugLine(std::u16string_view line);
// The reply window's text, at most capacity - 1 characters (capacity 0 selects 500). Shows
// "VB DEBUGGER not running" and returns "" when the relay window is missing. As a PlatformText
// the reply's bytes are converted straight into the storage that the text leaves the library in.
template <class T = Text>
T ReadDebugReply(Long capacity);
extern template Text ReadDebugReply<Text>(Long capacity);
extern template PlatformText ReadDebugReply<PlatformText>(Long capacity);
// The first child of the top-level window with this title; 0 and the message when the window
// is missing, 0 and no message when it has no child.
platform::WindowHandle FindDebugReplyWindow(std::u16string_view title);
// The relay window, or 0; never shows anything.
platform::WindowHandle FindDebuggerWindow();

}  // namespace tavrosk
