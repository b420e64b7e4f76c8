' Values a VBScript host hands Quillant1's properties, run by Wine's cscript.
' Values only a script makes (script objects with and without a default
' member, its arrays and variables) either convert or are refused with the
' error a Visual Basic host expects (13 "Type mismatch", 6 "Overflow"),
' leaving the object as it was. Prints PASS, or FAIL lines and quits with 1.

Class NoDefault
    Public Value
End Class

Class WithDefault
    Public Default Property Get Value
        Value = 42
    End Property
End Class

' Everything the object stores, as one line.
Function Snapshot(target)
    Snapshot = target.XPosition & "|" & target.YPosition & "|" & target.Orientation & "|" & _
        target.ElementWidth & "|" & target.BarHeight & "|" & CInt(target.VisibleCode) & "|" & _
        CInt(target.IndentedCode) & "|" & target.EncodeString & "|" & TypeName(target.DeviceObject)
End Function

' The error number a put raises, 0 when the value is taken.
Function PutError(target, name, value)
    On Error Resume Next
    SetProperty target, name, value
    PutError = Err.Number
    Err.Clear
End Function

Dim o : Set o = CreateObject("Quillant.Quillant1")

' --- properties by the type they hold: column 2 to 5 of the value rows
Dim properties
properties = Array( _
    Array("XPosition", 2), Array("YPosition", 2), Array("Orientation", 2), _
    Array("ElementWidth", 3), Array("BarHeight", 3), _
    Array("VisibleCode", 4), Array("IndentedCode", 4), _
    Array("EncodeString", 5))

' value, then the error a Long, an Integer, a Boolean and a String property
' answer (0: taken). Only what a script makes: the automation types
' themselves are the C++ client's rows (property_put_test.cpp).
Dim values
values = Array( _
    Array("Array(1, 2)", Array(1, 2), 13, 13, 13, 13), _
    Array("a Dictionary", CreateObject("Scripting.Dictionary"), 13, 13, 13, 13), _
    Array("an object without a default property", New NoDefault, 13, 13, 13, 13), _
    Array("""12 apples""", "12 apples", 13, 13, 13, 0), _
    Array("""1E+300""", "1E+300", 6, 6, 0, 0))

Dim p, v, before, expected
For Each p In properties
    For Each v In values
        before = Snapshot(o)
        expected = v(p(1) + 0)
        Check p(0) & " = " & v(0), PutError(o, p(0), v(1)), expected
        If expected <> 0 Then Check p(0) & " = " & v(0) & " leaves the object", Snapshot(o), before
    Next
Next

' --- values that convert: property, value, what it reads back as
Set o = CreateObject("Quillant.Quillant1")
Dim conversions
conversions = Array( _
    Array("XPosition", New WithDefault, 42), Array("BarHeight", "1e3", 1000), _
    Array("VisibleCode", 2.5, -1), Array("IndentedCode", False, 0), _
    Array("EncodeString", 2.5, "2.5"), Array("EncodeString", New WithDefault, "42"))
Dim c
For Each c In conversions
    Check c(0) & " = " & TypeName(c(1)) & " " & CStr(VarType(c(1))), PutError(o, c(0), c(1)), 0
    Check c(0) & " reads back", GetProperty(o, c(0)), c(2)
Next

' A variable handed over keeps its value and type: the positions are
' passed by reference but only read.
Dim x : x = "77"
o.XPosition = x
Check "XPosition from a text variable", o.XPosition, 77
Check "the variable is left as it was", TypeName(x) & " " & x, "String 77"

Finish "property_input.vbs"
