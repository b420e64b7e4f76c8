# Saves a symbol as a PNG at 300 dpi: powershell -File save_png.ps1 "TEXT" out.png
# Written, not run: there is no PowerShell in the test environment. A 64-bit
# PowerShell needs the 64-bit registration, the x86 one the 32-bit one.
param([string]$Text = "QUILLANT", [string]$File = "barcode.png")
$label = New-Object -ComObject Quillant.Quillant2
$label.EncodeString = $Text
$label.ElementWidth = 15
$label.SaveImage((Resolve-Path -LiteralPath (Split-Path -Parent -Path (Join-Path $PWD $File))).Path + "\" + (Split-Path -Leaf $File), "png", 300)
# Or the bytes: [System.IO.File]::WriteAllBytes("barcode.svg", $label.ImageBytes("svg"))
[System.Runtime.InteropServices.Marshal]::ReleaseComObject($label) | Out-Null
