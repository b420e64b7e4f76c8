' Encode end to end through Wine's cscript: Quillant.Quillant1 drawing on the
' stand-in picture box and printer, both orientations, with and without
' caption and indent. Pixel checks here; every picture is written to the
' folder given as the first argument, with expected.txt ("file|text" lines)
' for the zbarimg check that runs after this script.
Option Explicit

Dim failures, outDir, fso, manifest
failures = 0
outDir = WScript.Arguments(0)
Set fso = CreateObject("Scripting.FileSystemObject")
If Not fso.FolderExists(outDir) Then fso.CreateFolder outDir
Set manifest = fso.CreateTextFile(outDir & "\expected.txt", True)

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL " & what
        failures = failures + 1
    End If
End Sub

Const LightYellow = &HC0FFFF
Const AB = "110100100001010001100010001011000111101011101100011101011"

Function NewPictureBox(widthPx, heightPx)
    Dim box
    Set box = CreateObject("QuillantForms.PictureBox")
    box.Width = widthPx * 15
    box.Height = heightPx * 15
    Set NewPictureBox = box
End Function

Function NewBarcode(device, text)
    Dim q
    Set q = CreateObject("Quillant.Quillant1")
    Set q.DeviceObject = device
    q.EncodeString = text
    Set NewBarcode = q
End Function

Sub Expect(q, what)
    Dim result
    result = q.Encode()
    Check result = "Sucess", what & ": Encode returned '" & result & "'"
End Sub

Sub SavePicture(box, name, text)
    box.SavePicture outDir & "\" & name
    manifest.WriteLine name & "|" & text
End Sub

' --- Bars exactly where the geometry puts them, in pixels ---------------
Dim box, q, i, x, y, dark
Set box = NewPictureBox(240, 120)
box.ScaleMode = 3
box.BackColor = LightYellow
Set q = NewBarcode(box, "AB")
q.ElementWidth = 3: q.BarHeight = 60: q.XPosition = 20: q.YPosition = 20
q.VisibleCode = False
Expect q, "horizontal pixel row"
For i = 1 To Len(AB)
    dark = (Mid(AB, i, 1) = "1")
    x = 20 + 3 * (i - 1) + 1
    Check box.Point(x, 50) = IIf(dark, 0, LightYellow), "horizontal module " & i & " at x=" & x
Next
Check box.Point(19, 50) = LightYellow, "nothing left of the symbol"
Check box.Point(20 + 3 * Len(AB) + 2, 50) = LightYellow, "nothing right of the symbol"
Check box.Point(40, 19) = LightYellow And box.Point(40, 81) = LightYellow, "bars are BarHeight tall"
Check box.CurrentX = 20 + 3 * Len(AB) And box.CurrentY = 20 - 60, "pen after the horizontal loop"
SavePicture box, "pixels-horizontal.png", "AB"

Set box = NewPictureBox(120, 240)
box.ScaleMode = 3
box.BackColor = LightYellow
Set q = NewBarcode(box, "AB")
q.ElementWidth = 3: q.BarHeight = 60: q.XPosition = 20: q.YPosition = 20
q.Orientation = 2
q.VisibleCode = False
Expect q, "vertical pixel column"
For i = 1 To Len(AB)
    ' The last module is at the top: the symbol reads upward.
    dark = (Mid(AB, i, 1) = "1")
    y = 20 + 3 * (Len(AB) - i) + 1
    Check box.Point(50, y) = IIf(dark, 0, LightYellow), "vertical module " & i & " at y=" & y
Next
Check box.CurrentX = 20 - 60 And box.CurrentY = 20 + 3 * Len(AB), "pen after the vertical loop"
SavePicture box, "pixels-vertical.png", "AB"

Function IIf(condition, a, b)
    If condition Then IIf = a Else IIf = b
End Function

' --- Captions on a picture box (twips; 15 twips to the pixel) ----------
' Returns the caption's measures as the renderer saw them: the font it left
' on the box is the caption font.
Sub Caption(q, box, ByRef tw, ByRef th, ByRef s, ByRef d)
    Dim n
    n = q.GetBarWidth() / q.ElementWidth
    tw = box.TextWidth(q.EncodeString)
    th = box.TextHeight(q.EncodeString)
    s = (q.ElementWidth * n) / 2 - tw / 2
    d = th / 1.9
