#!/usr/bin/env python3
"""zpl_listener.py PORT FOLDER [SECONDS] [JOBS]

Stands in for a networked label printer on 127.0.0.1:PORT (CUPS's socket
backend, the raw "port 9100" protocol): every connection is one job,
written to FOLDER/job-N.zpl as it arrives. Stops by itself after JOBS jobs
(default 1) or SECONDS seconds (default 120), whichever comes first, so a
test that never prints cannot leave it behind. Creates FOLDER/listening once
it accepts connections. Exits 0 when every job it waited for arrived, 1
otherwise.
"""
import os
import socket
import sys
import time


def main(port, folder, seconds="120", jobs="1"):
    port, seconds, jobs = int(port), float(seconds), int(jobs)
    os.makedirs(folder, exist_ok=True)
    deadline = time.monotonic() + seconds
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    try:
        server.bind(("127.0.0.1", port))
    except OSError as error:
        print("zpl_listener: cannot listen on 127.0.0.1:%d: %s" % (port, error), file=sys.stderr)
        return 1
    server.listen(4)
    open(os.path.join(folder, "listening"), "w").close()
    received = 0
    while received < jobs:
        left = deadline - time.monotonic()
        if left <= 0:
            break
        server.settimeout(left)
        try:
            connection, _ = server.accept()
        except socket.timeout:
            break
        received += 1
        path = os.path.join(folder, "job-%d.zpl" % received)
        size = 0
        with connection, open(path + ".part", "wb") as job:
            while True:
                left = deadline - time.monotonic()
                if left <= 0:
                    break
                connection.settimeout(left)
                try:
                    data = connection.recv(65536)
                except socket.timeout:
                    break
                if not data:
                    break
                job.write(data)
                size += len(data)
        # Renamed only when complete: a reader never sees half a job.
        os.replace(path + ".part", path)
        print("zpl_listener: job %d, %d bytes: %s" % (received, size, path), flush=True)
    server.close()
    os.remove(os.path.join(folder, "listening"))
    if received < jobs:
        print("zpl_listener: %d of %d jobs arrived within %g seconds" % (received, jobs, seconds), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        sys.exit(64)
    sys.exit(main(*sys.argv[1:5]))
