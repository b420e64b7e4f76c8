' Quillant2's image members as a VBScript host (an ASP page) calls them, run
' by Wine's cscript: ImageBytes is a Byte() that Response.BinaryWrite takes,
' and bad formats, resolutions, colours and file names raise 380, 5, 13, 6
' or 75 with no file, not even a partial one, left behind. Prints PASS.

Dim label : Set label = CreateObject("Quillant.Quillant2")
label.EncodeString = "ASP 42"
Dim fso : Set fso = CreateObject("Scripting.FileSystemObject")
Dim folder : folder = fso.GetAbsolutePathName(".") & "\image-members"
If Not fso.FolderExists(folder) Then fso.CreateFolder folder

' The error an ImageBytes call raises, 0 when it answers.
Function BytesError(format, resolution)
    Dim b
    On Error Resume Next
    b = label.ImageBytes(format, resolution)
    BytesError = Err.Number
    Err.Clear
End Function

Function SaveError(name, format)
    On Error Resume Next
    If IsEmpty(format) Then label.SaveImage name Else label.SaveImage name, format
    SaveError = Err.Number
    Err.Clear
End Function

Function PutError(name, value)
    On Error Resume Next
    If name = "ForeColor" Then label.ForeColor = value Else label.BackColor = value
    PutError = Err.Number
    Err.Clear
End Function

' --- the bytes, as Response.BinaryWrite takes them
Dim png : png = label.ImageBytes("png")
' vbArray + vbByte: what Visual Basic's TypeName calls "Byte()". Wine 8's
' VBScript names every array "Variant()" and has no LenB, UBound or MidB for
' a Byte() (error 445): there the type is read by number and the bytes are
' checked through the file SaveImage writes (the C++ client reads them).
Check "VarType", VarType(png), 8209
If TypeName(png) <> "Variant()" Then Check "TypeName", TypeName(png), "Byte()"
Dim length
On Error Resume Next
length = LenB(png)
If Err.Number = 0 Then
    On Error GoTo 0
    Check "LenB", length, UBound(png) + 1
    Check "PNG signature", AscB(MidB(png, 2, 1)) & AscB(MidB(png, 3, 1)) & AscB(MidB(png, 4, 1)), "807871"
Else
    Check "LenB's error", Err.Number, 445
    On Error GoTo 0
    WScript.Echo "NOTE this VBScript has no LenB for a Byte(); its VarType is " & VarType(png)
End If

' --- format, then resolution: the error each raises
Dim rows
rows = Array( _
    Array("png", 300, 0), Array("Svg", 96, 0), Array("emf", "600", 0), Array("dib", 72, 0), _
    Array("png", 1200, 0), Array("gif", 300, 380), Array("", 300, 380), Array(".png", 300, 380), _
    Array("png", 71, 380), Array("png", 1201, 380), Array("png", 0, 380), Array("png", -300, 380), _
    Array("png", "many", 13), Array("png", Null, 13), Array("png", 1E+300, 6), Array(Null, 300, 13), _
    Array(Array(1), 300, 13))
Dim r
For Each r In rows
    Check "ImageBytes(" & TypeName(r(0)) & " " & CStr(IsArray(r(0))) & ", " & TypeName(r(1)) & ")", _
        BytesError(r(0), r(1)), r(2)
Next

' --- colours: an RGB value or a system colour; -1 is no ground, for PNG, SVG and EMF
Check "ForeColor = &HFF", PutError("ForeColor", &HFF), 0
Check "ForeColor = a system colour", PutError("ForeColor", &H80000012), 0
Check "ForeColor = -1", PutError("ForeColor", -1), 380
Check "ForeColor = &H1000000", PutError("ForeColor", &H1000000), 380
Check "ForeColor = ""red""", PutError("ForeColor", "red"), 13
Check "ForeColor kept", label.ForeColor, -2147483630
Check "BackColor = -1", PutError("BackColor", -1), 0
Check "transparent PNG", BytesError("png", 300), 0
Check "transparent SVG", BytesError("svg", 300), 0
Check "transparent BMP", BytesError("bmp", 300), 380
Check "transparent DIB", BytesError("dib", 300), 380
label.BackColor = &HFFFFFF
label.ForeColor = 0

' --- file names: the format from the extension unless given
Dim name
For Each name In Array("ok.png", "ok.BMP", "ok.svg", "ok.emf", "ok.dib")
    Check "SaveImage " & name, SaveError(folder & "\" & name, Empty), 0
    Check name & " written", fso.FileExists(folder & "\" & name), True
Next
Check "SaveImage with a format", SaveError(folder & "\given.dat", "png"), 0
Check "given.dat is a PNG", fso.OpenTextFile(folder & "\given.dat").Read(4), Chr(137) & "PNG"
Check "a BMP starts with BM", fso.OpenTextFile(folder & "\ok.BMP").Read(2), "BM"
Check "a packed DIB starts with its 40-byte header", Asc(fso.OpenTextFile(folder & "\ok.dib").Read(1)), 40
Dim refusals
refusals = Array( _
    Array("bad<name>.png", Empty, 5), Array("bad|name.png", "png", 5), Array("no extension", Empty, 5), _
    Array("wrong.gif", Empty, 5), Array("", Empty, 5), Array("format.png", "gif", 380), _
    Array("no\such\folder\x.png", Empty, 75), Array("no\such\folder\x.svg", "svg", 75))
For Each r In refusals
    Check "SaveImage """ & r(0) & """", SaveError(folder & "\" & r(0), r(1)), r(2)
Next
' Only the six files written above: no partial file, nothing refused.
Check "files left", folder & ": " & fso.GetFolder(folder).Files.Count, folder & ": 6"
' A file that cannot be replaced keeps what it had.
Dim locked : Set locked = fso.OpenTextFile(folder & "\ok.png", 8)
Check "SaveImage over an open file", SaveError(folder & "\ok.png", Empty), 75
locked.Close
Check "files left after the refusal", fso.GetFolder(folder).Files.Count, 6

' --- Encode is as it was
Set label.DeviceObject = Nothing
Check "Encode without a drawing object", label.Encode, "Object variable or With block variable not set"

Finish "image_members.vbs"
