#!/usr/bin/env python3
"""The links of our Markdown pages: each relative link names a file that is
there and, after '#', a heading of that page.
  doc_links.py SOURCE_DIR"""
import pathlib
import re
import subprocess
import sys

LINK = re.compile(r"\]\(([^)\s]+)\)")
HEADING = re.compile(r"^#{1,6}\s+(.*?)\s*#*\s*$")


def slug(heading):
    """The anchor a heading gets: lower case, punctuation dropped, blanks as hyphens."""
    text = re.sub(r"[^\w\- ]", "", heading.lower())
    return text.replace(" ", "-")


def anchors(page):
    found = set()
    in_code = False
    for line in page.read_text(encoding="utf-8").splitlines():
        if line.startswith("```"):
            in_code = not in_code
        match = None if in_code else HEADING.match(line)
        if match:
            found.add(slug(match.group(1)))
    return found


def pages(root):
    try:
        names = subprocess.run(["git", "ls-files", "*.md"], cwd=root, check=True,
                               capture_output=True, text=True).stdout.split()
    except (OSError, subprocess.CalledProcessError):
        names = [str(p.relative_to(root)) for p in root.rglob("*.md")
                 if not p.relative_to(root).parts[0].startswith("build")]
    return [root / name for name in names]


def main():
    root = pathlib.Path(sys.argv[1]).resolve()
    failures = 0
    checked = 0
    for page in pages(root):
        for number, line in enumerate(page.read_text(encoding="utf-8").splitlines(), 1):
            if line.startswith("    "):  # an indented code block
                continue
            for target in LINK.findall(line):
                if re.match(r"^[a-z]+:", target):
                    continue
                path, _, anchor = target.partition("#")
                where = (page.parent / path).resolve() if path else page
                checked += 1
                if not where.exists():
                    print(f"FAIL: {page.relative_to(root)}:{number}: {target}: no such file")
                    failures += 1
                elif anchor and where.suffix == ".md" and anchor not in anchors(where):
                    print(f"FAIL: {page.relative_to(root)}:{number}: {target}: no such heading")
                    failures += 1
    print(f"{checked} links checked; {failures} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
