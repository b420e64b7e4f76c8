' One Code 128 barcode on a picture box, saved as a PNG file.
'
'   cscript //nologo picture_box.vbs [picture.png] [text]
'
' Scripts have no forms runtime, so the picture box is the stand-in from
' QuillantForms.dll; a Visual Basic program passes its own PictureBox.
' Prints "PASS ..." when the picture is written, "FAIL ..." otherwise.
Option Explicit

Dim pictureFile, text
pictureFile = "picture_box.png"
text = "Quillant 128"
If WScript.Arguments.Count > 0 Then pictureFile = WScript.Arguments(0)
If WScript.Arguments.Count > 1 Then text = WScript.Arguments(1)

Dim barcode, box, result
Set barcode = CreateObject("Quillant.Quillant1")
Set box = CreateObject("QuillantForms.PictureBox")

' Everything is in the picture box's scale units: twips, 15 to a pixel at
' 96 dpi. ElementWidth 45 gives 3-pixel modules; the caption is set at
' ElementWidth / 1.9 points. Leave ten modules of white on either side.
barcode.EncodeString = text
barcode.ElementWidth = 45
barcode.BarHeight = 1500
barcode.XPosition = 10 * 45
barcode.YPosition = 300

' GetBarWidth raises an error (5: a character Code 128 cannot carry; 6: too
' wide for 16 bits) where Encode would answer with the error's text.
On Error Resume Next
box.Width = barcode.GetBarWidth + 2 * barcode.XPosition
If Err.Number <> 0 Then
    WScript.Echo "FAIL cannot lay out """ & text & """: error " & Err.Number & ", " & Err.Description
    WScript.Quit 1
End If
On Error GoTo 0
box.Height = barcode.YPosition + barcode.BarHeight + 600

Set barcode.DeviceObject = box
result = barcode.Encode
If result <> "Sucess" Then   ' the component's own spelling
    WScript.Echo "FAIL Encode: " & result
    WScript.Quit 1
End If

box.SavePicture pictureFile
WScript.Echo "PASS " & pictureFile & ": """ & text & """, " & barcode.GetBarWidth & " twips wide"
