' Tries plugin.vbs against the reference host on both roads and checks what the host saw.
' Run it in the folder that holds Tavrosk.dll, Zavoplex.dll and korvex_relay_tool.exe
' (build/win32/bin), so that the plug-in finds Zavoplex.dll:
'
'   cscript //nologo <this folder>\run_example.vbs
'
' What it writes goes to the folder example_output beside them. Prints a line per failed
' check and, at the end, whether all passed; the exit code is the number of failures. It uses
' only what every script host offers (Run and files).
Option Explicit
Dim shell : Set shell = CreateObject("WScript.Shell")
Dim fso : Set fso = CreateObject("Scripting.FileSystemObject")
Dim here : here = fso.GetParentFolderName(WScript.ScriptFullName)
Dim bin : bin = shell.CurrentDirectory
Dim out : out = bin & "\example_output"
Dim host : host = """" & bin & "\korvex_relay_tool.exe"""
Dim failures : failures = 0

Sub Check(what, ok, detail)
  If Not ok Then
    WScript.Echo "FAIL " & what & ": " & detail
    failures = failures + 1
  End If
End Sub

Function Quoted(path)
  Quoted = """" & path & """"
End Function

Function ReadFile(path)
  ReadFile = ""
  If fso.FileExists(path) Then
    If fso.GetFile(path).Size > 0 Then ReadFile = fso.OpenTextFile(path).ReadAll()
  End If
End Function

Function Contains(path, text)
  Contains = InStr(ReadFile(path), text) > 0
End Function

' Waits a moment. (Some script hosts lack WScript.Sleep.)
Sub Pause(seconds)
  Dim deadline : deadline = Timer + seconds
  Do While Timer < deadline And Timer > deadline - 86000
  Loop
End Sub

' Runs a command hidden and waits for it; returns its exit code.
Function RunToEnd(command)
  RunToEnd = shell.Run(command, 0, True)
End Function

Function Plugin(script, arguments)
  Plugin = RunToEnd("cscript //nologo " & Quoted(script) & " " & arguments)
  If Plugin <> 0 Then WScript.Echo "  (" & arguments & " run: exit code " & Plugin & ")"
End Function

' Starts the host program, hidden, and waits until it has written its first saved state
' (its windows are up by then).
Sub StartHost(options, saved)
  shell.Run host & " --hidden --save-state " & Quoted(saved) & " " & options, 0, False
  Dim waited
  For waited = 1 To 300
    If fso.FileExists(saved) Then Exit For
    Pause 0.05
  Next
  Check "host program started", fso.FileExists(saved), saved
End Sub

Sub StopHost()
  Check "host program closed", RunToEnd(host & " --close") = 0, ""
End Sub

Function Fresh(name)
  Dim path : path = out & "\" & name
  If fso.FileExists(path) Then fso.DeleteFile path
  Fresh = path
End Function

' The message boxes the test runner's watcher answered (none when it does not run).
Function BoxCount()
  Dim record : record = shell.ExpandEnvironmentStrings("%TEMP%") & "\tavrosk_message_boxes.txt"
  BoxCount = UBound(Split(ReadFile(record), vbLf))
End Function

If Not fso.FolderExists(out) Then fso.CreateFolder out
RunToEnd "regsvr32 /s Tavrosk.dll"
Dim seed : seed = here & "\seed.json"
Dim plugin_script : plugin_script = here & "\plugin.vbs"
Dim code, saved, log

' 1. The relay road: every call a line to the host program's relay window.
saved = Fresh("host_relay_state.json") : log = Fresh("host_relay.log")
StartHost "--state " & Quoted(seed) & " --log " & Quoted(log), saved
Check "relay road", Plugin(plugin_script, "relay") = 0, "failed checks"
StopHost
Check "relay: the saved state shows the edit", Contains(saved, "' checked on the relay road"), saved
Check "relay: the log shows the lines", Contains(log, " line 3 ") And _
      Contains(log, "GetPageIncludeByIndex//::^x4242//::^xC:\\Projects\\Thermo\\thermo.bas"), log
