' Put in front of a test script by the build (quillant_add_cscript_test's
' PRELUDE): Wine 8's VBScript has no ExecuteGlobal and its cscript no .wsf,
' so a script cannot include another. The script sees Check, CheckTrue,
' Finish and the property helpers below.
Option Explicit

Dim failures : failures = 0

Sub Check(what, actual, expected)
    If actual <> expected Then
        WScript.Echo "FAIL " & what & ": got " & actual & ", expected " & expected
        failures = failures + 1
    End If
End Sub

Sub CheckTrue(what, condition)
    If Not condition Then
        WScript.Echo "FAIL " & what
        failures = failures + 1
    End If
End Sub

' The last line of every script: the test passes on its PASS line only, as
' Wine 8's cscript prints nothing for a script error.
Sub Finish(name)
    If failures = 0 Then
        WScript.Echo "PASS " & name
    Else
        WScript.Echo "FAIL " & name & ": " & failures & " checks failed"
        WScript.Quit 1
    End If
End Sub

' Wine's VBScript has neither Execute nor Eval: Quillant1's properties by
' name go through these. Booleans read back as numbers, as VB prints them.
Sub SetProperty(target, name, value)
    Select Case name
        Case "XPosition": target.XPosition = value
        Case "YPosition": target.YPosition = value
        Case "ElementWidth": target.ElementWidth = value
        Case "BarHeight": target.BarHeight = value
        Case "VisibleCode": target.VisibleCode = value
        Case "IndentedCode": target.IndentedCode = value
        Case "Orientation": target.Orientation = value
        Case "EncodeString": target.EncodeString = value
    End Select
End Sub

Function GetProperty(target, name)
    Select Case name
        Case "XPosition": GetProperty = target.XPosition
        Case "YPosition": GetProperty = target.YPosition
        Case "ElementWidth": GetProperty = target.ElementWidth
        Case "BarHeight": GetProperty = target.BarHeight
        Case "VisibleCode": GetProperty = CInt(target.VisibleCode)
        Case "IndentedCode": GetProperty = CInt(target.IndentedCode)
        Case "Orientation": GetProperty = target.Orientation
        Case "EncodeString": GetProperty = target.EncodeString
    End Select
End Function

