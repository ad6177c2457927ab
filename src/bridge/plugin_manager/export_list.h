#pragma once
// Every export of the plug-in manager library: name and signature, first argument to last.
// Each argument takes one 32-bit slot on 32-bit Windows. Text goes as a writable NUL-terminated
// ANSI copy; a buffer (the argument named `buffer`, see export_signature.h) is writable,
// `length` bytes, all NUL. Booleans travel as -1 or 0 (the 16-bit value sign-extended), bytes
// in the low 8 bits. Every export returns a 32-bit integer.
#include <cstdint>

// X(name, signature...)
#define TAVROSK_PLUGIN_MANAGER_EXPORTS(X)                                                      \
  X(Connect, std::int32_t(std::int32_t window_handle))                                         \
  X(Disconnect, std::int32_t())                                                                \
  X(IsConnected, std::int32_t())                                                               \
  X(GetPathIDE, std::int32_t(char* buffer, std::int32_t length))                               \
  X(SetForegroundWindow, std::int32_t())                                                       \
  X(IDELock, std::int32_t())                                                                   \
  X(IDEUnlock, std::int32_t())                                                                 \
  X(GetPathPlugin, std::int32_t(char* buffer, std::int32_t length))                            \
  X(GetPathCompiler, std::int32_t(char* buffer, std::int32_t length))                          \
  X(ExecuteCompile, std::int32_t())                                                            \
  X(ExecuteCompileAsync, std::int32_t())                                                       \
  X(GetProgrammer, std::int32_t(char* buffer, std::int16_t length))                            \
  X(GetProgrammerByIndex, std::int32_t(std::int32_t index, char* buffer, std::int32_t length)) \
  X(GetProgrammerCount, std::int32_t())                                                        \
  X(IsProgrammerAvailable, std::int32_t())                                                     \
  X(SetProgrammer, std::int32_t(char* name))                                                   \
  X(ExecuteProgram, std::int32_t())                                                            \
  X(GetPage, std::int32_t(char* buffer, std::int32_t length))                                  \
  X(GetPageByIndex, std::int32_t(std::int32_t index, char* buffer, std::int32_t length))       \
  X(GetPageIncludeByIndex,                                                                     \
    std::int32_t(char* page_file_name, std::int32_t index, char* buffer, std::int32_t length)) \
  X(GetPageText, std::int32_t(char* buffer, std::int32_t length))                              \
  X(GetPageTextRTF, std::int32_t(char* buffer, std::int32_t length))                           \
  X(GetPageSelectedText, std::int32_t(char* buffer, std::int32_t length))                      \
  X(SetPage, std::int32_t(char* page_file_name))                                               \
  X(GetPageCount, std::int32_t())                                                              \
  X(GetPageIncludeCount, std::int32_t(char* page_file_name))                                   \
  X(SetPageNew, std::int32_t(char* file_name))                                                 \
  X(SetPageClear, std::int32_t())                                                              \
  X(SetPageInsertHeader, std::int32_t())                                                       \
  X(SetPageUpdateText, std::int32_t(char* text, std::int32_t save_update))                     \
  X(SetPageText, std::int32_t(char* text))                                                     \
  X(SetPageTextAt, std::int32_t(std::int32_t column, std::int32_t line, char* text))           \
  X(SetPageSelectTextAt, std::int32_t(std::int32_t start, std::int32_t length))                \
  X(SetPageCursorPos, std::int32_t(std::int32_t column, std::int32_t line))                    \
  X(GetPageCursorPos, std::int32_t(std::int32_t* column, std::int32_t* line))                  \
  X(SetPageTopLine, std::int32_t(std::int32_t line_number))                                    \
  X(GetPageDisplayLines, std::int32_t(std::int32_t* top_line, std::int32_t* lines_in_window))  \
  X(SetPageSave, std::int32_t(char* file_name))                                                \
  X(SetPageLoad, std::int32_t(char* file_name))                                                \
  X(SetPageVersion, std::int32_t(char* page_file_name, std::int32_t major, std::int32_t minor, \
                                 std::int32_t release, std::int32_t build))                    \
  X(SetPageClose, std::int32_t(char* file_name))                                               \
  X(SetPageCloseAll, std::int32_t(char* new_page_name))                                        \
  X(SetPageVersionEnabled, std::int32_t(char* page_file_name, std::int32_t enabled))           \
  X(SetPageLineColor,                                                                          \
    std::int32_t(std::int32_t line_number, std::int32_t background, std::int32_t foreground))  \
  X(SetPageLineColorDelete, std::int32_t(std::int32_t line_number))                            \
  X(SetPageLineColorClear, std::int32_t())                                                     \
  X(GetPageInfo, std::int32_t(char* page_file_name, std::uint8_t* page_info_record))           \
  X(GetProgrammerInfo, std::int32_t(char* programmer_name, std::uint8_t* programmer_info_record))
