#!/usr/bin/env python3
# Word error rate of pocketsphinx on a recording of the game under --speak:
#   tools/speak_wer.py GAME_OUTPUT RECORDING.wav VERSION
# The reference is everything spoken in the recording, in order: every
# "Says:" line (the turn and win phrases are spoken by the player's turn and
# win clips, so the player is heard once) and the text of each note sound
# played ("Trying to play ./V/squareNN.wav", its note in ./V/squareNN).
# Numbers are compared as words ("27" is "twenty seven").
# Three rates, each over its own words of the reference:
#   numbers: the number words (rolls, squares, landings, players) said,
#     against the number words heard, both in order; a second line folds the
#     words that sound as a number does ("to", "too", "for", "won", "ate",
#     "sex") into that number on both sides;
#   phrases: the other words of the "Says:" lines;
#   notes: the words of the notes.
# The phrases' and the notes' rates come from one alignment of all that was
# said with all that was heard: a word said and misheard or missed counts
# against its own kind, a word heard and never said against the kind of the
# word said before it.
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
    return words(re.sub(r"\d+", lambda m: number_words(int(m.group())), text.replace("-", " ")))


NUMBER_WORDS = set(ONES) | set(TENS[2:])
PHRASE, NOTE = "phrase", "note"


def reference(game_output, version):
    """The words said, in order, each with its kind: PHRASE or NOTE."""
    said = []
    for line in open(game_output, encoding="utf-8", errors="replace"):
        line = line.rstrip("\n")
        if line.startswith("Says: "):
            said += [(w, PHRASE) for w in spoken(line[len("Says: "):])]
        m = re.fullmatch(r"Trying to play \./.*/(square\d\d)\.wav", line)
        if m and os.path.isfile(os.path.join(version, m.group(1))):
            said += [(w, NOTE) for w in spoken(open(os.path.join(version, m.group(1))).read())]
    return said


# Words that sound as a number does: the recogniser's language model writes
# "player to" and "for square", and "six" as "sex". Folded alike in what was
# said and what was heard ("to" then counts as "two" on both sides).
HOMOPHONES = {"to": "two", "too": "two", "for": "four", "won": "one", "ate": "eight",
              "sex": "six"}


def numbers_only(word_list, fold):
    if fold:
        word_list = [HOMOPHONES.get(w, w) for w in word_list]
    return [w for w in word_list if w in NUMBER_WORDS]


def align(ref, hyp):
    """Per word said, whether it was heard; and per word said, how many words
    were heard after it and never said (index -1: before the first)."""
    n, m = len(ref), len(hyp)
    cost = [[0] * (m + 1) for _ in range(n + 1)]
    for i in range(n + 1):
        cost[i][0] = i
    for j in range(m + 1):
        cost[0][j] = j
    for i in range(1, n + 1):
        for j in range(1, m + 1):
            cost[i][j] = min(cost[i - 1][j] + 1, cost[i][j - 1] + 1,
                             cost[i - 1][j - 1] + (ref[i - 1] != hyp[j - 1]))
    heard = [False] * n
    inserted = [0] * (n + 1)  # inserted[i + 1]: after word i
    i, j = n, m
    while i > 0 or j > 0:
        if i > 0 and j > 0 and cost[i][j] == cost[i - 1][j - 1] + (ref[i - 1] != hyp[j - 1]):
            heard[i - 1] = ref[i - 1] == hyp[j - 1]
            i, j = i - 1, j - 1
        elif j > 0 and cost[i][j] == cost[i][j - 1] + 1:
            inserted[i] += 1
            j -= 1
        else:
            i -= 1
    return heard, inserted


def kind_rates(said, hyp):
    """Errors and words said of each kind, numbers apart."""
    ref = [w for w, _ in said]
    heard, inserted = align(ref, hyp)
    totals = {}
    for i, (w, kind) in enumerate(said):
        kind = "number" if w in NUMBER_WORDS else kind
        errors, count = totals.get(kind, (0, 0))
        totals[kind] = (errors + (not heard[i]), count + 1)
    for i in range(len(said) + 1):
        if inserted[i]:
            w, kind = said[max(i - 1, 0)]
            kind = "number" if w in NUMBER_WORDS else kind
            errors, count = totals[kind]
            totals[kind] = (errors + inserted[i], count)
    return totals


def recognise(wav):
    out = subprocess.run(["pocketsphinx_continuous", "-infile", wav, "-logfn", os.devnull],
                         check=True, capture_output=True, text=True).stdout
    return words(" ".join(line.strip() for line in out.splitlines()))


def rate(errors, count):
    return 100.0 * errors / max(count, 1)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    game_output, wav, version = sys.argv[1:]
    said = reference(game_output, version)
    ref = [w for w, _ in said]
    hyp = recognise(wav)
    errors = edit_distance(ref, hyp)
    print(f"all speech: {len(ref)} words said, {len(hyp)} heard, {errors} errors: "
          f"WER {rate(errors, len(ref)):.1f} %")
    for fold, label in ((False, "numbers"), (True, "numbers, sound-alikes folded")):
        ref_n, hyp_n = numbers_only(ref, fold), numbers_only(hyp, fold)
        errors_n = edit_distance(ref_n, hyp_n)
        print(f"{label}: {len(ref_n)} number words said, {len(hyp_n)} heard, {errors_n} errors: "
              f"WER {rate(errors_n, len(ref_n)):.1f} %")
    totals = kind_rates(said, hyp)
    for kind, label in ((PHRASE, "the phrases' other words"), (NOTE, "the notes")):
        errors_k, count = totals.get(kind, (0, 0))
        print(f"{label}: {count} words said, {errors_k} errors: WER {rate(errors_k, count):.1f} %")
    if os.environ.get("VERBOSE"):
        print("said:  " + " ".join(ref))
        print("heard: " + " ".join(hyp))


if __name__ == "__main__":
    main()
