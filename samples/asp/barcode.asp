<%@ Language="VBScript" %>
<%
' barcode.asp?text=...: the symbol as a PNG, for <img src="barcode.asp?text=ABC-123">.
' Written, not run: there is no IIS in the test environment. The C++ test
' client and tests/pictures/image_members.vbs call ImageBytes the way this
' page does (Byte() by IDispatch).
'
' On a 64-bit IIS an application pool with "Enable 32-Bit Applications" runs
' the 32-bit Quillant.dll, registered with the 32-bit regsvr32.
Option Explicit
Dim label, text
text = Request.QueryString("text")
If Len(text) = 0 Or Len(text) > 80 Then
    Response.Status = "400 Bad Request"
    Response.End
End If
Set label = Server.CreateObject("Quillant.Quillant2")
label.EncodeString = text
label.ElementWidth = 15
On Error Resume Next
Dim png : png = label.ImageBytes("png", 96)
If Err.Number <> 0 Then
    Response.Status = "422 Unprocessable Entity"
    Response.ContentType = "text/plain"
    Response.Write Err.Description
    Response.End
End If
On Error GoTo 0
Response.ContentType = "image/png"
Response.AddHeader "Cache-Control", "max-age=86400"
Response.BinaryWrite png
%>
