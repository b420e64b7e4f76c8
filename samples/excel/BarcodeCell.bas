' Excel VBA: puts a symbol for the text of each selected cell into the cell
' to its right, as a picture sized to the cell's height.
' Written, not run: there is no Excel in the test environment.
Option Explicit

Public Sub BarcodesBesideSelection()
    Dim label As Object, cell As Range, target As Range, file As String
    Set label = CreateObject("Quillant.Quillant2")
    label.ElementWidth = 15
    label.BarHeight = 600
    file = Environ$("TEMP") & "\quillant-cell.png"
    For Each cell In Selection.Cells
        If Len(cell.Value) > 0 Then
            Set target = cell.Offset(0, 1)
            label.EncodeString = CStr(cell.Value)
            label.SaveImage file, "png", 300
            ' Keep the aspect ratio: height of the cell, width as it comes (-1).
            With ActiveSheet.Shapes.AddPicture(file, msoFalse, msoTrue, target.Left, target.Top, -1, target.Height)
                .Placement = xlMoveAndSize
            End With
        End If
    Next
    Kill file
End Sub

' Or through the clipboard, as a metafile that stays sharp when zoomed.
Public Sub PasteBarcode(text As String, where As Range)
    Dim label As Object
    Set label = CreateObject("Quillant.Quillant2")
    label.EncodeString = text
    label.CopyToClipboard
    where.Worksheet.Paste Destination:=where
End Sub
