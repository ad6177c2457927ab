#pragma once
// VB_PluginLib: the object through which a plug-in drives the IDE. Every member but DebugApp
// routes per call (direct road: the plug-in manager library; relay road: the relay tool).
// Members take in-values by value or const reference and the variables they write by
// reference; each returns its result slot and the call's status.
#include "base/platform_text.h"
#include "base/run_time_error.h"
#include "base/value_types.h"

namespace tavrosk {

class VB_PluginLib {
 public:
  // Warns with "Korvex IDE not running" when the IDE's window is missing; usable either way.
  VB_PluginLib();

  // Session
  Result<VbBool> Connect(Long WinHandle);
  Result<VbBool> Disconnect();
  Result<VbBool> IsConnected();
  Result<VbBool> DebugApp(Long WinHandle, VbBool DebugMode);

  // IDE, compiler and programmers
  Result<Text> GetPathIDE();
  Status SetForegroundWindow();
  Status IDELock();
  Status IDEUnlock();
  Result<Text> GetPathPlugin();
  Result<Text> GetPathCompiler();
  Result<VbBool> ExecuteCompile();
  Status ExecuteCompileAsync();
  Result<Text> GetProgrammer();
  Result<VbBool> GetProgrammerByIndex(Long index, Text& ReturnedName);
  Result<Long> GetProgrammerCount();
  Result<VbBool> IsProgrammerAvailable();
  Result<VbBool> SetProgrammer(const Text& sName);
  Status ExecuteProgram();

  // Page selection and reading
  Result<Text> GetPage();
  Result<VbBool> GetPageByIndex(Long lIndex, Text& sReturnedPage);
  Result<VbBool> GetPageIncludeByIndex(Text& sFileName, Long lIndex, Text& sReturnedInclude);
  // The page's text in the storage that it leaves the library in.
  Result<PlatformText> GetPageText(Long BufferLenght = 0);
  Result<PlatformText> GetPageTextRTF(Long BufferLenght = 0);
  Result<PlatformText> GetPageSelectedText();
  Result<VbBool> SetPage(const Text& sFileName);
  Result<Long> GetPageCount();
  Result<Long> GetPageIncludeCount(const Text& sFileName);

  // Page content editing
  Status SetPageNew(const Text& sFileName);
  Status SetPageClear();
  Status SetPageInsertHeader();
  Status SetPageUpdateText(const Text& sText, VbBool bSaveUpDate);
  Status SetPageText(const Text& sText);
  Status SetPageTextAt(Long lLine, Long lColumn, const Text& sText);
  Status SetPageSelectTextAt(Long lSelStart, Long lSelLenght);
  Status SetPageCursorPos(Long lColumn, Long lLine);
  Status GetPageCursorPos(Long& lLine, Long& lColumn);
  Status SetPageTopLine(Long lLineNumber);
  Status GetPageDisplayLines(Long& lTopline, Long& lLinesInWindow);

  // Page files, versions and line colours
  Result<VbBool> SetPageSave(const Text& sFileName);
  Status SetPageLoad(const Text& sFileName);
  Status SetPageVersion(Text& sFileName, Byte ByMajor, Byte ByMinor, Byte ByRelease, Byte ByBuild);
  Result<VbBool> SetPageClose(const Text& sFileName);
  Result<VbBool> SetPageCloseAll(const Text& sNewPageName);
  Status SetPageVersionEnabled(const Text& sFileName, VbBool bValue);
  Status SetPageLineColor(Long lLineNumber, Long lBackGrdColour, Long lForeGrdColour);
  Status SetPageLineColorDelete(Long lLineNumber);
  Status SetPageLineColorClear();
};

}  // namespace tavrosk
