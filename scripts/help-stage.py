#!/usr/bin/env python3
"""Prepares the help sources for chmcmd: copies help/ into a staging folder in the code page of the
help viewer on Chinese Windows (GBK, declared as gb2312, which is how the viewer names it), copies
the screenshots the pages show from the screenshots folder, and lists them in the project file.

    help-stage.py HELP_DIR SHOTS_DIR STAGE_DIR

A screenshot that is not in SHOTS_DIR is left out: its page keeps the <img> with its alt text, which
the viewer shows in the picture's place. The missing names are printed.
"""
import pathlib
import re
import shutil
import sys

IMAGE = re.compile(r'<img\b[^>]*\bsrc="([^"]+)"', re.I)


def to_gbk(text, lenient):
    text = re.sub(r"charset=utf-8", "charset=gb2312", text, flags=re.I)
    # Pages may hold a sign outside GBK as a character reference; the contents, the index and the
    # project file are read as plain GBK by the viewer and must fit it.
    return text.encode("gbk", errors="xmlcharrefreplace" if lenient else "strict")


def main(argv):
    if len(argv) != 4:
        print(__doc__)
        return 2
    help_dir, shots_dir, stage = (pathlib.Path(a) for a in argv[1:])
    stage.mkdir(parents=True, exist_ok=True)
    wanted = set()
    for source in sorted(help_dir.iterdir()):
        if source.suffix in (".html", ".css"):
            text = source.read_text(encoding="utf-8")
            wanted.update(IMAGE.findall(text))
            (stage / source.name).write_bytes(to_gbk(text, lenient=True))
        elif source.suffix in (".hhc", ".hhk", ".hhp"):
            (stage / source.name).write_bytes(to_gbk(source.read_text(encoding="utf-8"), lenient=False))
    found, missing = [], []
    for name in sorted(wanted):
        shot = shots_dir / name
        if shot.is_file():
            shutil.copyfile(shot, stage / name)
            found.append(name)
        else:
            missing.append(name)
    if found:
        with open(stage / "TkvHelp.hhp", "ab") as project:
            project.write("".join(name + "\r\n" for name in found).encode("ascii"))
    print(f"help: {len(found)} screenshots from {shots_dir}")
    if missing:
        print("help: screenshots not found, shown by their alt text: " + ", ".join(missing))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
