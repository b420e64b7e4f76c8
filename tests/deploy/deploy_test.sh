#!/usr/bin/env bash
# The installer and the side-by-side assembly of one width, each case in a
# fresh Wine prefix of its own (a copy of a prefix just booted, in which
# nothing was ever installed):
#
#   deploy_test.sh prefix       boots that pristine prefix once per build tree
#   deploy_test.sh round-trip   msiexec /i, cscript creates and draws, msiexec /x:
#                               registry and files as before
#   deploy_test.sh regsvr32     what the MSI writes in Software\Classes equals
#                               what regsvr32 writes for the same DLLs
#   deploy_test.sh upgrade      the next version replaces this one; once it is
#                               removed too, nothing of either is left
#   deploy_test.sh reg-free     a host with an application manifest creates the
#                               classes where nothing is registered
#
# The build (tests/deploy/CMakeLists.txt) passes everything else in the
# environment: LOADER, ARCH, PRISTINE, WORK, MSI, NEXT_MSI, MANIFEST, BIN,
# HOST, SCRIPTS.
set -euo pipefail
case_name=$1

wine_env() {  # PREFIX COMMAND...
    local prefix=$1
    shift
    env -u DISPLAY WINEPREFIX="$prefix" WINEARCH="$ARCH" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= "$@"
}

windows_path() { echo "Z:${1//\//\\}"; }

if [ "$case_name" = prefix ]; then
    if [ ! -f "$PRISTINE/system.reg" ]; then
        rm -rf "$PRISTINE"
        mkdir -p "$PRISTINE"
        wine_env "$PRISTINE" "$LOADER" wineboot -i </dev/null >/dev/null 2>&1
    fi
    wine_env "$PRISTINE" wineserver -w
    echo "PASS pristine $ARCH prefix at $PRISTINE"
    exit 0
fi

# A fresh copy of the pristine prefix for this case. Its background
# services start here, detached from CTest's pipes (CTest would wait for
# them otherwise), and its wineserver goes with the case.
fresh_prefix() {  # NAME -> sets prefix
    prefix=$WORK/$1
    rm -rf "$prefix"
    mkdir -p "$WORK"
    cp -a "$PRISTINE" "$prefix"
    prefixes+=("$prefix")
    wine_env "$prefix" "$LOADER" wineboot </dev/null >/dev/null 2>&1
    # Wine's script host registers its own classes the first time it runs;
    # that is no part of what an installation changes.
    echo 'WScript.Echo "warm"' >"$WORK/warm-up.vbs"
    run cscript //nologo "$(windows_path "$WORK/warm-up.vbs")" >/dev/null 2>&1 || true
}
prefixes=()
stop_prefixes() {
    for p in "${prefixes[@]}"; do wine_env "$p" wineserver -k 2>/dev/null || true; done
}
trap stop_prefixes EXIT

run() { wine_env "$prefix" "$LOADER" "$@" </dev/null; }

fail() {
    echo "FAIL $case_name: $*"
    exit 1
}

# The empty keys and the folder Windows Installer keeps its records in, which
# Windows has from the start and Wine makes on the first installation and
# keeps. Only these names, and only while empty: a record left in one shows
# as a value or a subkey.
installer_bookkeeping() {
    cat <<'EOF'
HKLM\Software\Classes\Installer
HKLM\Software\Classes\Installer\Features
HKLM\Software\Classes\Installer\Products
HKLM\Software\Classes\Installer\UpgradeCodes
HKLM\Software\Microsoft\Windows\CurrentVersion\Installer\UpgradeCodes
HKLM\Software\Microsoft\Windows\CurrentVersion\Installer\UserData
HKLM\Software\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18
HKLM\Software\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18\Components
HKLM\Software\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18\Products
./windows/Installer
EOF
}

