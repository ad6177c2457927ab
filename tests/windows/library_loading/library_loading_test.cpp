// Direct calls from a program that is not linked to Zavoplex.dll and has none beside it: the
// library is missing (53), then, found in another folder, it lacks an export (453).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "bridge/vb_plugin_lib.h"

namespace tavrosk {
namespace {

std::string program_folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The IDE's window, so that creating the library shows no box.
struct IdeWindow {
  HWND window = CreateWindowExW(0, L"STATIC", L"Korvex IDE", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, nullptr, nullptr);
  ~IdeWindow() { DestroyWindow(window); }
};

TEST(PluginManagerLibraryLoading, MissingLibraryFailsWith53ThenAMissingExportWith453) {
  ASSERT_EQ(GetFileAttributesA((program_folder() + "Zavoplex.dll").c_str()),
            INVALID_FILE_ATTRIBUTES);
  IdeWindow ide_window;
  ASSERT_NE(ide_window.window, nullptr);
  VB_PluginLib ide;

  auto missing = ide.IsConnected();
  EXPECT_EQ(missing.status.error_number(), 53);
  EXPECT_EQ(missing.value, kFalse);
  EXPECT_EQ(ide.Connect(1).status.error_number(), 53);  // tried again, still missing

  // A Zavoplex.dll that lacks IsConnected, now on the loader's search path.
  ASSERT_TRUE(SetDllDirectoryA((program_folder() + "lacking_export").c_str()));
  auto connected = ide.Connect(1);
  EXPECT_TRUE(connected.ok());
  EXPECT_EQ(connected.value, kTrue);
  EXPECT_NE(GetModuleHandleA("Zavoplex.dll"), nullptr);
  auto lacking = ide.IsConnected();
  EXPECT_EQ(lacking.status.error_number(), 453);
  EXPECT_EQ(lacking.status.code, 0x800A01C5u);
  EXPECT_EQ(lacking.value, kFalse);
  EXPECT_EQ(ide.Disconnect().value, kTrue);  // the other exports still serve
}

}  // namespace
}  // namespace tavrosk
