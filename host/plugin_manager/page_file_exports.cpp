// The reference plug-in manager library: page files, versions and line colours.
#include "plugin_manager/export_support.h"
#include "shared/page_editing_model.h"

using tavrosk::host::IdeState;
using tavrosk::host::LineColour;
using tavrosk::host::serve_export;
using tavrosk::host::with_ide;
namespace model = tavrosk::host;

extern "C" {

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageSave(char* file_name) noexcept {
  return serve_export(
      "SetPageSave",
      [&] { return with_ide([&](IdeState& s) { return model::save_page(s, file_name); }); },
      file_name);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageLoad(char* file_name) noexcept {
  return serve_export(
      "SetPageLoad", [&] { return with_ide([&](IdeState& s) { model::load_page(s, file_name); }); },
      file_name);
}

// Each number rides in the low 8 bits of its slot.
TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageVersion(char* page_file_name,
                                                                std::int32_t major,
                                                                std::int32_t minor,
                                                                std::int32_t release,
                                                                std::int32_t build) noexcept {
  return serve_export(
      "SetPageVersion",
      [&] {
        const std::uint8_t version[4] = {
            static_cast<std::uint8_t>(major), static_cast<std::uint8_t>(minor),
            static_cast<std::uint8_t>(release), static_cast<std::uint8_t>(build)};
        return with_ide([&](IdeState& s) { model::stamp_version(s, page_file_name, version); });
      },
      page_file_name, major, minor, release, build);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageClose(char* file_name) noexcept {
  return serve_export(
      "SetPageClose",
      [&] { return with_ide([&](IdeState& s) { return model::close_page(s, file_name); }); },
      file_name);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageCloseAll(char* new_page_name) noexcept {
  return serve_export(
      "SetPageCloseAll",
      [&] {
        return with_ide([&](IdeState& s) { return model::close_all_pages(s, new_page_name); });
      },
      new_page_name);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL
SetPageVersionEnabled(char* page_file_name, std::int32_t enabled) noexcept {
  return serve_export(
      "SetPageVersionEnabled",
      [&] {
        return with_ide(
            [&](IdeState& s) { model::enable_version(s, page_file_name, enabled != 0); });
      },
      page_file_name, enabled);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageLineColor(
    std::int32_t line_number, std::int32_t background, std::int32_t foreground) noexcept {
  return serve_export(
      "SetPageLineColor",
      [&] {
        return with_ide([&](IdeState& s) {
          model::colour_line(s, line_number, LineColour{background, foreground});
        });
      },
      line_number, background, foreground);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL
SetPageLineColorDelete(std::int32_t line_number) noexcept {
  return serve_export(
      "SetPageLineColorDelete",
      [&] { return with_ide([&](IdeState& s) { model::uncolour_line(s, line_number); }); },
      line_number);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageLineColorClear() noexcept {
  return serve_export("SetPageLineColorClear", [] { return with_ide(model::clear_line_colours); });
}

}  // extern "C"