# The registry (HKLM\Software and HKCU\Software) and the file tree of drive C.
# Wine keeps a few things of its own up to date whatever runs; those lines
# and the scratch folders are left out.
snapshot() {  # OUT
    run "$BIN/registry_dump.exe" "$(windows_path "$1.reg")" 2>"$1.dump.err" || { rc=$?; cat "$1.dump.err"; fail "registry_dump failed with $rc"; }
    grep -v -E '^HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Perflib|\\Software\\Wine\\|^HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer' \
        "$1.reg" | grep -v -x -F -f <(installer_bookkeeping) | sort >"$1.registry"
    (cd "$prefix/drive_c" && find . -path ./windows/temp -prune -o -path './users/*/Temp' -prune -o \
        -path './users/*/AppData/Local/Temp' -prune -o -print | grep -v -x -F -f <(installer_bookkeeping) |
        sort) >"$1.files"
}

same_as() {  # BEFORE AFTER WHAT
    if ! diff -u "$1.registry" "$2.registry" >"$2.registry.diff"; then
        head -40 "$2.registry.diff"
        fail "$3: the registry differs (all of it in $2.registry.diff)"
    fi
    if ! diff -u "$1.files" "$2.files" >"$2.files.diff"; then
        head -40 "$2.files.diff"
        fail "$3: the files differ (all of it in $2.files.diff)"
    fi
}

msiexec() {  # /i|/x MSI
    run msiexec "$1" "$(windows_path "$2")" /qn || fail "msiexec $1 $(basename "$2") exited $?"
}

install_dir() { echo "$prefix/drive_c/Program Files/Quillant"; }

# cscript creates every class of both DLLs; the pictures must scan.
draw_with_cscript() {  # PICTURE_PREFIX
    local output
    output=$(run cscript //nologo "$(windows_path "$SCRIPTS/installed.vbs")" "$(windows_path "$1")" 2>&1) || true
    echo "$output"
    grep -q '^PASS' <<<"$output" || fail "cscript could not use the installed classes"
    sh "$SCRIPTS/../samples/expect_scan.sh" "$1-Quillant1.png" "Quillant1 installed" >/dev/null ||
        fail "$1-Quillant1.png does not scan as 'Quillant1 installed'"
    sh "$SCRIPTS/../samples/expect_scan.sh" "$1-Quillant2.png" "Quillant2 installed" >/dev/null ||
        fail "$1-Quillant2.png does not scan as 'Quillant2 installed'"
}

# The Uninstall entries (installed-programs list) that name Quillant.
listed_products() {  # SNAPSHOT
    grep -E '\\CurrentVersion\\Uninstall\\[^\\]+	DisplayName=1:Quillant' "$1.registry" | cut -f1 | sort -u || true
}

case "$case_name" in
round-trip)
    fresh_prefix round-trip
    snapshot "$prefix.before"
    msiexec /i "$MSI"
    for file in Quillant.dll QuillantForms.dll docs/install.md samples/vbscript/picture_box.vbs LICENSE NOTICE CHANGELOG.md; do
        [ -f "$(install_dir)/$file" ] || fail "$file is not installed"
    done
    snapshot "$prefix.installed"
    [ "$(listed_products "$prefix.installed" | wc -l)" = 1 ] || fail "the installed-programs list has no Quillant entry"
    draw_with_cscript "$WORK/round-trip"
    msiexec /x "$MSI"
    snapshot "$prefix.after"
    same_as "$prefix.before" "$prefix.after" "after msiexec /x"
    echo "PASS $(basename "$MSI"): installed, used by cscript, removed without a trace"
    ;;

