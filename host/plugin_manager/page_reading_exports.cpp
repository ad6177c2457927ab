// The reference plug-in manager library: the active page, pages and includes, page texts.
#include "plugin_manager/export_support.h"
#include "shared/export_buffers.h"
#include "shared/ide_operations.h"

namespace {

using tavrosk::host::IdeState;
using tavrosk::host::on_ide;
using tavrosk::host::put_text;
using tavrosk::host::serve_export;

// A text of the active page into the caller's buffer, cut at its length.
std::int32_t serve_active_text(const char* name, std::string_view (*text_of)(IdeState&),
                               char* buffer, std::int32_t length) {
  return serve_export(
      name,
      [&] {
        on_ide([&](IdeState& ide) { put_text(buffer, length, text_of(ide)); });
        return 1;
      },
      buffer, length);
}

}  // namespace

extern "C" {

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPage(char* buffer,
                                                         std::int32_t length) noexcept {
  return serve_active_text("GetPage", tavrosk::host::active_page_name, buffer, length);
}

// Counts from 0; out of range answers 0 and leaves the buffer as it was.
TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPageByIndex(std::int32_t index, char* buffer,
                                                                std::int32_t length) noexcept {
  return tavrosk::host::serve_indexed_name("GetPageByIndex", tavrosk::host::page_name_at, index,
                                           buffer, length);
}

// Counts from 0; an unknown page or an index out of range answers 0.
TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPageIncludeByIndex(
    char* page_file_name, std::int32_t index, char* buffer, std::int32_t length) noexcept {
  return serve_export(
      "GetPageIncludeByIndex",
      [&] {
        return on_ide([&](IdeState& ide) {
          auto include = include_at(ide, page_file_name, index);
          if (include) put_text(buffer, length, *include);
          return include ? 1 : 0;
        });
      },
      page_file_name, index, buffer, length);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPageText(char* buffer,
                                                             std::int32_t length) noexcept {
  return serve_active_text("GetPageText", tavrosk::host::active_text, buffer, length);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPageTextRTF(char* buffer,
                                                                std::int32_t length) noexcept {
  return serve_active_text("GetPageTextRTF", tavrosk::host::active_rtf, buffer, length);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPageSelectedText(char* buffer,
                                                                     std::int32_t length) noexcept {
  return serve_active_text("GetPageSelectedText", tavrosk::host::active_selection, buffer, length);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPage(char* page_file_name) noexcept {
  return serve_export(
      "SetPage",
      [&] {
        return on_ide([&](IdeState& ide) { return select_page(ide, page_file_name) ? 1 : 0; });
      },
      page_file_name);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPageCount() noexcept {
  return serve_export("GetPageCount", [] {
    return on_ide([](IdeState& ide) { return tavrosk::host::count_of(ide.pages.size()); });
  });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL
GetPageIncludeCount(char* page_file_name) noexcept {
  return serve_export(
      "GetPageIncludeCount",
      [&] { return on_ide([&](IdeState& ide) { return include_count(ide, page_file_name); }); },
      page_file_name);
}

}  // extern "C"