Check "relay: the log shows the replies", Contains(log, " reply C:\\Korvex\\"), log

' 2. The direct road while the host program runs: Zavoplex.dll hands each call to it.
saved = Fresh("host_direct_state.json") : log = Fresh("host_direct.log")
StartHost "--state " & Quoted(seed) & " --log " & Quoted(log), saved
Check "direct road, host program", Plugin(plugin_script, "direct") = 0, "failed checks"
StopHost
Check "direct: the saved state shows the edit", Contains(saved, "' checked on the direct road"), saved
Check "direct: the log shows the export calls", _
      Contains(log, " call GetPageIncludeByIndex(""C:\\Projects\\Thermo\\thermo.bas"", 0, &, "), log

' 3. The direct road on Zavoplex.dll alone, seeded and logged by the environment. The plug-in
' library warns once that no IDE window runs ("Korvex IDE not running").
Function PluginAlone(state, log, saved)
  PluginAlone = RunToEnd("cmd /c set KORVEX_REFERENCE_STATE=" & state & _
                         "&& set KORVEX_REFERENCE_LOG=" & log & _
                         "&& set KORVEX_REFERENCE_STATE_OUT=" & saved & _
                         "&& cscript //nologo " & Quoted(plugin_script) & " direct")
End Function

saved = Fresh("dll_state.json") : log = Fresh("dll_exports.log")
code = PluginAlone(seed, log, saved)
Check "direct road, Zavoplex.dll alone", code = 0, code & " failed checks"
Check "alone: the saved state shows the edit", Contains(saved, "' checked on the direct road"), saved
Check "alone: the log shows the export calls", _
      Contains(log, "GetPageInfo(""C:\\Projects\\Thermo\\thermo.bas"", &) = 1"), log

' 4. A malformed state file: refused with its place, and a non-zero exit.
Dim broken : broken = here & "\broken.json"
log = Fresh("dll_broken.log")
code = PluginAlone(broken, log, Fresh("dll_broken_state.json"))
Check "alone: a broken state file ends the plug-in", code = 3, code
Check "alone: the message names the place", Contains(log, "broken.json:3:"), log
log = Fresh("host_broken.log")
code = RunToEnd(host & " --hidden --state " & Quoted(broken) & " --log " & Quoted(log))
Check "host: a broken state file is refused", code = 2, code
Check "host: the message names the place", Contains(log, "broken.json:3:"), log

' 5. Scripted replies make the members fail as the replies dictate.
StartHost "--state " & Quoted(seed) & " --replies " & Quoted(here & "\replies.json"), _
          Fresh("host_replies_state.json")
Check "scripted replies", Plugin(plugin_script, "replies") = 0, "failed checks"
StopHost

' 6. The demo plug-in on both roads with the host program running: no box, the same output.
' Run from the output folder by relative names, so that its output can be caught in a file.
fso.CopyFile here & "\..\vbscript\plugin_demo.vbs", out & "\", True
Dim boxes : boxes = BoxCount()
StartHost "", Fresh("host_demo_state.json")
Fresh "demo_direct.txt" : Fresh "demo_relay.txt"
RunToEnd "cmd /c cscript //nologo example_output\plugin_demo.vbs > example_output\demo_direct.txt"
RunToEnd "cmd /c cscript //nologo example_output\plugin_demo.vbs debug > example_output\demo_relay.txt"
StopHost
Dim direct_output : direct_output = ReadFile(out & "\demo_direct.txt")
Dim relay_output : relay_output = ReadFile(out & "\demo_relay.txt")
Check "demo: some output", InStr(direct_output, "page 0: ") > 0, direct_output
Check "demo: the same output on both roads", direct_output = relay_output, _
      vbCrLf & direct_output & "----" & vbCrLf & relay_output
Check "demo: no message box", BoxCount() = boxes, BoxCount() - boxes & " boxes"

If failures = 0 Then WScript.Echo "the plug-in passed on both roads; see " & out
WScript.Quit failures
