#include "model/ide_model.h"

#include <algorithm>
#include <cctype>

namespace tavrosk::host {
namespace {

bool same_name(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

Page sample_page(std::string file_name, std::string display_name, std::string text) {
  Page page;
  page.file_name = std::move(file_name);
  page.display_name = std::move(display_name);
  page.text = std::move(text);
  page.rtf = "{\\rtf1\\ansi " + page.text + "\\par }";
  std::string stem = page.file_name.substr(0, page.file_name.find_last_of('.'));
  page.filename_mci = stem + ".mci";
  page.filename_asm = stem + ".asm";
  page.filename_hex = stem + ".hex";
  page.device = "KX-A4550";
  page.device_core = 16;
  page.osc = 20;
  return page;
}

}  // namespace

Page* IdeState::active() {
  return active_page >= 0 && active_page < static_cast<int>(pages.size()) ? &pages[active_page]
                                                                          : nullptr;
}

Page* IdeState::find_page(const std::string& file_name) {
  auto it = std::find_if(pages.begin(), pages.end(),
                         [&](const Page& p) { return same_name(p.file_name, file_name); });
  return it == pages.end() ? nullptr : &*it;
}

Programmer* IdeState::find_programmer(const std::string& name) {
  auto it = std::find_if(programmers.begin(), programmers.end(),
                         [&](const Programmer& p) { return same_name(p.name, name); });
  return it == programmers.end() ? nullptr : &*it;
}

IdeState initial_ide_state() {
  IdeState state;
  state.path_ide = "C:\\Korvex\\";
  state.path_plugin = "C:\\Korvex\\Plugins\\";
  state.path_compiler = "C:\\Korvex\\Compiler\\";
  state.pages.push_back(sample_page("C:\\Projects\\Blink\\main.bas", "main.bas",
                                    "Device = KXA4550\r\nDim Led As PORTB.0\r\nHigh Led\r\n"));
  state.pages.back().includes = {"C:\\Korvex\\Includes\\delays.inc",
                                 "C:\\Korvex\\Includes\\portb.inc"};
  state.pages.push_back(
      sample_page("C:\\Projects\\Blink\\util.bas", "util.bas", "Sub Pause()\r\nEnd Sub\r\n"));
  state.active_page = 0;
  Programmer flashlink{"FlashLink",
                       "C:\\Programmers\\FlashLink\\",
                       "flashlink.exe",
                       "-P$target-device -F$hex-filename",
                       "-M",
                       "",
                       true};
  Programmer probewriter{"ProbeWriter",
                         "C:\\Programmers\\ProbeWriter\\",
                         "probewriter.exe",
                         "/p $target-device",
                         "",
                         "hook.txt",
                         true};
  state.programmers = {flashlink, probewriter};
  state.current_programmer = 0;
  return state;
}

void IdeModel::reset() {
  std::lock_guard lock(mutex_);
  state_ = initial_ide_state();
  export_calls_.clear();
  hooks_.clear();
}

bool IdeModel::connect(std::int32_t window_handle) {
  return locked([&](IdeState& s) {
    s.connected = true;
    s.connected_window = window_handle;
    return true;
  });
}

bool IdeModel::disconnect() {
  return locked([](IdeState& s) {
    bool was_connected = s.connected;
    s.connected = false;
    s.connected_window = 0;
    return was_connected;
  });
}

bool IdeModel::is_connected() {
  return locked([](IdeState& s) { return s.connected; });
}

void IdeModel::log_export_call(std::string call) {
  std::lock_guard lock(mutex_);
  if (export_calls_.size() == kExportLogLimit) export_calls_.pop_front();
  export_calls_.push_back(std::move(call));
}

std::vector<std::string> IdeModel::export_calls() const {
  std::lock_guard lock(mutex_);
  return {export_calls_.begin(), export_calls_.end()};
}

void IdeModel::set_export_hook(const std::string& export_name, ExportHook hook) {
  // Wrapped here, in the module that made the hook, so that its exception is caught there.
  GuardedHook guarded = [hook = std::move(hook)](const std::vector<std::intptr_t>& arguments) {
    try {
      return hook(arguments);
    } catch (...) {
      return std::int32_t{0};
    }
  };
  std::lock_guard lock(mutex_);
  hooks_[export_name] = std::move(guarded);
}

void IdeModel::clear_export_hook(const std::string& export_name) {
  std::lock_guard lock(mutex_);
  hooks_.erase(export_name);
}

std::optional<std::int32_t> IdeModel::run_export_hook(
    const std::string& export_name, const std::vector<std::intptr_t>& arguments) const {
  GuardedHook hook;
  {
    std::lock_guard lock(mutex_);
    auto it = hooks_.find(export_name);
    if (it == hooks_.end()) return std::nullopt;
    hook = it->second;
  }
  return hook(arguments);
}

}  // namespace tavrosk::host
