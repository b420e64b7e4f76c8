# Private Wine prefixes with both servers registered, for the demo and for
# the pictures in docs/. Sourced, not run:
#
#   . scripts/wine_hosts.sh
#   wine_host_start win32 build/demo/wine32     # prefix, wineserver, registration
#   wine_host win32 cscript //nologo 'Z:\...\script.vbs'
#   wine_host_stop win32
#
# One wineserver per prefix stays up between calls (each Wine start costs
# seconds otherwise); wine_host_stop ends the ones these functions started.

declare -A wine_host_prefix=()
wine_hosts_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# How this machine runs the 32-bit Wine: "native", or "qemu PATH" where the
# kernel refuses 32-bit programs and QEMU's user-mode emulator starts them
# (scripts/wine32). Fails, saying why, where neither works.
wine_32bit_route() {
    bash "$wine_hosts_scripts/wine32" --route
}

wine_host_loader() {  # ARCH
    # Plain 'wine' starts the 32-bit cscript even in a 64-bit prefix, and that
    # one cannot see 64-bit registrations.
    if [ "$1" != win64 ]; then
        echo "$wine_hosts_scripts/wine32"
        return
    fi
    # Debian keeps the loader out of PATH, in its Wine folder.
    local loader
    loader=$(PATH="$PATH:/usr/lib/wine" command -v wine64) || {
        echo "wine64, Wine's 64-bit loader, was not found (Debian package wine64): run scripts/setup.sh" >&2
        return 1
    }
    echo "$loader"
}

wine_host_env() {  # ARCH COMMAND...
    local arch=$1
    shift
    # The prefixes see the printers of QUILLANT_CUPS_SERVER only (scripts/
    # cups_session.sh), never this machine's: their pages stay the same.
    env -u DISPLAY CUPS_SERVER="${QUILLANT_CUPS_SERVER:-$PWD/build/no-cups.sock}" \
        WINEPREFIX="${wine_host_prefix[$arch]}" WINEARCH="$arch" WINEDEBUG=-all \
        WINEDLLOVERRIDES=mscoree,mshtml= "$@"
}

# Runs a Windows program (cscript, regsvr32, an .exe) in the prefix of ARCH.
wine_host() {  # ARCH PROGRAM ARGS...
    local arch=$1
    shift
    wine_host_env "$arch" "$(wine_host_loader "$arch")" "$@"
}

# The prefix under DIR (made on first use), its wineserver, and
# QuillantForms.dll and Quillant.dll of build/ARCH registered for the machine.
wine_host_start() {  # ARCH DIR
    local arch=$1 dir
    mkdir -p "$2"
    dir=$(cd "$2" && pwd)
    wine_host_prefix[$arch]=$dir
    wine_host_env "$arch" wineserver -p </dev/null >/dev/null 2>&1
    if [ ! -f "$dir/system.reg" ]; then
        echo "wine: making the $arch prefix $dir"
        wine_host_env "$arch" "$(wine_host_loader "$arch")" wineboot -i </dev/null >/dev/null 2>&1
    fi
    # Bare names from the DLLs' folder: the same call whatever the loader.
    (cd "build/$arch/bin" &&
        wine_host "$arch" regsvr32 /s QuillantForms.dll &&
        wine_host "$arch" regsvr32 /s Quillant.dll)
}

wine_host_stop() {  # ARCH
    [ -n "${wine_host_prefix[$1]:-}" ] || return 0
    wine_host_env "$1" wineserver -k 2>/dev/null || true
    unset "wine_host_prefix[$1]"
}

# The Windows path of a file, for cscript (a leading / reads as a switch).
wine_host_path() {  # FILE
    local absolute
    absolute=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
    echo "Z:${absolute//\//\\}"
}
