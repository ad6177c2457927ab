#include "bench_host.h"

#include <dlfcn.h>

#include <stdexcept>

#include "bridge/session.h"
#include "model/ide_model.h"
#include "platform/library_loader.h"
#include "platform/sim/desktop.h"

namespace tavrosk::bench {

BenchHost::BenchHost(Road road, std::size_t page_characters) {
  sim::desktop().reset();
  session() = SessionRecord{};
  host::ide_model().reset();
  host::ide_model().locked([&](host::IdeState& ide) {
    ide.connected = true;
    ide.active()->text = page_text(page_characters);
  });
  ide_window_ = std::make_unique<host::SimIdeWindow>();
  relay_ = std::make_unique<host::SimRelayTool>();
  ide_ = std::make_unique<VB_PluginLib>();
  if (road == Road::kRelay && !ide_->DebugApp(kPluginWindow, kTrue).ok()) {
    throw std::runtime_error("the relay road could not be set up");
  }
  sim::desktop().clear_records();
  relay_->clear_received();
}

BenchHost::~BenchHost() {
  ide_.reset();
  relay_.reset();
  ide_window_.reset();
  session() = SessionRecord{};
}

std::string page_text(std::size_t characters) {
  static const std::string lines =
      "Device = KXA4550\r\nDim Led As PORTB.0\r\n' Blink the LED \xe9\xe8 \x80\r\n"
      "While 1 = 1\r\n    High Led\r\n    DelayMS 500\r\n    Low Led\r\n    DelayMS 500\r\n"
      "Wend\r\n";
  std::string text;
  text.reserve(characters);
  while (text.size() < characters) text += lines;
  text.resize(characters);
  return text;
}

void* raw_export(const char* name) {
  void* library = dlopen(platform::plugin_manager_library_name(), RTLD_NOW | RTLD_LOCAL);
  void* address = library == nullptr ? nullptr : dlsym(library, name);
  if (address == nullptr) throw std::runtime_error(std::string("no export ") + name);
  return address;
}

}  // namespace tavrosk::bench
