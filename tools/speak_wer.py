#!/usr/bin/env python3
# Word error rate of pocketsphinx on a recording of the game under --speak:
#   tools/speak_wer.py GAME_OUTPUT RECORDING.wav VERSION
# The reference is everything spoken in the recording, in order: every
# "Says:" line, the turn sound before each "Player N, roll the die" and the win
# sound before "Player N wins" (they say "Player N" and "Player N wins"), and
# the text of each note sound played ("Trying to play ./V/squareNN.wav", its
# note in ./V/squareNN). Numbers are compared as words ("27" is "twenty
# seven"). A second rate is over the numbers alone: the rolls, squares and
# landings said against the number words heard, both in order.
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
    said = []
    for line in open(game_output, encoding="utf-8", errors="replace"):
        line = line.rstrip("\n")
        if line.startswith("Says: "):
            phrase = line[len("Says: "):]
            turn = re.fullmatch(r"(Player \d+), roll the die", phrase)
            if turn:
                said += spoken(turn.group(1))
            elif re.fullmatch(r"Player \d+ wins", phrase):
                said += spoken(phrase)
            said += spoken(phrase)
        m = re.fullmatch(r"Trying to play \./.*/(square\d\d)\.wav", line)
        if m and os.path.isfile(os.path.join(version, m.group(1))):
            said += spoken(open(os.path.join(version, m.group(1))).read())
    return said


NUMBER_WORDS = set(ONES) | set(TENS[2:])
# Words that sound as a number does: the recogniser's language model writes
# "player to" and "for square". Folded alike in what was said and what was
# heard ("climbs to" then counts as "two" on both sides).
HOMOPHONES = {"to": "two", "too": "two", "for": "four", "won": "one", "ate": "eight"}


def numbers_only(word_list, fold):
    if fold:
        word_list = [HOMOPHONES.get(w, w) for w in word_list]
    return [w for w in word_list if w in NUMBER_WORDS]


def recognise(wav):
    out = subprocess.run(["pocketsphinx_continuous", "-infile", wav, "-logfn", os.devnull],
                         check=True, capture_output=True, text=True).stdout
    return words(" ".join(line.strip() for line in out.splitlines()))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    game_output, wav, version = sys.argv[1:]
    ref = reference(game_output, version)
    hyp = recognise(wav)
    errors = edit_distance(ref, hyp)
    print(f"all speech: {len(ref)} words said, {len(hyp)} heard, {errors} errors: "
          f"WER {100.0 * errors / max(len(ref), 1):.1f} %")
    # The players' numbers are numbers too; they are said and heard alike.
    for fold, label in ((False, "numbers"), (True, "numbers, homophones folded")):
        ref_n, hyp_n = numbers_only(ref, fold), numbers_only(hyp, fold)
        errors_n = edit_distance(ref_n, hyp_n)
        print(f"{label}: {len(ref_n)} number words said, {len(hyp_n)} heard, {errors_n} errors: "
              f"WER {100.0 * errors_n / max(len(ref_n), 1):.1f} %")
    if os.environ.get("VERBOSE"):
        print("said:  " + " ".join(ref))
        print("heard: " + " ".join(hyp))


if __name__ == "__main__":
    main()
