' The demo host: a page of barcodes on the printer and one barcode on a
' picture box, the way a Visual Basic program uses Quillant.Quillant1.
'
'   cscript //nologo demo.vbs          (in the folder that gets the pictures)
'
' Writes page.png and page.emf (the same page as a 600 dpi raster and as an
' enhanced metafile) and picture.png. For every barcode it prints a line
'   scan <TAB> picture <TAB> left <TAB> top <TAB> width <TAB> height <TAB> text
' giving the rectangle, in the picture's pixels, that holds the symbol with
' its quiet zone, so that scripts/demo.sh can decode each one on its own.
' Any other line is for the reader.
Option Explicit

Const TwipsPerInch = 1440
Const PrinterDpi = 600         ' the stand-in printer's resolution
Const PictureDpi = 96          ' the stand-in picture box's resolution
Const QuietModules = 10        ' white a scanner needs before and after the bars
Const CaptionRoom = 420        ' twips below (or beside) the bars the caption may use

Const bcHorizontal = 1
Const bcVertical = 2
Const Succeeded = "Sucess"     ' what Encode returns when it drew everything

Dim TAB
TAB = Chr(9)

' --- what goes on the page: text, orientation, caption, indent, label
Dim rows
rows = Array( _
    Array("AB", bcHorizontal, True, True, "the defaults: caption set into a notch in the bars"), _
    Array("Hello, World!", bcHorizontal, True, False, "IndentedCode = False: caption below the bars"), _
    Array("Quillant 1.00", bcHorizontal, False, False, "VisibleCode = False: bars only"), _
    Array("01234567890123456789", bcHorizontal, True, True, "digits go out two to a symbol (code set C); a caption wider than the bars widens the notch"), _
    Array("!""#$%&'()*+,-./:;<=>?@[\]^_`{|}~", bcHorizontal, True, False, "every punctuation character of code set B"), _
    Array("Lot 0815 / Box 12", bcHorizontal, True, True, "letters, digits and spaces mixed"))

Dim columns
columns = Array( _
    Array("UP-42", bcVertical, True, True, "vertical, notch"), _
    Array("Vertical", bcVertical, True, False, "vertical, beside"), _
    Array("0123456789", bcVertical, False, False, "vertical, bars only"))

Dim barcode, printer, box
Set barcode = CreateObject("Quillant.Quillant1")
' A new object draws on the Printer until told otherwise, as in Visual Basic.
Set printer = barcode.DeviceObject

' --- the page, once as a raster and once as vectors
Dim scans
printer.OutputFile = "page.png"
DrawPage True
printer.EndDoc
printer.OutputFile = "page.emf"
DrawPage False
printer.EndDoc
WScript.Echo "page.png, page.emf: " & (UBound(rows) + UBound(columns) + 2) & " barcodes on one Letter page"

' --- one barcode on a picture box
Set box = CreateObject("QuillantForms.PictureBox")
Set barcode.DeviceObject = box
' Twips on a 96 dpi picture box: 15 to the pixel, so 45 makes 3-pixel modules
' and a 45 / 1.9 = 23.7 point caption.
Configure "Quillant on a picture box", bcHorizontal, True, True
barcode.ElementWidth = 45
barcode.BarHeight = 1500
barcode.XPosition = QuietModules * 45
barcode.YPosition = 300
box.Width = barcode.GetBarWidth + 2 * barcode.XPosition
box.Height = barcode.YPosition + barcode.BarHeight + 600
Draw
box.SavePicture "picture.png"
Scan "picture.png", PictureDpi, 0, 0, box.Width, box.Height
WScript.Echo "picture.png: """ & barcode.EncodeString & """ on a " & _
    Pixels(box.Width, PictureDpi) & " x " & Pixels(box.Height, PictureDpi) & " pixel picture box"

' Draws the page. Printer units are twips; ElementWidth 20 twips is 8 to 9
' printer pixels per module, BarHeight 800 twips a little over half an inch.
Sub DrawPage(report)
    Dim i, x, y, width
    SetLabelFont 16
    printer.CurrentX = 1080
    printer.CurrentY = 720
    printer.Print "Quillant: Code 128 on the stand-in printer"
    SetLabelFont 9
    printer.CurrentX = 1080
    printer.Print "Letter, 600 dpi; ElementWidth 20 twips, BarHeight 800 twips; each label names the settings below it"

    x = 1080
    y = 1800
    For i = 0 To UBound(rows)
        Label rows(i)(4), x, y - 300
        Configure rows(i)(0), rows(i)(1), rows(i)(2), rows(i)(3)
        barcode.XPosition = x
        barcode.YPosition = y
        width = barcode.GetBarWidth   ' lay out before drawing, as a host would
        Draw
        If report Then
            Scan "page.png", PrinterDpi, x - QuietModules * 20, y - 60, _
                width + 2 * QuietModules * 20, 800 + CaptionRoom + 60
        End If
        y = y + 1700
    Next

    y = y + 200
    For i = 0 To UBound(columns)
        Label columns(i)(4), x, y - 500
        Configure columns(i)(0), columns(i)(1), columns(i)(2), columns(i)(3)
        barcode.XPosition = x
        barcode.YPosition = y
        ' A vertical symbol is BarHeight wide and GetBarWidth tall.
        width = barcode.GetBarWidth
        Draw
        If report Then
            Scan "page.png", PrinterDpi, x - 60, y - QuietModules * 20, _
                800 + CaptionRoom + 60, width + 2 * QuietModules * 20
        End If
        x = x + 3300
    Next
End Sub

Sub Configure(text, orientation, visible, indented)
    barcode.EncodeString = text
    barcode.Orientation = orientation
    barcode.VisibleCode = visible
    barcode.IndentedCode = indented
    barcode.ElementWidth = 20
    barcode.BarHeight = 800
End Sub

' Encode never raises an error: it answers with the error's description.
Sub Draw()
    Dim result
    result = barcode.Encode
    If result <> Succeeded Then
        WScript.Echo "FAIL """ & barcode.EncodeString & """: " & result
        WScript.Quit 1
    End If
End Sub

' Encode leaves the caption font on the printer; labels set their own.
Sub SetLabelFont(points)
    printer.FontName = "Arial"
    printer.FontSize = points
    printer.FontBold = False
    printer.ForeColor = &H606060
End Sub

Sub Label(text, x, y)
    SetLabelFont 9
    printer.CurrentX = x
    printer.CurrentY = y
    printer.Print text
End Sub

' The scan line for a rectangle given in twips.
Sub Scan(picture, dpi, left, top, width, height)
    WScript.Echo "scan" & TAB & picture & TAB & Pixels(left, dpi) & TAB & Pixels(top, dpi) & TAB & _
        Pixels(width, dpi) & TAB & Pixels(height, dpi) & TAB & barcode.EncodeString
End Sub

Function Pixels(twips, dpi)
    Pixels = Int(twips * dpi / TwipsPerInch)
End Function
