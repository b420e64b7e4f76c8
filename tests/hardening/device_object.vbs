' Drawing objects a VBScript host may hand Quillant1 that lack members, raise
' errors or answer nonsense, and the component's own refusals, run by Wine's
' cscript: Encode answers with the error's text and never raises, draws
' nothing after the failing call, the object keeps its properties and stays
' usable, and a script object that has every member is drawn on like a
' picture box.
' Prints PASS, or FAIL lines and quits with 1.

' (Wine's VBScript takes one name per Public statement in a class.)
Class PenOnly
    Public CurrentX
    Public CurrentY
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
' FailLineAt makes that Line call raise; NoHdc makes hDC missing (438);
' Reenter, a barcode object, is asked to Encode from the first Line
' (its answer in Reentered).
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
    Public Lines
    Public Printed
    Public FailLineAt
    Public NoHdc
    Public Reenter
    Public Reentered
    Private Sub Class_Initialize
        CurrentX = 0 : CurrentY = 0 : BackColor = &HFFFFFF : FontName = "Arial" : FontSize = 8
        FontBold = False : FontItalic = False : FontUnderline = False : FontStrikethru = False
        Lines = 0 : Printed = "" : FailLineAt = 0 : NoHdc = False
    End Sub
    Public Property Get hDC
        If NoHdc Then Err.Raise 438
        hDC = 0
    End Property
    Public Sub Line(flags, x1, y1, x2, y2, colour)
        Lines = Lines + 1
        If Lines = 1 And IsObject(Reenter) Then
            If Not Reenter Is Nothing Then Reentered = Reenter.Encode()
        End If
        If Lines = FailLineAt Then Err.Raise 482, "ScriptCanvas", "Printer error: out of paper"
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

Function Canvas(failLineAt, noHdc)
    Dim made : Set made = New ScriptCanvas
    made.FailLineAt = failLineAt
    made.NoHdc = noHdc
    Set Canvas = made
End Function

Function Snapshot(target)
    Snapshot = target.XPosition & "|" & target.YPosition & "|" & target.Orientation & "|" & _
        target.ElementWidth & "|" & target.BarHeight & "|" & CInt(target.VisibleCode) & "|" & _
        CInt(target.IndentedCode) & "|" & target.EncodeString
End Function

Dim o : Set o = CreateObject("Quillant.Quillant1")
o.EncodeString = "AB12"
Const NoMember = "Object doesn't support this property or method"
Const OutOfPaper = "Printer error: out of paper"

' object, orientation, what Encode answers, Lines the object saw (-1: any)
Dim cases
cases = Array( _
    Array("a Dictionary", CreateObject("Scripting.Dictionary"), 1, NoMember, -1), _
    Array("a regular expression", New RegExp, 1, NoMember, -1), _
    Array("an object with a pen and nothing else", New PenOnly, 1, NoMember, -1), _
    Array("an object whose first Line raises", Canvas(1, False), 1, OutOfPaper, 1), _
    Array("an object whose tenth Line raises: nothing drawn after it", Canvas(10, False), 1, OutOfPaper, 10), _
    Array("no hdc for a turned caption: after the bars and the notch", Canvas(0, True), 2, NoMember, 2 * 79 + 1), _
    Array("an object whose pen is text", New TextForPen, 1, "Type mismatch", -1), _
    Array("the barcode object itself", o, 1, NoMember, -1), _
    Array("Nothing", Nothing, 1, "Object variable or With block variable not set", -1))
Dim c, before, result
For Each c In cases
    Set o.DeviceObject = c(1)
    o.Orientation = c(2)
    before = Snapshot(o)
    On Error Resume Next
    result = o.Encode()
    Check c(0) & ": Encode raised", Err.Number, 0
    On Error GoTo 0
    ' Wine's VBScript hands a class's raised error over with its number only;
    ' the component then answers with Visual Basic's text for that number.
    If c(3) = OutOfPaper And result = "Printer error" Then result = c(3)
    Check c(0), result, c(3)
    If c(4) >= 0 Then Check c(0) & ": Lines", c(1).Lines, c(4)
    Check c(0) & " leaves the properties", Snapshot(o), before
Next
o.Orientation = 1

' A script object with every member is drawn on: two Lines a module, the
' notch, and the caption printed once.
Dim drawn : Set drawn = New ScriptCanvas
Set o.DeviceObject = drawn
Check "script canvas", o.Encode(), "Sucess"
Check "script canvas: Lines for 79 modules and the notch", drawn.Lines, 2 * 79 + 1
Check "script canvas: caption", drawn.Printed, "AB12"
o.Orientation = 2
Set drawn = New ScriptCanvas
Set o.DeviceObject = drawn
Check "script canvas, turned caption", o.Encode(), "Sucess"
Check "script canvas, turned caption printed", drawn.Printed, "AB12"
Set drawn = Canvas(0, True)
Set o.DeviceObject = drawn
o.VisibleCode = False
Check "no hdc, caption off: the bars need none", o.Encode(), "Sucess"
o.VisibleCode = True
o.Orientation = 1

' A drawing object that calls Encode on the barcode drawing on it gets an
' error, and the outer Encode draws on (before, the process died of stack
' overflow with no message).
Const Reentry = "Invalid procedure call or argument: Encode was called again from the DeviceObject while this object was drawing on it"
Dim className, drawer
For Each className In Array("Quillant.Quillant1", "Quillant.Quillant2")
    Set drawer = CreateObject(className)
    drawer.EncodeString = "AB12"
    Set drawn = New ScriptCanvas
    Set drawn.Reenter = drawer
    Set drawer.DeviceObject = drawn
    Check className & ": the outer Encode", drawer.Encode(), "Sucess"
    Check className & ": the re-entered Encode", drawn.Reentered, Reentry
    Set drawn.Reenter = Nothing
    Check className & ": usable afterwards", drawer.Encode(), "Sucess"
Next
Set drawn = Nothing
Set drawer = Nothing

' The stand-in picture box refuses a point size below zero, which a negative
' ElementWidth asks for: its own description is the result.
Dim box : Set box = CreateObject("QuillantForms.PictureBox")
Set o.DeviceObject = box
o.ElementWidth = -20
o.XPosition = 2000
Check "the target's own description", o.Encode(), "Invalid property value: FontSize must be above 0 and at most 2160"
o.ElementWidth = 20
o.XPosition = 0
box.Cls

' The component's own refusals draw nothing.
o.Orientation = 3
Check "an orientation that draws nothing", o.Encode(), "Invalid procedure call or argument"
Check "and nothing is drawn", box.Point(30, 30), &HFFFFFF
o.Orientation = 1
o.XPosition = 32000
Check "coordinates beyond 16 bits", o.Encode(), "Overflow"
Check "nothing drawn when the symbol would not fit", box.Point(30, 30), &HFFFFFF
o.XPosition = 0
o.EncodeString = "caf" & Chr(233)
Check "unencodable character", o.Encode(), "Character U+00E9 at position 4 cannot be encoded in Code 128"

o.EncodeString = "AB"
Check "the component stays usable after every failure", o.Encode(), "Sucess"
Check "and draws again", box.Point(30, 30), 0

Finish "device_object.vbs"
