#!/bin/sh
# Starts or stops the wineserver shared by one CTest run. The environment
# (WINEPREFIX, WINEARCH, ...) comes from the caller.
#
#   wine-session.sh start LOADER HOLDER
#   wine-session.sh stop
#
# LOADER is the Wine loader of the prefix's width, HOLDER the desktop holder
# built for that width (tests/support/desktop_holder.cpp).
set -eu
loader="${2:-wine}"
case "$1" in
  start)
    loader=$2
    holder=$3
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
    # One desktop for the whole run, its explorer.exe detached from CTest's
    # pipes like the services. wine.stop ends the holder with the server; if
    # the CTest that started this session (our parent) ends without it, the
    # holder's input ends with CTest and the holder with it.
    ready="$WINEPREFIX/desktop-holder.out"
    rm -f "$ready"
    session=$PPID
    (while kill -0 "$session" 2>/dev/null; do sleep 1; done | "$loader" "$holder" >"$ready" 2>&1) \
      </dev/null >/dev/null 2>&1 &
    waited=0
    until grep -q '^ready' "$ready" 2>/dev/null; do
      waited=$((waited + 1))
      if [ "$waited" -gt 300 ] || grep -q '^desktop_holder:' "$ready" 2>/dev/null; then
        echo "the desktop holder did not start in $WINEPREFIX:" >&2
        cat "$ready" >&2 2>/dev/null || true
        exit 1
      fi
      sleep 0.1
    done
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    ;;
  *)
    echo "usage: wine-session.sh start LOADER HOLDER | stop" >&2
    exit 64
    ;;
esac
