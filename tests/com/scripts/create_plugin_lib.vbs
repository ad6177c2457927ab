' Creates a VB_PluginLib (which warns when the IDE is not running) and uses it.
Option Explicit
Dim ide : Set ide = CreateObject("Tavrosk.VB_PluginLib")
Dim tools : Set tools = CreateObject("Tavrosk.PlugInToolsLib")
If tools.IsKorvexIdeRunning() Then WScript.Quit 1
WScript.Quit 0
