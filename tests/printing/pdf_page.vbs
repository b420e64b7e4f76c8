' One page through a real spooler: Quillant2 and Quillant1 symbols on the
' stand-in printer, sent to PRINTER (the PDF queue of scripts/cups_session.sh)
' by name.
'
'   cscript //nologo pdf_page.vbs FOLDER PRINTER
'
' Writes FOLDER\crops.tsv, one line a symbol for scripts/grade_crops.py, the
' rectangles in the page's pixels at 300 dpi, the picture named page.png:
' whoever rasterises the PDF the queue makes at 300 dpi can grade them.
' Quillant2's symbols must grade A; Quillant1's are measured.
Option Explicit

Const bcHorizontal = 1, bcVertical = 2
Const bcCode128 = 1, bcGS1_128 = 2
Const Dpi = 300
Const BarHeight = 700
Const CaptionRoom = 380
Const Succeeded = "Sucess"

Dim outDir, printerName, fso, crops
outDir = WScript.Arguments(0)
printerName = WScript.Arguments(1)
Set fso = CreateObject("Scripting.FileSystemObject")
Set crops = fso.CreateTextFile(fso.BuildPath(outDir, "crops.tsv"), True)

' The queue is listed, For Each through the Printers collection.
Dim listed, installed
listed = False
For Each installed In CreateObject("QuillantForms.Printers")
    If installed.DeviceName = printerName Then listed = True
Next
If Not listed Then
    WScript.Echo "FAIL " & printerName & " is not among QuillantForms.Printers"
    WScript.Quit 1
End If

Dim barcode, classic, printer
Set barcode = CreateObject("Quillant.Quillant2")
Set classic = CreateObject("Quillant.Quillant1")
Set printer = barcode.DeviceObject
Set classic.DeviceObject = printer

On Error Resume Next
printer.DeviceName = printerName
If Err.Number <> 0 Then
    WScript.Echo "FAIL printer " & printerName & ": error " & Err.Number & ", " & Err.Description
    WScript.Quit 1
End If
On Error GoTo 0
printer.PrintQuality = Dpi

' GS1-128 and full Code 128 across the page, one up the page, and the same
' text from Quillant1.
Symbol barcode, bcGS1_128, "(01)09501101530003(17)251231", "]C10109501101530003" & "17251231", 10, bcHorizontal, 720, 720, "A"
Symbol barcode, bcCode128, "Quillant " & Chr(233) & "t" & Chr(233), "]C0Quillant \xE9t\xE9", 15, bcHorizontal, 720, 2400, "A"
Symbol barcode, bcGS1_128, "(400)PO-77(420)10115", "]C1400PO-77\x1D42010115", 15, bcVertical, 4800, 720, "A"
Symbol classic, 0, "SHIP 2024-0815", "]C0SHIP 2024-0815", 15, bcHorizontal, 720, 4100, "-"

On Error Resume Next
printer.EndDoc
If Err.Number <> 0 Then
    WScript.Echo "FAIL EndDoc on " & printerName & ": error " & Err.Number & ", " & Err.Description
    WScript.Quit 1
End If
On Error GoTo 0
crops.Close
WScript.Echo "PASS page sent to " & printerName

' Quiet zones are left blank beside the bars (Quillant1 has none of its own).
Sub Symbol(q, symbology, text, expected, width, orientation, x, y, required)
    Dim quiet, result, length, a1, a2, c1, c2
    quiet = 12 * width
    If symbology <> 0 Then
        q.Symbology = symbology
        q.QuietZones = False
    End If
    q.EncodeString = text
    q.ElementWidth = width
    q.BarHeight = BarHeight
    q.Orientation = orientation
    q.IndentedCode = False
    If orientation = bcHorizontal Then
        q.XPosition = x + quiet
        q.YPosition = y
    Else
        q.XPosition = x
        q.YPosition = y + quiet
    End If
    result = q.Encode
    If result <> Succeeded Then
        WScript.Echo "FAIL " & text & ": Encode returned '" & result & "'"
        WScript.Quit 1
    End If
    length = q.GetBarWidth + 2 * quiet
    If orientation = bcHorizontal Then
        a1 = Pixel(x): a2 = Pixel(x + length)
        c1 = Pixel(y - CaptionRoom): c2 = Pixel(y + BarHeight + CaptionRoom)
        crops.WriteLine Tabbed(Array("page.png", a1, c1, a2 - a1, c2 - c1, 0, required, expected, Describe(q, width)))
    Else
        a1 = Pixel(y): a2 = Pixel(y + length)
        c1 = Pixel(x - CaptionRoom): c2 = Pixel(x + BarHeight + CaptionRoom)
        crops.WriteLine Tabbed(Array("page.png", c1, a1, c2 - c1, a2 - a1, 90, required, expected, Describe(q, width)))
    End If
End Sub

Function Describe(q, width)
    If q Is classic Then Describe = "Quillant1" Else Describe = "Quillant2"
    Describe = Describe & " " & width & " twips, " & Dpi & " dpi PDF"
End Function

Function Pixel(twips)
    Pixel = Int(twips * Dpi / 1440 + 0.5)
End Function

Function Tabbed(fields)
    Dim i
    Tabbed = fields(0)
    For i = 1 To UBound(fields)
        Tabbed = Tabbed & Chr(9) & fields(i)
    Next
End Function
