#include "plugin_manager/reference_environment.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "model/ide_model.h"
#include "shared/state_file.h"
#include "shared/traffic_log.h"

namespace tavrosk::host {
namespace {

struct Environment {
  std::string state;
  std::string log;
  std::string state_out;
  bool seeded = false;
  std::string last_written;
  std::mutex mutex;
};

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

Environment& environment() {
  static Environment* const read = [] {
    auto* env = new Environment;  // lives as long as the process: exports may come late
    env->state = variable("KORVEX_REFERENCE_STATE");
    env->log = variable("KORVEX_REFERENCE_LOG");
    env->state_out = variable("KORVEX_REFERENCE_STATE_OUT");
    return env;
  }();
  return *read;
}

}  // namespace

void prepare_own_model() {
  Environment& env = environment();
  if (env.state.empty()) return;
  std::lock_guard lock(env.mutex);
  if (env.seeded) return;
  env.seeded = true;
  FileOutcome<IdeState> seeded = load_state_file(env.state);
  if (seeded.ok()) {
    ide_model().locked([&](IdeState& state) { state = std::move(*seeded.value); });
  } else {
    std::string message = "Zavoplex.dll: " + seeded.error;
    if (!env.log.empty()) append_log_entry(env.log, log_time() + " " + escape_log_text(message));
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    std::exit(3);
  }
}

void record_export_call(const std::string& call, std::int32_t result, bool own_model) {
  Environment& env = environment();
  if (env.log.empty() && env.state_out.empty()) return;
  std::lock_guard lock(env.mutex);
  if (!env.log.empty()) {
    append_log_entry(env.log,
                     log_time() + " " + escape_log_text(call) + " = " + std::to_string(result));
  }
  if (own_model && !env.state_out.empty()) {
    std::string now = ide_model().locked([](IdeState& state) { return format_state(state); });
    if (now == env.last_written) return;
    FileStatus saved =
        save_state_file(env.state_out, ide_model().locked([](IdeState& state) { return state; }));
    if (saved.ok()) {
      env.last_written = std::move(now);
    } else {
      std::fprintf(stderr, "Zavoplex.dll: %s\n", saved.error.c_str());
    }
  }
}

}  // namespace tavrosk::host
