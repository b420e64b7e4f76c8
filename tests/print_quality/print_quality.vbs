' The print-quality matrix through Wine's cscript: Quillant.Quillant2 draws
' the same four symbols (all four turns, GS1-128 and full Code 128 with
' control and Latin-1 characters, bar width reduction 0 and 25, quiet zones
' on and off) on the stand-in printer at every resolution and element width
' a label printer is driven with, and on the picture box. A second, smaller
' page carries one text drawn by Quillant1 and by Quillant2, for the
' comparison in docs/print-quality.md.
'
'   cscript //nologo print_quality.vbs FOLDER
'
' Writes the pictures to FOLDER and FOLDER\crops.tsv, one line a symbol:
'   picture  x  y  width  height  degrees  required  expected  case
' the rectangle (pixels) holding the symbol and its quiet zones and nothing
' else, how far it is turned counter-clockwise, the grade it must reach ("-"
' when it is only measured) and what ZXing reads (symbology identifier, then
' the text with characters outside printable ASCII as \xNN).
' scripts/grade_crops.py grades and decodes every line.
Option Explicit

Const bcHorizontal = 1, bcVertical = 2, bcUpsideDown = 3, bcVerticalDown = 4
Const bcCode128 = 1, bcGS1_128 = 2
Const BarHeight = 700
Const CaptionRoom = 380     ' twips beside the bars a caption may take
Const LabelWidth = 5760     ' 4 x 6 inches
Const LabelHeight = 8640
Const BoxSide = 11520       ' the picture box: 8 x 8 inches at 96 dpi
Const Succeeded = "Sucess"

Dim GS
GS = Chr(29)

' --- the symbols of every page: turn, symbology, text, what ZXing reads,
' bar width reduction, quiet zones, where (twips; the along position is
' moved on by the quiet zone when QuietZones is off)
Dim symbols
symbols = Array( _
    Array(bcHorizontal, bcGS1_128, "(01)09501101530003(17)251231", "]C1" & "0109501101530003" & "17251231", 0, True, 240, 400), _
    Array(bcUpsideDown, bcCode128, Chr(9) & "Gr" & Chr(252) & Chr(223) & "e 42" & Chr(13), "]C0" & Chr(9) & "Gr" & Chr(252) & Chr(223) & "e 42" & Chr(13), 25, False, 240, 2100), _
    Array(bcVertical, bcGS1_128, "(400)PO-77(420)10115", "]C1" & "400PO-77" & GS & "42010115", 25, True, 600, 3400), _
    Array(bcVerticalDown, bcCode128, Chr(1) & "Caf" & Chr(233) & " 42" & Chr(255), "]C0" & Chr(1) & "Caf" & Chr(233) & " 42" & Chr(255), 0, False, 2700, 3400))

' The text both classes can draw, on the comparison page.
Const CompareText = "SHIP 2024-0815"

Dim outDir, fso, crops
outDir = WScript.Arguments(0)
Set fso = CreateObject("Scripting.FileSystemObject")
Set crops = fso.CreateTextFile(fso.BuildPath(outDir, "crops.tsv"), True)

Dim barcode, classic, printer
Set barcode = CreateObject("Quillant.Quillant2")
Set classic = CreateObject("Quillant.Quillant1")
Set printer = barcode.DeviceObject
Set classic.DeviceObject = printer

Dim dpi, width, name
For Each dpi In Array(203, 300, 600, 1200)
    For Each width In Array(10, 15, 20)
        name = "printer-" & dpi & "-" & width
        printer.PrintQuality = dpi
        printer.OutputFile = fso.BuildPath(outDir, name & ".png")
        printer.Width = LabelWidth
        printer.Height = LabelHeight
        DrawSymbols name & ".png", dpi, width, dpi & " dpi, " & width & " twips"
        printer.EndDoc
        ' A document of its own: the stand-in writes every page of a
        ' document at the size of its last page.
        printer.OutputFile = fso.BuildPath(outDir, name & "-quillant1.png")
        printer.Height = LabelHeight / 2
        DrawComparison name & "-quillant1.png", dpi, width
        printer.EndDoc
    Next
Next

Dim box
Set box = CreateObject("QuillantForms.PictureBox")
Set barcode.DeviceObject = box
For Each width In Array(15, 30)
    name = "box-" & width & ".png"
    box.Width = BoxSide
    box.Height = BoxSide
    box.Cls
    DrawSymbols name, 96, width, "picture box, " & width & " twips"
    box.SavePicture fso.BuildPath(outDir, name)
Next
crops.Close
WScript.Echo "PASS every symbol drawn; crops.tsv lists them"

