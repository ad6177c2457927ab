#include "shared/export_call.h"

#include <cstring>
#include <map>
#include <tuple>
#include <type_traits>
#include <utility>

#include "bridge/plugin_manager/export_signature.h"
#include "bridge/plugin_manager/exports.h"

namespace tavrosk::host {
namespace {

void put_u32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void put_block(std::string& out, const std::string& block) {
  put_u32(out, static_cast<std::uint32_t>(block.size()));
  out += block;
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool u32(std::uint32_t& value) {
    if (bytes_.size() - at_ < 4) return false;
    value = 0;
    for (int i = 0; i < 4; ++i) {
      value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    }
    at_ += 4;
    return true;
  }
  bool block(std::string& value) {
    std::uint32_t size = 0;
    if (!u32(size) || bytes_.size() - at_ < size) return false;
    value.assign(bytes_.substr(at_, size));
    at_ += size;
    return true;
  }
  bool done() const { return at_ == bytes_.size(); }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

// Calls `address` as the export of signature R(Args...), each argument made from the call.
template <class Signature>
struct Invoker;

template <class... Args>
struct Invoker<std::int32_t(Args...)> {
  using Pointer = std::int32_t(TAVROSK_STDCALL*)(Args...);

  template <class T>
  static T argument(ExportCall& call, std::size_t index) {
    if constexpr (std::is_pointer_v<T>) {
      return call.values[index] != 0 ? reinterpret_cast<T>(call.blocks[index].data()) : nullptr;
    } else {
      return static_cast<T>(call.values[index]);
    }
  }

  template <std::size_t... I>
  static std::int32_t call_with(Pointer export_function, ExportCall& call,
                                std::index_sequence<I...>) {
    return export_function(argument<Args>(call, I)...);
  }

  static std::optional<ExportAnswer> run(ExportCall& call, void* address) {
    if (call.values.size() != sizeof...(Args) || call.blocks.size() != sizeof...(Args)) {
      return std::nullopt;
    }
    ExportAnswer answer;
    answer.result =
        call_with(reinterpret_cast<Pointer>(address), call, std::index_sequence_for<Args...>{});
    answer.blocks = std::move(call.blocks);
    return answer;
  }
};

using Runner = std::optional<ExportAnswer> (*)(ExportCall&, void*);

const std::map<std::string, Runner, std::less<>>& runners() {
  static const std::map<std::string, Runner, std::less<>> table = {
#define TAVROSK_EXPORT_RUNNER(name, ...) {#name, &Invoker<__VA_ARGS__>::run},
      TAVROSK_PLUGIN_MANAGER_EXPORTS(TAVROSK_EXPORT_RUNNER)
#undef TAVROSK_EXPORT_RUNNER
  };
  return table;
}

}  // namespace

std::string encode_call(const ExportCall& call) {
  std::string out;
  put_block(out, call.name);
  put_u32(out, static_cast<std::uint32_t>(call.values.size()));
  for (std::size_t i = 0; i < call.values.size(); ++i) {
    put_u32(out, static_cast<std::uint32_t>(call.values[i]));
    put_block(out, i < call.blocks.size() ? call.blocks[i] : std::string());
  }
  return out;
}

std::optional<ExportCall> decode_call(std::string_view bytes) {
  Reader in(bytes);
  ExportCall call;
  std::uint32_t count = 0;
  if (!in.block(call.name) || !in.u32(count) || count > 16) return std::nullopt;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t value = 0;
    std::string block;
    if (!in.u32(value) || !in.block(block)) return std::nullopt;
    call.values.push_back(static_cast<std::int32_t>(value));
    call.blocks.push_back(std::move(block));
  }
  if (!in.done()) return std::nullopt;
  return call;
}

std::string encode_answer(const ExportAnswer& answer) {
  std::string out;
  put_u32(out, static_cast<std::uint32_t>(answer.result));
  put_u32(out, static_cast<std::uint32_t>(answer.blocks.size()));
  for (const auto& block : answer.blocks) put_block(out, block);
  return out;
}

std::optional<ExportAnswer> decode_answer(std::string_view bytes) {
  Reader in(bytes);
  ExportAnswer answer;
  std::uint32_t result = 0;
  std::uint32_t count = 0;
  if (!in.u32(result) || !in.u32(count) || count > 16) return std::nullopt;
  answer.result = static_cast<std::int32_t>(result);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string block;
    if (!in.block(block)) return std::nullopt;
    answer.blocks.push_back(std::move(block));
  }
  if (!in.done()) return std::nullopt;
  return answer;
}

std::string describe_export_call(const ExportCall& call) {
  std::string text = call.name + "(";
  int buffer = buffer_argument(call.name);
  const plugin_manager::ListedExport* listed = plugin_manager::listed_export(call.name);
  std::uint32_t pointers = listed != nullptr ? listed->pointers : 0;
  for (std::size_t i = 0; i < call.values.size(); ++i) {
    if (i > 0) text += ", ";
    const std::string& block = call.blocks[i];
    bool is_pointer = i < 32 && (pointers >> i & 1u) != 0;
    bool is_text = static_cast<int>(i) != buffer && !block.empty() && block.back() == '\0' &&
                   block.find('\0') == block.size() - 1;
    if (!is_pointer) {
      text += std::to_string(call.values[i]);
    } else if (call.values[i] == 0) {
      text += "null";
    } else {
      text += is_text ? '"' + block.substr(0, block.size() - 1) + '"' : std::string("&");
    }
  }
  return text + ")";
}

int buffer_argument(std::string_view export_name) {
  const plugin_manager::ListedExport* listed = plugin_manager::listed_export(export_name);
  return listed != nullptr ? listed->buffer : -1;
}

std::optional<ExportAnswer> run_export_call(ExportCall call, void* address) {
  auto it = runners().find(call.name);
  if (it == runners().end() || address == nullptr) return std::nullopt;
  return it->second(call, address);
}

}  // namespace tavrosk::host
