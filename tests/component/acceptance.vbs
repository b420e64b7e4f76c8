' Quillant.Quillant1 as a VBScript host sees it, run by Wine's cscript:
' defaults, every property round trip with its edge values, GetBarWidth and
' its errors. Prints PASS on success; any FAIL line (or no PASS line at all,
' which is what an uncaught script error gives) fails the test.

Dim o, other, x, i, width
Set o = CreateObject("Quillant.Quillant1")

' --- a new object's defaults
Check "default XPosition", o.XPosition, 0
Check "default YPosition", o.YPosition, 0
Check "default EncodeString", o.EncodeString, "EMPTY"
Check "default ElementWidth", o.ElementWidth, 20
Check "default BarHeight", o.BarHeight, 1500
Check "default VisibleCode", CInt(o.VisibleCode), -1
Check "default IndentedCode", CInt(o.IndentedCode), -1
Check "default Orientation", o.Orientation, 1
CheckTrue "default DeviceObject is set", Not (o.DeviceObject Is Nothing)
' Only a printer has pages to end; a picture box has no such member.
Check "default DeviceObject is a printer", TypeName(o.DeviceObject), "IPrinter"
On Error Resume Next
i = o.DeviceObject.Page
Check "default DeviceObject answers printer members", Err.Number, 0
On Error GoTo 0
Set other = CreateObject("Quillant.Quillant1")
CheckTrue "one default printer shared by all objects", o.DeviceObject Is other.DeviceObject

' --- every property stores exactly what it is given
Dim cases
cases = Array( _
    Array("XPosition", -5), Array("XPosition", 2147483647), Array("XPosition", -2147483648), Array("XPosition", 0), _
    Array("YPosition", 2147483647), Array("YPosition", -1), _
    Array("ElementWidth", 0), Array("ElementWidth", -20), Array("ElementWidth", 32767), Array("ElementWidth", -32768), _
    Array("BarHeight", 0), Array("BarHeight", -1), Array("BarHeight", 32767), Array("BarHeight", -32768), _
    Array("VisibleCode", 1), Array("VisibleCode", 0), Array("VisibleCode", -1), Array("VisibleCode", 2), _
    Array("IndentedCode", 1), Array("IndentedCode", 0), Array("IndentedCode", -32768), _
    Array("Orientation", 0), Array("Orientation", 3), Array("Orientation", 2), Array("Orientation", -7), _
    Array("Orientation", 1), _
    Array("EncodeString", ""), Array("EncodeString", "AB"), Array("EncodeString", "A" & Chr(0) & "B"), _
    Array("EncodeString", String(300, "z")))
For Each x In cases
    SetProperty o, x(0), x(1)
    If VarType(x(1)) = vbString Then
        Check x(0) & " = """ & Left(x(1), 12) & """", GetProperty(o, x(0)), x(1)
    Else
        ' Numbers compare as numbers: a Boolean property hands back VT_BOOL.
        Check x(0) & " = " & x(1), CDbl(GetProperty(o, x(0))), CDbl(x(1))
    End If
Next
o.EncodeString = ""
Check "empty EncodeString is not replaced by EMPTY", Len(o.EncodeString), 0
o.VisibleCode = True
Check "VisibleCode True", CInt(o.VisibleCode), -1

' The position is passed by reference but only read.
x = 7
o.XPosition = x
Check "XPosition leaves the caller's variable", x, 7
o.YPosition = x
Check "YPosition leaves the caller's variable", x, 7

' --- DeviceObject: by reference only, accepts Nothing
Dim target
Set target = CreateObject("Scripting.Dictionary")
Set o.DeviceObject = target
CheckTrue "DeviceObject holds what it was given", o.DeviceObject Is target
Set o.DeviceObject = Nothing
CheckTrue "DeviceObject Nothing reads back Nothing", o.DeviceObject Is Nothing
On Error Resume Next
o.DeviceObject = 5
CheckTrue "DeviceObject has no value put", Err.Number <> 0
Err.Clear
On Error GoTo 0
CheckTrue "the other object keeps its printer", Not (other.DeviceObject Is Nothing)

' --- out of range for the interface's types: the host's Overflow
o.BarHeight = 7
On Error Resume Next
o.BarHeight = 32768
Check "BarHeight 32768 overflows", Err.Number, 6
Check "BarHeight unchanged after the overflow", o.BarHeight, 7
Err.Clear
o.XPosition = 2147483648
Check "XPosition 2147483648 overflows", Err.Number, 6
Err.Clear
On Error GoTo 0

' --- GetBarWidth
Set o = CreateObject("Quillant.Quillant1")
Check "GetBarWidth EMPTY", o.GetBarWidth(), 1800
o.EncodeString = "AB"
Check "GetBarWidth AB", o.GetBarWidth(), 1140
Check "Encode AB", o.Encode(), "Sucess"
o.EncodeString = ""
Check "GetBarWidth empty text", o.GetBarWidth(), 700
o.EncodeString = String(145, "A")
Check "GetBarWidth 145 letters", o.GetBarWidth(), 32600
o.EncodeString = "AB"
o.ElementWidth = 0
Check "GetBarWidth ElementWidth 0", o.GetBarWidth(), 0
o.ElementWidth = -2
Check "GetBarWidth negative ElementWidth", o.GetBarWidth(), -114
o.ElementWidth = 20

o.EncodeString = String(146, "A")
On Error Resume Next
width = o.GetBarWidth()
Check "146 letters: error number", Err.Number, 6
Check "146 letters: description", Err.Description, "Overflow"
Check "146 letters: source", Err.Source, "Quillant.Quillant1"
Err.Clear
On Error GoTo 0

o.EncodeString = "A" & Chr(1)
On Error Resume Next
width = o.GetBarWidth()
Check "bad character: error number", Err.Number, 5
Check "bad character: description", Err.Description, "Character U+0001 at position 2 cannot be encoded in Code 128"
Err.Clear
On Error GoTo 0
Check "bad character: Encode returns the description", o.Encode(), _
    "Character U+0001 at position 2 cannot be encoded in Code 128"
Check "properties survive the error", o.EncodeString, "A" & Chr(1)

' --- objects are independent
o.BarHeight = 99
Check "second object keeps its own BarHeight", other.BarHeight, 1500
Check "second object keeps its own EncodeString", other.EncodeString, "EMPTY"

Finish "acceptance.vbs"
