// Values a JScript host hands Quillant1's properties and the stand-ins'
// integer members, run by Wine's cscript: values VBScript cannot write (NaN,
// Infinity, undefined, script objects and functions). JScript reports an
// automation failure with its HRESULT: a value that is no such value is
// DISP_E_TYPEMISMATCH, a number beyond the type's range DISP_E_OVERFLOW;
// either leaves the object as it was. Prints PASS, or FAIL lines and quits
// with 1.

var failures = 0;
function check(what, actual, expected) {
    if (actual !== expected) {
        WScript.Echo("FAIL " + what + ": got " + actual + ", expected " + expected);
        failures++;
    }
}

var TAKEN = 0;
var MISMATCH = 0x80020005 | 0;  // DISP_E_TYPEMISMATCH
var OVERFLOW = 0x8002000A | 0;  // DISP_E_OVERFLOW

function putError(target, name, value) {
    try {
        target[name] = value;
    } catch (e) {
        return e.number | 0;
    }
    return TAKEN;
}

function snapshot(t) {
    return [t.XPosition, t.YPosition, t.Orientation, t.ElementWidth, t.BarHeight, t.VisibleCode, t.IndentedCode,
            t.EncodeString].join("|");
}

var o = new ActiveXObject("Quillant.Quillant1");

// property, and which answer of a value row applies to it
var properties = [["XPosition", 0], ["YPosition", 0], ["Orientation", 0], ["ElementWidth", 1], ["BarHeight", 1],
                  ["VisibleCode", 2], ["IndentedCode", 2], ["EncodeString", 3]];
// value, and what a Long, an Integer, a Boolean and a String property answer
var values = [
    ["NaN", NaN, [OVERFLOW, OVERFLOW, TAKEN, TAKEN]],
    ["Infinity", Infinity, [OVERFLOW, OVERFLOW, TAKEN, TAKEN]],
    ["-Infinity", -Infinity, [OVERFLOW, OVERFLOW, TAKEN, TAKEN]],
    ["1e21", 1e21, [OVERFLOW, OVERFLOW, TAKEN, TAKEN]],
    ["null", null, [MISMATCH, MISMATCH, MISMATCH, MISMATCH]],
    ["{}", {}, [MISMATCH, MISMATCH, MISMATCH, TAKEN]],
    ["a function", function () { return 1; }, [MISMATCH, MISMATCH, MISMATCH, TAKEN]],
    ["'0x10' (not Visual Basic's &H10)", "0x10", [MISMATCH, MISMATCH, MISMATCH, TAKEN]],
    ["''", "", [MISMATCH, MISMATCH, MISMATCH, TAKEN]]
];
for (var p = 0; p < properties.length; p++) {
    for (var v = 0; v < values.length; v++) {
        var before = snapshot(o);
        var expected = values[v][2][properties[p][1]];
        var what = properties[p][0] + " = " + values[v][0];
        check(what, putError(o, properties[p][0], values[v][1]), expected);
        if (expected !== TAKEN) check(what + " leaves the object", snapshot(o), before);
    }
}

// Values that convert, and what they read back as.
o = new ActiveXObject("Quillant.Quillant1");
var conversions = [
    ["XPosition", undefined, 0], ["XPosition", -0, 0], ["XPosition", [7], 7],
    ["XPosition", { valueOf: function () { return 42; } }, 42],
    ["VisibleCode", 1, true], ["EncodeString", undefined, ""], ["EncodeString", "Caf\u00E9", "Caf\u00E9"],
    ["EncodeString", { toString: function () { return "AB"; } }, "AB"]
];
for (var c = 0; c < conversions.length; c++) {
    var name = conversions[c][0];
    check(name + " = " + conversions[c][1], putError(o, name, conversions[c][1]), TAKEN);
    check(name + " reads back", o[name], conversions[c][2]);
}

// The stand-ins' Integer and Long members take numbers the same way: a
// number no such integer holds overflows and the setting stays.
var printer = new ActiveXObject("QuillantForms.Printer");
var box = new ActiveXObject("QuillantForms.PictureBox");
var members = [[printer, "PrintQuality"], [printer, "Orientation"], [printer, "PaperSize"], [printer, "Copies"],
               [box, "DrawWidth"], [box, "ScaleMode"], [box, "ForeColor"], [box, "BackColor"], [box, "FillColor"]];
var beyond = [["NaN", NaN], ["Infinity", Infinity], ["-Infinity", -Infinity], ["1e308", 1e308]];
for (var m = 0; m < members.length; m++) {
    var target = members[m][0], member = members[m][1], kept = target[member];
    for (var b = 0; b < beyond.length; b++) {
        var what = member + " = " + beyond[b][0];
        check(what, putError(target, member, beyond[b][1]), OVERFLOW);
        check(what + " keeps the setting", target[member], kept);
    }
}

if (failures === 0) {
    WScript.Echo("PASS property_input.js");
} else {
    WScript.Echo("FAIL property_input.js: " + failures + " checks failed");
    WScript.Quit(1);
}
