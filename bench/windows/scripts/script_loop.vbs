' A script's loop of calls on a VB_PluginLib against the same loop on the platform's own
' Scripting.Dictionary, in turns: cscript script_loop.vbs CALLS REPETITIONS
' Prints one line a loop: its name and the seconds that it took.
Option Explicit
Dim calls : calls = CLng(WScript.Arguments(0))
Dim repetitions : repetitions = CLng(WScript.Arguments(1))
Dim ide : Set ide = CreateObject("Tavrosk.VB_PluginLib")
Dim dictionary : Set dictionary = CreateObject("Scripting.Dictionary")
dictionary.Add "key", 1

Sub LoopIsConnected()
  Dim i, answer, started
  started = Timer
  For i = 1 To calls
    answer = ide.IsConnected()
  Next
  WScript.Echo "IsConnected " & CStr(Timer - started)
End Sub

Sub LoopExists()
  Dim i, answer, started
  started = Timer
  For i = 1 To calls
    answer = dictionary.Exists("key")
  Next
  WScript.Echo "Exists " & CStr(Timer - started)
End Sub

Dim repetition
For repetition = 1 To repetitions
  If repetition Mod 2 = 0 Then
    LoopIsConnected
    LoopExists
  Else
    LoopExists
    LoopIsConnected
  End If
Next
