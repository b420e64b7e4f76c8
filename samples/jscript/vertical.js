// A vertical barcode on a picture box, and what a host sees when a text
// cannot be encoded.
//
//   cscript //nologo vertical.js [vertical.png] [text]
//
// The picture box is the stand-in from QuillantForms.dll; in a forms host
// any picture box or form with the same members will do.
// Prints "PASS ..." when the picture is written, "FAIL ..." otherwise.

var args = WScript.Arguments;
var pictureFile = args.length > 0 ? args(0) : "vertical.png";
var text = args.length > 1 ? args(1) : "JScript 2024";

var bcHorizontal = 1, bcVertical = 2;

function fail(message) {
    WScript.Echo("FAIL " + message);
    WScript.Quit(1);
}

// The Visual Basic error number of a caught automation error.
function vbErrorNumber(e) {
    return e.number & 0xFFFF;
}

var barcode = new ActiveXObject("Quillant.Quillant1");
var box = new ActiveXObject("QuillantForms.PictureBox");

// Code 128 carries the characters from space to "~" only. Encode answers
// with the reason instead of raising it; GetBarWidth raises error 5.
barcode.EncodeString = "Gr\u00f6\u00dfe 42";
barcode.DeviceObject = box;   // JScript assigns objects by reference
var refused = barcode.Encode();
if (refused.indexOf("cannot be encoded") < 0) fail("an umlaut was encoded: " + refused);
try {
    barcode.GetBarWidth();
    fail("GetBarWidth measured an umlaut");
} catch (e) {
    if (vbErrorNumber(e) !== 5) fail("GetBarWidth: error " + vbErrorNumber(e) + ", " + e.description);
}

// Twips, 15 to a pixel: 3-pixel modules, bars 1200 twips (80 pixels) long.
// A vertical symbol is BarHeight wide and GetBarWidth tall; it reads from
// bottom to top, with the caption turned beside it.
barcode.EncodeString = text;
barcode.Orientation = bcVertical;
barcode.ElementWidth = 45;
barcode.BarHeight = 1200;
barcode.XPosition = 300;
barcode.YPosition = 10 * 45;
var length = barcode.GetBarWidth();
box.Width = 300 + 1200 + 900;
box.Height = length + 2 * 10 * 45;

var result = barcode.Encode();
if (result !== "Sucess") fail("Encode: " + result);   // the component's own spelling

box.SavePicture(pictureFile);
WScript.Echo("PASS " + pictureFile + ": \"" + text + "\", " + length + " twips tall; refused umlaut: " + refused);
