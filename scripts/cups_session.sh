#!/usr/bin/env bash
# A private CUPS scheduler for the printing tests and the demo, with three
# queues of its own:
#
#   QuillantPDF     cups-pdf, its PDFs in DIR/pdf
#   QuillantZebra   CUPS's 203-dpi Zebra ZPL driver, 4 x 6 inch labels, sent
#                   to socket://127.0.0.1:PORT (scripts/zpl_listener.py)
#   QuillantTall    the same at 203 x 406 dpi, for the tests of resolutions
#                   that differ across and down; nothing is printed on it
#   QuillantRaw     a raw queue (no driver) to the same listener, for a
#                   label printer's own commands sent as they are
#
#   cups_session.sh start DIR [PORT]   prints CUPS_SERVER=... (also in DIR/env)
#   cups_session.sh stop DIR
#
# The scheduler answers only on a Unix socket of its own and keeps every
# file under DIR: the machine's own cupsd and /run/cups are never touched.
# The one file outside DIR is cups-pdf's instance configuration, which
# cups-pdf reads from /etc/cups only; stop removes it. PORT defaults to
# QUILLANT_ZPL_PORT, else 9164.
#
# Exit status 77 (and a line starting with SKIP) means CUPS cannot run on
# this machine: not root, or cupsd or cups-pdf not installed
# (scripts/setup.sh installs them). Any other failure exits 1.
set -euo pipefail

usage() {
    echo "usage: cups_session.sh start DIR [PORT] | stop DIR" >&2
    exit 64
}
[ $# -ge 2 ] || usage
action=$1
mkdir -p "$2"
dir=$(cd "$2" && pwd)

skip() {
    echo "SKIP no private CUPS here: $*"
    exit 77
}

# cups-pdf finds its configuration by the name in the device URI; the name
# is made from DIR so that two build trees never share one.
instance="quillant-$(printf %s "$dir" | md5sum | cut -c1-10)"
instance_conf=/etc/cups/cups-pdf-$instance.conf

# A Unix socket's path has room for about 107 bytes; a deep build tree puts
# the socket in the temporary folder instead.
socket_path() {
    if [ ${#dir} -le 90 ]; then
        echo "$dir/cups.sock"
    else
        echo "${TMPDIR:-/tmp}/$instance.sock"
    fi
}
socket=$(socket_path)

# The scheduler this script started for DIR, if it still runs: the id it
# wrote, checked against the process's command line (ids are reused).
running_pid() {
    local pid
    pid=$(cat "$dir/cupsd.pid" 2>/dev/null) || return 1
    [ -n "$pid" ] || return 1
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF -- "-c $dir/etc/cupsd.conf" || return 1
    echo "$pid"
}

stop_scheduler() {
    local pid waited=0
    if pid=$(running_pid); then
        kill "$pid" 2>/dev/null || true
        while kill -0 "$pid" 2>/dev/null && [ $waited -lt 100 ]; do
            sleep 0.1
            waited=$((waited + 1))
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$dir/cupsd.pid" "$socket"
}

case "$action" in
  stop)
    stop_scheduler
    rm -f "$instance_conf"
    echo "cups: stopped the scheduler of $dir"
    exit 0
    ;;
  start) ;;
  *) usage ;;
esac

port=${3:-${QUILLANT_ZPL_PORT:-9164}}
[ "$(id -u)" -eq 0 ] || skip "the scheduler runs its backends as root, and this user is not root"
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
[ -x "$cupsd" ] || skip "cupsd is not installed (scripts/setup.sh installs cups)"
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is not installed (printer-driver-cups-pdf)"
command -v lpadmin >/dev/null || skip "lpadmin is not installed (cups-client)"

# Whatever an earlier run left: its scheduler, its queues, its jobs.
stop_scheduler
rm -rf "$dir/etc" "$dir/spool" "$dir/run" "$dir/cache" "$dir/log" "$dir/pdf"
mkdir -p "$dir/etc/ppd" "$dir/spool/tmp" "$dir/run" "$dir/cache" "$dir/log" "$dir/pdf"

cat >"$dir/etc/cupsd.conf" <<EOF
Listen $socket
LogLevel info
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
StateDir $dir/run
CacheDir $dir/cache
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/run/printcap
FileDevice Yes
EOF
# The filters run as lp: they must reach the spooled files under DIR.
if command -v runuser >/dev/null && ! runuser -u lp -- test -x "$dir/spool" 2>/dev/null; then
    echo "cups: the filters (user lp) cannot reach $dir; make its folders searchable by others" >&2
    exit 1
fi

cat >"$instance_conf" <<EOF
Out $dir/pdf
AnonDirName $dir/pdf
Label 0
TitlePref 0
EOF

# Detached from the caller's pipes: CTest waits for every process holding them.
setsid "$cupsd" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" </dev/null >>"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/cupsd.pid"

export CUPS_SERVER=$socket
waited=0
until lpstat -r 2>/dev/null | grep -q 'is running'; do
    waited=$((waited + 1))
    if [ $waited -gt 100 ] || ! running_pid >/dev/null; then
        echo "cups: the scheduler did not start; its log:" >&2
        tail -20 "$dir/log/error_log" "$dir/log/cupsd.out" >&2 2>/dev/null || true
        stop_scheduler
        rm -f "$instance_conf"
        exit 1
    fi
    sleep 0.1
done

# lpadmin warns on every call that PPD drivers are deprecated.
quiet() { "$@" 2>&1 | { grep -v 'drivers are deprecated' >&2 || true; }; return "${PIPESTATUS[0]}"; }
quiet lpadmin -p QuillantPDF -E -v "cups-pdf:/$instance" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
# The label is 4 x 6 inches; the driver's own default is 4 x 5.
quiet lpadmin -p QuillantZebra -E -v "socket://127.0.0.1:$port" -m drv:///sample.drv/zebra.ppd -o PageSize=w288h432
# Wine's PostScript driver reads a resolution written "203dpi" as 20 dots
# an inch; "203x203dpi" means the same to CUPS and reads right in Wine.
sed -E 's/^(\*DefaultResolution: |\*([A-Za-z_]+\.)?Resolution )([0-9]+)dpi/\1\3x\3dpi/' \
    "$dir/etc/ppd/QuillantZebra.ppd" >"$dir/zebra.ppd"
quiet lpadmin -p QuillantZebra -P "$dir/zebra.ppd"
# The same printer with twice the dots down as across, for drivers whose
# resolutions differ: no jobs are printed on it.
sed -E -e 's/^\*DefaultResolution: .*/*DefaultResolution: 203x406dpi/' \
    -e 's|^(\*Resolution 203x203dpi/203dpi: .*)|\1\n*Resolution 203x406dpi/203x406dpi: "<</HWResolution[203 406]>>setpagedevice"|' \
    "$dir/zebra.ppd" >"$dir/tall.ppd"
quiet lpadmin -p QuillantTall -E -v "socket://127.0.0.1:$port" -P "$dir/tall.ppd" -o PageSize=w288h432
# No model: CUPS passes every job to the printer untouched.
quiet lpadmin -p QuillantRaw -E -v "socket://127.0.0.1:$port"
quiet lpadmin -d QuillantPDF
echo "CUPS_SERVER=$socket" >"$dir/env"
echo "CUPS_SERVER=$socket"
