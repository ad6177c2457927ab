#pragma once
// The fixtures of tests that build for both platforms: SimTest's clean state and BothRoadsTest
// on the simulated desktop natively; WindowsTest and BothRoadsTest over real windows, the relay
// program and Zavoplex.dll on Windows. Both give BothRoadsTest the same members.
#if defined(_WIN32)
#include "support/win32/win32_fixture.h"
#else
#include "support/sim_fixture.h"
#endif
