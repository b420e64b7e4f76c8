#!/usr/bin/env python3
"""Writes the function tables of the COM interfaces in widl's C headers as
each width's compiler lays them out, for the test that holds the type
libraries to them:

    vtable_layout.py OUT.h --compiler BITS=GCC [--compiler BITS=GCC]... \\
                     [-I DIR]... HEADER...

Every `typedef struct XVtbl { ... } XVtbl;` in the headers is read for its
members; a C file asks each compiler (with -S, so nothing of the target runs
here) for every member's offsetof and the table's sizeof, which it writes
into its assembly as constants. OUT.h lists them as data: one row per width,
interface and member, and one per width and interface with an empty member
for the table's size.
"""
import argparse
import pathlib
import re
import subprocess
import sys
import tempfile

TABLE = re.compile(r"typedef struct (\w+)Vtbl \{(.*?)\} \1Vtbl;", re.S)
MEMBER = re.compile(r"\(STDMETHODCALLTYPE \*(\w+)\)")
MARK = re.compile(r"@quillant-layout (\w+) (\w*) \$?(\d+)")


def interfaces(headers):
    found = {}
    for header in headers:
        for name, body in TABLE.findall(pathlib.Path(header).read_text()):
            found[name] = MEMBER.findall(body)
    return found


def probe_source(headers, tables):
    lines = ["#include <stddef.h>"]
    lines += [f'#include "{pathlib.Path(h).name}"' for h in headers]
    lines.append("void quillant_layout(void) {")
    for name, members in tables.items():
        marks = [(member, f"offsetof({name}Vtbl, {member})") for member in members]
        marks.append(("", f"sizeof({name}Vtbl)"))
        for member, value in marks:
            lines.append(f'    __asm__ volatile("# @quillant-layout {name} {member} %c0" :: "i"({value}));')
    lines.append("}")
    return "\n".join(lines) + "\n"


def layout(compiler, source, includes):
    with tempfile.TemporaryDirectory() as work:
        probe = pathlib.Path(work) / "layout.c"
        probe.write_text(source)
        result = subprocess.run([compiler, "-S", "-o", "-", *[f"-I{d}" for d in includes], str(probe)],
                                capture_output=True, text=True)
        if result.returncode != 0:
            sys.exit(f"vtable_layout: {compiler} failed:\n{result.stderr}")
        return [(m.group(1), m.group(2), int(m.group(3))) for m in MARK.finditer(result.stdout)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--compiler", action="append", required=True, help="BITS=GCC")
    parser.add_argument("-I", dest="includes", action="append", default=[])
    parser.add_argument("headers", nargs="+")
    args = parser.parse_args()

    tables = interfaces(args.headers)
    if not tables:
        sys.exit("vtable_layout: no function tables in " + " ".join(args.headers))
    includes = args.includes + sorted({str(pathlib.Path(h).parent) for h in args.headers})
    source = probe_source(args.headers, tables)
    rows = []
    for item in args.compiler:
        bits, compiler = item.split("=", 1)
        marks = layout(compiler, source, includes)
        expected = sum(len(m) + 1 for m in tables.values())
        if len(marks) != expected:
            sys.exit(f"vtable_layout: {compiler} gave {len(marks)} of {expected} figures")
        rows += [f'    {{{bits}, L"{name}", L"{member}", {value}}},' for name, member, value in marks]
    out = pathlib.Path(args.out)
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_text(
        "// Written by tools/vtable_layout.py from widl's headers: each width's\n"
        "// compiler's offsets of the interface function tables, and their sizes\n"
        "// (the rows with no member).\n"
        "#pragma once\n\n"
        "struct CompiledVtableSlot {\n"
        "    int bits;\n"
        "    const wchar_t* table;\n"
        "    const wchar_t* member;\n"
        "    unsigned offset;\n"
        "};\n\n"
        "inline constexpr CompiledVtableSlot kCompiledVtableSlots[] = {\n" + "\n".join(rows) + "\n};\n")


if __name__ == "__main__":
    main()
