// The scenario's calls late bound, as a script makes them: the member's id asked by name for
// every call, every argument a reference to a Variant variable (an Integer where the number
// fits, as a script's literal leaves it), the result a Variant of the member's type.
#include <cstring>
#include <string>

#include "soak/client.h"

namespace tavrosk::soak {
namespace {

// A script's variable.
class Variable {
 public:
  Variable() { VariantInit(&v_); }
  ~Variable() { VariantClear(&v_); }
  Variable(Variable&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;

  static Variable number(long value) {
    Variable variable;
    if (value >= -32768 && value <= 32767) {
      V_VT(&variable.v_) = VT_I2;
      V_I2(&variable.v_) = static_cast<SHORT>(value);
    } else {
      V_VT(&variable.v_) = VT_I4;
      V_I4(&variable.v_) = value;
    }
    return variable;
  }
  static Variable text(const std::wstring& value) {
    Variable variable;
    V_VT(&variable.v_) = VT_BSTR;
    V_BSTR(&variable.v_) = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    return variable;
  }
  static Variable boolean(bool value) {
    Variable variable;
    V_VT(&variable.v_) = VT_BOOL;
    V_BOOL(&variable.v_) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return variable;
  }

  VARIANT* get() { return &v_; }
  VARTYPE type() const { return V_VT(&v_); }

  bool as_bool(const char* member) const {
    expect_type(VT_BOOL, member);
    return V_BOOL(&v_) != VARIANT_FALSE;
  }
  long as_long(const char* member) const {
    expect_type(VT_I4, member);
    return V_I4(&v_);
  }
  unsigned char as_byte(const char* member) const {
    expect_type(VT_UI1, member);
    return V_UI1(&v_);
  }
  // A number variable after an in-out call: whatever numeric type the call left.
  long coerced_long(const char* member) const {
    VARIANT converted;
    VariantInit(&converted);
    if (VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_I4) != S_OK) {
      throw SoakFailure(std::string(member) + " left a variable that is not a number");
    }
    return V_I4(&converted);
  }
  std::wstring as_text(const char* member) const {
    expect_type(VT_BSTR, member);
    BSTR text = V_BSTR(&v_);
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  }
  BSTR take_text(const char* member) {
    expect_type(VT_BSTR, member);
    BSTR text = V_BSTR(&v_);
    VariantInit(&v_);
    return text;
  }
  // A script's array after the call: Variants that hold the texts.
  std::vector<std::wstring> as_strings(const char* member) const {
    if (V_VT(&v_) != (VT_ARRAY | VT_VARIANT)) {
      throw SoakFailure(std::string(member) + " left no array of Variants");
    }
    SAFEARRAY* array = V_ARRAY(&v_);
    LONG low = 0;
    LONG high = -1;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    std::vector<std::wstring> texts;
    for (LONG i = low; i <= high; ++i) {
      Variable element;
      if (SafeArrayGetElement(array, &i, element.get()) != S_OK) {
        throw SoakFailure(std::string(member) + " left an unreadable element");
      }
      texts.push_back(element.as_text(member));
    }
    return texts;
  }

 private:
  void expect_type(VARTYPE type, const char* member) const {
    if (V_VT(&v_) != type) {
      throw SoakFailure(std::string(member) + " gave a Variant of type " +
                        std::to_string(V_VT(&v_)) + ", not " + std::to_string(type));
    }
  }

  VARIANT v_;
};

class ScriptClient : public Client {
 public:
  explicit ScriptClient(const Objects& objects) : o_(objects) {}

