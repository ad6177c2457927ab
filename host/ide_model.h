#pragma once
// The reference host's in-memory IDE. One model per process, behind both the plug-in manager
// library's exports and the relay tool's commands. Text is kept as ANSI bytes, as the IDE
// receives it.
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tavrosk::host {

class IdeModel {
 public:
  // Back to a freshly started IDE.
  void reset();

  bool connect(std::int32_t window_handle);
  bool disconnect();
  bool is_connected() const;
  std::int32_t connected_window() const;

  // Every call that reached the model through an export, as "Name(arg, arg)", in order.
  void log_export_call(std::string call);
  std::vector<std::string> export_calls() const;

  // Lets a test replace an export: the hook gets the raw arguments (integers and addresses)
  // and its value is returned instead of the model's work.
  using ExportHook = std::function<std::int32_t(const std::vector<std::intptr_t>& arguments)>;
  void set_export_hook(const std::string& export_name, ExportHook hook);
  std::optional<std::int32_t> run_export_hook(const std::string& export_name,
                                              const std::vector<std::intptr_t>& arguments) const;

  std::recursive_mutex& mutex() const { return mutex_; }

 private:
  mutable std::recursive_mutex mutex_;
  bool connected_ = false;
  std::int32_t connected_window_ = 0;
  std::vector<std::string> export_calls_;
  std::map<std::string, ExportHook> hooks_;
};

IdeModel& ide_model();

}  // namespace tavrosk::host
