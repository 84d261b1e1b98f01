#!/usr/bin/env python3
"""Draws data/chute1.xpm, the chute picture that chuteview builds its chutes from.

The picture is 20 x 40 in three bands, read by chuteview one under the other:
  rows 0-7   the head, the chute's rounded mouth, copied once at the top;
  rows 8-17  the body, repeated as often as the chute's length needs, so its
             first and last rows must meet seamlessly;
  rows 18-39 the tail, the run-out with its lip, copied once at the bottom.
The colours are those of the game's board chutes: dark red edges, red walls and
a light grey sliding surface, on black (black is empty space around the chute).
Run from the project's top folder: python3 tools/make_chute_xpm.py
"""
import os

WIDTH = 20
PALETTE = [
    (' ', '#000000'),  # empty space
    ('.', '#990000'),  # edges
    ('+', '#FF0000'),  # walls
    ('@', '#e0e0e0'),  # sliding surface
    ('#', '#b0b0b0'),  # the seam where two body pieces meet
]

# The straight cross-section, the same as the game's one-row chute stripe.
STRAIGHT = '.++.@@@@@@@@@@@@.++.'

HEAD = [
    '    ............    ',
    '  ..++++++++++++..  ',
    ' .++++........++++. ',
    '.+++..@@@@@@@@..+++.',
    '.++.@@@@@@@@@@@@.++.',
    '.++.@@@@@@@@@@@@.++.',
    STRAIGHT,
    STRAIGHT,
]

# A thin seam on the sliding surface marks where one body piece meets the next.
BODY = ['.++.############.++.'] + [STRAIGHT] * 9

# The run-out narrows into a rounded end; its dark red lip is the last row, so
# the chute's lowest row is never empty.
TAIL = [STRAIGHT] * 12 + [
    '.++..@@@@@@@@@@..++.',
    '.+++.@@@@@@@@@@.+++.',
    '.+++..@@@@@@@@..+++.',
    ' .+++..@@@@@@..+++. ',
    ' .++++...@@...++++. ',
    '  .+++++....+++++.  ',
    '  .++++++++++++++.  ',
    '   ..++++++++++..   ',
    '    ............    ',
    '     ..........     ',
]


def rows():
    picture = HEAD + BODY + TAIL
    assert len(HEAD) == 8 and len(BODY) == 10 and len(TAIL) == 22, 'bands'
    assert all(len(r) == WIDTH for r in picture), 'width'
    return picture


def xpm_text(picture):
    lines = ['/* XPM */', 'static char *chute1_xpm[] = {',
             '"%d %d %d 1",' % (WIDTH, len(picture), len(PALETTE))]
    lines += ['"%s c %s",' % (key, colour) for key, colour in PALETTE]
    lines += ['"%s",' % row for row in picture[:-1]]
    lines.append('"%s"' % picture[-1])
    lines.append('};')
    return '\n'.join(lines) + '\n'


def main():
    path = os.path.join('data', 'chute1.xpm')
    with open(path, 'w') as out:
        out.write(xpm_text(rows()))
    print('wrote', path)


if __name__ == '__main__':
    main()