  bool debug_app(long window, bool on) override {
    Variable handle = Variable::number(window);
    Variable mode = Variable::boolean(on);
    return call(o_.ide, "DebugApp", {&handle, &mode}).as_bool("DebugApp");
  }
  bool connect(long window) override {
    Variable handle = Variable::number(window);
    return call(o_.ide, "Connect", {&handle}).as_bool("Connect");
  }
  bool is_connected() override { return call(o_.ide, "IsConnected").as_bool("IsConnected"); }
  std::wstring path_ide() override { return call(o_.ide, "GetPathIDE").as_text("GetPathIDE"); }
  long page_count() override { return call(o_.ide, "GetPageCount").as_long("GetPageCount"); }
  bool page_by_index(long index, std::wstring& page) override {
    Variable at = Variable::number(index);
    Variable name;  // a fresh variable, Empty until the call fills it
    bool found = call(o_.ide, "GetPageByIndex", {&at, &name}).as_bool("GetPageByIndex");
    if (found) page = name.as_text("GetPageByIndex");
    return found;
  }
  long include_count(const std::wstring& page) override {
    Variable name = Variable::text(page);
    return call(o_.ide, "GetPageIncludeCount", {&name}).as_long("GetPageIncludeCount");
  }
  bool include_by_index(const std::wstring& page, long index, std::wstring& include) override {
    Variable name = Variable::text(page);
    Variable at = Variable::number(index);
    Variable found_include;
    bool found = call(o_.ide, "GetPageIncludeByIndex", {&name, &at, &found_include})
                     .as_bool("GetPageIncludeByIndex");
    if (found) include = found_include.as_text("GetPageIncludeByIndex");
    return found;
  }
  long programmer_count() override {
    return call(o_.ide, "GetProgrammerCount").as_long("GetProgrammerCount");
  }
  bool programmer_by_index(long index, std::wstring& name) override {
    Variable at = Variable::number(index);
    Variable returned;
    bool found =
        call(o_.ide, "GetProgrammerByIndex", {&at, &returned}).as_bool("GetProgrammerByIndex");
    if (found) name = returned.as_text("GetProgrammerByIndex");
    return found;
  }
  void set_page_text(BSTR text) override {
    // The script's variable holds the caller's string, which stays the caller's.
    Variable variable;
    V_VT(variable.get()) = VT_BSTR;
    V_BSTR(variable.get()) = text;
    HRESULT hr = invoke(o_.ide, L"SetPageText", {&variable}, nullptr);
    bool kept = variable.type() == VT_BSTR && V_BSTR(variable.get()) == text;
    if (kept) VariantInit(variable.get());
    counted(hr, "SetPageText");
    if (!kept) throw SoakFailure("SetPageText replaced its argument");
  }
  BSTR page_text() override { return call(o_.ide, "GetPageText").take_text("GetPageText"); }
  void select(long start, long length) override {
    Variable first = Variable::number(start);
    Variable count = Variable::number(length);
    call(o_.ide, "SetPageSelectTextAt", {&first, &count});
  }
  std::wstring selected_text() override {
    return call(o_.ide, "GetPageSelectedText").as_text("GetPageSelectedText");
  }
  void set_cursor(long column, long line) override {
    Variable at_column = Variable::number(column);
    Variable at_line = Variable::number(line);
    call(o_.ide, "SetPageCursorPos", {&at_column, &at_line});
  }
  void cursor(long& line, long& column) override {
    Variable at_line;
    Variable at_column;
    call(o_.ide, "GetPageCursorPos", {&at_line, &at_column});
    line = at_line.coerced_long("GetPageCursorPos");
    column = at_column.coerced_long("GetPageCursorPos");
  }
  void set_version(const std::wstring& page, unsigned char major, unsigned char build) override {
    Variable name = Variable::text(page);
    Variable parts[] = {Variable::number(major), Variable::number(0), Variable::number(0),
                        Variable::number(build)};
    call(o_.ide, "SetPageVersion", {&name, &parts[0], &parts[1], &parts[2], &parts[3]});
  }
  void colour_line(long line, long background, long foreground) override {
    Variable at = Variable::number(line);
    Variable back = Variable::number(background);
    Variable fore = Variable::number(foreground);
    call(o_.ide, "SetPageLineColor", {&at, &back, &fore});
  }
  bool page_info(const std::wstring& page) override {
    Variable name = Variable::text(page);
    return call(o_.page_info, "GetPageInfo", {&name}).as_bool("GetPageInfo");
  }
  PageFacts page_facts() override {
    PageFacts facts;
    facts.display_name = call(o_.page_info, "DisplayName").as_text("DisplayName");
    facts.device = call(o_.page_info, "Device").as_text("Device");
    facts.page_size = call(o_.page_info, "PageSize").as_long("PageSize");
    facts.version_major = call(o_.page_info, "VersionMajor").as_byte("VersionMajor");
    facts.version_build = call(o_.page_info, "VersionBuild").as_byte("VersionBuild");
    return facts;
  }
  bool programmer_info(const std::wstring& name) override {
    Variable programmer = Variable::text(name);
    return call(o_.programmer_info, "GetProgrammerInfo", {&programmer})
        .as_bool("GetProgrammerInfo");
  }
  ProgrammerFacts programmer_facts() override {
    return {call(o_.programmer_info, "Path").as_text("Path"),
            call(o_.programmer_info, "Params").as_text("Params")};
  }
  std::vector<std::wstring> lines_of(const std::wstring& text) override {
    Variable page_text = Variable::text(text);
    Variable lines;
    call(o_.tools, "Parse_GetLinesArray", {&page_text, &lines});
    return lines.as_strings("Parse_GetLinesArray");
  }
  bool file_exists(const std::wstring& path) override {
    Variable name = Variable::text(path);
    return call(o_.tools, "FileExists", {&name}).as_bool("FileExists");
  }
  bool path_exists(const std::wstring& path) override {
    Variable name = Variable::text(path);
    return call(o_.tools, "PathExists", {&name}).as_bool("PathExists");
  }
  bool ide_running() override {
    return call(o_.tools, "IsKorvexIdeRunning").as_bool("IsKorvexIdeRunning");
  }

 private:
  static std::wstring wide(const char* name) {
    return std::wstring(name, name + std::strlen(name));
  }

  // Looks the member up by name and invokes it with references to the variables.
  HRESULT invoke(IDispatch* object, const std::wstring& name, std::initializer_list<Variable*> args,
                 VARIANT* result) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr != S_OK) return hr;
    std::vector<VARIANT> references(args.size());
    std::size_t at = args.size();
    for (Variable* variable : args) {  // a script passes its arguments last first
      --at;
      V_VT(&references[at]) = VT_BYREF | VT_VARIANT;
      V_VARIANTREF(&references[at]) = variable->get();
    }
    DISPPARAMS params{references.data(), nullptr, static_cast<UINT>(references.size()), 0};
    EXCEPINFO exception{};
    UINT argument_error = 0;
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result,
                        &exception, &argument_error);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
  }

  Variable call(IDispatch* object, const char* member, std::initializer_list<Variable*> args = {}) {
    Variable result;
    counted(invoke(object, wide(member), args, result.get()), member);
    return result;
  }

  const Objects& o_;
};

}  // namespace

std::unique_ptr<Client> script_client(const Objects& objects) {
  return std::make_unique<ScriptClient>(objects);
}

}  // namespace tavrosk::soak
