#!/usr/bin/env python3
"""Runs every VBScript and JScript snippet of the documentation under cscript.

    run_snippets.py OUTPUT_DIR MARKDOWN_OR_FOLDER... -- COMMAND...

COMMAND starts Wine's cscript (for example `env WINEPREFIX=... wine64`).
Each ```vbscript, ```js, ```javascript or ```jscript block of each Markdown
file (a folder stands for its *.md files) is written verbatim to a script file in a folder of its own under
OUTPUT_DIR, with one line added at the end that echoes an end marker, and
run with that folder as the working directory. A snippet passes when:

- cscript reaches the end marker (Wine's cscript prints nothing and still
  exits 0 when a script stops on an error, so the marker is what tells);
- nothing it prints is a script error;
- every `WScript.Echo` line with a trailing comment printed what the comment
  says, up to the comment's first comma (`WScript.Echo barcode.Encode  ' Sucess`
  must print Sucess);
- every PNG picture it leaves in its folder holds a barcode zbarimg decodes.

A block whose info string carries `no-run` (```vbscript no-run) is listed
and skipped: it needs something this test cannot have, and the Markdown
says what next to it.
"""

import os
import re
import shutil
import subprocess
import sys

LANGUAGES = {"vbscript": "vbs", "vbs": "vbs", "js": "js", "javascript": "js", "jscript": "js"}
FENCE = re.compile(r"^```(\S*)(.*)$")
END_MARKER = "SNIPPET-END"
SCRIPT_ERRORS = re.compile(r"Microsoft VBScript|Microsoft JScript|JScript runtime error|compilation error|runtime error")
# WScript.Echo ... ' expected        (VBScript)
# WScript.Echo(...); // expected     (JScript)
ECHO_VBS = re.compile(r"^\s*WScript\.Echo\b[^']*'\s*(.+)$", re.IGNORECASE)
ECHO_JS = re.compile(r"^\s*WScript\.Echo\(.*\);?\s*//\s*(.+)$")


def snippets(markdown):
    """Yields (line number, language, runs, text) for each script block."""
    with open(markdown, encoding="utf-8") as f:
        lines = f.read().split("\n")
    i = 0
    while i < len(lines):
        match = FENCE.match(lines[i])
        if not match or not match.group(1):
            i += 1
            continue
        start = i + 1
        body = []
        i += 1
        while i < len(lines) and lines[i].strip() != "```":
            body.append(lines[i])
            i += 1
        i += 1
        language = LANGUAGES.get(match.group(1).lower())
        if language:
            runs = "no-run" not in match.group(2).split()
            yield start, language, runs, "\n".join(body) + "\n"


def expected_echoes(language, text):
    pattern = ECHO_VBS if language == "vbs" else ECHO_JS
    expected = []
    for line in text.split("\n"):
        match = pattern.match(line)
        if match:
            expected.append(match.group(1).split(",")[0].strip())
        elif re.match(r"^\s*WScript\.Echo\b", line, re.IGNORECASE):
            expected.append(None)
    return expected


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def check(folder, language, text, output):
    faults = []
    lines = [line.rstrip("\r") for line in output.split("\n") if line.strip()]
    if SCRIPT_ERRORS.search(output):
        faults.append("script error")
    if END_MARKER not in lines:
        faults.append("stopped before its end (an error cscript does not print)")
    else:
        printed = lines[: lines.index(END_MARKER)]
        for n, want in enumerate(expected_echoes(language, text)):
            if want is None:
                continue
            got = printed[n] if n < len(printed) else "(nothing)"
            if got != want:
                faults.append(f"echo {n + 1} printed {got!r}, the comment says {want!r}")
    for name in sorted(os.listdir(folder)):
        if name.lower().endswith(".png"):
            scan = subprocess.run(["zbarimg", "--quiet", "--raw", os.path.join(folder, name)],
                                  capture_output=True, text=True)
            if scan.returncode != 0 or not scan.stdout.strip():
                faults.append(f"{name} holds no barcode zbarimg can read")
    return faults


def main(argv):
    if "--" not in argv:
        sys.exit(__doc__)
    split = argv.index("--")
    output_dir, command = argv[1], argv[split + 1:]
    markdowns = []
    for path in argv[2:split]:
        if os.path.isdir(path):
            markdowns += sorted(os.path.join(path, name) for name in os.listdir(path) if name.endswith(".md"))
        else:
            markdowns.append(path)
    failed = ran = 0
    for markdown in markdowns:
        for line, language, runs, text in snippets(markdown):
            where = f"{os.path.basename(markdown)}:{line}"
            if not runs:
                print(f"SKIP {where} (marked no-run)")
                continue
            folder = os.path.join(output_dir, f"{os.path.basename(markdown)[:-3]}-{line}")
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
            script = os.path.join(folder, "snippet." + language)
            end = f'WScript.Echo "{END_MARKER}"' if language == "vbs" else f'WScript.Echo("{END_MARKER}");'
            with open(script, "w", encoding="utf-8", newline="\r\n") as f:
                f.write(text + end + "\n")
            try:
                run = subprocess.run(command + ["cscript", "//nologo", windows_path(script)], cwd=folder,
                                     capture_output=True, text=True, errors="replace", timeout=120)
                output = run.stdout + run.stderr
                faults = check(folder, language, text, run.stdout) + (
                    ["script error"] if SCRIPT_ERRORS.search(run.stderr) else [])
            except subprocess.TimeoutExpired:
                output, faults = "", ["did not end within 120 seconds"]
            ran += 1
            if faults:
                failed += 1
                print(f"FAIL {where}: " + "; ".join(faults))
                print("  output: " + output.strip().replace("\n", "\n  output: "))
            else:
                print(f"ok   {where}")
    if ran == 0:
        print("FAIL no snippet ran")
        return 1
    if failed:
        print(f"FAIL {failed} of {ran} snippets")
        return 1
    print(f"PASS {ran} snippets")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
