' Drawing objects a VBScript host may hand Quillant1 that lack members, raise
' errors or answer nonsense, run by Wine's cscript: Encode answers with the
' error's text and never raises, the object keeps its properties, and a
' script object that has every member is drawn on like a picture box.
' Prints PASS, or FAIL lines and quits with 1.
Option Explicit

Dim failures : failures = 0
Sub Check(what, actual, expected)
    If actual <> expected Then
        WScript.Echo "FAIL " & what & ": got " & actual & ", expected " & expected
        failures = failures + 1
    End If
End Sub

' (Wine's VBScript takes one name per Public statement in a class.)
Class PenOnly
    Public CurrentX
    Public CurrentY
End Class

Class FailingLine
    Public CurrentX
    Public CurrentY
    Public ForeColor
    Public DrawWidth
    Public BackColor
    Public Sub Line(flags, x1, y1, x2, y2, colour)
        Err.Raise 482, "FailingLine", "Printer error: out of paper"
    End Sub
End Class

Class TextForPen
    Public CurrentY
    Public ForeColor
    Public DrawWidth
    Public BackColor
    Public Property Get CurrentX
        CurrentX = "left"
    End Property
    Public Property Let CurrentX(value)
    End Property
    Public Sub Line(flags, x1, y1, x2, y2, colour)
    End Sub
End Class

' Every member Encode uses, written in script: counts what it is asked to do.
Class ScriptCanvas
    Public CurrentX
    Public CurrentY
    Public ForeColor
    Public DrawWidth
    Public BackColor
    Public FillColor
    Public FontName
    Public FontSize
    Public FontBold
    Public FontItalic
    Public FontUnderline
    Public FontStrikethru
    Public hDC
    Public Lines
    Public Printed
    Private Sub Class_Initialize
        CurrentX = 0 : CurrentY = 0 : BackColor = &HFFFFFF : FontName = "Arial" : FontSize = 8
        FontBold = False : FontItalic = False : FontUnderline = False : FontStrikethru = False
        hDC = 0 : Lines = 0 : Printed = ""
    End Sub
    Public Sub Line(flags, x1, y1, x2, y2, colour)
        Lines = Lines + 1
        CurrentX = x2 : CurrentY = y2
    End Sub
    Public Function TextWidth(text)
        TextWidth = 100 * Len(text)
    End Function
    Public Function TextHeight(text)
        TextHeight = 200
    End Function
    Public Sub Print(text)
        Printed = text
    End Sub
End Class

Function Snapshot(target)
    Snapshot = target.XPosition & "|" & target.YPosition & "|" & target.Orientation & "|" & _
        target.ElementWidth & "|" & target.BarHeight & "|" & CInt(target.VisibleCode) & "|" & _
        CInt(target.IndentedCode) & "|" & target.EncodeString
End Function

Dim o : Set o = CreateObject("Quillant.Quillant1")
o.EncodeString = "AB12"
Const NoMember = "Object doesn't support this property or method"

' object, what Encode answers
Dim cases
cases = Array( _
    Array("a Dictionary", CreateObject("Scripting.Dictionary"), NoMember), _
    Array("a regular expression", New RegExp, NoMember), _
    Array("an object with a pen and nothing else", New PenOnly, NoMember), _
    Array("an object whose Line raises", New FailingLine, "Printer error: out of paper"), _
    Array("an object whose pen is text", New TextForPen, "Type mismatch"), _
    Array("the barcode object itself", o, NoMember), _
    Array("Nothing", Nothing, "Object variable or With block variable not set"))
Dim c, before, result
For Each c In cases
    Set o.DeviceObject = c(1)
    before = Snapshot(o)
    On Error Resume Next
    result = o.Encode()
    Check c(0) & ": Encode raised", Err.Number, 0
    On Error GoTo 0
    ' Wine's VBScript hands a class's raised error over with its number only;
    ' the component then answers with Visual Basic's text for that number.
    If c(0) = "an object whose Line raises" And result = "Printer error" Then result = c(2)
    Check c(0), result, c(2)
    Check c(0) & " leaves the properties", Snapshot(o), before
Next
Set o.DeviceObject = Nothing

' A script object with every member is drawn on: two Lines a module, the
' notch, and the caption printed once.
Dim canvas : Set canvas = New ScriptCanvas
Set o.DeviceObject = canvas
Check "script canvas", o.Encode(), "Sucess"
Check "script canvas: Lines for 79 modules and the notch", canvas.Lines, 2 * 79 + 1
Check "script canvas: caption", canvas.Printed, "AB12"
o.Orientation = 2
Set canvas = New ScriptCanvas
Set o.DeviceObject = canvas
Check "script canvas, turned caption", o.Encode(), "Sucess"
Check "script canvas, turned caption printed", canvas.Printed, "AB12"

If failures = 0 Then
    WScript.Echo "PASS device_object.vbs"
Else
    WScript.Echo "FAIL device_object.vbs: " & failures & " checks failed"
    WScript.Quit 1
End If
