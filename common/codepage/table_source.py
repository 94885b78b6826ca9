"""What the table generators share: C++ arrays of constant rows, and the
generated file written in one piece."""
import os


def array(out, declaration, items, form, per_line):
    """Appends `declaration = { ... };` with each item formatted by `form`."""
    out.append(declaration + " = {")
    for i in range(0, len(items), per_line):
        out.append("    " + ", ".join(form % item for item in items[i:i + per_line]) + ",")
    out.append("};")


def write(path, lines):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
