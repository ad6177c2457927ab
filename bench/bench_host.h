#pragma once
// The reference host as every benchmark finds it: the IDE window and the relay tool on the
// simulated desktop, a connected IDE whose active page holds a text of a chosen length, and no
// records of earlier runs (the host logs every call, the desktop every message).
#include <cstddef>
#include <memory>
#include <string>

#include "bridge/vb_plugin_lib.h"
#include "testing/sim_relay_tool.h"

namespace tavrosk::bench {

constexpr Long kPluginWindow = 1312;

class BenchHost {
 public:
  enum class Road { kDirect, kRelay };
  BenchHost(Road road, std::size_t page_characters);
  ~BenchHost();

  VB_PluginLib& ide() { return *ide_; }

 private:
  std::unique_ptr<host::SimIdeWindow> ide_window_;
  std::unique_ptr<host::SimRelayTool> relay_;
  std::unique_ptr<VB_PluginLib> ide_;
};

// A page text of that many characters: source lines, CR LF between them, a few characters
// above 0x7F for the code-page conversion to do.
std::string page_text(std::size_t characters);

// An export of the host library found by dlsym, as a raw caller would call it.
void* raw_export(const char* name);

}  // namespace tavrosk::bench
