#!/usr/bin/env python3
"""Runs a script host and reads its resident memory whenever the script asks.

    resident_memory.py LIMIT_KB ANSWERS_DIR COMMAND...

The script prints "MEASURE before NAME ..." and "MEASURE after NAME ..." and waits
for the file ANSWERS_DIR/<n> (n counts the MEASURE lines from 1), which is
made once VmRSS has been read. Fails when any NAME grew by more than
LIMIT_KB between its two measures, or when the script does not end with
DONE. The process measured is the one whose command line names the script
(the Windows process, not the loader that started it)."""
import os
import pathlib
import shutil
import subprocess
import sys


def resident_kb(marker):
    best = None
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if marker not in pathlib.Path(f"/proc/{pid}/cmdline").read_bytes():
                continue
            for line in pathlib.Path(f"/proc/{pid}/status").read_text().splitlines():
                if line.startswith("VmRSS:"):
                    kb = int(line.split()[1])
                    best = kb if best is None else max(best, kb)
        except OSError:
            continue
    if best is None:
        sys.exit(f"FAIL: no process names {marker.decode()}")
    return best


def main():
    limit = int(sys.argv[1])
    answers = pathlib.Path(sys.argv[2])
    command = sys.argv[3:]
    shutil.rmtree(answers, ignore_errors=True)
    answers.mkdir(parents=True)
    marker = next(os.path.basename(a.replace("\\", "/")) for a in command if a.endswith((".js", ".vbs"))).encode()
    before, failures, done, count = {}, [], False, 0
    with subprocess.Popen(command, stdout=subprocess.PIPE, text=True, errors="replace") as host:
        for line in host.stdout:
            print(line, end="", flush=True)
            words = line.split()
            if words[:1] == ["DONE"]:
                done = True
            if words[:1] != ["MEASURE"]:
                continue
            kb = resident_kb(marker)
            phase, name = words[1], words[2]
            if phase == "before":
                before[name] = kb
            else:
                grown = kb - before[name]
                print(f"{name}: {before[name]} kB -> {kb} kB ({grown:+d} kB)", flush=True)
                if grown > limit:
                    failures.append(f"{name} grew by {grown} kB")
            count += 1
            (answers / str(count)).touch()
    if failures or not done or host.returncode != 0:
        print("FAIL: " + ("; ".join(failures) or f"the script did not finish (exit {host.returncode})"))
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
