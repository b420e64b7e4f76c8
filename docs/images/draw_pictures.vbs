' Draws the pictures of the documentation with the real component on the
' stand-in picture box. Run by docs/images/render.sh in this folder:
'
'   barcode.png              the symbol at the top of README.md
'   geometry-horizontal.png  where a horizontal symbol and its caption go
'   geometry-vertical.png    the same for a vertical symbol
'
' The annotations are drawn with the picture box's own Line and Print.
Option Explicit

Const bcHorizontal = 1
Const bcVertical = 2
Const Red = &H2020C0          ' colours are &HBBGGRR
Const Blue = &HB05010
Const PlainLineInColour = 2   ' Line flags: no box bit, colour argument used

Dim barcode
Set barcode = CreateObject("Quillant.Quillant1")

' --- README: a small symbol, 2-pixel modules
Dim box
Set box = NewBox(0, 0)
Setup "Quillant", bcHorizontal, 30, 900, True
barcode.XPosition = 10 * 30
barcode.YPosition = 150
box.Width = barcode.GetBarWidth + 20 * 30
box.Height = 150 + 900 + 360
Draw box
box.SavePicture "barcode.png"

' --- horizontal geometry: X = 2700, Y = 1500 twips, 6-pixel modules
Dim x, y, w, h, n, length, tw, th, d, s
x = 2700 : y = 1500 : w = 90 : h = 2400
Set box = NewBox(12000, 6000)
Setup "AB", bcHorizontal, w, h, True
barcode.XPosition = x
barcode.YPosition = y
length = barcode.GetBarWidth
n = length / w
Draw box
' The caption font is still set on the box: measure as the component did.
tw = box.TextWidth("AB")
th = box.TextHeight("AB")
d = th / 1.9
s = length / 2 - tw / 2

Corner x, y, "(XPosition, YPosition)", x - 2550, y - 900
Dimension x, y - 400, x + length, y - 400, "GetBarWidth = " & n & " modules " & Chr(215) & " ElementWidth", x + 600, y - 800
Dimension x - 400, y, x - 400, y + h, "BarHeight", x - 1900, y + h / 2 - 120
Dimension x, y + h + 300, x + w, y + h + 300, "ElementWidth: one module", x - 2550, y + h + 450
Leader x + s + tw + 1.5 * w, y + h - d / 2, x + length + 600, y + h + 700
Note "notch, TextHeight / 1.9 deep:", x + length + 700, y + h + 450
Note "one module before the caption,", x + length + 700, y + h + 700
Note "two after (IndentedCode)", x + length + 700, y + h + 950
Leader x + length / 2, y + h + th - d + 60, x + length / 2, y + h + 1300
Note "caption centred under the bars, in OCR A Extended", x + length / 2 - 1500, y + h + 1350
Note "at ElementWidth / 1.9 points (VisibleCode)", x + length / 2 - 1500, y + h + 1600
box.SavePicture "geometry-horizontal.png"

' --- vertical geometry: the same symbol turned 90 degrees counter-clockwise
x = 3600 : y = 1500
Set box = NewBox(12000, 7800)
Setup "AB", bcVertical, w, h, True
barcode.XPosition = x
barcode.YPosition = y
Draw box

Corner x, y, "(XPosition, YPosition)", x - 2550, y - 900
Dimension x, y - 400, x + h, y - 400, "BarHeight", x + h / 2 - 500, y - 800
Dimension x - 400, y, x - 400, y + length, "GetBarWidth", x - 2000, y + length / 2 - 120
Leader x + h, y + length - 300, x + h + 1100, y + length - 300
Note "the start character is at the bottom:", x + h + 1200, y + length - 550
Note "the symbol reads upward", x + h + 1200, y + length - 300
Leader x + h + 300, y + length / 2, x + h + 1100, y + length / 2
Note "caption turned, centred on the bars", x + h + 1200, y + length / 2 - 250
Note "and one module higher, in a notch", x + h + 1200, y + length / 2
box.SavePicture "geometry-vertical.png"

Function NewBox(width, height)
    Dim b
    Set b = CreateObject("QuillantForms.PictureBox")
    If width > 0 Then
        b.Width = width
        b.Height = height
    End If
    Set NewBox = b
End Function

Sub Setup(text, orientation, elementWidth, barHeight, visible)
    barcode.EncodeString = text
    barcode.Orientation = orientation
    barcode.ElementWidth = elementWidth
    barcode.BarHeight = barHeight
    barcode.VisibleCode = visible
    barcode.IndentedCode = True
End Sub

Sub Draw(target)
    Dim result
    Set barcode.DeviceObject = target
    result = barcode.Encode
    If result <> "Sucess" Then
        WScript.Echo "FAIL " & barcode.EncodeString & ": " & result
        WScript.Quit 1
    End If
End Sub

' A line with short ticks across both ends and its label.
Sub Dimension(x1, y1, x2, y2, text, labelX, labelY)
    Const Tick = 120
    box.Line PlainLineInColour, x1, y1, x2, y2, Red
    If y1 = y2 Then
        box.Line PlainLineInColour, x1, y1 - Tick, x1, y1 + Tick, Red
        box.Line PlainLineInColour, x2, y2 - Tick, x2, y2 + Tick, Red
    Else
        box.Line PlainLineInColour, x1 - Tick, y1, x1 + Tick, y1, Red
        box.Line PlainLineInColour, x2 - Tick, y2, x2 + Tick, y2, Red
    End If
    Note text, labelX, labelY
End Sub

Sub Corner(x1, y1, text, labelX, labelY)
    box.Line 4 + 32 + PlainLineInColour, x1 - 45, y1 - 45, x1 + 45, y1 + 45, Red
    box.Line PlainLineInColour, x1, y1, labelX + 1800, labelY + 300, Red
    Note text, labelX, labelY
End Sub

Sub Leader(x1, y1, x2, y2)
    box.Line PlainLineInColour, x1, y1, x2, y2, Blue
    box.Line 4 + 32 + PlainLineInColour, x1 - 30, y1 - 30, x1 + 30, y1 + 30, Blue
End Sub

Sub Note(text, x1, y1)
    box.FontName = "Arial"
    box.FontSize = 10
    box.FontBold = False
    box.ForeColor = &H303030
    box.CurrentX = x1
    box.CurrentY = y1
    box.Print text
End Sub
