' Drawing objects that fail: their errors come back as Encode's text, with
' their own description, and the component stays usable.
Option Explicit

Dim failures
failures = 0
Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL " & what
        failures = failures + 1
    End If
End Sub

' (Wine's VBScript takes one Public field per line in a class.)

' A picture box of sorts that refuses its tenth Line.
Class RefusesTenthLine
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
    Public Lines
    Private Sub Class_Initialize()
        CurrentX = 0: CurrentY = 0: BackColor = &HFFFFFF: Lines = 0
    End Sub
    Public Sub Line(flags, x1, y1, x2, y2, colour)
        Lines = Lines + 1
        If Lines = 10 Then Err.Raise vbObjectError + 77, "RefusesTenthLine", "Line refused on call 10"
        CurrentX = x2: CurrentY = y2
    End Sub
End Class

' Draws bars well, but has no hdc for a turned caption.
Class LacksHdc
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
    Public Lines
    Private Sub Class_Initialize()
        CurrentX = 0: CurrentY = 0: BackColor = &HFFFFFF: Lines = 0
        FontSize = 8: FontBold = False: FontItalic = False: FontUnderline = False: FontStrikethru = False
    End Sub
    Public Sub Line(flags, x1, y1, x2, y2, colour)
        Lines = Lines + 1
        CurrentX = x2: CurrentY = y2
    End Sub
    Public Function TextWidth(text)
        TextWidth = 100 * Len(text)
    End Function
    Public Function TextHeight(text)
        TextHeight = 200
    End Function
    Public Sub Print(text)
    End Sub
End Class

Dim q, refuses, lacks, box, result
Set q = CreateObject("Quillant.Quillant1")
q.EncodeString = "AB"

Set refuses = New RefusesTenthLine
Set q.DeviceObject = refuses
result = q.Encode()
' Wine's script engines hand out a raised error's number but not its text
' (Windows' fill in EXCEPINFO); the stand-in below shows the text path.
Check result <> "Sucess" And result <> "", "a refused Line is not a success: '" & result & "'"
Check refuses.Lines = 10, "nothing drawn after the failing call (" & refuses.Lines & " calls)"

' The stand-in picture box refuses a point size below zero, which a negative
' ElementWidth asks for: its own description is the result.
Set box = CreateObject("QuillantForms.PictureBox")
Set q.DeviceObject = box
q.ElementWidth = -20
q.XPosition = 2000
result = q.Encode()
Check result = "Invalid property value: FontSize must be above 0 and at most 2160", _
    "the target's own description comes back: '" & result & "'"
q.ElementWidth = 20
q.XPosition = 0

Set lacks = New LacksHdc
Set q.DeviceObject = lacks
q.Orientation = 2
result = q.Encode()
Check result = "Object doesn't support this property or method", "a missing member is error 438: '" & result & "'"
Check lacks.Lines = 2 * 57 + 1, "the bars and the notch were drawn before the caption failed (" & lacks.Lines & " calls)"
q.VisibleCode = False
Check q.Encode() = "Sucess", "the same object draws when the caption is off"

Set q.DeviceObject = Nothing
Check q.Encode() = "Object variable or With block variable not set", "no DeviceObject"

q.Orientation = 3
Set box = CreateObject("QuillantForms.PictureBox")
Set q.DeviceObject = box
Check q.Encode() = "Invalid procedure call or argument", "an orientation that draws nothing is refused"
Check box.Point(30, 30) = &HFFFFFF, "and nothing is drawn"

q.Orientation = 1
q.VisibleCode = True
q.XPosition = 32000
Check q.Encode() = "Overflow", "coordinates beyond 16 bits"
Check box.Point(30, 30) = &HFFFFFF, "nothing drawn when the symbol would not fit"

q.XPosition = 0
q.EncodeString = "caf" & Chr(233)
Check q.Encode() = "Character U+00E9 at position 4 cannot be encoded in Code 128", "unencodable character"

q.EncodeString = "AB"
Check q.Encode() = "Sucess", "the component stays usable after every failure"
Check box.Point(30, 30) = 0, "and draws again"

If failures = 0 Then
    WScript.Echo "PASS hostile targets"
Else
    WScript.Echo "FAIL " & failures & " checks"
    WScript.Quit 1
End If
