Attribute VB_Name = "ShippingLabel"
' A GS1-128 shipping label from Office VBA: the element strings are built
' from the fields on a worksheet row, and a field that is wrong (a mistyped
' check digit, a date that does not exist) comes back as Encode's text,
' naming the Application Identifier and what to fix, before anything is
' printed. The symbols meet GS1's rules for logistic labels: 4-dot modules
' (0.500 mm), bars of 31.8 mm, 10-module quiet zones; the product's
' (01)(17)(10), too long for 4 inches at that module, is split over two
' symbols and the label checked as a whole with CheckGs1Label.
'
' Register Quillant.dll and QuillantForms.dll (the pair of Office's width).
' Late bound: no reference is needed. Import this module, put the fields in
' A2:D2 of the active sheet (GTIN, expiry YYMMDD, batch, SSCC) and run
' PrintShippingLabel.
Option Explicit

Private Const EncodeSucceeded As String = "Sucess"   ' the component's spelling
Private Const bcGS1_128 As Long = 2
Private Const LabelDpi As Integer = 203              ' the label printer's dots per inch

Public Sub PrintShippingLabel()
    Dim row As Range, problems As String, caption As String
    Set row = ActiveSheet.Range("A2:D2")

    Dim elements(1 To 3) As String
    elements(1) = "(01)" & row.Cells(1, 1).Text
    elements(2) = "(17)" & row.Cells(1, 2).Text & "(10)" & row.Cells(1, 3).Text
    elements(3) = "(00)" & row.Cells(1, 4).Text

    Dim label As Object, printer As Object
    Set label = CreateObject("Quillant.Quillant2")
    Set printer = CreateObject("QuillantForms.Printer")
    printer.PrintQuality = LabelDpi
    printer.Width = 4 * 1440
    printer.Height = 6 * 1440
    printer.OutputFile = Environ$("TEMP") & "\shipping_label.png"
    label.Symbology = bcGS1_128
    label.QuietZones = True
    label.ElementWidth = 28                          ' 4 dots at 203 dpi: 0.500 mm
    label.BarHeight = 1800                           ' 254 dots: 31.8 mm
    Set label.DeviceObject = printer

    ' Every field is checked first: CaptionText raises error 5 with the
    ' fault in words, so nothing goes to the printer while one is wrong.
    Dim i As Integer
    For i = 1 To 3
        label.EncodeString = elements(i)
        On Error Resume Next
        caption = label.CaptionText
        If Err.Number <> 0 Then problems = problems & Err.Description & vbCrLf
        On Error GoTo 0
    Next
    problems = problems & label.CheckGs1Label(elements)
    If Len(problems) > 0 Then
        MsgBox "The label was not printed:" & vbCrLf & problems, vbExclamation
        printer.KillDoc
        Exit Sub
    End If

    Dim result As String
    For i = 1 To 3
        label.EncodeString = elements(i)
        If label.GetBarWidth > printer.ScaleWidth Then
            MsgBox elements(i) & ": too long for the label at 4-dot modules", vbExclamation
            printer.KillDoc
            Exit Sub
        End If
        label.XPosition = (printer.ScaleWidth - label.GetBarWidth) / 2
        label.YPosition = 360 + (i - 1) * 2520
        result = label.Encode
        If result <> EncodeSucceeded Then
            MsgBox elements(i) & ": " & result, vbExclamation
            printer.KillDoc
            Exit Sub
        End If
    Next
    printer.EndDoc
    MsgBox "Label written to " & printer.OutputFile, vbInformation
End Sub
