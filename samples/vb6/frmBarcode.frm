VERSION 5.00
Begin VB.Form frmBarcode 
   Caption         =   "Quillant barcodes"
   ClientHeight    =   4200
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   7200
   LinkTopic       =   "Form1"
   ScaleHeight     =   4200
   ScaleWidth      =   7200
   StartUpPosition =   3  'Windows Default
   Begin VB.CheckBox chkVertical 
      Caption         =   "&Vertical"
      Height          =   255
      Left            =   3360
      TabIndex        =   1
      Top             =   180
      Width           =   1095
   End
   Begin VB.CommandButton cmdPrint 
      Caption         =   "&Print"
      Height          =   375
      Left            =   5880
      TabIndex        =   3
      Top             =   120
      Width           =   1215
   End
   Begin VB.CommandButton cmdShow 
      Caption         =   "&Show"
      Default         =   -1  'True
      Height          =   375
      Left            =   4560
      TabIndex        =   2
      Top             =   120
      Width           =   1215
   End
   Begin VB.TextBox txtCode 
      Height          =   375
      Left            =   120
      TabIndex        =   0
      Text            =   "PARCEL 0042-1187"
      Top             =   120
      Width           =   3135
   End
   Begin VB.PictureBox picBarcode 
      AutoRedraw      =   -1  'True
      BackColor       =   &H00FFFFFF&
      Height          =   3375
      Left            =   120
      ScaleHeight     =   3315
      ScaleWidth      =   6915
      TabIndex        =   4
      Top             =   720
      Width           =   6975
   End
End
Attribute VB_Name = "frmBarcode"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
' Shows the barcode of the text box in a picture box and prints it.
'
' Project > References > "Quillant Code 128 barcode component" (Quillant.dll,
' registered with regsvr32) makes Quillant1 and bcHorizontal / bcVertical
' known; Barcode.vbp already holds that reference.
Option Explicit

' Encode's answer when everything was drawn; anything else is the reason it
' stopped. The spelling is the component's.
Private Const EncodeSucceeded As String = "Sucess"

Private Barcode As Quillant1

Private Sub Form_Load()
    Set Barcode = New Quillant1
End Sub

Private Sub Form_Unload(Cancel As Integer)
    Set Barcode = Nothing
End Sub

' Sets what both targets share: the text, the orientation and a module of
' 1/72 inch (20 twips) with bars 60 modules high. The caption comes out at
' ElementWidth / 1.9 points.
Private Sub Configure()
    Barcode.EncodeString = txtCode.Text
    Barcode.Orientation = IIf(chkVertical.Value = vbChecked, bcVertical, bcHorizontal)
    Barcode.ElementWidth = 20
    Barcode.BarHeight = 1200
    Barcode.VisibleCode = True
    Barcode.IndentedCode = True
End Sub

Private Sub cmdShow_Click()
    Dim length As Long
    On Error GoTo Failed
    Configure
    ' GetBarWidth raises error 5 for a character Code 128 cannot carry and
    ' error 6 when the symbol is wider than 32767 units.
    length = Barcode.GetBarWidth

    ' Centre the symbol in the picture box (its scale is twips).
    picBarcode.Cls
    If Barcode.Orientation = bcHorizontal Then
        Barcode.XPosition = (picBarcode.ScaleWidth - length) / 2
        Barcode.YPosition = (picBarcode.ScaleHeight - Barcode.BarHeight) / 2
    Else
        Barcode.XPosition = (picBarcode.ScaleWidth - Barcode.BarHeight) / 2
        Barcode.YPosition = (picBarcode.ScaleHeight - length) / 2
    End If

    Set Barcode.DeviceObject = picBarcode
    ShowResult Barcode.Encode
    Exit Sub
Failed:
    MsgBox "Error " & Err.Number & ": " & Err.Description, vbExclamation, "Quillant"
End Sub

Private Sub cmdPrint_Click()
    Dim result As String
    On Error GoTo Failed
    Configure
    ' One inch from the top left corner of the page, in the printer's twips.
    Barcode.XPosition = 1440
    Barcode.YPosition = 1440
    Set Barcode.DeviceObject = Printer
    result = Barcode.Encode
    If result = EncodeSucceeded Then
        Printer.EndDoc
    Else
        Printer.KillDoc
    End If
    ShowResult result
    Exit Sub
Failed:
    MsgBox "Error " & Err.Number & ": " & Err.Description, vbExclamation, "Quillant"
End Sub

' Encode raises no errors: a text it cannot encode, a missing target or a
' target that fails comes back as the result text.
Private Sub ShowResult(ByVal result As String)
    If result <> EncodeSucceeded Then MsgBox result, vbExclamation, "Quillant"
End Sub
