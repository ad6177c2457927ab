' Makes three windows topmost through VBScript class objects, as a new plug-in would:
'   cscript //nologo form_on_top.vbs VARIABLE_WINDOW PROPERTY_WINDOW METHOD_WINDOW
' a class with a public variable hwnd, one with a Property Get hwnd, and one with a function
' hwnd. Each window has a PlugInToolsLib of its own (the on-top state is the object's). The
' exit code is the number of failures; each failure is printed (the script host prints none).
Option Explicit

Class FormWithVariable
  Public hwnd
End Class

Class FormWithProperty
  Public handle
  Public Property Get hwnd
    hwnd = handle
  End Property
End Class

Class FormWithMethod
  Public handle
  Public Function hwnd()
    hwnd = handle
  End Function
End Class

Dim failures : failures = 0

Sub OnTop(what, form)
  On Error Resume Next
  CreateObject("Tavrosk.PlugInToolsLib").FormAlwaysOnTop form
  If Err.Number <> 0 Then
    WScript.Echo "FAIL " & what & ": " & Err.Number & " " & Err.Description
    failures = failures + 1
  End If
  On Error GoTo 0
End Sub

Dim withVariable : Set withVariable = New FormWithVariable
withVariable.hwnd = CLng(WScript.Arguments(0))
OnTop "a class's variable hwnd", withVariable
Dim withProperty : Set withProperty = New FormWithProperty
withProperty.handle = CLng(WScript.Arguments(1))
OnTop "a class's Property Get hwnd", withProperty
Dim withMethod : Set withMethod = New FormWithMethod
withMethod.handle = CLng(WScript.Arguments(2))
OnTop "a class's function hwnd", withMethod
WScript.Quit failures
