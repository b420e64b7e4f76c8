' Draws the two pictures of docs/print-quality.md: the same symbol from
' Quillant1 and from Quillant2 on the stand-in printer at 203 dpi, the
' resolution of most thermal label printers, with ElementWidth 15 twips
' (2.11 printer dots). Run by docs/images/render.sh in this folder:
'
'   print-quality-quillant1.png   edges rounded to the nearest dot
'   print-quality-quillant2.png   every module two whole dots
Option Explicit

Const Text = "SHIP 2024-0815"
Const ElementWidth = 15
Const Succeeded = "Sucess"

DrawPage "Quillant.Quillant1", "print-quality-quillant1.png"
DrawPage "Quillant.Quillant2", "print-quality-quillant2.png"

' A 3 x 0.8 inch page with the symbol and ten modules of white either side.
Sub DrawPage(progId, picture)
    Dim barcode, printer, result
    Set barcode = CreateObject(progId)
    Set printer = barcode.DeviceObject
    printer.PrintQuality = 203
    printer.Width = 4320
    printer.Height = 1152
    printer.OutputFile = picture
    barcode.EncodeString = Text
    barcode.ElementWidth = ElementWidth
    barcode.BarHeight = 700
    barcode.XPosition = 12 * ElementWidth
    barcode.YPosition = 120
    result = barcode.Encode
    If result <> Succeeded Then
        WScript.Echo "FAIL " & progId & ": " & result
        WScript.Quit 1
    End If
    printer.EndDoc
    WScript.Echo picture & ": " & progId & ", 203 dpi, ElementWidth " & ElementWidth & " twips"
End Sub
