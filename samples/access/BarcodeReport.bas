' An Access report's module: each detail line shows its own barcode in an
' Image control (imgBarcode) from the record's field ItemCode.
' Written, not run: there is no Access in the test environment.
'
' PictureData takes a packed DIB ("dib"); Access raises error 2192 for any
' other bitmap. The report's Image control should have Size Mode = Clip and
' be at least as large as the symbol at 300 dpi.
Option Compare Database
Option Explicit

Private label As Object

Private Sub Report_Open(Cancel As Integer)
    Set label = CreateObject("Quillant.Quillant2")
    label.ElementWidth = 15             ' twips: 1/96 inch, 3 dots at 300 dpi
    label.BarHeight = 720               ' half an inch
End Sub

Private Sub Detail_Format(Cancel As Integer, FormatCount As Integer)
    label.EncodeString = Nz(Me!ItemCode, "")
    Me!imgBarcode.PictureData = label.ImageBytes("dib", 300)
End Sub

Private Sub Report_Close()
    Set label = Nothing
End Sub
