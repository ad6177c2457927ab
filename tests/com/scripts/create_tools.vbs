' Creates a PlugInToolsLib; the exit code is the creation's Err.Number (0 when it worked).
On Error Resume Next
Set tools = CreateObject("Tavrosk.PlugInToolsLib")
WScript.Quit Err.Number
