' A 4 x 6 inch GS1-128 shipping label for a 203-dpi label printer: the ship-to
' postal code, the product (GTIN, expiry date, batch) and the pallet's SSCC,
' each with its caption, every module a whole number of the printer's dots.
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
Dim shipToPostcode, gtin, expiry, batch, sscc
shipToPostcode = "10115"
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
label.BarHeight = 1440
Set label.DeviceObject = printer

Dim failed : failed = False
PrintCentred "(420)" & shipToPostcode, 720
PrintCentred "(01)" & gtin & "(17)" & expiry & "(10)" & batch, 3240
PrintCentred "(00)" & sscc, 5760

' What a host sees for a mistyped field: the SSCC's last digit changed.
label.EncodeString = "(00)" & Left(sscc, 17) & "1"
WScript.Echo "A mistyped SSCC: " & label.Encode()

printer.EndDoc
If failed Then
    WScript.Echo "FAIL the label is incomplete"
    WScript.Quit 1
End If
WScript.Echo "PASS shipping label printed"

' Centred across the label, as wide a module as fits: three dots (0.375 mm),
' else two.
Sub PrintCentred(elements, top)
    Dim result
    label.EncodeString = elements
    label.ElementWidth = 20
    If label.GetBarWidth() > printer.ScaleWidth Then label.ElementWidth = 14
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
