#pragma once
// The fixtures of tests that build for both platforms, with the same names on both: natively
// on the simulated desktop, on Windows over real windows, the relay program as a separate
// process and the real Zavoplex.dll.
//   PlatformTest     a clean session record, stores and reference host; box_texts()
//   ConnectedIdeTest the IDE window and a VB_PluginLib on the direct road, the host connected
//   BothRoadsTest    the IDE window, the relay tool and a VB_PluginLib on the road of the
//                    test's parameter
//   TempFolderTest   PlatformTest with a fresh folder for files (support/temp_folder.h)
//   IdeWindow, RelayTool, TestWindow (support/test_window.h)
#if defined(_WIN32)
#include "support/win32/win32_fixture.h"
#else
#include "support/sim/sim_fixture.h"
#endif
#include "support/test_window.h"
