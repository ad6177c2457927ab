Attribute VB_Name = "FirstPlugin"
' A first Tavrosk plug-in in VB6 or VBA, early bound. Add the reference "Tavrosk" first
' (VB6: Project > References; VBA: Tools > References), then call RunPlugin from your form:
'
'   RunPlugin Me.hWnd, False   ' inside the Korvex IDE: every call goes to the IDE directly
'   RunPlugin Me.hWnd, True    ' while developing: every call is relayed by the VB DEBUGGER
Option Explicit

Public Sub RunPlugin(ByVal PluginWindow As Long, ByVal Relayed As Boolean)
    Dim ide As New Tavrosk.VB_PluginLib    ' warns when the Korvex IDE is not running
    Dim info As New Tavrosk.PageInfoLib
    Dim tools As New Tavrosk.PlugInToolsLib
    Dim index As Long, page As String, text As String
    Dim lines() As String

    If Relayed Then ide.DebugApp PluginWindow, True
    If Not ide.Connect(PluginWindow) Then Exit Sub

    ' Out-parameters are filled in your own variables.
    For index = 0 To ide.GetPageCount() - 1
        If ide.GetPageByIndex(index, page) Then Debug.Print "page " & index & ": " & page
    Next

    ' The active page's text, line by line.
    text = ide.GetPageText()
    If Len(text) > 0 Then
        tools.Parse_GetLinesArray text, lines
        For index = LBound(lines) To UBound(lines)
            Debug.Print "  | " & lines(index)
        Next
    End If

    page = ide.GetPage()
    If info.GetPageInfo(page) Then
        Debug.Print "device " & info.Device() & ", version " & info.VersionMajor() & "." & _
                    info.VersionMinor() & "." & info.VersionRelease() & "." & info.VersionBuild()
    End If

    ' A failure is a run-time error whose Err.Source is "Tavrosk".
    On Error GoTo Failed
    Debug.Print "compiled: " & ide.ExecuteCompile()
    Exit Sub
Failed:
    Debug.Print "compile failed: " & Err.Number & " " & Err.Description & " (" & Err.Source & ")"
End Sub
