#pragma once
// VB_PluginLib as a COM object: each method, an entry point through `deliver`, converts its
// arguments and calls the core member.
#include "bridge/vb_plugin_lib.h"

#include "com/dual_object.h"
#include "com/member_call.h"
#include "tavrosk.h"

namespace tavrosk::com {

class VbPluginLibObject final : public DualObject<_VB_PluginLib, VB_PluginLib> {
 public:
  // Session
  HRESULT STDMETHODCALLTYPE Connect(long* WinHandle, VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.Connect(long_in(WinHandle)); });
  }
  HRESULT STDMETHODCALLTYPE Disconnect(VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.Disconnect(); });
  }
  HRESULT STDMETHODCALLTYPE IsConnected(VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.IsConnected(); });
  }
  HRESULT STDMETHODCALLTYPE DebugApp(long* WinHandle, VARIANT_BOOL* DebugMode,
                                     VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.DebugApp(long_in(WinHandle), bool_in(DebugMode)); });
  }

  // IDE, compiler and programmers
  HRESULT STDMETHODCALLTYPE GetPathIDE(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.GetPathIDE(); });
  }
  HRESULT STDMETHODCALLTYPE SetForegroundWindow() noexcept override {
    return deliver([&] { return core_.SetForegroundWindow(); });
  }
  HRESULT STDMETHODCALLTYPE IDELock() noexcept override {
    return deliver([&] { return core_.IDELock(); });
  }
  HRESULT STDMETHODCALLTYPE IDEUnlock() noexcept override {
    return deliver([&] { return core_.IDEUnlock(); });
  }
  HRESULT STDMETHODCALLTYPE GetPathPlugin(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.GetPathPlugin(); });
  }
  HRESULT STDMETHODCALLTYPE GetPathCompiler(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.GetPathCompiler(); });
  }
  HRESULT STDMETHODCALLTYPE ExecuteCompile(VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.ExecuteCompile(); });
  }
  HRESULT STDMETHODCALLTYPE ExecuteCompileAsync() noexcept override {
    return deliver([&] { return core_.ExecuteCompileAsync(); });
  }
  HRESULT STDMETHODCALLTYPE GetProgrammer(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.GetProgrammer(); });
  }
  HRESULT STDMETHODCALLTYPE GetProgrammerByIndex(long* index, BSTR* ReturnedName,
                                                 VARIANT_BOOL* result) noexcept override {
    return deliver(
        result, [&] { return core_.GetProgrammerByIndex(long_in(index), TextRef(ReturnedName)); });
  }
  HRESULT STDMETHODCALLTYPE GetProgrammerCount(long* result) noexcept override {
    return deliver(result, [&] { return core_.GetProgrammerCount(); });
  }
  HRESULT STDMETHODCALLTYPE IsProgrammerAvailable(VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.IsProgrammerAvailable(); });
  }
  HRESULT STDMETHODCALLTYPE SetProgrammer(BSTR* sName, VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.SetProgrammer(text_in(sName)); });
  }
  HRESULT STDMETHODCALLTYPE ExecuteProgram() noexcept override {
    return deliver([&] { return core_.ExecuteProgram(); });
  }

  // Page selection and reading
  HRESULT STDMETHODCALLTYPE GetPage(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.GetPage(); });
  }
  HRESULT STDMETHODCALLTYPE GetPageByIndex(long* lIndex, BSTR* sReturnedPage,
                                           VARIANT_BOOL* result) noexcept override {
    return deliver(result,
                   [&] { return core_.GetPageByIndex(long_in(lIndex), TextRef(sReturnedPage)); });
  }
  HRESULT STDMETHODCALLTYPE GetPageIncludeByIndex(BSTR* sFileName, long* lIndex,
                                                  BSTR* sReturnedInclude,
                                                  VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] {
      return core_.GetPageIncludeByIndex(TextRef(sFileName), long_in(lIndex),
                                         TextRef(sReturnedInclude));
    });
  }
  HRESULT STDMETHODCALLTYPE GetPageText(long* BufferLenght, BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.GetPageText(optional_long_in(BufferLenght, 0)); });
  }
  HRESULT STDMETHODCALLTYPE GetPageTextRTF(long* BufferLenght, BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.GetPageTextRTF(optional_long_in(BufferLenght, 0)); });
  }
  HRESULT STDMETHODCALLTYPE GetPageSelectedText(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.GetPageSelectedText(); });
  }
  HRESULT STDMETHODCALLTYPE SetPage(BSTR* sFileName, VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.SetPage(text_in(sFileName)); });
  }
  HRESULT STDMETHODCALLTYPE GetPageCount(long* result) noexcept override {
    return deliver(result, [&] { return core_.GetPageCount(); });
  }
  HRESULT STDMETHODCALLTYPE GetPageIncludeCount(BSTR* sFileName, long* result) noexcept override {
    return deliver(result, [&] { return core_.GetPageIncludeCount(text_in(sFileName)); });
  }

  // Page content editing
  HRESULT STDMETHODCALLTYPE SetPageNew(BSTR* sFileName) noexcept override {
    return deliver([&] { return core_.SetPageNew(text_in(sFileName)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageClear() noexcept override {
    return deliver([&] { return core_.SetPageClear(); });
  }
  HRESULT STDMETHODCALLTYPE SetPageInsertHeader() noexcept override {
    return deliver([&] { return core_.SetPageInsertHeader(); });
  }
  HRESULT STDMETHODCALLTYPE SetPageUpdateText(BSTR* sText,
                                              VARIANT_BOOL* bSaveUpDate) noexcept override {
    return deliver([&] { return core_.SetPageUpdateText(text_in(sText), bool_in(bSaveUpDate)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageText(BSTR* sText) noexcept override {
    return deliver([&] { return core_.SetPageText(text_in(sText)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageTextAt(long* lLine, long* lColumn,
                                          BSTR* sText) noexcept override {
    return deliver(
        [&] { return core_.SetPageTextAt(long_in(lLine), long_in(lColumn), text_in(sText)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageSelectTextAt(long* lSelStart,
                                                long* lSelLenght) noexcept override {
    return deliver(
        [&] { return core_.SetPageSelectTextAt(long_in(lSelStart), long_in(lSelLenght)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageCursorPos(long* lColumn, long* lLine) noexcept override {
    return deliver([&] { return core_.SetPageCursorPos(long_in(lColumn), long_in(lLine)); });
  }
  HRESULT STDMETHODCALLTYPE GetPageCursorPos(long* lLine, long* lColumn) noexcept override {
    return deliver([&] { return core_.GetPageCursorPos(LongRef(lLine), LongRef(lColumn)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageTopLine(long* lLineNumber) noexcept override {
    return deliver([&] { return core_.SetPageTopLine(long_in(lLineNumber)); });
  }
  HRESULT STDMETHODCALLTYPE GetPageDisplayLines(long* lTopline,
                                                long* lLinesInWindow) noexcept override {
    return deliver(
        [&] { return core_.GetPageDisplayLines(LongRef(lTopline), LongRef(lLinesInWindow)); });
  }

  // Page files, versions and line colours
  HRESULT STDMETHODCALLTYPE SetPageSave(BSTR* sFileName, VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.SetPageSave(text_in(sFileName)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageLoad(BSTR* sFileName) noexcept override {
    return deliver([&] { return core_.SetPageLoad(text_in(sFileName)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageVersion(BSTR* sFileName, unsigned char* ByMajor,
                                           unsigned char* ByMinor, unsigned char* ByRelease,
                                           unsigned char* ByBuild) noexcept override {
    return deliver([&] {
      return core_.SetPageVersion(TextRef(sFileName), byte_in(ByMajor), byte_in(ByMinor),
                                  byte_in(ByRelease), byte_in(ByBuild));
    });
  }
  HRESULT STDMETHODCALLTYPE SetPageClose(BSTR* sFileName, VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.SetPageClose(text_in(sFileName)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageCloseAll(BSTR* sNewPageName,
                                            VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.SetPageCloseAll(text_in(sNewPageName)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageVersionEnabled(BSTR* sFileName,
                                                  VARIANT_BOOL* bValue) noexcept override {
    return deliver(
        [&] { return core_.SetPageVersionEnabled(text_in(sFileName), bool_in(bValue)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageLineColor(long* lLineNumber, long* lBackGrdColour,
                                             long* lForeGrdColour) noexcept override {
    return deliver([&] {
      return core_.SetPageLineColor(long_in(lLineNumber), long_in(lBackGrdColour),
                                    long_in(lForeGrdColour));
    });
  }
  HRESULT STDMETHODCALLTYPE SetPageLineColorDelete(long* lLineNumber) noexcept override {
    return deliver([&] { return core_.SetPageLineColorDelete(long_in(lLineNumber)); });
  }
  HRESULT STDMETHODCALLTYPE SetPageLineColorClear() noexcept override {
    return deliver([&] { return core_.SetPageLineColorClear(); });
  }
};

}  // namespace tavrosk::com
