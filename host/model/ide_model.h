#pragma once
// The reference host's in-memory IDE. One model per process, behind both the plug-in manager
// library's exports and the relay tool's commands. Text is kept as ANSI bytes, as the IDE
// receives it. The state is plain data: each family of exports and commands works on it under
// the model's lock (`IdeModel::locked`).
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tavrosk::host {

struct LineColour {
  std::int32_t background = 0;
  std::int32_t foreground = 0;
};

struct Page {
  std::string file_name;
  std::string display_name;
  std::string text;  // plain text, lines separated by CR LF
  std::string rtf;   // its rich-text form
  std::vector<std::string> includes;
  std::int32_t selection_start = 0;
  std::int32_t selection_length = 0;
  bool modified = false;
  std::string device;
  std::int32_t device_core = 0;
  std::int32_t osc = 0;
  std::string filename_mci;
  std::string filename_asm;
  std::string filename_hex;
  std::uint8_t version[4] = {0, 0, 0, 0};
  bool version_enabled = false;
  std::int32_t caret_line = 0;
  std::int32_t caret_column = 0;
  std::int32_t top_line = 0;
  std::map<std::int32_t, LineColour> line_colours;
};

struct Programmer {
  std::string name;
  std::string path;
  std::string file_name;
  std::string params;
  std::string params_bound;
  std::string hook_filename;
  bool available = true;
};

struct IdeState {
  bool connected = false;
  std::int32_t connected_window = 0;
  std::string path_ide;
  std::string path_plugin;
  std::string path_compiler;
  bool locked = false;
  std::int32_t compile_count = 0;
  std::int32_t foreground_requests = 0;
  std::vector<Page> pages;
  int active_page = -1;  // index into pages, -1 when none
  std::vector<Programmer> programmers;
  int current_programmer = -1;
  std::int32_t program_runs = 0;
  std::int32_t lines_in_window = 30;         // the editor window's fixed height
  std::map<std::string, std::string> files;  // the host's own files, for save and load

  Page* active();
  Page* find_page(const std::string& file_name);  // letter case ignored
  Programmer* find_programmer(const std::string& name);
};

// A freshly started IDE with a few pages and programmers to enumerate.
IdeState initial_ide_state();

class IdeModel {
 public:
  // Back to a freshly started IDE: initial state, no log, no hooks.
  void reset();

  // Runs `work` on the state under the model's lock and returns its value.
  template <class Work>
  auto locked(Work&& work) {
    std::lock_guard lock(mutex_);
    return work(state_);
  }

  bool connect(std::int32_t window_handle);
  bool disconnect();
  bool is_connected();

  // Every call that reached the model through an export, as "Name(arg, arg)", in order: the
  // most recent kExportLogLimit of them, so that a plug-in that runs for long does not run
  // the host out of memory.
  static constexpr std::size_t kExportLogLimit = 1'000'000;
  void log_export_call(std::string call);
  std::vector<std::string> export_calls() const;

  // Lets a test replace an export: the hook gets the raw arguments (integers and addresses)
  // and its value is returned instead of the model's work. A hook that throws answers 0, the
  // export's failure: the hook is another module's code, and its exception must not unwind
  // through the export into the plug-in's process.
  using ExportHook = std::function<std::int32_t(const std::vector<std::intptr_t>& arguments)>;
  void set_export_hook(const std::string& export_name, ExportHook hook);
  void clear_export_hook(const std::string& export_name);
  std::optional<std::int32_t> run_export_hook(const std::string& export_name,
                                              const std::vector<std::intptr_t>& arguments) const;

 private:
  // A hook as stored: it never throws.
  using GuardedHook = std::function<std::int32_t(const std::vector<std::intptr_t>&)>;

  mutable std::recursive_mutex mutex_;
  IdeState state_ = initial_ide_state();
  std::deque<std::string> export_calls_;
  std::map<std::string, GuardedHook> hooks_;
};

// The process's one model. On Windows it lives in korvex_host.dll, the one thing that the
// host's modules (Zavoplex.dll, the host program, a test) share; each module runs the model's
// code on it with its own copy, so no exception ever has to cross from one module to another.
IdeModel& ide_model() noexcept;

// How many IDE windows this process has made so far: a search for the IDE window that found
// none is stale once this has changed. Process-wide, like the model.
unsigned ide_windows_made() noexcept;
void count_ide_window_made() noexcept;

}  // namespace tavrosk::host
