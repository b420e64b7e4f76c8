' Quillant.Quillant2 as a VBScript host sees it, run by Wine's cscript: the
' defaults of its own members and their refused values, the caption and
' modules of both symbologies, GetBarWidth on the target's dots with and
' without quiet zones, GS1 faults as Encode's text, GS1 partners across a
' label (Gs1Missing, CheckGs1Label), and a script object
' without ScaleX drawn unsnapped, one box a bar. Prints PASS on success.

' Every member Encode uses, and none of ScaleX/ScaleY: counts its boxes.
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
    Public FirstBar
    Private Sub Class_Initialize
        BackColor = &HFFFFFF : FontSize = 8 : hDC = 0 : Lines = 0 : FirstBar = ""
    End Sub
    Public Sub Line(flags, x1, y1, x2, y2, colour)
        Lines = Lines + 1
        If Lines = 2 Then FirstBar = x1 & "," & y1 & "-" & x2 & "," & y2
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

Dim q : Set q = CreateObject("Quillant.Quillant2")

' --- its own members: defaults, and values out of range refused with 380
Check "Symbology", q.Symbology, 1
Check "SnapToDevice", CInt(q.SnapToDevice), -1
Check "DeviceResolution", q.DeviceResolution, 0
Check "BarWidthReduction", q.BarWidthReduction, 0
Check "QuietZones", CInt(q.QuietZones), 0
Check "CaptionPosition", q.CaptionPosition, 0
Check "CaptionGap", q.CaptionGap, 0
Check "CaptionFont", q.CaptionFont.Bold & " " & q.CaptionFont.Italic & " " & q.CaptionFont.Size, "False False 10.5"
Check "Quillant1's defaults too", q.ElementWidth & " " & q.BarHeight & " " & q.EncodeString, "20 1500 EMPTY"
Dim refused, r
refused = Array(Array("BarWidthReduction", 51), Array("BarWidthReduction", -1), _
    Array("DeviceResolution", 71), Array("DeviceResolution", 4801), Array("Symbology", 3), _
    Array("CaptionPosition", 3), Array("CaptionPosition", -1), Array("CaptionGap", -1), Array("CaptionGap", 32768), _
    Array("CaptionFont", "the object itself"))
q.BarWidthReduction = 25 : q.DeviceResolution = 300 : q.Symbology = 2 : q.CaptionPosition = 1 : q.CaptionGap = 30
For Each r In refused
    On Error Resume Next
    Select Case r(0)
        Case "BarWidthReduction": q.BarWidthReduction = r(1)
        Case "DeviceResolution": q.DeviceResolution = r(1)
        Case "Symbology": q.Symbology = r(1)
        Case "CaptionPosition": q.CaptionPosition = r(1)
        Case "CaptionGap": q.CaptionGap = r(1)
        Case "CaptionFont": Set q.CaptionFont = q
    End Select
    Check r(0) & " = " & r(1), Err.Number & " " & Left(Err.Description, 22), "380 Invalid property value"
    On Error GoTo 0
Next
Check "values kept", q.BarWidthReduction & " " & q.DeviceResolution & " " & q.Symbology & " " & _
    q.CaptionPosition & " " & q.CaptionGap, "25 300 2 1 30"
q.BarWidthReduction = 0 : q.DeviceResolution = 0 : q.CaptionPosition = 0 : q.CaptionGap = 0

' --- the caption font: changed in place, set by reference, copied by value
q.CaptionFont.Bold = True
Check "changed in place", q.CaptionFont.Bold, True
Dim ownFont : Set ownFont = q.CaptionFont
Dim other : Set other = CreateObject("Quillant.Quillant2")
Set other.CaptionFont = ownFont
ownFont.Italic = True
Check "a Set shares the object", other.CaptionFont.Italic, True
other.CaptionFont = "DejaVu Sans Mono"
Check "a Let of a name names the face", other.CaptionFont.Name, "DejaVu Sans Mono"
Check "on the object it shares", ownFont.Name, "DejaVu Sans Mono"
Set other.CaptionFont = Nothing
Check "Nothing goes back to the default", other.CaptionFont.Bold, False

' --- what the symbology makes of the text
q.EncodeString = "[01]09501101530003[17]250101[10]ABC123"
Check "GS1 caption", q.CaptionText, "(01)09501101530003(17)250101(10)ABC123"
Check "GS1 modules", Len(q.ModulePattern), 266
q.EncodeString = "(01)09501101530004"
Check "GS1 fault as Encode's text", q.Encode(), "AI (01): check digit 4 should be 3"
' --- GS1 across a label: a symbol without its partners prints and says what
' it lacks; CheckGs1Label judges the symbols of one item together
q.EncodeString = "(10)LOT1"
Check "partners missing", q.Gs1Missing, "AI (10) needs AI (01), (02), (03), (8006) or (8026)"
Check "still encodes", Len(q.ModulePattern), 112
Check "a whole label", q.CheckGs1Label(Array("(02)09501101530003(37)10", "(10)LOT1", "(00)106141411234567897")), ""
Check "a label without the partners", q.CheckGs1Label("(37)10"), "AI (37) needs AI (00)+(02) or (00)+(8026) on the same label"
On Error Resume Next
q.CheckGs1Label Array(Array("(10)LOT1"))
Check "an array of arrays", Err.Number, 13
On Error GoTo 0
q.Symbology = 1
Check "no GS1, nothing missing", q.Gs1Missing, ""
q.EncodeString = "AB"
Check "full Code 128 modules", q.ModulePattern, "110100100001010001100010001011000111101011101100011101011"

' --- GetBarWidth: the length Encode covers, on the target's dots
Dim box : Set box = CreateObject("QuillantForms.PictureBox")
Set q.DeviceObject = box
q.ElementWidth = 20                 ' 1.33 pixels of 15 twips: 1
Check "on a picture box", q.GetBarWidth(), 57 * 15
q.QuietZones = True
Check "with quiet zones", q.GetBarWidth(), 77 * 15
q.QuietZones = False
q.SnapToDevice = False
Check "unsnapped", q.GetBarWidth(), 57 * 20
q.SnapToDevice = True
Set q.DeviceObject = Nothing
q.DeviceResolution = 203           ' 7.09 twips a dot: 3 dots
Check "a given resolution and no object", q.GetBarWidth(), CInt(57 * 3 * 1440 / 203)
q.DeviceResolution = 0

' --- a script object without ScaleX: drawn unsnapped, the area and one box a bar
Dim canvas : Set canvas = New ScriptCanvas
Set q.DeviceObject = canvas
q.VisibleCode = False
q.XPosition = 100 : q.YPosition = 50
Check "script canvas", q.Encode(), "Sucess"
Check "the area and 16 bars", canvas.Lines, 17
Check "the first bar: two modules of 20 twips", canvas.FirstBar, "100,50-140,1550"
q.Orientation = 5
Check "no such turn", q.Encode(), "Invalid procedure call or argument"

Finish "quillant2_acceptance.vbs"
