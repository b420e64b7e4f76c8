#!/bin/sh
# Starts or stops the wineserver shared by one CTest run:
#   wine-session.sh start|stop LOADER
# The environment (WINEPREFIX, WINEARCH, ...) comes from the caller; LOADER is
# the Wine loader of the prefix's width (plain 'wine' is the 32-bit one, which
# some kernels cannot run).
set -eu
loader="${2:-wine}"
case "$1" in
  start)
    mkdir -p "$WINEPREFIX"
    # A server left over from an earlier run may be on its way out; start clean.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    # Stay up between tests and exit on its own a minute after the last client.
    wineserver -p60 </dev/null >/dev/null 2>&1
    # Boot here, detached from CTest's pipes: Wine's background services
    # (services.exe, winedevice) live as long as the server, and CTest would
    # wait for them if a test program had started them.
    boot=""
    [ -f "$WINEPREFIX/system.reg" ] || boot="-i"
    "$loader" wineboot $boot </dev/null >/dev/null 2>&1 || { echo "wineboot failed for $WINEPREFIX" >&2; exit 1; }
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    ;;
  *)
    echo "usage: wine-session.sh start|stop" >&2
    exit 64
    ;;
esac
