// Creates and releases each class many times, the way a server page makes an
// object per request. resident_memory.py reads the process's resident memory
// at each MEASURE line and answers by creating the file the script waits for.
var classes = ["Quillant.Quillant1", "Quillant.Quillant2", "QuillantForms.PictureBox", "QuillantForms.Printer"];
var cycles = parseInt(WScript.Arguments(0), 10);
var answers = WScript.Arguments(1);
var files = new ActiveXObject("Scripting.FileSystemObject");
var measured = 0;
var started = new Date().getTime();

function measure(label) {
    WScript.Echo("MEASURE " + label + " " + (new Date().getTime() - started) + " ms");
    var answer = answers + "\\" + (++measured);
    while (!files.FileExists(answer)) {}
}

function cycle(progId, count) {
    for (var i = 0; i < count; i++) {
        var object = new ActiveXObject(progId);
        object = null;
    }
    CollectGarbage();
}

for (var c = 0; c < classes.length; c++) {
    // The first objects load the servers and fill the caches that live for
    // the process; only what comes after counts.
    cycle(classes[c], 500);
    measure("before " + classes[c]);
    cycle(classes[c], cycles);
    measure("after " + classes[c]);
}
WScript.Echo("DONE");
