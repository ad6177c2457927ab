' A script's loops of calls on Tavrosk's objects against the same loop on the platform's own
' Scripting.Dictionary, in turns: cscript script_loop.vbs REPETITIONS MILLISECONDS
' Each loop is called once, then its calls are doubled until one run of it lasts MILLISECONDS
' (the script's timer ticks in steps of milliseconds), then every repetition runs each loop
' once, in an order that turns round each time, and prints one line a loop: its name, the
' seconds and the calls.
Option Explicit
Dim repetitions : repetitions = CLng(WScript.Arguments(0))
Dim least : least = CLng(WScript.Arguments(1)) / 1000
Dim ide : Set ide = CreateObject("Tavrosk.VB_PluginLib")
Dim info : Set info = CreateObject("Tavrosk.PageInfoLib")
Dim dictionary : Set dictionary = CreateObject("Scripting.Dictionary")
dictionary.Add "key", 1
Dim names : names = Array("IsConnected", "OSC", "Exists")

Function Seconds(name, calls)
  Dim i, answer, started
  started = Timer
  Select Case name
    Case "IsConnected"
      For i = 1 To calls : answer = ide.IsConnected() : Next
    Case "OSC"
      For i = 1 To calls : answer = info.OSC : Next
    Case Else
      For i = 1 To calls : answer = dictionary.Exists("key") : Next
  End Select
  Seconds = Timer - started
  If Seconds < 0 Then Seconds = Seconds + 86400  ' past midnight
End Function

Dim calls : Set calls = CreateObject("Scripting.Dictionary")
Dim name, repetition, index
For Each name In names
  Seconds name, 1  ' a first call may load what later calls reuse, the IDE's library
  calls(name) = 1
  Do While Seconds(name, calls(name)) < least
    calls(name) = calls(name) * 2
  Loop
Next
For repetition = 1 To repetitions
  For index = 0 To UBound(names)
    If repetition Mod 2 = 0 Then name = names(index) Else name = names(UBound(names) - index)
    WScript.Echo name & " " & CStr(Seconds(name, calls(name))) & " " & CStr(calls(name))
  Next
Next
