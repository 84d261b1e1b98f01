#!/usr/bin/env python3
# Word error rate of pocketsphinx on a recording of the game under --speak:
#   tools/speak_wer.py GAME_OUTPUT RECORDING.wav VERSION
# The reference is what the game said, in order: every "Says:" line, and the
# text of each note sound it played ("Trying to play ./V/squareNN.wav" and
# the note in ./V/squareNN). Numbers are compared as words ("27" is "twenty
# seven"). Also counts how many of the rolls and squares said are heard in
# the same order (a longest common subsequence over the number words).
# Run from the folder that holds VERSION; tools/speak_wer.sh does it all.
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from voice_wer import edit_distance, words  # noqa: E402

ONES = ("zero one two three four five six seven eight nine ten eleven twelve thirteen "
        "fourteen fifteen sixteen seventeen eighteen nineteen").split()
TENS = "_ _ twenty thirty forty fifty sixty seventy eighty ninety".split()


def number_words(n):
    if n < 20:
        return ONES[n]
    return TENS[n // 10] + ("" if n % 10 == 0 else " " + ONES[n % 10])


def spoken(text):
    text = re.sub(r"\d+", lambda m: number_words(int(m.group())), text.replace("-", " "))
    return words(text)


def reference(game_output, version):
    said, numbers = [], []
    for line in open(game_output, encoding="utf-8", errors="replace"):
        line = line.rstrip("\n")
        if line.startswith("Says: "):
            phrase = line[len("Says: "):]
            said += spoken(phrase)
            last = phrase.split()[-1]
            if not phrase.startswith("Player") and re.fullmatch(r"[a-z]+(-[a-z]+)?", last):
                numbers.append(last.replace("-", " "))
        m = re.fullmatch(r"Trying to play \./.*/(square\d\d)\.wav", line)
        if m and os.path.isfile(os.path.join(version, m.group(1))):
            said += spoken(open(os.path.join(version, m.group(1))).read())
    return said, numbers


def recognise(wav):
    out = subprocess.run(["pocketsphinx_continuous", "-infile", wav, "-logfn", os.devnull],
                         check=True, capture_output=True, text=True).stdout
    return words(" ".join(line.strip() for line in out.splitlines()))


def in_order(numbers, heard):
    # Longest common subsequence of the said numbers (each one or two words)
    # with the words heard, a number counting when all its words come in a row.
    text = " ".join(heard)
    positions = [[m.start() for m in re.finditer(r"\b" + n + r"\b", text)] for n in numbers]
    best = {}  # end position in text -> most numbers matched ending there
    for pos in positions:
        update = {}
        for p in pos:
            prior = max([v for e, v in best.items() if e < p], default=0)
            update[p] = max(update.get(p, 0), prior + 1)
        for p, v in update.items():
            best[p] = max(best.get(p, 0), v)
    return max(best.values(), default=0)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    game_output, wav, version = sys.argv[1:]
    ref, numbers = reference(game_output, version)
    hyp = recognise(wav)
    errors = edit_distance(ref, hyp)
    print(f"said: {len(ref)} words; heard: {len(hyp)} words; errors: {errors}; "
          f"WER {100.0 * errors / max(len(ref), 1):.1f} %")
    print(f"rolls and squares said: {len(numbers)}; heard in order: {in_order(numbers, hyp)}")
    if os.environ.get("VERBOSE"):
        print("said:  " + " ".join(ref))
        print("heard: " + " ".join(hyp))


if __name__ == "__main__":
    main()
