#include "ide_model.h"

namespace tavrosk::host {

IdeModel& ide_model() {
  static IdeModel model;
  return model;
}

void IdeModel::reset() {
  std::lock_guard lock(mutex_);
  connected_ = false;
  connected_window_ = 0;
  export_calls_.clear();
  hooks_.clear();
}

bool IdeModel::connect(std::int32_t window_handle) {
  std::lock_guard lock(mutex_);
  connected_ = true;
  connected_window_ = window_handle;
  return true;
}

bool IdeModel::disconnect() {
  std::lock_guard lock(mutex_);
  bool was_connected = connected_;
  connected_ = false;
  connected_window_ = 0;
  return was_connected;
}

bool IdeModel::is_connected() const {
  std::lock_guard lock(mutex_);
  return connected_;
}

std::int32_t IdeModel::connected_window() const {
  std::lock_guard lock(mutex_);
  return connected_window_;
}

void IdeModel::log_export_call(std::string call) {
  std::lock_guard lock(mutex_);
  export_calls_.push_back(std::move(call));
}

std::vector<std::string> IdeModel::export_calls() const {
  std::lock_guard lock(mutex_);
  return export_calls_;
}

void IdeModel::set_export_hook(const std::string& export_name, ExportHook hook) {
  std::lock_guard lock(mutex_);
  hooks_[export_name] = std::move(hook);
}

std::optional<std::int32_t> IdeModel::run_export_hook(
    const std::string& export_name, const std::vector<std::intptr_t>& arguments) const {
  ExportHook hook;
  {
    std::lock_guard lock(mutex_);
    auto it = hooks_.find(export_name);
    if (it == hooks_.end()) return std::nullopt;
    hook = it->second;
  }
  return hook(arguments);
}

}  // namespace tavrosk::host
