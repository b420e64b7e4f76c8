' Run by the installer tests through cscript after msiexec /i: every class
' of both installed DLLs is created the way scripts create it, by ProgID,
' and each barcode class draws on a stand-in picture box.
'
'   cscript //nologo installed.vbs PREFIX
'
' Writes PREFIX-Quillant1.png and PREFIX-Quillant2.png, holding "Quillant1
' installed" and "Quillant2 installed"; prints PASS, or FAIL and the reason.
Option Explicit
Dim prefix: prefix = WScript.Arguments(0)

Sub Draw(progId, name)
    Dim barcode, box, result
    Set barcode = CreateObject(progId)
    Set box = CreateObject("QuillantForms.PictureBox")
    barcode.EncodeString = name & " installed"
    barcode.ElementWidth = 45
    barcode.BarHeight = 1500
    barcode.XPosition = 450
    barcode.YPosition = 300
    box.Width = barcode.GetBarWidth + 900
    box.Height = 2400
    Set barcode.DeviceObject = box
    result = barcode.Encode
    If result <> "Sucess" Then
        WScript.Echo "FAIL " & progId & ".Encode: " & result
        WScript.Quit 1
    End If
    box.SavePicture prefix & "-" & name & ".png"
End Sub

Draw "Quillant.Quillant1", "Quillant1"
Draw "Quillant.Quillant2.1", "Quillant2"
Dim printer: Set printer = CreateObject("QuillantForms.Printer")
WScript.Echo "PASS all four classes created"
