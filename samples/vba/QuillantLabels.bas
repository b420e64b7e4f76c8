Attribute VB_Name = "QuillantLabels"
' Barcodes from Office VBA (Excel, Word, Access ...). Office has no VB6
' forms runtime, so the symbols are drawn on the stand-in objects of
' QuillantForms.dll and come back as picture files.
'
' Register Quillant.dll and QuillantForms.dll first, the 32-bit pair for
' 32-bit Office, the 64-bit pair for 64-bit Office. Everything here is late
' bound (CreateObject); no reference is needed.
'
' File > Import File... this module, then run ExcelExample from an Excel
' workbook, or call the functions from your own code.
Option Explicit

' What Encode returns when it drew everything (the component's spelling);
' anything else is the reason it stopped.
Private Const EncodeSucceeded As String = "Sucess"

Private Const QuietModules As Long = 10   ' white before and after the bars

' Draws one barcode into a PNG (or BMP) file sized to fit it. Returns ""
' when the file is written, else what went wrong, in words.
' moduleTwips: 15 twips are one pixel, so 30 gives 2-pixel modules.
Public Function BarcodePicture(ByVal text As String, ByVal file As String, _
        Optional ByVal moduleTwips As Integer = 30, _
        Optional ByVal withCaption As Boolean = True) As String
    Dim barcode As Object, box As Object
    Dim barWidth As Long, result As String

    Set barcode = CreateObject("Quillant.Quillant1")
    Set box = CreateObject("QuillantForms.PictureBox")
    barcode.EncodeString = text
    barcode.ElementWidth = moduleTwips
    barcode.BarHeight = 50 * moduleTwips
    barcode.VisibleCode = withCaption
    barcode.XPosition = QuietModules * moduleTwips
    barcode.YPosition = moduleTwips

    ' GetBarWidth measures without drawing; it raises error 5 for a
    ' character Code 128 cannot carry and 6 for a symbol wider than 32767.
    On Error GoTo Refused
    barWidth = barcode.GetBarWidth
    On Error GoTo 0

    box.Width = barWidth + 2 * QuietModules * moduleTwips
    ' The caption, at ElementWidth / 1.9 points, needs about 20 modules.
    box.Height = barcode.YPosition + barcode.BarHeight + 20 * moduleTwips
    Set barcode.DeviceObject = box
    result = barcode.Encode
    If result <> EncodeSucceeded Then
        BarcodePicture = result
        Exit Function
    End If

    On Error GoTo Refused
    box.SavePicture file          ' error 75 when the file cannot be written
    BarcodePicture = ""
    Exit Function
Refused:
    BarcodePicture = Err.Description
End Function

' Lays texts out on a printer page, left to right, starting a new row when
' the next symbol would not fit: GetBarWidth gives the width before any
' drawing. Writes the page to outputFile (.png at 600 dpi or .emf), or
' prints it when outputFile is "". Returns one line per text that could not
' be drawn, "" when all were.
Public Function PrintLabelSheet(texts As Variant, Optional ByVal outputFile As String = "") As String
    Const Margin As Long = 720            ' half an inch, in twips
    Const RowPitch As Long = 1800         ' bars, caption and a gap
    Dim barcode As Object, labelPrinter As Object
    Dim i As Long, x As Long, y As Long, barWidth As Long
    Dim result As String, problems As String

    Set barcode = CreateObject("Quillant.Quillant1")
    ' A new Quillant1 draws on its printer until DeviceObject says otherwise.
    Set labelPrinter = barcode.DeviceObject
    labelPrinter.OutputFile = outputFile
    barcode.ElementWidth = 20
    barcode.BarHeight = 1000

    x = Margin
    y = Margin
    For i = LBound(texts) To UBound(texts)
        barcode.EncodeString = texts(i)
        result = ""
        On Error Resume Next
        barWidth = barcode.GetBarWidth
        If Err.Number <> 0 Then result = Err.Description
        On Error GoTo 0

        If result = "" Then
            If x > Margin And x + barWidth > labelPrinter.ScaleWidth - Margin Then
                x = Margin
                y = y + RowPitch
            End If
            If y + RowPitch > labelPrinter.ScaleHeight - Margin Then
                labelPrinter.NewPage
                y = Margin
            End If
            barcode.XPosition = x
            barcode.YPosition = y
            result = barcode.Encode
            If result = EncodeSucceeded Then
                result = ""
                x = x + barWidth + 2 * QuietModules * barcode.ElementWidth
            End If
        End If
        If result <> "" Then problems = problems & """" & texts(i) & """: " & result & vbCrLf
    Next

    ' Without a printer EndDoc raises error 482; a file it cannot write, 75.
    On Error GoTo PrintFailed
    labelPrinter.EndDoc
    PrintLabelSheet = problems
    Exit Function
PrintFailed:
    PrintLabelSheet = problems & Err.Description
End Function

' Excel: a barcode picture next to every code in column A of the active
' sheet, and a label sheet of the same codes as a PNG file.
Public Sub ExcelExample()
    Dim sheet As Object, cell As Object, file As String, problem As String
    Dim codes() As Variant, n As Long

    Set sheet = ActiveSheet
    sheet.Range("A1").Value = "PARCEL 0042-1187"
    sheet.Range("A2").Value = "ORDER 20240815"
    sheet.Range("A3").Value = "Gr" & ChrW(&HF6) & "sse 42"   ' cannot be encoded

    For Each cell In sheet.Range("A1", sheet.Cells(sheet.Rows.Count, 1).End(-4162))   ' xlUp
        file = Environ$("TEMP") & "\quillant-" & cell.Row & ".png"
        problem = BarcodePicture(CStr(cell.Value), file)
        If problem = "" Then
            cell.RowHeight = 60
            sheet.Shapes.AddPicture file, False, True, cell.Offset(0, 1).Left, cell.Top, -1, -1
            Kill file
        Else
            cell.Offset(0, 1).Value = problem
        End If
        ReDim Preserve codes(n)
        codes(n) = CStr(cell.Value)
        n = n + 1
    Next

    file = Environ$("TEMP") & "\quillant-labels.png"
    problem = PrintLabelSheet(codes, file)
    If problem <> "" Then MsgBox problem, vbExclamation, "Quillant"
    MsgBox "Label sheet written to " & file, vbInformation, "Quillant"
End Sub
