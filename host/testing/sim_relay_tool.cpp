#include "testing/sim_relay_tool.h"

#include "platform/code_page.h"
#include "platform/sim/desktop.h"

namespace tavrosk::host {

SimRelayTool::SimRelayTool() {
  auto& desktop = sim::desktop();
  window_ = desktop.create_other_process_window(
      u"Debug VB Application", 0,
      [this](platform::WindowHandle, std::uint32_t message, std::uintptr_t,
             std::intptr_t lparam) -> std::optional<std::intptr_t> {
        if (message != platform::kWmCopyData || lparam == 0) return std::nullopt;
        const auto* record = reinterpret_cast<const platform::CopyDataRecord*>(lparam);
        ReceivedLine line{record->dwData, record->cbData, {}, {}};
        if (record->lpData != nullptr) {
          line.bytes.assign(static_cast<const char*>(record->lpData), record->cbData);
        }
        std::string before_zero = line.bytes.substr(0, line.bytes.find('\0'));
        line.text = platform::from_ansi(before_zero);
        on_line(line);
        return 1;
      });
  reply_window_ = desktop.create_other_process_window(u"", window_);
}

SimRelayTool::~SimRelayTool() {
  close();
}

void SimRelayTool::on_line(const ReceivedLine& line) {
  std::optional<std::u16string> reply;
  {
    std::lock_guard lock(mutex_);
    received_.push_back(line);
    if (!scripted_.empty()) {
      reply = std::move(scripted_.front());
      scripted_.pop_front();
    }
  }
  if (!reply) {
    std::string before_zero = line.bytes.substr(0, line.bytes.find('\0'));
    if (auto answer = commands_.handle_line(before_zero)) reply = platform::from_ansi(*answer);
  }
  if (reply) set_reply_text(*reply);
}

void SimRelayTool::script_reply(std::u16string reply) {
  std::lock_guard lock(mutex_);
  scripted_.push_back(std::move(reply));
}

void SimRelayTool::set_reply_text(std::u16string text) {
  sim::desktop().set_window_text(reply_window_, std::move(text));
}

std::u16string SimRelayTool::reply_text() const {
  return sim::desktop().window_text(reply_window_);
}

std::vector<ReceivedLine> SimRelayTool::received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

std::vector<std::u16string> SimRelayTool::lines() const {
  std::lock_guard lock(mutex_);
  std::vector<std::u16string> texts;
  for (const auto& line : received_) texts.push_back(line.text);
  return texts;
}

void SimRelayTool::clear_received() {
  std::lock_guard lock(mutex_);
  received_.clear();
}

void SimRelayTool::close() {
  if (window_ != 0) sim::desktop().destroy_window(window_);
  window_ = 0;
  reply_window_ = 0;
}

SimIdeWindow::SimIdeWindow() : window_(sim::desktop().create_window(u"Korvex IDE")) {}

SimIdeWindow::~SimIdeWindow() {
  sim::desktop().destroy_window(window_);
}

}  // namespace tavrosk::host
