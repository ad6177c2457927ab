#pragma once
// How the Windows host program, the reference IDE window, the reference Zavoplex.dll and the
// tests talk besides the library's own lines. All of it travels as WM_COPYDATA with a tag of its
// own in dwData; the library's lines carry tag 3 and none of these.
#include <cstdint>

namespace tavrosk::host::win32_relay {

inline constexpr wchar_t kRelayWindowTitle[] = L"Debug VB Application";
inline constexpr wchar_t kIdeWindowTitle[] = L"Korvex IDE";
// The reference IDE window's class: only a window of it takes the tags below, and looking for it
// by class asks the system for no other window's title.
inline constexpr wchar_t kIdeWindowClass[] = L"TavroskReferenceIde";

// Test to relay program: queue the bytes as the reply to the next line.
inline constexpr std::uintptr_t kScriptReplyTag = 0x54560001;
// Test to relay program: drop queued replies and empty the reply window.
inline constexpr std::uintptr_t kResetTag = 0x54560002;
// Relay program to IDE window: carry out this line inside the IDE (wParam: the relay window).
// The IDE window returns 1 when it took the line.
inline constexpr std::uintptr_t kIdeCommandTag = 0x54560003;
// IDE window to relay program, while the relay waits for kIdeCommandTag: the reply to give.
inline constexpr std::uintptr_t kIdeReplyTag = 0x54560004;
// Zavoplex.dll to IDE window: run this export call (an encoded ExportCall; wParam: the window
// for the answer). The IDE window returns 1 when it took the call.
inline constexpr std::uintptr_t kExportCallTag = 0x54560005;
// IDE window to Zavoplex.dll, while it waits for kExportCallTag: the encoded ExportAnswer.
inline constexpr std::uintptr_t kExportAnswerTag = 0x54560006;

// Every wait on another process is bounded by this.
inline constexpr unsigned kSendTimeoutMs = 10000;

}  // namespace tavrosk::host::win32_relay
