#!/bin/sh
# Starts or stops the wineserver shared by one CTest run. The environment
# (WINEPREFIX, WINEARCH, ...) comes from the caller.
#
#   wine-session.sh start LOADER    LOADER: the Wine loader of the prefix's width
#   wine-session.sh stop
set -eu
case "$1" in
  start)
    loader=$2
    mkdir -p "$WINEPREFIX"
    # A server left over from an earlier run may be on its way out; start clean.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      # The server that made the prefix ends up with a second service manager
      # beside the first one, and the RpcSs service can no longer be started
      # in it: every program that starts COM then waits ten seconds for it,
      # and so does the desktop process (explorer.exe) each test starts, which
      # holds the test's stderr, and with it CTest, ten seconds longer. Make
      # the prefix under a server of its own and let that one end.
      "$loader" wineboot -i </dev/null >/dev/null 2>&1 || { echo "wineboot -i failed for $WINEPREFIX" >&2; exit 1; }
      wineserver -w 2>/dev/null || true
    fi
    # Stay up between tests and exit on its own a minute after the last client.
    wineserver -p60 </dev/null >/dev/null 2>&1
    # Boot here, detached from CTest's pipes: Wine's background services
    # (services.exe, winedevice) live as long as the server, and CTest would
    # wait for them if a test program had started them.
    "$loader" wineboot </dev/null >/dev/null 2>&1 || { echo "wineboot failed for $WINEPREFIX" >&2; exit 1; }
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    ;;
  *)
    echo "usage: wine-session.sh start LOADER | stop" >&2
    exit 64
    ;;
esac
