#!/usr/bin/env python3
"""The message texts the plug-in shows to a user, collected from its sources, checked against the
help's messages page.

A message is the text given to a message box or question of the host (ShowMsg, ShowError, YesOrNo,
Question, MessageBox), to the boundary's error display, or to a thrown exception (which ends the
button action and reaches the default error display). Only Chinese texts are messages for the user;
English exception texts are internal. A text that reaches such a call through a named constant, a
local variable, a function's return value or a string out-parameter (the error text that the
insurance gateway and the card check hand back to the caller that shows it) is followed to its
literals. Composed messages count as their literal pieces: every piece must stand on the page.

    messages.py list SRC                    the messages with their places
    messages.py check SRC PAGE              fails naming the pieces missing from PAGE
"""
import html
import pathlib
import re
import sys

# The reference host, the stand-in libraries, the workbench and its connection are not the plug-in;
# the PDF printer is the reference host's print manager.
EXCLUDED = ("host", "sim", "workbench", "remote", "printing/pdf")
SINKS = {"ShowMsg", "ShowError", "YesOrNo", "Question", "MessageBox", "ShowBoundaryError", "ShowDefaultError"}
KEYWORDS = {"if", "for", "while", "switch", "catch", "return", "sizeof", "throw", "else", "do"}
CJK = re.compile(r"[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef]")

TOKEN = re.compile(
    r"""(?P<comment>//[^\n]*|/\*.*?\*/)
      | (?P<raw>R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)")
      | (?P<string>(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*")
      | (?P<char>'(?:\\.|[^'\\\n])+')
      | (?P<ident>[A-Za-z_]\w*)
      | (?P<number>\d[\w.']*)
      | (?P<punct>::|->|==|!=|<=|>=|&&|\|\||\+=|[^\s\w])
    """,
    re.S | re.X,
)
ESCAPES = {"n": "\n", "r": "\r", "t": "\t", "\\": "\\", '"': '"', "'": "'", "0": "\0"}


def unescape(body):
    return re.sub(r"\\(x[0-9a-fA-F]+|.)", lambda m: ESCAPES.get(m.group(1), m.group(1)), body)


class Token:
    def __init__(self, kind, text, line):
        self.kind, self.text, self.line = kind, text, line


def tokenize(text):
    tokens = []
    for m in TOKEN.finditer(text):
        kind = m.lastgroup if m.lastgroup != "delim" else "raw"
        if kind == "comment":
            continue
        line = text.count("\n", 0, m.start()) + 1
        value = m.group(kind)
        if kind == "string":
            value = unescape(value[value.index('"') + 1 : -1])
        tokens.append(Token(kind, value, line))
    # Adjacent literals are one literal, as the compiler joins them.
    joined = []
    for t in tokens:
        if t.kind == "string" and joined and joined[-1].kind == "string":
            joined[-1] = Token("string", joined[-1].text + t.text, joined[-1].line)
        else:
            joined.append(t)
    return joined


