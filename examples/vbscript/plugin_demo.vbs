' A Tavrosk plug-in in VBScript: lists the IDE's pages, reads the active page line by line and
' shows its details. Run it with the script host after registering Tavrosk.dll:
'
'   cscript //nologo plugin_demo.vbs          talks to the IDE directly (inside the IDE)
'   cscript //nologo plugin_demo.vbs debug    relays every call through the VB DEBUGGER
Option Explicit

Dim ide : Set ide = CreateObject("Tavrosk.VB_PluginLib")  ' warns when the IDE is not running
Dim tools : Set tools = CreateObject("Tavrosk.PlugInToolsLib")
Dim info : Set info = CreateObject("Tavrosk.PageInfoLib")

Const kPluginWindow = 1312  ' a plug-in passes its own window's handle
If WScript.Arguments.Count > 0 Then
  If WScript.Arguments(0) = "debug" Then ide.DebugApp kPluginWindow, True
End If
ide.Connect kPluginWindow

' Out-parameters are filled in the script's own variables.
Dim index, page
For index = 0 To ide.GetPageCount() - 1
  If ide.GetPageByIndex(index, page) Then WScript.Echo "page " & index & ": " & page
Next

' The active page's text, split into an array of lines.
Dim text, lines, line
text = ide.GetPageText()
tools.Parse_GetLinesArray text, lines
If Not IsEmpty(lines) Then
  For Each line In lines
    WScript.Echo "  | " & line
  Next
End If

If info.GetPageInfo(ide.GetPage()) Then
  WScript.Echo "device " & info.Device() & ", version " & info.VersionMajor() & "." & _
               info.VersionMinor() & "." & info.VersionRelease() & "." & info.VersionBuild()
End If

' Failures arrive as run-time errors with the source "Tavrosk".
On Error Resume Next
Dim compiled : compiled = ide.ExecuteCompile()
If Err.Number <> 0 Then
  WScript.Echo "compile failed: " & Err.Number & " " & Err.Description & " (" & Err.Source & ")"
Else
  WScript.Echo "compiled: " & compiled
End If
