// The scenario's calls early bound, as a compiled client makes them.
#include "soak/client.h"

namespace tavrosk::soak {
namespace {

class VtableClient : public Client {
 public:
  explicit VtableClient(const Objects& objects) : o_(objects) {}

  bool debug_app(long window, bool on) override {
    VARIANT_BOOL mode = on ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT_BOOL result = VARIANT_FALSE;
    counted(o_.ide->DebugApp(&window, &mode, &result), "DebugApp");
    return result != VARIANT_FALSE;
  }
  bool connect(long window) override {
    VARIANT_BOOL result = VARIANT_FALSE;
    counted(o_.ide->Connect(&window, &result), "Connect");
    return result != VARIANT_FALSE;
  }
  bool is_connected() override {
    VARIANT_BOOL result = VARIANT_FALSE;
    counted(o_.ide->IsConnected(&result), "IsConnected");
    return result != VARIANT_FALSE;
  }
  std::wstring path_ide() override {
    Bstr path;
    counted(o_.ide->GetPathIDE(path.put()), "GetPathIDE");
    return path.text();
  }
  long page_count() override {
    long count = -1;
    counted(o_.ide->GetPageCount(&count), "GetPageCount");
    return count;
  }
  bool page_by_index(long index, std::wstring& page) override {
    Bstr name(page);
    VARIANT_BOOL found = VARIANT_FALSE;
    counted(o_.ide->GetPageByIndex(&index, name.put_kept(), &found), "GetPageByIndex");
    page = name.text();
    return found != VARIANT_FALSE;
  }
  long include_count(const std::wstring& page) override {
    Bstr name(page);
    long count = -1;
    counted(o_.ide->GetPageIncludeCount(name.put_kept(), &count), "GetPageIncludeCount");
    return count;
  }
  bool include_by_index(const std::wstring& page, long index, std::wstring& include) override {
    Bstr name(page);
    Bstr found_include(include);
    VARIANT_BOOL found = VARIANT_FALSE;
    counted(
        o_.ide->GetPageIncludeByIndex(name.put_kept(), &index, found_include.put_kept(), &found),
        "GetPageIncludeByIndex");
    include = found_include.text();
    return found != VARIANT_FALSE;
  }
  long programmer_count() override {
    long count = -1;
    counted(o_.ide->GetProgrammerCount(&count), "GetProgrammerCount");
    return count;
  }
  bool programmer_by_index(long index, std::wstring& name) override {
    Bstr returned(name);
    VARIANT_BOOL found = VARIANT_FALSE;
    counted(o_.ide->GetProgrammerByIndex(&index, returned.put_kept(), &found),
            "GetProgrammerByIndex");
    name = returned.text();
    return found != VARIANT_FALSE;
  }
  void set_page_text(BSTR text) override {
    BSTR argument = text;  // the callee may replace an in-out string; this one is not ours
    counted(o_.ide->SetPageText(&argument), "SetPageText");
    if (argument != text) {
      SysFreeString(argument);
      throw SoakFailure("SetPageText replaced its argument");
    }
  }
  BSTR page_text() override {
    long length = 0;
    BSTR text = nullptr;
    counted(o_.ide->GetPageText(&length, &text), "GetPageText");
    return text;
  }
  void select(long start, long length) override {
    counted(o_.ide->SetPageSelectTextAt(&start, &length), "SetPageSelectTextAt");
  }
  std::wstring selected_text() override {
    Bstr text;
    counted(o_.ide->GetPageSelectedText(text.put()), "GetPageSelectedText");
    return text.text();
  }
  void set_cursor(long column, long line) override {
    counted(o_.ide->SetPageCursorPos(&column, &line), "SetPageCursorPos");
  }
  void cursor(long& line, long& column) override {
    counted(o_.ide->GetPageCursorPos(&line, &column), "GetPageCursorPos");
  }
  void set_version(const std::wstring& page, unsigned char major, unsigned char build) override {
    Bstr name(page);
    unsigned char minor = 0;
    unsigned char release = 0;
    counted(o_.ide->SetPageVersion(name.put_kept(), &major, &minor, &release, &build),
            "SetPageVersion");
  }
  void colour_line(long line, long background, long foreground) override {
    counted(o_.ide->SetPageLineColor(&line, &background, &foreground), "SetPageLineColor");
  }
  bool page_info(const std::wstring& page) override {
    Bstr name(page);
    VARIANT_BOOL found = VARIANT_FALSE;
    counted(o_.page_info->GetPageInfo(name.put_kept(), &found), "GetPageInfo");
    return found != VARIANT_FALSE;
  }
  PageFacts page_facts() override {
    PageFacts facts;
    Bstr text;
    counted(o_.page_info->DisplayName(text.put()), "DisplayName");
    facts.display_name = text.text();
    counted(o_.page_info->Device(text.put()), "Device");
    facts.device = text.text();
    counted(o_.page_info->PageSize(&facts.page_size), "PageSize");
    counted(o_.page_info->VersionMajor(&facts.version_major), "VersionMajor");
    counted(o_.page_info->VersionBuild(&facts.version_build), "VersionBuild");
    return facts;
  }
  bool programmer_info(const std::wstring& name) override {
    Bstr programmer(name);
    VARIANT_BOOL found = VARIANT_FALSE;
    counted(o_.programmer_info->GetProgrammerInfo(programmer.put_kept(), &found),
            "GetProgrammerInfo");
    return found != VARIANT_FALSE;
  }
  ProgrammerFacts programmer_facts() override {
    ProgrammerFacts facts;
    Bstr text;
    counted(o_.programmer_info->Path(text.put()), "Path");
    facts.path = text.text();
    counted(o_.programmer_info->Params(text.put()), "Params");
    facts.params = text.text();
    return facts;
  }
  std::vector<std::wstring> lines_of(const std::wstring& text) override {
    Bstr page_text(text);
    SAFEARRAY* lines = nullptr;
    HRESULT hr = o_.tools->Parse_GetLinesArray(page_text.put_kept(), &lines);
    std::vector<std::wstring> result = strings_of(lines);
    if (lines != nullptr) SafeArrayDestroy(lines);
    counted(hr, "Parse_GetLinesArray");
    return result;
  }
  bool file_exists(const std::wstring& path) override {
    Bstr name(path);
    VARIANT_BOOL found = VARIANT_FALSE;
    counted(o_.tools->FileExists(name.get(), &found), "FileExists");
    return found != VARIANT_FALSE;
  }
  bool path_exists(const std::wstring& path) override {
    Bstr name(path);
    VARIANT_BOOL found = VARIANT_FALSE;
    counted(o_.tools->PathExists(name.get(), &found), "PathExists");
    return found != VARIANT_FALSE;
  }
  bool ide_running() override {
    VARIANT_BOOL running = VARIANT_FALSE;
    counted(o_.tools->IsKorvexIdeRunning(&running), "IsKorvexIdeRunning");
    return running != VARIANT_FALSE;
  }

 private:
  const Objects& o_;
};

}  // namespace

std::unique_ptr<Client> vtable_client(const Objects& objects) {
  return std::make_unique<VtableClient>(objects);
}

}  // namespace tavrosk::soak
