#pragma once
// Which ANSI code page the simulated system uses.

namespace tavrosk::sim {

enum class CodePage {
  kWindows1252,  // single-byte; characters outside it become '?'
  kUtf8,         // multi-byte
  kWindows932,   // double-byte; a part of its characters (code_page_932.h)
};

void set_code_page(CodePage code_page);
CodePage code_page();

}  // namespace tavrosk::sim
