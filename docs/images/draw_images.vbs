' The pictures of docs/pictures-and-servers.md: Quillant2's own images, no
' drawing object. Run by render.sh, which renders the SVG with rsvg-convert.
Option Explicit
Dim label : Set label = CreateObject("Quillant.Quillant2")
label.EncodeString = "PICTURE 128"
label.ElementWidth = 15
label.BarHeight = 720
label.SaveImage "pictures-png.png", "png", 203
label.Symbology = 2
label.EncodeString = "(01)09501101530003(10)LOT4711"
label.ForeColor = &H602000
label.SaveImage "pictures-svg.svg", "svg", 150
WScript.Echo "PASS draw_images.vbs"
