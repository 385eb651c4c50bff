"""Decides which object-like #define macros stand for integer constants.

A replacement list is expanded as the C preprocessor would (object-like and function-like macros,
## pasting, rescanning with hide sets) and the result must then be an integer constant expression:
integer literals, the arithmetic, bitwise, logical and comparison operators, parentheses, casts
to a type name (so handles such as ((HWND)-1) and MAKEINTRESOURCE(32512) count), sizeof of a type
and C enum members. Strings, characters, floating-point numbers and any other identifier (a
function, a variable, a type on its own) make it something else.
"""

import re

_TOKEN = re.compile(
    r"""L?"(?:\\.|[^"\\])*"|L?'(?:\\.|[^'\\])*'"""  # strings and characters
    r"|\.?\d(?:[eEpP][+-]|[\w.])*"                   # numbers
    r"|[A-Za-z_]\w*"
    r"|\#\#|<<|>>|&&|\|\||[<>=!]=|->|\.\.\.|\S"
)
_INTEGER = re.compile(r"(?:0[xX][0-9a-fA-F]+|\d+)(?:[uUlL]*|i64|ui64)\Z")
_BINARY = {"+", "-", "*", "/", "%", "<<", ">>", "&", "|", "^", "&&", "||",
           "==", "!=", "<", ">", "<=", ">="}
_UNARY = {"-", "+", "~", "!"}
# Expansion gives up past this many replacements, or arguments nested this deep: no real
# constant comes near either, and a macro that refers to itself must not loop.
_MAX_STEPS = 400
_MAX_DEPTH = 40


def tokenize(text):
    """Splits C text into token strings (no whitespace tokens)."""
    return _TOKEN.findall(text)


def is_identifier(token):
    return token[0].isalpha() or token[0] == "_"


class MacroTable:
    """The macros of a set of headers; the first definition of a name is the one used."""

    def __init__(self):
        self.objects = {}    # name -> replacement tokens
        self.functions = {}  # name -> (parameter names, replacement tokens)
        self.enum_members = set()
        self._numeric = {}

    def define(self, name, body_text, params=None):
        if name in self.objects or name in self.functions:
            return
        body = tokenize(body_text)
        if params is None:
            self.objects[name] = body
        else:
            self.functions[name] = (params, body)

    def is_numeric(self, name):
        """True when the object-like macro `name` expands to an integer constant expression."""
        if name not in self._numeric:
            body = self.objects.get(name)
            tokens = None if body is None else self.expand([(name, frozenset())])
            tokens = None if tokens is None else [text for text, _ in tokens]
            self._numeric[name] = tokens is not None and self._is_constant_expression(tokens)
        return self._numeric[name]

    def expand(self, tokens, depth=0):
        """Fully expands a list of (token, hide set) pairs; None when it does not settle."""
        if depth > _MAX_DEPTH:
            return None
        tokens = list(tokens)
        i, steps = 0, 0
        while i < len(tokens):
            text, hide = tokens[i]
            if not is_identifier(text) or text in hide:
                i += 1
                continue
            if text in self.objects:
                inner = hide | {text}
                tokens[i:i + 1] = [(t, inner) for t in self.objects[text]]
            elif text in self.functions and i + 1 < len(tokens) and tokens[i + 1][0] == "(":
                call = self._call_arguments(tokens, i + 1)
                if call is None:
                    return None
                args, after = call
                replacement = self._substitute(text, args, hide | {text}, depth)
                if replacement is None:
                    return None
                tokens[i:after] = replacement
            else:
                i += 1
                continue
            steps += 1
            if steps > _MAX_STEPS:
                return None
        return tokens

    @staticmethod
    def _call_arguments(tokens, open_index):
        """The argument token lists of a call whose "(" is at open_index, and the index past ")"."""
        args, current, depth = [], [], 0
        for j in range(open_index + 1, len(tokens)):
            text = tokens[j][0]
            if text == "(":
                depth += 1
            elif text == ")":
                if depth == 0:
                    args.append(current)
                    return args, j + 1
                depth -= 1
            elif text == "," and depth == 0:
                args.append(current)
                current = []
                continue
            current.append(tokens[j])
        return None

    def _substitute(self, name, args, hide, depth):
        params, body = self.functions[name]
        if params == [] and args == [[]]:
            args = []
        if len(args) != len(params):
            return None
        by_param = dict(zip(params, args))
        out = []
        for k, text in enumerate(body):
            if text in by_param:
                if "##" in body[max(0, k - 1):k] + body[k + 1:k + 2]:  # pasted: taken as written
                    out.extend(by_param[text])
                else:
                    expanded = self.expand(by_param[text], depth + 1)
                    if expanded is None:
                        return None
                    out.extend(expanded)
            elif text == "#":
                return None  # stringizing makes a string
            else:
                out.append((text, hide))
        return self._paste(out, hide)

    @staticmethod
    def _paste(tokens, hide):
        out = []
        k = 0
        while k < len(tokens):
            if tokens[k][0] == "##" and out and k + 1 < len(tokens):
                out[-1] = (out[-1][0] + tokens[k + 1][0], hide)
                k += 2
            else:
                out.append(tokens[k])
                k += 1
        return out

    def _is_constant_expression(self, tokens):
        parser = _ExpressionCheck(tokens, self.enum_members)
        return bool(tokens) and parser.expression() and parser.pos == len(tokens)


class _ExpressionCheck:
    """A recursive-descent recogniser of C integer constant expressions (precedence ignored)."""

    def __init__(self, tokens, enum_members):
        self.tokens = tokens
        self.enum_members = enum_members
        self.pos = 0

    def _peek(self, offset=0):
        k = self.pos + offset
        return self.tokens[k] if k < len(self.tokens) else None

    def expression(self):
        if not self._binary():
            return False
        if self._peek() == "?":
            self.pos += 1
            if not self.expression() or self._peek() != ":":
                return False
            self.pos += 1
            return self.expression()
        return True

    def _binary(self):
        if not self._unary():
            return False
        while self._peek() in _BINARY:
            self.pos += 1
            if not self._unary():
                return False
        return True

    def _unary(self):
        token = self._peek()
        if token in _UNARY:
            self.pos += 1
            return self._unary()
        if token == "(":
            close = self._type_name_end(self.pos + 1)
            if close is not None and self._starts_operand(close + 1):
                self.pos = close + 1
                return self._unary()
            self.pos += 1
            if not self.expression() or self._peek() != ")":
                return False
            self.pos += 1
            return True
        if token == "sizeof" and self._peek(1) == "(":
            close = self._type_name_end(self.pos + 2)
            if close is None:
                return False
            self.pos = close + 1
            return True
        if token is None:
            return False
        self.pos += 1
        return bool(_INTEGER.match(token)) or token in self.enum_members

    def _type_name_end(self, start):
        """The index of the ")" closing a type name that starts at `start`, else None."""
        k, words = start, 0
        while k < len(self.tokens):
            token = self.tokens[k]
            if token == ")":
                return k if words else None
            if token == "*":
                k += 1
                continue
            if not is_identifier(token) or token in self.enum_members:
                return None
            words += 1
            k += 1
        return None

    def _starts_operand(self, k):
        if k >= len(self.tokens):
            return False
        token = self.tokens[k]
        return token in _UNARY or token == "(" or is_identifier(token) or token[0].isdigit()
