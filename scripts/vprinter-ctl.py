#!/usr/bin/env python3
"""Sends one line to the virtual printer's control socket and prints the answer."""
import socket
import sys

sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
sock.settimeout(5)
sock.connect(sys.argv[1])
sock.sendall((" ".join(sys.argv[2:]) + "\n").encode())
try:
    print(sock.recv(65536).decode().strip())
except socket.timeout:
    pass
