WScript.Echo CLng(CreateObject("Tavrosk.PlugInToolsLib").IsKorvexIdeRunning())