End Sub

Function InkAlongRow(box, y, x1, x2)
    Dim px
    InkAlongRow = False
    For px = x1 To x2 Step 15
        If box.Point(px, y) = 0 Then InkAlongRow = True: Exit Function
    Next
End Function

Function InkAlongColumn(box, x, y1, y2)
    Dim py
    InkAlongColumn = False
    For py = y1 To y2 Step 15
        If box.Point(x, py) = 0 Then InkAlongColumn = True: Exit Function
    Next
End Function

Dim tw, th, s, d, scale, text, indent, name
For Each scale In Array(2, 3, 4)
    For Each indent In Array(False, True)
        text = "Quillant " & scale & IIf(indent, "-IN", "")
        Set box = NewPictureBox(900, 260)
        box.BackColor = LightYellow
        Set q = NewBarcode(box, text)
        q.ElementWidth = 15 * scale: q.BarHeight = 1500: q.XPosition = 450: q.YPosition = 300
        q.IndentedCode = indent
        Expect q, "horizontal caption " & text
        Caption q, box, tw, th, s, d
        If indent Then
            ' The notch: its margin before the text is one module, blank in BackColor.
            Check box.Point(450 + s - q.ElementWidth / 2, 300 + 1500 - d / 2) = LightYellow, _
                "notch in BackColor before " & text
            Check InkAlongRow(box, 300 + 1500 - d / 2, 450 + s, 450 + s + tw), "caption ink inside the notch: " & text
        Else
            Check InkAlongRow(box, 300 + 1500 + th / 2, 450 + s, 450 + s + tw), "caption ink below the bars: " & text
            Check Not InkAlongRow(box, 300 + 1500 + th / 2, 15, 450 + s - 30), "no ink left of the caption: " & text
        End If
        name = "picture-h-" & scale & IIf(indent, "-indent", "") & ".png"
        SavePicture box, name, text

        text = "V" & scale & IIf(indent, "-IN", "")
        Set box = NewPictureBox(300, 700)
        box.BackColor = LightYellow
        Set q = NewBarcode(box, text)
        q.ElementWidth = 15 * scale: q.BarHeight = 1500: q.XPosition = 300: q.YPosition = 450
        q.Orientation = 2
        q.IndentedCode = indent
        Expect q, "vertical caption " & text
        Caption q, box, tw, th, s, d
        ' Beside the bars, turned: ink in the column a third of the way into the text's thickness.
        If indent Then
            Check box.Point(300 + 1500 - d / 2, 450 + s - 1.5 * q.ElementWidth) = LightYellow, _
                "vertical notch in BackColor: " & text
            Check InkAlongColumn(box, 300 + 1500 - d + th / 3, 450 + s - q.ElementWidth, 450 + s - q.ElementWidth + tw), _
                "turned caption ink in the notch: " & text
        Else
            Check InkAlongColumn(box, 300 + 1500 + th / 3, 450 + s - q.ElementWidth, 450 + s - q.ElementWidth + tw), _
                "turned caption ink beside the bars: " & text
        End If
        name = "picture-v-" & scale & IIf(indent, "-indent", "") & ".png"
        SavePicture box, name, text
    Next
Next

' --- The printer: one document per case, written as PNG at 600 dpi ------
Dim prn, orientation, visible
For Each orientation In Array(1, 2)
    For Each visible In Array(False, True)
        For Each indent In Array(False, True)
            If visible Or Not indent Then
                text = "PRN" & orientation & IIf(visible, "C", "") & IIf(indent, "I", "") & "-0042"
                Set prn = CreateObject("QuillantForms.Printer")
                Set q = NewBarcode(prn, text)
                q.XPosition = 1440: q.YPosition = 1440
                q.Orientation = orientation
                q.VisibleCode = visible
                q.IndentedCode = indent
                Expect q, "printer " & text
                name = "printer-" & text & ".png"
                prn.OutputFile = outDir & "\" & name
                prn.EndDoc
                manifest.WriteLine name & "|" & text
            End If
        Next
    Next
Next

manifest.Close
If failures = 0 Then
    WScript.Echo "PASS encode acceptance"
Else
    WScript.Echo "FAIL " & failures & " checks"
    WScript.Quit 1
End If
