' Every direct member in a process that cannot load the plug-in manager library (a 64-bit
' script host beside the IDE's 32-bit Zavoplex.dll, or none at all): each fails with error 53
' from Tavrosk and leaves its out-variables alone, while the local tools still work. Prints a
' line per failed check; the exit code is the number of failures.
Option Explicit
Dim failures : failures = 0
Dim ide : Set ide = CreateObject("Tavrosk.VB_PluginLib")
Dim info : Set info = CreateObject("Tavrosk.PageInfoLib")
Dim prog : Set prog = CreateObject("Tavrosk.ProgInfoLib")
Dim tools : Set tools = CreateObject("Tavrosk.PlugInToolsLib")
Dim name, line, column, top, count
name = "kept" : line = 7 : column = 8 : top = 9 : count = 10

' Runs after each call, with the call's error still in Err.
Sub ExpectMissingLibrary(what)
  If Err.Number <> 53 Or Err.Source <> "Tavrosk" Then
    WScript.Echo "FAIL " & what & ": Err " & Err.Number & " from [" & Err.Source & "]"
    failures = failures + 1
  End If
  Err.Clear
End Sub

On Error Resume Next
ide.Connect 1312 : ExpectMissingLibrary "ide.Connect 1312"
ide.Disconnect : ExpectMissingLibrary "ide.Disconnect"
ide.IsConnected : ExpectMissingLibrary "ide.IsConnected"
ide.GetPathIDE : ExpectMissingLibrary "ide.GetPathIDE"
ide.SetForegroundWindow : ExpectMissingLibrary "ide.SetForegroundWindow"
ide.IDELock : ExpectMissingLibrary "ide.IDELock"
ide.IDEUnlock : ExpectMissingLibrary "ide.IDEUnlock"
ide.GetPathPlugin : ExpectMissingLibrary "ide.GetPathPlugin"
ide.GetPathCompiler : ExpectMissingLibrary "ide.GetPathCompiler"
ide.ExecuteCompile : ExpectMissingLibrary "ide.ExecuteCompile"
ide.ExecuteCompileAsync : ExpectMissingLibrary "ide.ExecuteCompileAsync"
ide.GetProgrammer : ExpectMissingLibrary "ide.GetProgrammer"
ide.GetProgrammerByIndex 0, name : ExpectMissingLibrary "ide.GetProgrammerByIndex 0, name"
ide.GetProgrammerCount : ExpectMissingLibrary "ide.GetProgrammerCount"
ide.IsProgrammerAvailable : ExpectMissingLibrary "ide.IsProgrammerAvailable"
ide.SetProgrammer "ProbeWriter" : ExpectMissingLibrary "ide.SetProgrammer ""ProbeWriter"""
ide.ExecuteProgram : ExpectMissingLibrary "ide.ExecuteProgram"
ide.GetPage : ExpectMissingLibrary "ide.GetPage"
ide.GetPageByIndex 0, name : ExpectMissingLibrary "ide.GetPageByIndex 0, name"
ide.GetPageIncludeByIndex "a.bas", 0, name : ExpectMissingLibrary "ide.GetPageIncludeByIndex ""a.bas"", 0, name"
ide.GetPageText : ExpectMissingLibrary "ide.GetPageText"
ide.GetPageTextRTF : ExpectMissingLibrary "ide.GetPageTextRTF"
ide.GetPageSelectedText : ExpectMissingLibrary "ide.GetPageSelectedText"
ide.SetPage "a.bas" : ExpectMissingLibrary "ide.SetPage ""a.bas"""
ide.GetPageCount : ExpectMissingLibrary "ide.GetPageCount"
ide.GetPageIncludeCount "a.bas" : ExpectMissingLibrary "ide.GetPageIncludeCount ""a.bas"""
ide.SetPageNew "b.bas" : ExpectMissingLibrary "ide.SetPageNew ""b.bas"""
ide.SetPageClear : ExpectMissingLibrary "ide.SetPageClear"
ide.SetPageInsertHeader : ExpectMissingLibrary "ide.SetPageInsertHeader"
ide.SetPageUpdateText "x", True : ExpectMissingLibrary "ide.SetPageUpdateText ""x"", True"
ide.SetPageText "x" : ExpectMissingLibrary "ide.SetPageText ""x"""
ide.SetPageTextAt 0, 0, "x" : ExpectMissingLibrary "ide.SetPageTextAt 0, 0, ""x"""
ide.SetPageSelectTextAt 0, 1 : ExpectMissingLibrary "ide.SetPageSelectTextAt 0, 1"
ide.SetPageCursorPos 1, 2 : ExpectMissingLibrary "ide.SetPageCursorPos 1, 2"
ide.GetPageCursorPos line, column : ExpectMissingLibrary "ide.GetPageCursorPos line, column"
ide.SetPageTopLine 3 : ExpectMissingLibrary "ide.SetPageTopLine 3"
ide.GetPageDisplayLines top, count : ExpectMissingLibrary "ide.GetPageDisplayLines top, count"
ide.SetPageSave "a.bas" : ExpectMissingLibrary "ide.SetPageSave ""a.bas"""
ide.SetPageLoad "a.bas" : ExpectMissingLibrary "ide.SetPageLoad ""a.bas"""
ide.SetPageVersion "a.bas", 1, 2, 3, 4 : ExpectMissingLibrary "ide.SetPageVersion ""a.bas"", 1, 2, 3, 4"
ide.SetPageClose "a.bas" : ExpectMissingLibrary "ide.SetPageClose ""a.bas"""
ide.SetPageCloseAll "new.bas" : ExpectMissingLibrary "ide.SetPageCloseAll ""new.bas"""
ide.SetPageVersionEnabled "a.bas", True : ExpectMissingLibrary "ide.SetPageVersionEnabled ""a.bas"", True"
ide.SetPageLineColor 1, 255, 0 : ExpectMissingLibrary "ide.SetPageLineColor 1, 255, 0"
ide.SetPageLineColorDelete 1 : ExpectMissingLibrary "ide.SetPageLineColorDelete 1"
ide.SetPageLineColorClear : ExpectMissingLibrary "ide.SetPageLineColorClear"
info.GetPageInfo "a.bas" : ExpectMissingLibrary "info.GetPageInfo ""a.bas"""
prog.GetProgrammerInfo "ProbeWriter" : ExpectMissingLibrary "prog.GetProgrammerInfo ""ProbeWriter"""
On Error Goto 0

If name <> "kept" Or line <> 7 Or column <> 8 Or top <> 9 Or count <> 10 Then
  WScript.Echo "FAIL out-variables written: " & name & " " & line & " " & column & " " & top & " " & count
  failures = failures + 1
End If
If Not tools.PathExists("C:\windows") Then
  WScript.Echo "FAIL PathExists without the library"
  failures = failures + 1
End If
WScript.Quit failures
