'The demo's shipping label: a 4 x 6 inch label on a 203 dpi label printer
' with three GS1-128 symbols drawn by Quillant.Quillant2: the trade item
' (AI 01), its expiry date and batch (AI 17, 10) and the pallet's serial
' shipping container code (AI 00). The symbols meet GS1's rules for
' logistic labels: 4-dot modules (0.500 mm; 0.495 to 1.016 mm allowed),
' bars 254 dots high (31.8 mm; at least 31.75 mm), 10-module quiet zones.
' At that module the (01)(17)(10) element string is too long for a 4-inch
' label, so it is split over two symbols; CheckGs1Label checks the label's
' element strings together. The ship-to postal code is text only: a fourth
' symbol of that height does not fit on the label.
'
'   cscript //nologo shipping_label.vbs label.png [PRINTER [Quillant1]]
'
' With only a file name it writes the label there, and the same symbols as
' ZPL commands (LabelCommands) beside it, in label.zpl. Given the name of an
' installed printer (a Zebra label printer, say) it prints the label there
' instead, at that printer's own dots; the file name then only names the picture in the crop lines, for
' whoever turns the printed label back into one. With Quillant1 the same
' fields are drawn by Quillant.Quillant1, which knows no GS1 and only code
' set B: each symbol carries the digits and letters of the element string
' as plain Code 128 (no FNC1, no GS), for comparing the two classes on a
' label printer.
'
' For every symbol it prints a line
'   crop <TAB> picture <TAB> x <TAB> y <TAB> width <TAB> height <TAB> 0 <TAB> grade <TAB> read <TAB> name
' giving the rectangle (printer dots) with the symbol and its quiet zones,
' the grade it must reach ("-" for Quillant1: measured only) and what a
' reader returns, for scripts/grade_crops.py. Any other line is for the
' reader.
Option Explicit

Const bcGS1_128 = 2
Const Dpi = 203
Const LabelWidth = 5760          ' 4 x 6 inches in twips
Const LabelHeight = 8640
Const Margin = 200
Const Succeeded = "Sucess"
Const ModuleTwips = 28           ' 3.95 dots at 203 dpi: 4 dots, 0.500 mm
Const BarTwips = 1800            ' 253.8 dots: 254 dots, 31.8 mm

' The label's fields. A GS1 reader gets the element string without the
' parentheses, with a GS after a variable-length field that is not last.
Dim shipToPostalCode, gtin, batch, expiry, sscc
shipToPostalCode = "10115"
gtin = "09501101530003"
batch = "ABC123"
expiry = "261231"                ' YYMMDD
sscc = "109501101000012346"

Dim picture, printerName, classic, barcode, printer, TAB
picture = WScript.Arguments(0)
printerName = ""
If WScript.Arguments.Count > 1 Then printerName = WScript.Arguments(1)
classic = False
If WScript.Arguments.Count > 2 Then classic = (WScript.Arguments(2) = "Quillant1")
TAB = Chr(9)
If classic Then
    Set barcode = CreateObject("Quillant.Quillant1")
Else
    Set barcode = CreateObject("Quillant.Quillant2")
End If
Set printer = barcode.DeviceObject
If printerName = "" Then
    printer.OutputFile = picture
Else
    ChoosePrinter printerName
End If
printer.PrintQuality = Dpi
printer.Width = LabelWidth
printer.Height = LabelHeight

Dim y, zpl
zpl = ""
y = 150
Heading "FROM", y
Text "Quillant Logistics, Dock 4, 20095 Hamburg", 10, False, y + 230
Rule y + 520

y = y + 580
Heading "SHIP TO", y
Text "Muster GmbH, Invalidenstrasse 116", 12, True, y + 220
Text shipToPostalCode & " Berlin, Germany", 12, True, y + 490
Rule y + 820

y = y + 860
Heading "CONTENT   BATCH " & batch & "   EXP 20" & Left(expiry, 2) & "-" & Mid(expiry, 3, 2) & "-" & Right(expiry, 2), y
Symbol "GTIN (01)", "(01)" & gtin, "]C101" & gtin, y + 200
Symbol "expiry, batch (17)(10)", "(17)" & expiry & "(10)" & batch, "]C117" & expiry & "10" & batch, y + 2400
Rule y + 4580

