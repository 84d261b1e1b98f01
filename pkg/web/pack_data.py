#!/usr/bin/env python3
"""Packs the game's run-time files for the page, so that it fetches only what
a game needs: 'game' (the fixed files but the spoken clips), 'say-LANG' (the
clips of one language, fetched for a speaking game), and 'board-NAME' for
each shipped board. Each package is one file of the files' bytes one after
the other; manifest.json names, for each, its files and their sizes in order.

    pack_data.py DATA_DIR SHIPPED_LIST OUT_DIR
"""
import json
import os
import sys


def files_under(root, top):
    """The files under root/top, as paths relative to root, in sorted order."""
    path = os.path.join(root, top)
    if os.path.isfile(path):
        return [top]
    found = []
    for folder, dirs, names in os.walk(path):
        dirs.sort()
        for name in sorted(names):
            found.append(os.path.relpath(os.path.join(folder, name), root))
    return found


def write_package(data, out, name, paths, manifest):
    with open(os.path.join(out, name + '.pack'), 'wb') as pack:
        entries = []
        for path in paths:
            with open(os.path.join(data, path), 'rb') as f:
                content = f.read()
            pack.write(content)
            entries.append([path, len(content)])
    manifest['packages'][name] = {'file': name + '.pack', 'files': entries}


def main():
    data, shipped_list, out = sys.argv[1:4]
    with open(shipped_list) as f:
        shipped = [line.strip() for line in f if line.strip()]
    manifest = {'packages': {}, 'boards': [], 'languages': []}
    fixed, says = [], {}
    for item in shipped:
        if os.path.isfile(os.path.join(data, item, item + '.config')):
            manifest['boards'].append(item)
            write_package(data, out, 'board-' + item, files_under(data, item), manifest)
            continue
        for path in files_under(data, item):
            parts = path.split(os.sep)
            if parts[:2] == ['audio', 'say'] and len(parts) > 3:
                says.setdefault(parts[2], []).append(path)
            else:
                fixed.append(path)
    write_package(data, out, 'game', fixed, manifest)
    for lang in sorted(says):
        manifest['languages'].append(lang)
        write_package(data, out, 'say-' + lang, says[lang], manifest)
    with open(os.path.join(out, 'manifest.json'), 'w') as f:
        json.dump(manifest, f, separators=(',', ':'))
        f.write('\n')


if __name__ == '__main__':
    main()
