#!/usr/bin/env bash
# Printing through a real spooler, in a Wine prefix of its own that sees the
# private scheduler's queues (scripts/cups_session.sh) and nothing else ever
# does: the stand-in printer's page follows the default printer, which the
# other tests' prefix must keep as it is.
#
#   printing_test.sh register        both servers registered in the prefix
#   printing_test.sh pdf             a page to QuillantPDF, the PDF rasterised
#                                    at 300 dpi, every symbol graded and read
#   printing_test.sh label CLASS     the demo's shipping label from CLASS
#                                    (Quillant2 or Quillant1) to QuillantZebra,
#                                    the ZPL graphic turned back into a
#                                    203-dpi picture, every symbol graded and read
#   printing_test.sh commands        LabelCommands' ZPL and EPL sent by
#                                    PrintCommands through the raw queue
#                                    QuillantRaw: the jobs arrive byte for byte
#
# tests/printing/CMakeLists.txt passes everything else in the environment:
# LOADER, WINEPREFIX (and the rest of Wine's), CUPS_SERVER, CUPS_DIR, WORK,
# BIN, SOURCE, GRADER, READER, ZPL_GRAPHIC, PORT. Exit status 77 means the
# case cannot run on this machine.
set -euo pipefail
case_name=$1

if ! [ -S "$CUPS_SERVER" ]; then
    echo "SKIP $case_name: the private CUPS did not start (see printing.cups_start)"
    exit 77
fi

system32=$WINEPREFIX/drive_c/windows/system32
windows_path() { echo "Z:${1//\//\\}"; }
cscript() {  # SCRIPT ARGS...
    "$LOADER" "$system32/cscript.exe" //nologo "$@" </dev/null | tr -d '\r'
}
# The label printer's stand-in on 127.0.0.1:$PORT, keeping the first COUNT
# jobs in FOLDER; returns once it listens. Its process is $listener.
start_listener() {  # FOLDER COUNT
    python3 "$SOURCE/scripts/zpl_listener.py" "$PORT" "$1" 120 "$2" &
    listener=$!
    # It would hold CTest's output until its own time ran out.
    trap 'kill $listener 2>/dev/null || true' EXIT
    for _ in $(seq 100); do [ -e "$1/listening" ] || ! kill -0 $listener 2>/dev/null && break; sleep 0.1; done
    if ! [ -e "$1/listening" ]; then
        echo "FAIL the listener did not start on port $PORT"
        exit 1
    fi
}

case "$case_name" in
  register)
    cd "$BIN"
    "$LOADER" "$system32/regsvr32.exe" /s QuillantForms.dll </dev/null
    "$LOADER" "$system32/regsvr32.exe" /s Quillant.dll </dev/null
    echo "PASS both servers registered in $WINEPREFIX"
    ;;

  pdf)
    out=$WORK/pdf
    rm -rf "$out" "$CUPS_DIR"/pdf/*
    mkdir -p "$out"
    cd "$out"
    cscript "$(windows_path "$SOURCE/tests/printing/pdf_page.vbs")" "$(windows_path "$out")" QuillantPDF |
        tee report.txt
    grep -q '^PASS' report.txt || exit 1
    # cups-pdf writes the file before the job counts as done.
    for _ in $(seq 600); do
        if [ -z "$(lpstat -o QuillantPDF 2>/dev/null)" ] && ls "$CUPS_DIR"/pdf/*.pdf >/dev/null 2>&1; then break; fi
        sleep 0.1
    done
    pdf=$(ls "$CUPS_DIR"/pdf/*.pdf 2>/dev/null | head -1)
    if [ -z "$pdf" ]; then
        echo "FAIL no PDF from QuillantPDF in $CUPS_DIR/pdf"
        tail -5 "$CUPS_DIR/log/error_log"
        exit 1
    fi
    cp "$pdf" page.pdf
    pdftoppm -r 300 -gray -png -singlefile page.pdf page
    python3 "$SOURCE/scripts/grade_crops.py" crops.tsv "$GRADER" "$READER"
    ;;

  label)
    class=$2
    out=$WORK/label-$class
    rm -rf "$out"
    mkdir -p "$out"
    cd "$out"
    start_listener zpl 1
    cscript "$(windows_path "$SOURCE/samples/demo/shipping_label.vbs")" label-zpl.png QuillantZebra "$class" \
        >report.txt
    grep -v '^crop' report.txt || true
    # Wine's cscript reports a script's runtime error nowhere: a label that
    # was not sent says nothing.
    if grep -q '^FAIL' report.txt || ! grep -q ', sent$' report.txt; then
        echo "FAIL the label was not sent"
        exit 1
    fi
    if ! wait $listener; then
        echo "FAIL no job reached the listener on 127.0.0.1:$PORT"
        tail -5 "$CUPS_DIR/log/error_log"
        exit 1
    fi
    "$ZPL_GRAPHIC" zpl/job-1.zpl label-zpl.png
    grep '^crop' report.txt | cut -f2- >crops.tsv
    python3 "$SOURCE/scripts/grade_crops.py" crops.tsv "$GRADER" "$READER"
    ;;

  commands)
    out=$WORK/commands
    rm -rf "$out"
    mkdir -p "$out"
    cd "$out"
    start_listener jobs 2
    cscript "$(windows_path "$SOURCE/tests/printing/label_commands.vbs")" "$(windows_path "$out")" QuillantRaw |
        tee report.txt
    grep -q '^PASS' report.txt || { echo "FAIL the script did not finish"; exit 1; }
    if ! wait $listener; then
        echo "FAIL two jobs did not reach the listener on 127.0.0.1:$PORT"
        tail -5 "$CUPS_DIR/log/error_log"
        exit 1
    fi
    # Jobs arrive in the order they were sent.
    cmp label.zpl jobs/job-1.zpl && cmp label.epl jobs/job-2.zpl || { echo "FAIL a job differs from LabelCommands"; exit 1; }
    echo "PASS both jobs equal LabelCommands: $(head -c 60 label.zpl | tr '\n' ' ')..."
    ;;

  *)
    echo "usage: printing_test.sh register | pdf | label CLASS | commands" >&2
    exit 64
    ;;
esac
