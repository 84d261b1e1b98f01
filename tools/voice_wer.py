#!/usr/bin/env python3
# Word error rate of a speech recogniser on a version's notes as each festival
# voice speaks them, to choose the clearest voice by a number:
#   tools/voice_wer.py [--tool build/squarevox/squarevox] [version] [voice ...]
# For every voice it runs squarevox (the real speech and conversion commands)
# on a copy of data/<version>/ with HOME pointing to a folder whose
# .festivalrc selects that voice, turns every squareNN.wav into 16 kHz mono
# and lets pocketsphinx_continuous (pocketsphinx-en-us model) write down what
# it hears. WER = (substitutions + deletions + insertions) / reference words,
# over all notes of the version, words compared in lower case without
# punctuation. Needs: festival and the voices, sox, pocketsphinx,
# pocketsphinx-en-us, a build of squarevox.
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

CANDIDATES = ["kal_diphone", "ked_diphone", "cmu_us_slt_arctic_hts"]
PACKAGES = {"kal_diphone": "festvox-kallpc16k", "ked_diphone": "festvox-kdlpc16k",
            "cmu_us_slt_arctic_hts": "festvox-us-slt-hts"}


def words(text):
    return re.sub(r"[^a-z0-9' ]", " ", text.lower()).split()


def edit_distance(ref, hyp):
    row = list(range(len(hyp) + 1))
    for i, r in enumerate(ref, 1):
        prev, row[0] = row[0], i
        for j, h in enumerate(hyp, 1):
            prev, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, prev + (r != h))
    return row[len(hyp)]


def recognise(wav, scratch):
    mono = os.path.join(scratch, "16k.wav")
    subprocess.run(["sox", "-V1", wav, "-r", "16000", "-c", "1", "-b", "16", mono], check=True)
    out = subprocess.run(["pocketsphinx_continuous", "-infile", mono, "-logfn", os.devnull],
                         check=True, capture_output=True, text=True).stdout
    return " ".join(line.strip() for line in out.splitlines() if line.strip())


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--tool", default=os.path.join(root, "build/squarevox/squarevox"))
    parser.add_argument("--verbose", action="store_true", help="print every note heard")
    parser.add_argument("version", nargs="?", default="mivo")
    parser.add_argument("voices", nargs="*", default=CANDIDATES)
    args = parser.parse_args()
    config = os.path.join(root, "data", args.version, args.version + ".config")
    if not os.path.isfile(args.tool):
        sys.exit(f"voice_wer: no squarevox at {args.tool}; build it first")
    print(f"| voice | package | words | errors | WER |")
    print(f"|---|---|---|---|---|")
    for voice in args.voices:
        with tempfile.TemporaryDirectory() as scratch:
            home = os.path.join(scratch, "home")
            os.makedirs(home)
            with open(os.path.join(home, ".festivalrc"), "w") as rc:
                rc.write(f"(set! voice_default 'voice_{voice})\n")
            os.makedirs(os.path.join(scratch, args.version))
            shutil.copy(config, os.path.join(scratch, args.version))
            env = dict(os.environ, HOME=home)
            subprocess.run([args.tool, args.version], cwd=scratch, env=env, check=True,
                           stderr=subprocess.DEVNULL)
            total = errors = 0
            for name in sorted(os.listdir(os.path.join(scratch, args.version))):
                if not re.fullmatch(r"square\d\d", name):
                    continue
                base = os.path.join(scratch, args.version, name)
                with open(base) as f:
                    ref = words(f.read())
                hyp = words(recognise(base + ".wav", scratch))
                wrong = edit_distance(ref, hyp)
                total += len(ref)
                errors += wrong
                if args.verbose:
                    print(f"  {voice} {name} [{wrong}] {' '.join(hyp)}", file=sys.stderr)
            print(f"| {voice} | {PACKAGES.get(voice, '?')} | {total} | {errors} | "
                  f"{100.0 * errors / total:.1f} % |", flush=True)


if __name__ == "__main__":
    main()
