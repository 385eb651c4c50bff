"""The catalogue file's text: reading the categories of a hand-kept file and writing categories.

A category is (name, lines); a line is ("entry", key, value) or ("comment", text).
"""


def read_categories(text):
    """The [group]s of a catalogue file with their key lines, in file order; comments dropped."""
    categories = []
    for raw in text.replace("\r", "\n").split("\n"):
        line = raw.lstrip(" \t")
        if not line or line.startswith(";"):
            continue
        if line.startswith("["):
            name = line[1:].split("]", 1)[0]
            categories.append((name, []))
        elif categories:
            key, _, value = line.partition("=")
            if value.startswith(" "):
                value = value[1:]
            categories[-1][1].append(("entry", key.rstrip(" \t"), value))
    return categories


def render(header_lines, categories):
    """The whole file as bytes: ANSI text, CRLF line ends, a blank line between categories."""
    out = ["; " + line if line else ";" for line in header_lines]
    for name, lines in categories:
        out.append("")
        out.append("[" + name + "]")
        for line in lines:
            if line[0] == "entry":
                out.append(line[1] + " = " + line[2])
            else:
                out.append("; " + line[1])
    return ("\r\n".join(out) + "\r\n").encode("cp1252")