y = y + 4620
Heading "SSCC", y
Symbol "SSCC (00)", "(00)" & sscc, "]C100" & sscc, y + 200

If Not classic Then
    Dim fault
    fault = barcode.CheckGs1Label(Array("(01)" & gtin, "(17)" & expiry & "(10)" & batch, "(00)" & sscc))
    If fault <> "" Then
        WScript.Echo "FAIL the label's element strings: " & fault
        WScript.Quit 1
    End If
End If

On Error Resume Next
printer.EndDoc
If Err.Number <> 0 Then
    WScript.Echo "FAIL EndDoc: error " & Err.Number & ", " & Err.Description
    WScript.Quit 1
End If
On Error GoTo 0
Dim symbols
symbols = "three GS1-128 symbols"
If classic Then symbols = "three Code 128 symbols from Quillant1"
If printerName = "" Then
    If Not classic Then WriteText Left(picture, Len(picture) - 4) & ".zpl", "^XA" & vbLf & zpl & "^XZ" & vbLf
    WScript.Echo picture & ": 4 x 6 inch shipping label at " & Dpi & " dpi, " & symbols
Else
    WScript.Echo printerName & ": 4 x 6 inch shipping label at " & Dpi & " dpi, " & symbols & ", sent"
End If

' The printer the document goes to; an unknown name fails here, not at EndDoc.
Sub ChoosePrinter(name)
    On Error Resume Next
    printer.DeviceName = name
    If Err.Number <> 0 Then
        WScript.Echo "FAIL printer " & name & ": error " & Err.Number & ", " & Err.Description
        WScript.Quit 1
    End If
    On Error GoTo 0
End Sub

' A centred symbol with its quiet zones and its caption below the bars.
' Quillant1 leaves the quiet zones to its host: they are left blank beside
' its bars.
Sub Symbol(name, elementString, read, top)
    Dim result, x, length, quiet, required, expected, width, height, commands
    width = ModuleTwips
    height = BarTwips
    expected = read
    If classic Then
        barcode.EncodeString = Replace(Mid(read, 4), "\x1D", "")
        expected = "]C0" & barcode.EncodeString
        quiet = 10 * width
        required = "-"
    Else
        barcode.Symbology = bcGS1_128
        barcode.EncodeString = elementString
        barcode.QuietZones = True
        quiet = 0
        required = "A"
    End If
    barcode.ElementWidth = width
    barcode.BarHeight = height
    barcode.IndentedCode = False
    barcode.YPosition = top
    length = barcode.GetBarWidth + 2 * quiet
    x = (LabelWidth - length) \ 2
    barcode.XPosition = x + quiet
    result = barcode.Encode
    If result <> Succeeded Then
        WScript.Echo "FAIL " & name & ": " & result
        WScript.Quit 1
    End If
    If Not classic Then
        ' The same symbol as the printer's own commands, one field of the label.
        commands = barcode.LabelCommands("ZPL")
        zpl = zpl & Mid(commands, 5, Len(commands) - 8)
    End If
    WScript.Echo "crop" & TAB & Tabbed(Array(picture, Pixel(x), Pixel(top - 100), Pixel(x + length) - Pixel(x), _
        Pixel(top + height + 380) - Pixel(top - 100), 0, required, expected, name))
End Sub

Sub WriteText(path, text)
    Dim file
    Set file = CreateObject("Scripting.FileSystemObject").CreateTextFile(path, True)
    file.Write text
    file.Close
End Sub


Sub Heading(words, top)
    Text words, 8, True, top
End Sub

Sub Text(words, points, bold, top)
    printer.FontName = "Arial"
    printer.FontSize = points
    printer.FontBold = bold
    printer.ForeColor = 0
    printer.CurrentX = Margin
    printer.CurrentY = top
    printer.Print words
End Sub

' A thin rule across the label between its sections: Line with the flags
' box, filled and colour given.
Sub Rule(top)
    printer.Line 4 + 32 + 2, Margin, top, LabelWidth - Margin, top + 20, 0
End Sub

Function Pixel(twips)
    Pixel = Int(twips * Dpi / 1440 + 0.5)
End Function

' The fields as one tab-separated line (Wine's VBScript has no Join).
Function Tabbed(fields)
    Dim i
    Tabbed = fields(0)
    For i = 1 To UBound(fields)
        Tabbed = Tabbed & Chr(9) & fields(i)
    Next
End Function