def closing(tokens, i):
    """Index of the bracket that closes the one at i."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    stack = []
    for j in range(i, len(tokens)):
        t = tokens[j].text if tokens[j].kind == "punct" else None
        if t in pairs:
            stack.append(pairs[t])
        elif stack and t == stack[-1]:
            stack.pop()
            if not stack:
                return j
    return len(tokens) - 1


def first_argument(tokens, open_index):
    end = closing(tokens, open_index)
    depth, j = 0, open_index + 1
    while j < end:
        t = tokens[j]
        if t.kind == "punct" and t.text in "([{":
            depth += 1
        elif t.kind == "punct" and t.text in ")]}":
            depth -= 1
        elif t.kind == "punct" and t.text == "," and depth == 0:
            break
        j += 1
    return tokens[open_index + 1 : j]


def statement(tokens, i):
    """Tokens from i to the ';' that ends the statement at top level."""
    depth, j = 0, i
    while j < len(tokens):
        t = tokens[j]
        if t.kind == "punct" and t.text in "([{":
            depth += 1
        elif t.kind == "punct" and t.text in ")]}":
            depth -= 1
            if depth < 0:
                break
        elif t.kind == "punct" and t.text == ";" and depth == 0:
            break
        j += 1
    return tokens[i:j]


class Function:
    def __init__(self, name, path, params, body):
        self.name, self.path, self.params, self.body = name, path, params, body


class Sources:
    def __init__(self, root):
        root = pathlib.Path(root)
        self.root = root
        self.files = {}
        for path in sorted(root.rglob("*")):
            rel = path.relative_to(root).as_posix()
            if path.suffix not in (".cpp", ".h") or rel.startswith(EXCLUDED):
                continue
            self.files[rel] = tokenize(path.read_text(encoding="utf-8"))
        self.constants = {}  # name -> [(path, token)]
        self.functions = {}  # name -> [Function]
        for rel, tokens in self.files.items():
            self._index(rel, tokens)

    def _index(self, rel, tokens):
        for i, t in enumerate(tokens):
            if t.kind != "ident":
                continue
            nxt = tokens[i + 1] if i + 1 < len(tokens) else None
            if nxt and nxt.text == "=" and i + 2 < len(tokens) and tokens[i + 2].kind == "string":
                after = tokens[i + 3] if i + 3 < len(tokens) else None
                if after and after.text == ";":
                    self.constants.setdefault(t.text, []).append((rel, tokens[i + 2]))
            if nxt and nxt.text == "(" and t.text not in KEYWORDS:
                end = closing(tokens, i + 1)
                j = end + 1
                while j < len(tokens) and tokens[j].text in ("const", "noexcept", "override"):
                    j += 1
                if j < len(tokens) and tokens[j].text == "{":
                    body = tokens[j : closing(tokens, j) + 1]
                    self.functions.setdefault(t.text, []).append(Function(t.text, rel, tokens[i + 2 : end], body))

    def enclosing(self, rel, index):
        """The function body of the file that holds token index, as a token slice."""
        tokens = self.files[rel]
        best = None
        for fns in self.functions.values():
            for fn in fns:
                if fn.path != rel or not fn.body:
                    continue
                start = next(k for k, t in enumerate(tokens) if t is fn.body[0])
                if start <= index < start + len(fn.body) and (best is None or len(fn.body) < len(best)):
                    best = fn.body
        return best or tokens

    def resolve(self, rel, scope, expr, depth=0):
        """Chinese literal pieces that the expression can contribute to a message."""
        pieces = []
        if depth > 4:
            return pieces
        for k, t in enumerate(expr):
            if t.kind == "string":
                if CJK.search(t.text):
                    pieces.append((rel, t.line, t.text))
            elif t.kind == "ident":
                if k > 0 and expr[k - 1].text in (".", "->"):
                    continue  # a member: data of a record, not a text of the plug-in
                called = k + 1 < len(expr) and expr[k + 1].text == "("
                if called:
                    for fn in self.functions.get(t.text, []):
                        for j, r in enumerate(fn.body):
                            if r.text == "return":
                                pieces += self.resolve(fn.path, fn.body, statement(fn.body, j + 1), depth + 1)
                    continue
                local = self.assignments(scope, t.text)
                for value in local:
                    pieces += self.resolve(rel, scope, value, depth + 1)
                if not local:
                    for path, literal in self.constants.get(t.text, []):
                        if CJK.search(literal.text):
                            pieces.append((path, literal.line, literal.text))
        return pieces

    @staticmethod
    def assignments(scope, name):
        """Right-hand sides of `name = ...;` and `name(...)` definitions within scope."""
        values = []
        for j, t in enumerate(scope):
            if t.kind != "ident" or t.text != name or j + 1 >= len(scope):
                continue
            prev = scope[j - 1].text if j > 0 else ""
            if prev in (".", "->", "::"):
                continue
            if scope[j + 1].text == "=":
                values.append(statement(scope, j + 2))
        return values

    def messages(self):
        found = []
        for rel, tokens in self.files.items():
            for i, t in enumerate(tokens):
                if t.kind != "ident" or i + 1 >= len(tokens) or tokens[i + 1].text != "(":
                    continue
                thrown = False
                if t.text not in SINKS:
                    # throw Name(...) or throw ns::Name(...)
                    j = i - 1
                    while j > 0 and tokens[j].text == "::" and tokens[j - 1].kind == "ident":
                        j -= 2
                    thrown = j >= 0 and tokens[j].text == "throw"
                    if not thrown:
                        continue
                if tokens[i - 1].text in (".", "->") and t.text not in ("Question", "MessageBox"):
                    continue  # a host method of the same name, called by the message functions themselves
                scope = self.enclosing(rel, i)
                pieces = self.resolve(rel, scope, first_argument(tokens, i + 1))
                if pieces:
                    found.append((rel, t.line, t.text, pieces))
        # Error texts handed back through string out-parameters to the caller that shows them.
        for fns in self.functions.values():
            for fn in fns:
                for name in out_parameters(fn.params):
                    for value in self.assignments(fn.body, name):
                        pieces = self.resolve(fn.path, fn.body, value)
                        if pieces:
                            found.append((fn.path, value[0].line, name, pieces))
        return found


def out_parameters(params):
    """Names of the non-const std::string& parameters."""
    names, current = [], []
    for t in params + [Token("punct", ",", 0)]:
        if t.text == ",":
            texts = [x.text for x in current]
            if "const" not in texts and "&" in texts and "string" in texts and current[-1].kind == "ident":
                names.append(current[-1].text)
            current = []
        else:
            current.append(t)
    return names


def fragments(text):
    """The parts of a literal that a page shows: split at line breaks, blanks around them dropped."""
    return [p.strip() for p in re.split(r"[\r\n]+", text) if CJK.search(p)]


def page_text(path):
    raw = pathlib.Path(path).read_text(encoding="utf-8")
    raw = re.sub(r"(?is)<(script|style)\b.*?</\1>", " ", raw)
    text = html.unescape(re.sub(r"<[^>]+>", "", raw))
    return re.sub(r"\s+", " ", text)


def missing(src, page):
    text = page_text(page)
    absent = []
    for rel, line, sink, pieces in Sources(src).messages():
        for path, piece_line, literal in pieces:
            for part in fragments(literal):
                if re.sub(r"\s+", " ", part) not in text:
                    absent.append(f"src/{path}:{piece_line} ({sink} at src/{rel}:{line}): {part}")
    return sorted(set(absent))


def main(argv):
    if len(argv) == 3 and argv[1] == "list":
        for rel, line, sink, pieces in Sources(argv[2]).messages():
            parts = " | ".join(p for _, _, lit in pieces for p in fragments(lit))
            print(f"src/{rel}:{line} {sink}: {parts}")
        return 0
    if len(argv) == 4 and argv[1] == "check":
        absent = missing(argv[2], argv[3])
        if absent:
            print(f"{len(absent)} message texts are not on {argv[3]}:")
            print("\n".join("  " + a for a in absent))
            return 1
        count = sum(len(p) for *_, p in Sources(argv[2]).messages())
        print(f"all {count} message texts of the plug-in are on {argv[3]}")
        return 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
