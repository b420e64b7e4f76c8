// Quillant.Quillant1 as a JScript host sees it, run by Wine's cscript:
// defaults, property round trips, GetBarWidth, and the errors JScript reads
// from the exception (including text VBScript under Wine cannot write).
// Prints PASS on success; a FAIL line or no PASS line fails the test.

var failures = 0;

function check(what, actual, expected) {
    if (actual !== expected) {
        WScript.Echo("FAIL " + what + ": got " + actual + ", expected " + expected);
        failures++;
    }
}

// Runs f and returns the error it raised, or null.
function errorOf(f) {
    try {
        f();
    } catch (e) {
        return e;
    }
    return null;
}

function checkError(what, f, number, description) {
    var e = errorOf(f);
    if (e === null) {
        WScript.Echo("FAIL " + what + ": no error");
        failures++;
        return;
    }
    check(what + ": number", e.number & 0xFFFF, number);
    check(what + ": facility", (e.number >>> 16) & 0x7FF, 0xA);
    check(what + ": description", e.description, description);
}

var o = new ActiveXObject("Quillant.Quillant1");
var other = new ActiveXObject("Quillant.Quillant1");

// A new object's defaults. JScript reads the 16-bit Booleans as booleans.
check("default XPosition", o.XPosition, 0);
check("default YPosition", o.YPosition, 0);
check("default EncodeString", o.EncodeString, "EMPTY");
check("default ElementWidth", o.ElementWidth, 20);
check("default BarHeight", o.BarHeight, 1500);
check("default VisibleCode", o.VisibleCode, true);
check("default IndentedCode", o.IndentedCode, true);
check("default Orientation", o.Orientation, 1);
check("default DeviceObject is a printer", typeof o.DeviceObject.Page, "number");
check("one default printer for all objects", o.DeviceObject === other.DeviceObject, true);

// Round trips with the edge values.
var cases = [
    ["XPosition", -5], ["XPosition", 2147483647], ["XPosition", -2147483648],
    ["YPosition", 2147483647], ["YPosition", -1],
    ["ElementWidth", 0], ["ElementWidth", -32768], ["ElementWidth", 32767],
    ["BarHeight", 0], ["BarHeight", -1], ["BarHeight", 32767],
    ["Orientation", 0], ["Orientation", 3], ["Orientation", 2],
    ["EncodeString", ""], ["EncodeString", "AB"], ["EncodeString", "A\u00e9\u4e2d"], ["EncodeString", "A\u0000B"]
];
for (var i = 0; i < cases.length; i++) {
    var name = cases[i][0], value = cases[i][1];
    o[name] = value;
    check(name + " = " + value, o[name], value);
}
o.VisibleCode = 0;
check("VisibleCode 0", o.VisibleCode, false);
o.VisibleCode = 1;
check("VisibleCode 1 is true", o.VisibleCode, true);
o.IndentedCode = false;
check("IndentedCode false", o.IndentedCode, false);

// DeviceObject is assigned by reference only. JScript assigns an object by
// reference, but null goes as a value, which the property does not take.
var target = new ActiveXObject("Scripting.Dictionary");
o.DeviceObject = target;
check("DeviceObject holds what it was given", o.DeviceObject === target, true);
check("DeviceObject refuses a value put", errorOf(function () { o.DeviceObject = null; }) !== null, true);
check("DeviceObject unchanged after the refused put", o.DeviceObject === target, true);
check("the other object keeps its printer", other.DeviceObject !== target, true);

// A value the interface's type cannot hold is refused by automation's own
// conversion (DISP_E_OVERFLOW; VBScript shows it as error 6) before it
// reaches the property.
o.BarHeight = 7;
var overflow = errorOf(function () { o.BarHeight = 32768; });
check("BarHeight 32768 refused", overflow !== null && overflow.number === -2147352566, true);
check("BarHeight unchanged", o.BarHeight, 7);

// GetBarWidth and its errors.
o = new ActiveXObject("Quillant.Quillant1");
check("GetBarWidth EMPTY", o.GetBarWidth(), 1800);
o.EncodeString = "AB";
check("GetBarWidth AB", o.GetBarWidth(), 1140);
o.EncodeString = new Array(146).join("A");
check("GetBarWidth 145 letters", o.GetBarWidth(), 32600);
o.EncodeString = new Array(147).join("A");
checkError("146 letters", function () { o.GetBarWidth(); }, 6, "Overflow");
o.EncodeString = "A\u00e9";
checkError("bad character", function () { o.GetBarWidth(); }, 5,
    "Character U+00E9 at position 2 cannot be encoded in Code 128");
check("Encode returns the error text", o.Encode(), "Character U+00E9 at position 2 cannot be encoded in Code 128");
o.EncodeString = "\ud83d\ude00";
checkError("character beyond the BMP", function () { o.GetBarWidth(); }, 5,
    "Character U+1F600 at position 1 cannot be encoded in Code 128");

if (failures === 0) {
    WScript.Echo("PASS acceptance.js");
} else {
    WScript.Echo("FAIL acceptance.js: " + failures + " checks failed");
    WScript.Quit(1);
}
