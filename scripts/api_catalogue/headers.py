"""Reads C headers for what the catalogue needs: numeric constants, enums, prototypes, structures.

The headers are not preprocessed: every branch of every #if is read, and the first definition of
a macro is the one used. That is enough for constants, which the headers define the same way in
each branch save for a cast or a suffix.
"""

import os
import re

from .cexpr import MacroTable

_LEXICAL = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)
_CONTINUATION = re.compile(r"\\[ \t]*\r?\n")
_DIRECTIVE = re.compile(r"^[ \t]*#[^\n]*", re.M)
_DEFINE = re.compile(r"[ \t]*#[ \t]*define[ \t]+([A-Za-z_]\w*)(\([^)]*\))?(.*)")
# The patterns open with a literal word, which the regex engine scans for quickly; the word's
# start is checked by _starts_word.
_ENUM = re.compile(r"enum\b\s*(?:class\s+)?(\w+)?\s*(?::[^{;]*)?\{([^{}]*)\}([^;{}]*)")
_TYPEDEF_RECORD = re.compile(r"typedef\s+(?:struct|union)\b\s*(?:\w+\s*)?")
_RECORD_TAGS = [re.compile(r"struct\s+([A-Za-z_]\w*)"), re.compile(r"union\s+([A-Za-z_]\w*)")]
_BRACE = re.compile(r"[{}]")
_STATEMENT = re.compile(r"[^;{}]*(?:[;{}]|\Z)")  # always matches: no quadratic rescans
_TRAILING_WORD = re.compile(r"(?<=[\s)])__\w+\Z")
_NAME_AT_END = re.compile(r"(?:^|[\s*])([A-Za-z_]\w*)\Z")
# Searches for a word at the end of a statement look at its last characters only.
_TAIL = 200
_PARAMETER_WORD = re.compile(r"[A-Za-z_]\w*|\*")
_STATEMENT_KEYWORDS = {"return", "if", "else", "while", "for", "switch", "case", "do", "goto"}
_QUALIFIERS = {"const", "volatile", "struct", "union", "enum", "register", "unsigned", "signed"}


class Parameter:
    def __init__(self, type_name, name, pointer):
        self.type_name = type_name
        self.name = name
        self.pointer = pointer


class HeaderFacts:
    """What a folder of headers declares.

    order: header file name (lower case) -> constant candidates (#define names and enum members)
        in file order; MacroTable.is_numeric / enum membership tell which are numeric.
    enums: enum type name (typedef name or tag) -> member names in order.
    prototypes: function name -> the text of its parameter list, from its first declaration;
        parameters() reads it.
    records: names declared as structures or unions (tags and typedef names).
    """

    def __init__(self):
        self.macros = MacroTable()
        self.order = {}
        self.enums = {}
        self.prototypes = {}
        self.records = set()
        self._constants_of = {}
        self._parameters = {}
        self._all = None

    def is_constant(self, name):
        return name in self.macros.enum_members or self.macros.is_numeric(name)

    def constants_of(self, header):
        """The numeric constants of one header in file order."""
        key = header.lower()
        if key not in self._constants_of:
            self._constants_of[key] = [n for n in self.order.get(key, []) if self.is_constant(n)]
        return self._constants_of[key]

    def parameters(self, function):
        """The Parameter list of a declared function, or None."""
        if function not in self._parameters:
            text = self.prototypes.get(function)
            self._parameters[function] = None if text is None else _parameters(self, text)
        return self._parameters[function]

    def all_constants(self):
        """Every numeric constant of every header, once, in header and file order."""
        if self._all is None:
            seen = set()
            self._all = []
            for header in sorted(self.order):
                for name in self.constants_of(header):
                    if name not in seen:
                        seen.add(name)
                        self._all.append(name)
        return self._all


def read_folder(folder):
    """Reads the .h files directly inside `folder` (not its subfolders), in name order."""
    facts = HeaderFacts()
    names = sorted(n for n in os.listdir(folder) if n.endswith(".h"))
    for name in names:
        with open(os.path.join(folder, name), encoding="latin-1") as f:
            read_text(facts, name, f.read())
    return facts


def read_text(facts, header, text):
    """Adds the facts of one header's text to `facts`."""
    text = _CONTINUATION.sub("", _LEXICAL.sub(_keep_strings, text))
    found = []  # (offset, name) of constant candidates
    for match in _DIRECTIVE.finditer(text):
        define = _DEFINE.match(match.group())
        if not define:
            continue
        name, params, body = define.groups()
        if params is None:
            facts.macros.define(name, body)
            found.append((match.start(), name))
        else:
            names = [p.strip() for p in params[1:-1].split(",")]
            facts.macros.define(name, body, [p for p in names if p])
    code = _DIRECTIVE.sub(lambda m: " " * len(m.group()), text)
    for offset, name in _read_enums(facts, code):
        found.append((offset, name))
    _read_records(facts, code)
    _read_prototypes(facts, code)
    found.sort(key=lambda item: item[0])
    facts.order.setdefault(header.lower(), []).extend(name for _, name in found)


