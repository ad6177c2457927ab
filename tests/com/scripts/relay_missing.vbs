' A Boolean member relayed while the relay tool is not running: Err.Number 13 from "Tavrosk".
Option Explicit
Dim ide : Set ide = CreateObject("Tavrosk.VB_PluginLib")
Dim failures : failures = 0
Dim answer : answer = "unset"
On Error Resume Next
answer = ide.DebugApp(1312, True)
If Err.Number <> 13 Or Err.Source <> "Tavrosk" Or Err.Description <> "Type mismatch" Then
  WScript.Echo "FAIL DebugApp: " & Err.Number & " / " & Err.Source & " / " & Err.Description
  failures = failures + 1
End If
If answer <> "unset" Then failures = failures + 1
Err.Clear
' The debug flag stays set: the next Boolean call is relayed and fails the same way.
answer = ide.IsConnected()
If Err.Number <> 13 Then
  WScript.Echo "FAIL IsConnected: " & Err.Number
  failures = failures + 1
End If
WScript.Quit failures