regsvr32)
    # What each way adds under Software\Classes, Windows Installer's own
    # bookkeeping (Classes\Installer) aside. The MSI names the folder
    # as Windows Installer does, with a trailing backslash (HELPDIR).
    classes_added() {  # BEFORE AFTER
        comm -13 "$1.registry" "$2.registry" | grep -E '^HK(LM|CU)\\Software\\Classes\\' |
            grep -v -E '^HK(LM|CU)\\Software\\Classes\\Installer\\' |
            sed -E 's#(Program Files[^\\]*\\Quillant)\\\|$#\1|#' | sort
    }
    fresh_prefix msi
    snapshot "$prefix.before"
    msiexec /i "$MSI"
    snapshot "$prefix.installed"
    classes_added "$prefix.before" "$prefix.installed" >"$WORK/by-msi.txt"
    msi_prefix=$prefix

    fresh_prefix regsvr32
    snapshot "$prefix.before"
    mkdir -p "$(install_dir)"
    cp "$BIN/Quillant.dll" "$BIN/QuillantForms.dll" "$(install_dir)/"
    # regsvr32 reads a Unix path as a switch: register from the folder.
    (cd "$(install_dir)" && run regsvr32 /s QuillantForms.dll && run regsvr32 /s Quillant.dll) ||
        fail "regsvr32 failed"
    snapshot "$prefix.registered"
    classes_added "$prefix.before" "$prefix.registered" >"$WORK/by-regsvr32.txt"

    [ -s "$WORK/by-regsvr32.txt" ] || fail "regsvr32 wrote nothing under Software\\Classes"
    grep -q 'Quillant.Quillant2\\CurVer' "$WORK/by-msi.txt" || fail "the MSI does not register Quillant.Quillant2"
    if ! diff -u "$WORK/by-regsvr32.txt" "$WORK/by-msi.txt" >"$WORK/registration.diff"; then
        head -40 "$WORK/registration.diff"
        fail "the MSI and regsvr32 register differently (all of it in $WORK/registration.diff)"
    fi
    echo "PASS the MSI writes the $(wc -l <"$WORK/by-msi.txt") keys and values regsvr32 writes (prefixes $msi_prefix, $prefix)"
    ;;

upgrade)
    fresh_prefix upgrade
    snapshot "$prefix.before"
    msiexec /i "$MSI"
    snapshot "$prefix.older"
    older=$(listed_products "$prefix.older")
    msiexec /i "$NEXT_MSI"
    snapshot "$prefix.newer"
    newer=$(listed_products "$prefix.newer")
    [ "$(wc -l <<<"$newer")" = 1 ] || fail "after the upgrade the list holds: $newer"
    [ "$newer" != "$older" ] || fail "the older version is still the one listed"
    next_version=$(basename "$NEXT_MSI" | sed -E 's/^Quillant-(.*)-x(86|64)\.msi$/\1/')
    grep -qF "$newer	DisplayVersion=1:$next_version" "$prefix.newer.registry" ||
        fail "the listed version is not $next_version"
    draw_with_cscript "$WORK/upgrade"
    msiexec /x "$NEXT_MSI"
    snapshot "$prefix.after"
    same_as "$prefix.before" "$prefix.after" "after removing the upgraded version"
    echo "PASS $(basename "$NEXT_MSI") replaced $(basename "$MSI"); removing it left nothing of either"
    ;;

reg-free)
    fresh_prefix reg-free
    snapshot "$prefix.before"
    if grep -q -i 'quillant' "$prefix.before.registry"; then fail "the fresh prefix knows Quillant already"; fi
    app=$WORK/reg-free-app
    rm -rf "$app"
    mkdir -p "$app"
    cp "$HOST" "$BIN/Quillant.dll" "$BIN/QuillantForms.dll" "$MANIFEST" "$app/"
    output=$(cd "$app" && run "$app/$(basename "$HOST")" "$(windows_path "$app/picture")" 2>&1) || true
    echo "$output"
    grep -q '^PASS' <<<"$output" || fail "the host could not create the classes without registration"
    sh "$SCRIPTS/../samples/expect_scan.sh" "$app/picture-progid.png" "Reg-free by ProgID" || fail "ProgID picture"
    sh "$SCRIPTS/../samples/expect_scan.sh" "$app/picture-clsid.png" "Reg-free by CLSID" || fail "CLSID picture"
    snapshot "$prefix.after"
    if grep -q -i 'quillant' "$prefix.after.registry"; then fail "something registered Quillant"; fi
    echo "PASS reg-free: created by ProgID and CLSID from $(basename "$MANIFEST") alone"
    ;;

*)
    echo "usage: deploy_test.sh prefix|round-trip|regsvr32|upgrade|reg-free" >&2
    exit 64
    ;;
esac
