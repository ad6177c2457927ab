WScript.Echo CLng(CreateObject("Scripting.Dictionary").Exists("key"))
