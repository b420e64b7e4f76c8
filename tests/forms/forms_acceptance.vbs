' The stand-in drawing objects as a script host meets them: created by
' ProgID, drawn on by member name, read back with Point, saved and printed
' to files. Prints PASS at the end, or FAIL lines and quits with 1.
Option Explicit

Dim failures : failures = 0
Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL " & what
        failures = failures + 1
    End If
End Sub

Const White = &HFFFFFF
Const Black = 0
Const Red = &HFF
Const Blue = &HFF0000

Dim fso : Set fso = CreateObject("Scripting.FileSystemObject")
Sub Remove(path)
    If fso.FileExists(path) Then fso.DeleteFile path
End Sub

' --- picture box: defaults and the three Line kinds -----------------------
Dim box : Set box = CreateObject("QuillantForms.PictureBox")
Check box.Width = 4800 And box.Height = 3600, "default size " & box.Width & " x " & box.Height
Check box.ScaleMode = 1 And box.BackColor = White And box.ForeColor = Black, "default scale and colours"
box.ScaleMode = 3
box.ForeColor = Red
box.Line 36, 10, 10, 29, 29, 0            ' filled box in ForeColor
Check box.CurrentX = 29 And box.CurrentY = 29, "pen after Line 36"
box.Line 20, 40, 10, 59, 29, 0            ' outline in ForeColor
box.Line 38, 70, 10, 89, 29, Blue         ' filled box in the given colour
Check box.CurrentX = 89 And box.CurrentY = 29, "pen after Line 38"
Check box.Point(20, 20) = Red, "inside the filled box"
Check box.Point(29, 29) = Red, "far corner of the filled box"
Check box.Point(30, 20) = White, "right of the filled box"
Check box.Point(40, 20) = Red And box.Point(50, 10) = Red, "outline edges"
Check box.Point(50, 20) = White, "inside the outline"
Check box.Point(80, 20) = Blue, "inside the box in the given colour"
Check box.Point(-1, 0) = -1, "Point outside the picture"
Check box.hdc = box.hDC And box.hdc <> 0, "hdc and hDC are one member"

' --- plain text in the caption face ----------------------------------------
box.FontName = "OCR A Extended"
box.FontSize = 14
Check box.FontName = "OCR A Extended" Or box.FontName = "OCRA", "caption face is " & box.FontName
box.ForeColor = Black
box.CurrentX = 10 : box.CurrentY = 50
Dim tw, th : tw = box.TextWidth("QUILLANT") : th = box.TextHeight("QUILLANT")
box.Print "QUILLANT"
Check box.CurrentX = 0 And box.CurrentY = 50 + th, "pen after Print"
Dim x, y, inked : inked = 0
For y = 50 To 50 + th - 1
    For x = 10 To 10 + tw - 1
        If box.Point(x, y) = Black Then inked = inked + 1
    Next
Next
Check inked > 50, "printed text left " & inked & " dark pixels"
Check box.Point(10 + tw + 2, 50 + th \ 2) = White, "nothing right of the measured text"
box.SavePicture "shapes.png"
box.SavePicture "shapes.bmp"
Check fso.FileExists("shapes.png") And fso.FileExists("shapes.bmp"), "SavePicture wrote PNG and BMP"

' --- the modules of "AB" at 3 pixels a module, 10 modules of quiet zone ----
Const ModulesOfAB = "110100100001010001100010001011000111101011101100011101011"
Dim row : Set row = CreateObject("QuillantForms.PictureBox")
row.Width = 4500 : row.Height = 1800          ' 300 x 120 pixels
row.ScaleMode = 3
row.DrawWidth = 1
Dim i, left
For i = 1 To Len(ModulesOfAB)
    left = 30 + 3 * (i - 1)
    If Mid(ModulesOfAB, i, 1) = "1" Then
        row.ForeColor = Black
        row.Line 20, left, 10, left + 3, 70, 0
        row.Line 36, left, 10, left + 3, 70, 0
    Else
        row.ForeColor = row.BackColor
        row.Line 20, left, 10, left + 3, 70, 0
        row.Line 36, left, 10, left + 3, 70, 0
    End If
Next
Check row.CurrentX = 30 + 3 * 57, "pen after the last module"
For i = 1 To Len(ModulesOfAB)
    left = 30 + 3 * (i - 1)
    If Mid(ModulesOfAB, i, 1) = "1" Then
        Check row.Point(left, 40) = Black And row.Point(left + 2, 40) = Black, "bar module " & i
    Else
        Check row.Point(left, 40) = White And row.Point(left + 2, 40) = White, "space module " & i
    End If
Next
row.FontName = "OCR A Extended"
row.FontSize = 10
row.ForeColor = Black
row.CurrentX = 30 + (171 - row.TextWidth("AB")) / 2 : row.CurrentY = 74
row.Print "AB"
Remove "module_row.png"
row.SavePicture "module_row.png"
Check fso.FileExists("module_row.png"), "module row saved"

' --- a two-page printer document, as PNG and as EMF ------------------------
Dim printer, files, f
For Each f In Array("printer_doc.png", "printer_doc-2.png", "printer_doc.emf", "printer_doc-2.emf")
    Remove f
Next
For Each f In Array("printer_doc.png", "printer_doc.emf")
    Set printer = CreateObject("QuillantForms.Printer")
    Check printer.Width = 12240 And printer.Height = 15840, "Letter page"
    printer.OutputFile = f
    printer.Line 36, 1440, 1440, 4320, 2880, 0
    printer.Line 20, 4320, 1440, 7200, 2880, 0
    printer.Line 38, 7200, 1440, 10080, 2880, Red
    printer.FontName = "OCR A Extended"
    printer.FontSize = 20
    printer.CurrentX = 1440 : printer.CurrentY = 3240
    printer.Print "PAGE ONE"
    printer.PaintPicture row.Image, 1440, 4320, 9000, 3600
    printer.NewPage
    Check printer.Page = 2, "second page"
    printer.CurrentX = 1440 : printer.CurrentY = 1440
    printer.Print "PAGE TWO"
    printer.EndDoc
Next
For Each f In Array("printer_doc.png", "printer_doc-2.png", "printer_doc.emf", "printer_doc-2.emf")
    Check fso.FileExists(f), f & " written"
Next
Check Not fso.FileExists("printer_doc-3.png"), "no third page"

' --- errors reach the script with Visual Basic numbers ---------------------
On Error Resume Next
box.ScaleMode = 4
Check Err.Number = 380, "ScaleMode 4 raised " & Err.Number & " " & Err.Description
Err.Clear
box.Line 1, 0, 0, 1, 1, 0
Check Err.Number = 5, "Line flags 1 raised " & Err.Number & " " & Err.Description
Err.Clear
box.PaintPicture box, 0, 0
Check Err.Number = 481, "PaintPicture of a picture box raised " & Err.Number
Err.Clear
Set printer = CreateObject("QuillantForms.Printer")
printer.Line 36, 0, 0, 100, 100, 0
printer.EndDoc
Check Err.Number = 482 Or Err.Number = 0, "EndDoc without OutputFile raised " & Err.Number & " " & Err.Description
If Err.Number = 482 Then Check InStr(Err.Description, "no printer is installed") > 0, "482 says why: " & Err.Description
Err.Clear
On Error GoTo 0

If failures = 0 Then
    WScript.Echo "PASS forms acceptance"
Else
    WScript.Quit 1
End If