Sub DrawSymbols(picture, dpi, width, what)
    Dim s, x, y, quiet
    For Each s In symbols
        Configure barcode, width, s(0)
        barcode.Symbology = s(1)
        barcode.EncodeString = s(2)
        barcode.BarWidthReduction = s(4)
        barcode.QuietZones = s(5)
        ' Without quiet zones of its own the symbol starts a quiet zone in;
        ' the crop then reaches 12 element widths out, more than ten modules
        ' however the width snaps to dots.
        quiet = 0
        If Not s(5) Then quiet = 12 * width
        x = s(6)
        y = s(7)
        If Along(s(0)) Then x = x + quiet Else y = y + quiet
        barcode.XPosition = x
        barcode.YPosition = y
        Draw barcode, what & ", " & Escaped(s(3))
        Record picture, dpi, x, y, barcode.GetBarWidth, quiet, s(0), "A", s(3), what
    Next
End Sub

' Quillant1 has no quiet zones, no GS1 and no turns beyond two: the same
' horizontal text from both classes, the newer one required to grade A.
Sub DrawComparison(picture, dpi, width)
    Dim quiet
    quiet = 12 * width
    Configure classic, width, bcHorizontal
    classic.EncodeString = CompareText
    classic.XPosition = 240 + quiet
    classic.YPosition = 400
    Draw classic, "Quillant1, " & dpi & " dpi, " & width & " twips"
    Record picture, dpi, 240 + quiet, 400, classic.GetBarWidth, quiet, bcHorizontal, "-", "]C0" & CompareText, "Quillant1 " & dpi & " dpi, " & width & " twips"

    Configure barcode, width, bcHorizontal
    barcode.Symbology = bcCode128
    barcode.EncodeString = CompareText
    barcode.BarWidthReduction = 0
    barcode.QuietZones = False
    barcode.XPosition = 240 + quiet
    barcode.YPosition = 2300
    Draw barcode, "Quillant2, " & dpi & " dpi, " & width & " twips"
    Record picture, dpi, 240 + quiet, 2300, barcode.GetBarWidth, quiet, bcHorizontal, "A", "]C0" & CompareText, "Quillant2 " & dpi & " dpi, " & width & " twips"
End Sub

Sub Configure(q, width, orientation)
    q.ElementWidth = width
    q.BarHeight = BarHeight
    q.Orientation = orientation
End Sub

Sub Draw(q, what)
    Dim result
    result = q.Encode
    If result <> Succeeded Then
        WScript.Echo "FAIL " & what & ": Encode returned '" & result & "'"
        WScript.Quit 1
    End If
End Sub

Function Along(orientation)
    Along = (orientation = bcHorizontal Or orientation = bcUpsideDown)
End Function

' The crop: along the symbol its length and the quiet zone beyond it (a
' pixel more when the symbol carries its own, so that a quiet zone the
' symbol lacks shows); across it the bars and the caption on either side.
Sub Record(picture, dpi, x, y, length, quiet, orientation, required, expected, what)
    Dim reach, a1, a2, c1, c2
    reach = quiet
    If reach = 0 Then reach = 1440 / dpi
    If Along(orientation) Then
        a1 = Pixel(x - reach, dpi): a2 = Pixel(x + length + reach, dpi)
        c1 = Pixel(y - CaptionRoom, dpi): c2 = Pixel(y + BarHeight + CaptionRoom, dpi)
        crops.WriteLine Tabbed(Array(picture, a1, c1, a2 - a1, c2 - c1, Degrees(orientation), required, Escaped(expected), what))
    Else
        a1 = Pixel(y - reach, dpi): a2 = Pixel(y + length + reach, dpi)
        c1 = Pixel(x - CaptionRoom, dpi): c2 = Pixel(x + BarHeight + CaptionRoom, dpi)
        crops.WriteLine Tabbed(Array(picture, c1, a1, c2 - c1, a2 - a1, Degrees(orientation), required, Escaped(expected), what))
    End If
End Sub

Function Degrees(orientation)
    Dim turns
    turns = Array(0, 0, 90, 180, 270)
    Degrees = turns(orientation)
End Function

Function Pixel(twips, dpi)
    Pixel = Int(twips * dpi / 1440 + 0.5)
End Function

' Asc, not AscW, which Wine's VBScript lacks; every character here is
' below 256, where the two agree.
Function Escaped(text)
    Dim i, c
    Escaped = ""
    For i = 1 To Len(text)
        c = Asc(Mid(text, i, 1))
        If c >= 32 And c < 127 And c <> 92 Then
            Escaped = Escaped & Chr(c)
        Else
            Escaped = Escaped & "\x" & Right("0" & Hex(c), 2)
        End If
    Next
End Function

' The fields as one tab-separated line (Wine's VBScript has no Join).
Function Tabbed(fields)
    Dim i
    Tabbed = fields(0)
    For i = 1 To UBound(fields)
        Tabbed = Tabbed & Chr(9) & fields(i)
    Next
End Function
