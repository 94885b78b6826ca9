#!/usr/bin/env python3
"""Prints what the virtual customer display shows, from its control reply
("ok {JSON}" with rows, attrs, cursor and brightness). Further arguments are
texts the display must show; exit 1 when one is missing or the reply is no
display."""
import json
import sys


def main():
    reply = sys.argv[1] if len(sys.argv) > 1 else ""
    wanted = sys.argv[2:]
    if not reply.startswith("ok "):
        print("== the customer display did not answer: %s" % (reply or "no reply"))
        return 1
    screen = json.loads(reply[3:])
    rows = screen.get("rows", [])
    width = max((len(r) for r in rows), default=0)
    print("== the customer display shows (brightness %s%%):" % screen.get("brightness", "?"))
    print("   +" + "-" * width + "+")
    for row in rows:
        print("   |" + row.ljust(width) + "|")
    print("   +" + "-" * width + "+")
    text = "\n".join(rows)
    missing = [w for w in wanted if w not in text]
    for w in missing:
        print("== the customer display does NOT show: %s" % w)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
