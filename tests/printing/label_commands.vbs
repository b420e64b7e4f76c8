' label_commands.vbs FOLDER PRINTER
'
' One symbol as ZPL and as EPL from Quillant2's LabelCommands, written to
' FOLDER\label.zpl and FOLDER\label.epl and sent to PRINTER (a raw queue) by
' PrintCommands, ZPL first. A printer the spooler does not know must raise
' 482 "Printer error" naming it. Ends with a PASS line.
Option Explicit
Dim folder, printerName, barcode, zpl, epl
folder = WScript.Arguments(0)
printerName = WScript.Arguments(1)

Set barcode = CreateObject("Quillant.Quillant2")
barcode.EncodeString = "PARCEL 42"
barcode.XPosition = 1440         ' 203 dots
barcode.YPosition = 720
barcode.ElementWidth = 28        ' 4 dots at 203 dpi
barcode.BarHeight = 1800         ' 254 dots
barcode.QuietZones = True
zpl = barcode.LabelCommands("ZPL")
epl = barcode.LabelCommands("epl")
WriteBytes folder & "\label.zpl", zpl
WriteBytes folder & "\label.epl", epl

On Error Resume Next
barcode.PrintCommands "No Such Printer", zpl
If Err.Number <> 482 Or InStr(Err.Description, "No Such Printer") = 0 Then
    WScript.Echo "FAIL an unknown printer raised " & Err.Number & ": " & Err.Description
    WScript.Quit 1
End If
Err.Clear
barcode.LabelCommands "PCL"
If Err.Number <> 5 Or InStr(Err.Description, """ZPL"" or ""EPL""") = 0 Then
    WScript.Echo "FAIL an unknown language raised " & Err.Number & ": " & Err.Description
    WScript.Quit 1
End If
Err.Clear
barcode.PrintCommands printerName, zpl
If Err.Number = 0 Then barcode.PrintCommands printerName, epl
If Err.Number <> 0 Then
    WScript.Echo "FAIL PrintCommands: " & Err.Number & ", " & Err.Description
    WScript.Quit 1
End If
On Error GoTo 0
WScript.Echo "PASS ZPL and EPL sent to " & printerName

Sub WriteBytes(path, text)
    Dim file
    Set file = CreateObject("Scripting.FileSystemObject").CreateTextFile(path, True)
    file.Write text
    file.Close
End Sub
