#!/usr/bin/env python3
"""Builds the help file with scripts/build-help.sh into a temporary folder and checks what the chm
holds (listed with chmls, read back with chmls extractall):

- every window of the plug-in (each class of the plug-in's sources derived from TForm that no other
  window derives from) has a page declaring it (<meta name="window" content="TClass">);
- every page of help/, the contents and the index are inside, and every page is in the contents;
- every link (href and src in the pages, Local in the contents and the index) names a file in the
  chm; a screenshot only when the screenshots folder held it: the one screenshot given to the build
  is inside, the others are left to their alt text and do not break the build;
- the texts are GBK, and the chm declares the language (Chinese, PRC) by which the viewer on Chinese
  Windows reads them; the title and the default topic are set.

    check_chm.py REPO_ROOT WORK_DIR
"""
import html
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import zlib

CHM_NAME = "Tkv厂家发票管理插件帮助.chm"
TITLE = "Tkv厂家发票管理插件帮助"
EXCLUDED = ("host/", "sim/", "workbench/", "remote/")
LINK = re.compile(r'\b(?:href|src)="([^"]+)"', re.I)
LOCAL = re.compile(r'<param\s+name="Local"\s+value="([^"]+)"', re.I)
WINDOW = re.compile(r'<meta\s+name="window"\s+content="(\w+)"', re.I)


def window_classes(src):
    bases = {}
    for header in src.rglob("*.h"):
        if header.relative_to(src).as_posix().startswith(EXCLUDED):
            continue
        for name, base in re.findall(r"\bclass\s+(T\w+)\s*(?:final\s*)?:\s*public\s+(T\w+)", header.read_text()):
            bases[name] = base

    def is_form(name):
        seen = set()
        while name in bases and name not in seen:
            seen.add(name)
            name = bases[name]
            if name == "TForm":
                return True
        return False

    forms = {n for n in bases if is_form(n)}
    return sorted(f for f in forms if f not in bases.values())


def system_entries(path):
    """The #SYSTEM file's entries by code: 2 default topic, 3 title, 4 language and flags."""
    data = path.read_bytes() if path.is_file() else b""
    entries, i = {}, 4
    while i + 4 <= len(data):
        code, length = struct.unpack("<HH", data[i : i + 4])
        entries[code] = data[i + 4 : i + 4 + length]
        i += 4 + length
    return entries


def png(width, height):
    """A small grey PNG, as a screenshot stands in for a real one."""
    row = b"\x00" + b"\xc0\xc0\xc0" * width
    data = zlib.compress(row * height)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


def main(argv):
    root, work = pathlib.Path(argv[1]), pathlib.Path(argv[2])
    shutil.rmtree(work, ignore_errors=True)
    shots, out, extracted = work / "shots", work / "out", work / "extracted"
    shots.mkdir(parents=True)
    (shots / "TPtypeDz.png").write_bytes(png(64, 40))
    subprocess.run(["bash", str(root / "scripts/build-help.sh"), str(out), str(shots)], check=True)
    chm = out / CHM_NAME
    failures = []
    if not chm.is_file():
        print(f"no {chm}")
        return 1

    listing = subprocess.run(["chmls", "-n", "-p", "list", str(chm)], check=True, capture_output=True, text=True)
    names = {line.strip().lstrip("/") for line in listing.stdout.splitlines() if line.startswith("/")}
    subprocess.run(["chmls", "extractall", str(chm), str(extracted)], check=True, capture_output=True)

    sources = sorted(p.name for p in (root / "help").glob("*.html"))
    for required in sources + ["contents.hhc", "index.hhk", "help.css", "TPtypeDz.png"]:
        if required not in names:
            failures.append(f"{required} is not in the chm")

    pages = {}
    for name in sorted(names):
        if name.endswith((".html", ".hhc", ".hhk")) and (extracted / name).is_file():
            raw = (extracted / name).read_bytes()
            try:
                pages[name] = raw.decode("gbk")
            except UnicodeDecodeError as e:
                failures.append(f"{name} is not GBK: {e}")
    for name, text in pages.items():
        if name.endswith(".html") and "charset=gb2312" not in text:
            failures.append(f"{name} does not declare gb2312")
        source = root / "help" / name
        if source.is_file():
            # The same text once character references (signs outside GBK) are read back.
            wanted = re.sub("charset=utf-8", "charset=gb2312", source.read_text(encoding="utf-8"))
            if html.unescape(wanted) != html.unescape(text):
                failures.append(f"{name} in the chm differs from help/{name}")

    declared = {}
    for name, text in pages.items():
        for cls in WINDOW.findall(text):
            declared.setdefault(cls, name)
    windows = window_classes(root / "src")
    for cls in windows:
        if cls not in declared:
            failures.append(f"the window {cls} has no page (<meta name=\"window\" content=\"{cls}\">)")
    for cls in declared:
        if cls not in windows:
            failures.append(f"{declared[cls]} declares {cls}, which is no window of the plug-in")

    shot_names = {p.name for p in shots.iterdir()}
    links = 0
    for name, text in pages.items():
        for target in LINK.findall(text) + LOCAL.findall(text):
            links += 1
            path = target.split("#")[0]
            if re.match(r"^[a-z]+:", path) or not path:
                failures.append(f"{name}: {target} leaves the help file")
            elif path not in names and not (path.endswith(".png") and path not in shot_names):
                failures.append(f"{name}: link to {target}, which is not in the chm")

    in_contents = set(LOCAL.findall(pages.get("contents.hhc", "")))
    for page in sources:
        if page not in in_contents:
            failures.append(f"{page} is not in the contents")
    if not LOCAL.findall(pages.get("index.hhk", "")):
        failures.append("the index has no entries")

    system = system_entries(extracted / "#SYSTEM")
    if system.get(4, b"")[:4] != struct.pack("<I", 0x804):
        failures.append("the chm does not declare Chinese (PRC), language 0x804, whose code page the viewer reads")
    if system.get(3, b"").rstrip(b"\0") != TITLE.encode("gbk"):
        failures.append("the chm's title is not the GBK text " + TITLE)
    if system.get(2, b"").rstrip(b"\0") != b"index.html":
        failures.append("the chm's default topic is not index.html")

    if failures:
        print("\n".join(failures))
        return 1
    print(f"{CHM_NAME}: {len(names)} files, {len(windows)} windows with their pages, {links} links resolved")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
