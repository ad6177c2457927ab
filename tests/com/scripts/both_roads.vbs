' A plug-in's use of every class, run on the road given as the first argument ("direct" or
' "relay"). Prints a line per failed check; the exit code is the number of failures.
Option Explicit
Dim failures : failures = 0

Sub Check(what, actual, expected)
  If actual <> expected Then
    WScript.Echo "FAIL " & what & ": got [" & actual & "], want [" & expected & "]"
    failures = failures + 1
  End If
End Sub

Dim road : road = WScript.Arguments(0)
Dim ide : Set ide = CreateObject("Tavrosk.VB_PluginLib")
If road = "relay" Then Check "DebugApp", ide.DebugApp(1312, True), True
Check "Connect", ide.Connect(1312), True

' VB_PluginLib: results, and out-parameters filled in script variables.
Check "GetPageCount", ide.GetPageCount(), 2
Dim page, found
found = ide.GetPageByIndex(0, page)
Check "GetPageByIndex", found, True
Check "GetPageByIndex page", page, "C:\Projects\Blink\main.bas"
Dim include
Check "GetPageIncludeByIndex", ide.GetPageIncludeByIndex(page, 1, include), True
Check "GetPageIncludeByIndex include", include, "C:\Korvex\Includes\portb.inc"
Check "SetPage", ide.SetPage(page), True
Check "GetPageText", ide.GetPageText(), "Device = KXA4550" & vbCrLf & "Dim Led As PORTB.0" & _
      vbCrLf & "High Led" & vbCrLf
Dim line, column
ide.SetPageCursorPos 4, 2
ide.GetPageCursorPos line, column
Check "GetPageCursorPos line", line, 2
Check "GetPageCursorPos column", column, 4
Dim programmer
Check "GetProgrammerByIndex", ide.GetProgrammerByIndex(1, programmer), True
Check "GetProgrammerByIndex name", programmer, "ProbeWriter"

' PageInfoLib and ProgInfoLib.
Dim info : Set info = CreateObject("Tavrosk.PageInfoLib")
Check "GetPageInfo", info.GetPageInfo(page), True
Check "DisplayName", info.DisplayName(), "main.bas"
Check "Device", info.Device(), "KX-A4550"
Check "OSC", info.OSC(), 20
Dim prog : Set prog = CreateObject("Tavrosk.ProgInfoLib")
Check "GetProgrammerInfo", prog.GetProgrammerInfo(programmer), True
Check "ProgInfo Path", prog.Path(), "C:\Programmers\ProbeWriter\"
Check "ProgInfo HookFilename", prog.HookFilename(), "hook.txt"

' PlugInToolsLib: lines into a script array, folders and files.
Dim tools : Set tools = CreateObject("Tavrosk.PlugInToolsLib")
Dim text, lines
text = "first" & vbCrLf & "second"
tools.Parse_GetLinesArray text, lines
Check "lines", Join(lines, "|"), "first|second"
Check "lines lower bound", LBound(lines), 0
Check "text with CR LF", text, "first" & vbCrLf & "second" & vbCrLf
ReDim resized(5)
tools.Parse_GetLinesArray "one", resized
Check "resized lines", UBound(resized), 0

Dim folder : folder = "C:\windows\temp\tavrosk_" & road & "\a\b"
Check "CreatePath", IsEmpty(tools.CreatePath(folder)), True
Check "PathExists", tools.PathExists(folder), True
Check "PathExists with separator", tools.PathExists(folder & "\"), True
Check "FileExists of a folder", tools.FileExists(folder), True
Check "FileExists missing", tools.FileExists(folder & "\nothing.txt"), False
Check "IsKorvexIdeRunning", tools.IsKorvexIdeRunning(), True

WScript.Quit failures
