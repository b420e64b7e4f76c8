Attribute VB_Name = "ShippingLabel"
' A GS1-128 shipping label from Office VBA: the element strings are built
' from the fields on a worksheet row, and a field that is wrong (a mistyped
' check digit, a date that does not exist) comes back as Encode's text,
' naming the Application Identifier and what to fix, before anything is
' printed.
'
' Register Quillant.dll and QuillantForms.dll (the pair of Office's width).
' Late bound: no reference is needed. Import this module, put the fields in
' A2:E2 of the active sheet (ship-to postcode, GTIN, expiry YYMMDD, batch,
' SSCC) and run PrintShippingLabel.
Option Explicit

Private Const EncodeSucceeded As String = "Sucess"   ' the component's spelling
Private Const bcGS1_128 As Long = 2
Private Const LabelDpi As Integer = 203              ' the label printer's dots per inch

Public Sub PrintShippingLabel()
    Dim row As Range, problems As String, caption As String
    Set row = ActiveSheet.Range("A2:E2")

    Dim elements(1 To 3) As String
    elements(1) = "(420)" & row.Cells(1, 1).Text
    elements(2) = "(01)" & row.Cells(1, 2).Text & "(17)" & row.Cells(1, 3).Text & "(10)" & row.Cells(1, 4).Text
    elements(3) = "(00)" & row.Cells(1, 5).Text

    Dim label As Object, printer As Object
    Set label = CreateObject("Quillant.Quillant2")
    Set printer = CreateObject("QuillantForms.Printer")
    printer.PrintQuality = LabelDpi
    printer.Width = 4 * 1440
    printer.Height = 6 * 1440
    printer.OutputFile = Environ$("TEMP") & "\shipping_label.png"
    label.Symbology = bcGS1_128
    label.QuietZones = True
    label.BarHeight = 1440
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
    If Len(problems) > 0 Then
        MsgBox "The label was not printed:" & vbCrLf & problems, vbExclamation
        printer.KillDoc
        Exit Sub
    End If

    Dim result As String
    For i = 1 To 3
        label.EncodeString = elements(i)
        label.ElementWidth = 20                      ' three dots at 203 dpi
        If label.GetBarWidth > printer.ScaleWidth Then label.ElementWidth = 14
        label.XPosition = (printer.ScaleWidth - label.GetBarWidth) / 2
        label.YPosition = 720 + (i - 1) * 2520
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
