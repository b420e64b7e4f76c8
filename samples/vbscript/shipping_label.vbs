' A 4 x 6 inch GS1-128 shipping label for a 203-dpi label printer: the product
' (its GTIN, then its expiry date and batch) and the pallet's SSCC, each with its
' caption, every module a whole number of the printer's dots. The symbols
' meet GS1's rules for logistic labels: 4-dot modules (0.500 mm), bars of
' 254 dots (31.8 mm), 10-module quiet zones. At that module the product's
' (01)(17)(10) does not fit across 4 inches: it is split over two symbols,
' and CheckGs1Label checks the label's element strings together.
'
'   cscript //nologo shipping_label.vbs [label.png]
'
' The element strings are built from the label's fields; a field that is
' wrong (here a mistyped check digit) comes back as Encode's text, naming
' the Application Identifier and what to fix, and nothing is drawn for it.
' Prints "PASS ..." when the label is done, "FAIL ..." otherwise.
Option Explicit

Const bcGS1_128 = 2

' The label's fields, as a warehouse system hands them over.
Dim gtin, expiry, batch, sscc
gtin = "09501101530003"         ' 14 digits, the last one a check digit
expiry = "271231"               ' YYMMDD
batch = "LOT4711"
sscc = "095011015300000010"     ' 18 digits, the last one a check digit

Dim printer, label
Set printer = CreateObject("QuillantForms.Printer")
printer.PrintQuality = 203       ' the label printer's dots per inch
printer.Width = 4 * 1440         ' twips
printer.Height = 6 * 1440
If WScript.Arguments.Count > 0 Then printer.OutputFile = WScript.Arguments(0)

Set label = CreateObject("Quillant.Quillant2")
label.Symbology = bcGS1_128
label.QuietZones = True          ' XPosition is the outer edge of the quiet zone
label.ElementWidth = 28          ' twips: 3.95 dots at 203 dpi, snapped to 4 (0.500 mm)
label.BarHeight = 1800           ' 254 dots: 31.8 mm, GS1's 31.75 mm or more
Set label.DeviceObject = printer

Dim failed : failed = False
PrintCentred "(01)" & gtin, 360
PrintCentred "(17)" & expiry & "(10)" & batch, 2880
PrintCentred "(00)" & sscc, 5400
Dim fault
fault = label.CheckGs1Label(Array("(01)" & gtin, "(17)" & expiry & "(10)" & batch, "(00)" & sscc))
If fault <> "" Then
    WScript.Echo "FAIL the label's element strings: " & fault
    failed = True
End If

' What a host sees for a mistyped field: the SSCC's last digit changed.
label.EncodeString = "(00)" & Left(sscc, 17) & "1"
WScript.Echo "A mistyped SSCC: " & label.Encode()

printer.EndDoc
If failed Then
    WScript.Echo "FAIL the label is incomplete"
    WScript.Quit 1
End If
WScript.Echo "PASS shipping label printed"

' Centred across the label. A symbol too long for the label at GS1's smallest
' logistic module is an error, not a narrower module.
Sub PrintCentred(elements, top)
    Dim result
    label.EncodeString = elements
    If label.GetBarWidth() > printer.ScaleWidth Then
        WScript.Echo "FAIL " & elements & ": too long for the label at 4-dot modules"
        failed = True
        Exit Sub
    End If
    label.XPosition = (printer.ScaleWidth - label.GetBarWidth()) / 2
    label.YPosition = top
    result = label.Encode()
    If result <> "Sucess" Then
        WScript.Echo "FAIL " & elements & ": " & result
        failed = True
    Else
        WScript.Echo "printed " & label.CaptionText
    End If
End Sub
