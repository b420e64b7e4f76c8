#!/usr/bin/env python3
"""Runs a command in which every 32-bit x86 ELF program is started by QEMU's
user-mode emulator, for kernels that refuse to run 32-bit programs.

    i386_namespace.py QEMU_I386 COMMAND [ARG...]

The command runs in a user and mount namespace of its own, whose private
binfmt_misc instance (Linux 6.7 and later) holds the one entry that hands
i386 executables and shared objects to QEMU. Nothing outside the namespace
changes. The namespace maps every user and group to itself, so programs in it
that change their identity (cupsd drops to lp) behave as they do outside.
Exits with the command's status; 70 when the namespace cannot be made, with
the reason on stderr.
"""
import ctypes
import os
import sys

CLONE_NEWNS = 0x00020000
CLONE_NEWUSER = 0x10000000
MS_REC = 0x4000
MS_PRIVATE = 1 << 18
BINFMT = "/proc/sys/fs/binfmt_misc"
# A 32-bit little-endian ELF file of type EXEC or DYN (the mask folds the
# lowest bit of e_type) for machine EM_386.
MAGIC = r"\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00"
MASK = r"\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff"
CANNOT = 70

libc = ctypes.CDLL(None, use_errno=True)


def fail(step):
    error = ctypes.get_errno()
    sys.stderr.write(f"i386_namespace: {step}: {os.strerror(error)}\n")
    os._exit(CANNOT)


def child(qemu, command, ready, mapped):
    if libc.unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0:
        fail("unshare(CLONE_NEWUSER | CLONE_NEWNS)")
    os.write(ready, b"u")
    if os.read(mapped, 1) != b"m":
        os._exit(CANNOT)  # the parent said why
    # Mounts made here must not travel back to the parent's namespace.
    if libc.mount(b"none", b"/", None, MS_REC | MS_PRIVATE, None) != 0:
        fail("making / private")
    if libc.mount(b"binfmt_misc", BINFMT.encode(), b"binfmt_misc", 0, None) != 0:
        fail(f"mounting binfmt_misc on {BINFMT} (needs Linux 6.7 or later)")
    try:
        with open(f"{BINFMT}/register", "w") as register:
            # P keeps argv[0], O hands QEMU the opened file, C its credentials,
            # F opens QEMU now, so it is found whatever the program's root.
            register.write(f":quillant-i386:M::{MAGIC}:{MASK}:{qemu}:POCF")
    except OSError as error:
        sys.stderr.write(f"i386_namespace: registering {qemu} for i386 programs: {error}\n")
        os._exit(CANNOT)
    try:
        os.execvp(command[0], command)
    except OSError as error:
        sys.stderr.write(f"i386_namespace: {command[0]}: {error}\n")
        os._exit(127)


def main():
    if len(sys.argv) < 3:
        sys.stderr.write("usage: i386_namespace.py QEMU_I386 COMMAND [ARG...]\n")
        return 64
    qemu, command = os.path.abspath(sys.argv[1]), sys.argv[2:]
    ready_read, ready_write = os.pipe()
    mapped_read, mapped_write = os.pipe()
    pid = os.fork()
    if pid == 0:
        os.close(ready_read)
        os.close(mapped_write)
        child(qemu, command, ready_write, mapped_read)
    os.close(ready_write)
    os.close(mapped_read)
    answer = b"m"
    if os.read(ready_read, 1) != b"u":
        answer = b"x"
    else:
        try:
            # Only a process outside the namespace, holding CAP_SETUID there,
            # may map more than its own identity.
            for name in ("uid_map", "gid_map"):
                with open(f"/proc/{pid}/{name}", "w") as mapping:
                    mapping.write("0 0 4294967295")
        except OSError as error:
            sys.stderr.write(f"i386_namespace: mapping users into the namespace (needs root): {error}\n")
            answer = b"x"
    os.write(mapped_write, answer)
    _, status = os.waitpid(pid, 0)
    return os.waitstatus_to_exitcode(status)


if __name__ == "__main__":
    sys.exit(main())
