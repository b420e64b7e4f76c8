' The pictures of the caption options in docs/quillant2.md: one symbol in
' each look, as Quillant2's images draw them. Run by render.sh.
Option Explicit
Dim label : Set label = CreateObject("Quillant.Quillant2")
label.EncodeString = "Quillant " & Chr(233) & "t" & Chr(233)
label.ElementWidth = 15
label.BarHeight = 480
label.SaveImage "caption-default.png", "png", 203
label.CaptionFont.Bold = True
label.CaptionPosition = 1
label.SaveImage "caption-bold-above.png", "png", 203
label.CaptionFont.Bold = False
label.CaptionFont.Italic = True
label.CaptionPosition = 0
label.IndentedCode = False
label.CaptionGap = 60
label.SaveImage "caption-italic-gap.png", "png", 203
label.CaptionPosition = 2
label.SaveImage "caption-none.png", "png", 203
WScript.Echo "PASS draw_captions.vbs"
