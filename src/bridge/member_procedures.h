#pragma once
// Procedures that several VB_PluginLib members share, so that each member reads like its row:
// a direct text call with the default buffer, and the Split reading of an "…ByIndex" reply.
#include <string_view>

#include "base/value_types.h"
#include "bridge/result_buffer.h"

namespace tavrosk {

// An export of (buffer, length) called with the default 256-character result buffer; its
// return is ignored and the result is the text before the first NUL.
template <class Export>
Text direct_text(const Export& text_export) {
  return call_with_result_buffer(0,
                                 [&](char* buffer, Long length) { text_export(buffer, length); });
}

// An export of (index, buffer, length) answering a Boolean; the text goes into `out` whatever
// the answer, the empty text when the library wrote nothing.
template <class Export>
VbBool direct_indexed_text(const Export& indexed_export, Long index, Text& out) {
  VbBool answer = kFalse;
  out = call_with_result_buffer(0, [&](char* buffer, Long length) {
    answer = to_vb_bool(indexed_export(index, buffer, length) != 0);
  });
  return answer;
}

// Element 1 into `out`, element 0 read as a Boolean. An empty reply is False with `out`
// untouched; a reply without element 1 fails with 9 before `out` changes; a non-Boolean
// element 0 fails with 13 after `out` was stored.
VbBool split_reply_into(std::u16string_view reply, Text& out);

}  // namespace tavrosk
