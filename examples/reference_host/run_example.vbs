' Tries plugin.vbs against the reference host on both roads and checks what the host saw.
' Run it in the folder that holds Tavrosk.dll, Zavoplex.dll and korvex_relay_tool.exe
' (build/win32/bin), so that the plug-in finds Zavoplex.dll:
'
'   cscript //nologo <this folder>\run_example.vbs
'
' What it writes goes to the folder example_output beside them. Prints a line per failed
' check; the exit code is the number of failures.
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

' Runs a command to its end; returns the exec object (exit code, output).
Function RunToEnd(command)
  Dim exec : Set exec = shell.Exec(command)
  Dim output : output = ""
  Do While exec.Status = 0
    If Not exec.StdOut.AtEndOfStream Then output = output & exec.StdOut.ReadAll()
    WScript.Sleep 50
  Loop
  output = output & exec.StdOut.ReadAll()
  If Len(output) > 0 Then WScript.Echo output
  Set RunToEnd = exec
End Function

Function Plugin(script, arguments)
  Set Plugin = RunToEnd("cscript //nologo " & Quoted(script) & " " & arguments)
End Function

' Starts the host program, hidden, and waits until it has written its first saved state
' (its windows are up by then).
Function StartHost(options, saved)
  If fso.FileExists(saved) Then fso.DeleteFile saved
  Dim exec : Set exec = shell.Exec(host & " --hidden --save-state " & Quoted(saved) & " " & options)
  Dim waited
  For waited = 1 To 300
    If fso.FileExists(saved) Or exec.Status <> 0 Then Exit For
    WScript.Sleep 50
  Next
  Check "host program started", fso.FileExists(saved), exec.StdErr.ReadAll()
  Set StartHost = exec
End Function

Sub StopHost(exec)
  If exec.Status = 0 Then exec.Terminate
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
shell.Run "regsvr32 /s Tavrosk.dll", 0, True
Dim seed : seed = here & "\seed.json"
Dim plugin_script : plugin_script = here & "\plugin.vbs"
Dim exec, program, saved, log

' 1. The relay road: every call a line to the host program's relay window.
saved = Fresh("host_relay_state.json") : log = Fresh("host_relay.log")
Set program = StartHost("--state " & Quoted(seed) & " --log " & Quoted(log), saved)
Set exec = Plugin(plugin_script, "relay")
Check "relay road", exec.ExitCode = 0, exec.ExitCode & " failed checks"
StopHost program
Check "relay: the saved state shows the edit", Contains(saved, "' checked on the relay road"), saved
Check "relay: the log shows the lines", Contains(log, " line 3 ") And _
      Contains(log, "GetPageIncludeByIndex//::^x4242//::^xC:\\Projects\\Thermo\\thermo.bas"), log
Check "relay: the log shows the replies", Contains(log, " reply C:\\Korvex\\"), log

' 2. The direct road while the host program runs: Zavoplex.dll hands each call to it.
saved = Fresh("host_direct_state.json") : log = Fresh("host_direct.log")
Set program = StartHost("--state " & Quoted(seed) & " --log " & Quoted(log), saved)
Set exec = Plugin(plugin_script, "direct")
Check "direct road, host program", exec.ExitCode = 0, exec.ExitCode & " failed checks"
StopHost program
Check "direct: the saved state shows the edit", Contains(saved, "' checked on the direct road"), saved
Check "direct: the log shows the export calls", _
      Contains(log, " call GetPageIncludeByIndex(""C:\\Projects\\Thermo\\thermo.bas"", 0, &, "), log

' 3. The direct road on Zavoplex.dll alone, seeded and logged by the environment. The plug-in
' library warns once that no IDE window runs ("Korvex IDE not running").
Dim environment : Set environment = shell.Environment("Process")
saved = Fresh("dll_state.json") : log = Fresh("dll_exports.log")
environment("KORVEX_REFERENCE_STATE") = seed
environment("KORVEX_REFERENCE_LOG") = log
environment("KORVEX_REFERENCE_STATE_OUT") = saved
Set exec = Plugin(plugin_script, "direct")
Check "direct road, Zavoplex.dll alone", exec.ExitCode = 0, exec.ExitCode & " failed checks"
Check "alone: the saved state shows the edit", Contains(saved, "' checked on the direct road"), saved
Check "alone: the log shows the export calls", _
      Contains(log, "GetPageInfo(""C:\\Projects\\Thermo\\thermo.bas"", &) = 1"), log

' 4. A malformed state file: refused with its place, and a non-zero exit.
environment("KORVEX_REFERENCE_STATE") = here & "\broken.json"
Set exec = Plugin(plugin_script, "direct")
Check "alone: a broken state file ends the plug-in", exec.ExitCode = 3, exec.ExitCode
Check "alone: the message names the place", InStr(exec.StdErr.ReadAll(), "broken.json:3:") > 0, ""
environment.Remove "KORVEX_REFERENCE_STATE"
environment.Remove "KORVEX_REFERENCE_LOG"
environment.Remove "KORVEX_REFERENCE_STATE_OUT"
Set exec = RunToEnd(host & " --hidden --state " & Quoted(here & "\broken.json"))
Check "host: a broken state file is refused", exec.ExitCode <> 0, exec.ExitCode
Check "host: the message names the place", InStr(exec.StdErr.ReadAll(), "broken.json:3:") > 0, ""

' 5. Scripted replies make the members fail as the replies dictate.
saved = Fresh("host_replies_state.json")
Set program = StartHost("--state " & Quoted(seed) & " --replies " & Quoted(here & "\replies.json"), saved)
Set exec = Plugin(plugin_script, "replies")
Check "scripted replies", exec.ExitCode = 0, exec.ExitCode & " failed checks"
StopHost program

' 6. The demo plug-in on both roads with the host program running: no box, the same output.
Dim demo : demo = here & "\..\vbscript\plugin_demo.vbs"
Dim boxes : boxes = BoxCount()
Set program = StartHost("", Fresh("host_demo_state.json"))
Dim direct_output : direct_output = shell.Exec("cscript //nologo " & Quoted(demo)).StdOut.ReadAll()
Dim relay_output : relay_output = shell.Exec("cscript //nologo " & Quoted(demo) & " debug").StdOut.ReadAll()
StopHost program
Check "demo: some output", Len(direct_output) > 0, "none"
Check "demo: the same output on both roads", direct_output = relay_output, _
      vbCrLf & direct_output & "----" & vbCrLf & relay_output
Check "demo: no message box", BoxCount() = boxes, BoxCount() - boxes & " boxes"

If failures = 0 Then WScript.Echo "the plug-in passed on both roads; see " & out
WScript.Quit failures
