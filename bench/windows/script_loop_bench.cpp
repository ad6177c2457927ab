// VBScript loops through the script host, calling IsConnected on a VB_PluginLib and OSC on a
// PageInfoLib (which calls no export), against the same loop calling Exists on the platform's
// own Scripting.Dictionary: the script times the loops in turns, and each row takes the medians.
#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "windows_bench.h"

namespace tavrosk::bench {
namespace {

constexpr int kRepetitions = 15;
constexpr int kLeastMillisecondsPerLoop = 250;
constexpr DWORD kScriptTimeoutMs = 300000;

// Runs cscript on the script, pumping this thread's messages meanwhile (the IDE window that
// the script's VB_PluginLib looks for lives here); its output.
std::string run_script(const std::wstring& arguments) {
  std::wstring folder = L"Z:" TAVROSK_BENCH_SCRIPT_FOLDER;
  std::replace(folder.begin(), folder.end(), L'/', L'\\');
  std::wstring command = L"cscript //nologo \"" + folder + L"\\script_loop.vbs\" " + arguments;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) throw std::runtime_error("no pipe");
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION process{};
  // From the folder of Tavrosk.dll, so that the script's process finds Zavoplex.dll.
  BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                program_folder().c_str(), &startup, &process);
  CloseHandle(write_end);
  if (!started) {
    CloseHandle(read_end);
    throw std::runtime_error("cannot start cscript");
  }
  std::string output;
  std::thread reader([&] {
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(read_end, chunk, sizeof chunk, &got, nullptr) && got > 0)
      output.append(chunk, got);
  });
  // Every message that the script sends here wakes the wait, so the time is read from the clock.
  ULONGLONG deadline = GetTickCount64() + kScriptTimeoutMs;
  bool ended = false;
  while (!ended && GetTickCount64() < deadline) {
    DWORD woke = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT);
    ended = woke == WAIT_OBJECT_0;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  if (!ended) TerminateProcess(process.hProcess, 1);
  reader.join();
  DWORD exit_code = 1;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(read_end);
  if (!ended || exit_code != 0) throw std::runtime_error("the script loop failed: " + output);
  return output;
}

double median(std::vector<double> values) {
  if (values.empty()) throw std::runtime_error("the script loop printed no times");
  auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

}  // namespace

std::vector<MeasuredRow> measure_script_loops() {
  std::string output =
      run_script(std::to_wstring(kRepetitions) + L" " + std::to_wstring(kLeastMillisecondsPerLoop));
  std::map<std::string, std::vector<double>> seconds_per_call;
  std::istringstream lines(output);
  std::string name;
  std::string seconds;
  double calls = 0;
  while (lines >> name >> seconds >> calls) {
    std::replace(seconds.begin(), seconds.end(), ',', '.');  // a locale's decimal comma
    seconds_per_call[name].push_back(std::stod(seconds) / calls);
  }
  double floor = median(seconds_per_call["Exists"]);
  return {{kScriptLoopRow, median(seconds_per_call["IsConnected"]), floor, kScriptLoopTarget},
          {kScriptDispatchRow, median(seconds_per_call["OSC"]), floor, 0}};
}

}  // namespace tavrosk::bench
