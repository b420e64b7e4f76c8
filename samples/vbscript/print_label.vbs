' A shipping label on the printer: the parcel number centred across the page
' with its caption in a notch, and the order number up the left margin.
'
'   cscript //nologo print_label.vbs [label.png | label.emf]
'
' A new Quillant1 draws on the Printer, as in Visual Basic. Here that is the
' stand-in printer inside Quillant.dll: given a file name it writes the page
' there (PNG at 600 dpi, or EMF), else EndDoc sends it to the default printer.
' Prints "PASS ..." when the page is done, "FAIL ..." otherwise.
Option Explicit

Const bcHorizontal = 1
Const bcVertical = 2

Dim barcode, printer
Set barcode = CreateObject("Quillant.Quillant1")
Set printer = barcode.DeviceObject
If WScript.Arguments.Count > 0 Then printer.OutputFile = WScript.Arguments(0)

' Printer units are twips (1440 to the inch). ElementWidth 20 is a module of
' 1/72 inch; bars about 50 modules high read well.
barcode.ElementWidth = 20
barcode.BarHeight = 1000

' Centred: GetBarWidth says how wide the symbol will be before it is drawn.
barcode.EncodeString = "PARCEL 0042-1187"
barcode.XPosition = (printer.ScaleWidth - barcode.GetBarWidth) / 2
barcode.YPosition = 2880
Draw

' Up the left margin, reading bottom to top, caption beside the bars.
barcode.EncodeString = "ORDER 20240815"
barcode.Orientation = bcVertical
barcode.IndentedCode = False
barcode.XPosition = 720
barcode.YPosition = 5760
Draw

' Without a printer (or a writable file) EndDoc raises an error: 482, 75 ...
On Error Resume Next
printer.EndDoc
If Err.Number <> 0 Then
    WScript.Echo "FAIL EndDoc: error " & Err.Number & ", " & Err.Description
    WScript.Quit 1
End If
On Error GoTo 0
WScript.Echo "PASS label printed" & Where()

' Encode does not raise errors: it returns "Sucess" (sic) or what went wrong.
Sub Draw()
    Dim result
    result = barcode.Encode
    If result <> "Sucess" Then
        WScript.Echo "FAIL """ & barcode.EncodeString & """: " & result
        printer.KillDoc
        WScript.Quit 1
    End If
End Sub

Function Where()
    If printer.OutputFile = "" Then
        Where = " on the default printer"
    Else
        Where = " to " & printer.OutputFile
    End If
End Function