def _keep_strings(match):
    token = match.group()
    if token[0] in "\"'":
        return token
    return " " if token.startswith("//") else " " + "\n" * token.count("\n")


def _read_enums(facts, code):
    for match in _ENUM.finditer(code):
        if not _starts_word(code, match.start()):
            continue
        tag, body, declarators = match.groups()
        is_typedef = code[max(0, match.start() - 40):match.start()].rstrip().endswith("typedef")
        members = []
        for item in _split_top_level(body):
            name = item.split("=", 1)[0].strip()
            if name.isidentifier():
                members.append(name)
        facts.macros.enum_members.update(members)
        names = [tag] if tag else []
        if is_typedef:
            names += re.findall(r"(?<![*\w])([A-Za-z_]\w*)", declarators)
        for type_name in names:
            facts.enums.setdefault(type_name, members)
        offset = match.start(2)
        for name in members:
            yield offset, name


def _read_records(facts, code):
    for pattern in _RECORD_TAGS:
        facts.records.update(m.group(1) for m in pattern.finditer(code)
                             if _starts_word(code, m.start()))
    for match in _TYPEDEF_RECORD.finditer(code):
        if not _starts_word(code, match.start()):
            continue
        pos = match.end()
        if pos < len(code) and code[pos] == "{":
            pos = _matching_brace(code, pos)
            if pos is None:
                continue
        end = code.find(";", pos)
        if end > 0:
            facts.records.update(re.findall(r"(?<![*\w])([A-Za-z_]\w*)", code[pos:end]))


def _starts_word(code, pos):
    return pos == 0 or not (code[pos - 1].isalnum() or code[pos - 1] == "_")


def _matching_brace(code, pos):
    depth = 0
    for brace in _BRACE.finditer(code, pos):
        depth += 1 if brace.group() == "{" else -1
        if depth == 0:
            return brace.end()
    return None


def _read_prototypes(facts, code):
    """Declarations `type name(parameters);` outside typedefs; function pointers are skipped."""
    for match in _STATEMENT.finditer(code):
        if not match.group().endswith(";"):
            continue
        statement = match.group()[:-1].strip()
        if "(" not in statement or "typedef" in statement or "=" in statement:
            continue
        declaration = _declaration(statement)
        if declaration:
            facts.prototypes.setdefault(*declaration)


def _declaration(statement):
    """(name, parameter text) of a function declaration, else None; trailing attributes dropped."""
    while True:
        attribute = _TRAILING_WORD.search(statement, max(0, len(statement) - _TAIL))
        if attribute:
            statement = statement[: attribute.start()].rstrip()
            continue
        if not statement.endswith(")"):
            return None
        open_index = _matching_open(statement)
        if open_index is None:
            return None
        head = statement[:open_index].rstrip()
        name = _NAME_AT_END.search(head, max(0, len(head) - _TAIL))
        if not name:
            return None  # a function pointer: "(*name)(...)"
        if name.group(1).startswith("__"):
            statement = head[: name.start(1)].rstrip()  # __attribute__((...)), __declspec(...)
            continue
        words = head[: name.start(1)].split()
        if not words:
            return None  # no return type: a macro call such as DECLARE_HANDLE(HWND)
        if words[0] in _STATEMENT_KEYWORDS:
            return None  # a call inside an inline function's body

        return name.group(1), statement[open_index + 1:-1]


def _matching_open(statement):
    last_open = statement.rfind("(")
    if statement.find(")", last_open) == len(statement) - 1:
        return last_open  # the common case: no parentheses inside the parameter list
    depth = 0
    for k in range(len(statement) - 1, -1, -1):
        if statement[k] == ")":
            depth += 1
        elif statement[k] == "(":
            depth -= 1
            if depth == 0:
                return k
    return None


def _parameters(facts, text):
    params = []
    for item in _split_top_level(text):
        if "(" in item:
            params.append(Parameter(None, None, False))  # a function pointer
            continue
        if "[" in item:
            item = re.sub(r"\[.*?\]", " ", item)
        words = [w for w in _PARAMETER_WORD.findall(item)
                 if w not in _QUALIFIERS and facts.macros.objects.get(w) != []]
        idents = [w for w in words if w != "*"]
        if not idents or idents == ["void"] and "*" not in words:
            continue
        if len(idents) == 1:
            params.append(Parameter(idents[0], None, "*" in words))
        else:
            type_index = len(words) - 1 - words[::-1].index(idents[-2])
            params.append(Parameter(idents[-2], idents[-1], "*" in words[type_index:]))
    return params


def _split_top_level(text):
    if "(" not in text and "[" not in text:
        return [item.strip() for item in text.split(",") if item.strip()]
    items, depth, start = [], 0, 0
    for k, ch in enumerate(text):
        if ch in "([":
            depth += 1
        elif ch in ")]":
            depth -= 1
        elif ch == "," and depth == 0:
            items.append(text[start:k].strip())
            start = k + 1
    items.append(text[start:].strip())
    return [item for item in items if item]
