' A small plug-in, tried against the reference host seeded with seed.json. It reads the
' seeded paths, pages, includes, page details and programmers, then adds a line to the active
' page. Prints a line per failed check; the exit code is the number of failures.
'
'   cscript //nologo plugin.vbs direct     the plug-in manager library Zavoplex.dll
'   cscript //nologo plugin.vbs relay      every call relayed through the host program
'   cscript //nologo plugin.vbs replies    relayed, against the host's scripted replies.json
Option Explicit
Dim failures : failures = 0

Sub Check(what, actual, expected)
  If actual <> expected Then
    WScript.Echo "FAIL " & what & ": got [" & actual & "], want [" & expected & "]"
    failures = failures + 1
  End If
End Sub

Const kPluginWindow = 4242
Dim road : road = WScript.Arguments(0)
Dim ide : Set ide = CreateObject("Tavrosk.VB_PluginLib")
If road <> "direct" Then ide.DebugApp kPluginWindow, True

If road = "replies" Then
  ' replies.json answers IsConnected with "maybe", which is no Boolean: error 13; a page
  ' count that overflows a Long: error 6; and an empty path.
  On Error Resume Next
  Dim connected : connected = ide.IsConnected()
  Check "IsConnected error", Err.Number, 13
  Check "IsConnected source", Err.Source, "Tavrosk"
  Err.Clear
  Dim count : count = ide.GetPageCount()
  Check "GetPageCount error", Err.Number, 6
  Err.Clear
  Check "GetPathIDE", ide.GetPathIDE(), ""
  Check "no other error", Err.Number, 0
  WScript.Quit failures
End If

Check "Connect", ide.Connect(kPluginWindow), True
Check "GetPathIDE", ide.GetPathIDE(), "C:\Korvex\"
Check "GetPathCompiler", ide.GetPathCompiler(), "C:\Korvex\Compiler\"

Const kMain = "C:\Projects\Thermo\thermo.bas"
Check "GetPageCount", ide.GetPageCount(), 2
Dim page
Check "GetPageByIndex", ide.GetPageByIndex(1, page), True
Check "GetPageByIndex page", page, "C:\Projects\Thermo\display.inc"
Check "GetPage", ide.GetPage(), kMain
Check "GetPageIncludeCount", ide.GetPageIncludeCount(kMain), 2
Dim include
Check "GetPageIncludeByIndex", ide.GetPageIncludeByIndex(kMain, 0, include), True
Check "GetPageIncludeByIndex include", include, "C:\Korvex\Includes\adc.inc"

Dim info : Set info = CreateObject("Tavrosk.PageInfoLib")
Check "GetPageInfo", info.GetPageInfo(kMain), True
Check "Device", info.Device(), "KX-B2210"
Check "DeviceCore", info.DeviceCore(), 18
Check "OSC", info.OSC(), 8
Check "FilenameHEX", info.FilenameHEX(), "C:\Projects\Thermo\thermo.hex"
Check "Version", info.VersionMajor() & "." & info.VersionMinor() & "." & _
      info.VersionRelease() & "." & info.VersionBuild(), "2.1.0.17"

Check "GetProgrammerCount", ide.GetProgrammerCount(), 2
Check "GetProgrammer", ide.GetProgrammer(), "FieldFlash"
Dim programmer
Check "GetProgrammerByIndex", ide.GetProgrammerByIndex(0, programmer), True
Dim prog : Set prog = CreateObject("Tavrosk.ProgInfoLib")
Check "GetProgrammerInfo", prog.GetProgrammerInfo(programmer), True
Check "ProgInfo Path", prog.Path(), "C:\Programmers\BenchWriter\"
Check "ProgInfo HookFilename", prog.HookFilename(), "bench_hook.txt"

' The edit: a comment line after the last line, which the saved state shows.
ide.SetPageTextAt 3, 0, "' checked on the " & road & " road"
Check "edited text", ide.GetPageText(), "Device = KX-B2210" & vbCrLf & "Dim Reading As Word" & _
      vbCrLf & "Reading = ADIn 0" & vbCrLf & "' checked on the " & road & " road"

WScript.Quit failures
