#!/usr/bin/env python3
"""Serial port test under Wine: COMn of the prefix is pointed at a fresh
pseudo-terminal; this script plays the printer on its other end while the
probe program drives the library. Usage: wine_serial.py WINE_RUN PREFIX PROBE"""
import os, select, subprocess, sys, time, tty

wine_run, prefix, probe = sys.argv[1:4]
port = "COM9"
master, slave = os.openpty()
tty.setraw(master)
link = os.path.join(prefix, "dosdevices", port.lower())
if os.path.lexists(link):
    os.remove(link)
os.symlink(os.ttyname(slave), link)
proc = subprocess.Popen([wine_run, probe, port])
try:
    got = b""
    deadline = time.time() + 60
    while b"hello\n" not in got and time.time() < deadline and proc.poll() is None:
        ready, _, _ = select.select([master], [], [], 0.2)
        if ready:
            got += os.read(master, 256)
    if b"\x1b@hello\n" not in got:
        print("printer side never saw the job:", got)
        proc.kill()
        sys.exit(1)
    os.write(master, b"\x12\x14\x00\x00\x00")
    rc = proc.wait(timeout=60)
finally:
    if proc.poll() is None:
        proc.kill()
    os.remove(link)
sys.exit(rc)
