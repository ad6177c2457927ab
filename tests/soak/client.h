#pragma once
// One way of calling the four classes of the registered Tavrosk.dll: early bound through the
// vtable, or late bound through IDispatch as a script calls (each member looked up by name,
// every argument a reference to a Variant variable). The soak's scenario is written once
// against this view; each member call counts as one call, and any failed status throws.
#include <windows.h>

#include <oleauto.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tavrosk.h"

namespace tavrosk::soak {

// A result that is not what the scenario expects.
class SoakFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One object of each class, created through the registration.
struct Objects {
  _VB_PluginLib* ide = nullptr;
  _PageInfoLib* page_info = nullptr;
  _ProgInfoLib* programmer_info = nullptr;
  _PlugInToolsLib* tools = nullptr;

  Objects();
  ~Objects();
  Objects(const Objects&) = delete;
  Objects& operator=(const Objects&) = delete;
};

struct PageFacts {
  std::wstring display_name;
  std::wstring device;
  long page_size = 0;
  unsigned char version_major = 0;
  unsigned char version_build = 0;
};

struct ProgrammerFacts {
  std::wstring path;
  std::wstring params;
};

class Client {
 public:
  virtual ~Client() = default;
  std::int64_t calls() const { return calls_; }

  // VB_PluginLib
  virtual bool debug_app(long window, bool on) = 0;
  virtual bool connect(long window) = 0;
  virtual bool is_connected() = 0;
  virtual std::wstring path_ide() = 0;
  virtual long page_count() = 0;
  virtual bool page_by_index(long index, std::wstring& page) = 0;
  virtual long include_count(const std::wstring& page) = 0;
  virtual bool include_by_index(const std::wstring& page, long index, std::wstring& include) = 0;
  virtual long programmer_count() = 0;
  virtual bool programmer_by_index(long index, std::wstring& name) = 0;
  virtual void set_page_text(BSTR text) = 0;
  // The page's text as the caller receives it; the caller frees it.
  virtual BSTR page_text() = 0;
  virtual void select(long start, long length) = 0;
  virtual std::wstring selected_text() = 0;
  virtual void set_cursor(long column, long line) = 0;
  virtual void cursor(long& line, long& column) = 0;
  virtual void set_version(const std::wstring& page, unsigned char major, unsigned char build) = 0;
  virtual void colour_line(long line, long background, long foreground) = 0;
  // PageInfoLib and ProgInfoLib
  virtual bool page_info(const std::wstring& page) = 0;
  virtual PageFacts page_facts() = 0;
  virtual bool programmer_info(const std::wstring& name) = 0;
  virtual ProgrammerFacts programmer_facts() = 0;
  // PlugInToolsLib
  virtual std::vector<std::wstring> lines_of(const std::wstring& text) = 0;
  virtual bool file_exists(const std::wstring& path) = 0;
  virtual bool path_exists(const std::wstring& path) = 0;
  virtual bool ide_running() = 0;

 protected:
  // Counts the call and throws when its status is not S_OK.
  void counted(HRESULT hr, const char* member);

 private:
  std::int64_t calls_ = 0;
};

// The strings of a one-dimensional array of strings.
std::vector<std::wstring> strings_of(SAFEARRAY* array);

std::unique_ptr<Client> vtable_client(const Objects& objects);
std::unique_ptr<Client> script_client(const Objects& objects);

// A BSTR freed at the end of its scope.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text)
      : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  explicit Bstr(BSTR adopted) : b_(adopted) {}
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return b_; }
  BSTR* put() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }
  // For an in-out argument: the callee reads the text and may replace it.
  BSTR* put_kept() { return &b_; }
  std::wstring text() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

 private:
  BSTR b_ = nullptr;
};

}  // namespace tavrosk::soak
