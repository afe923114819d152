#!/usr/bin/env python3
"""Measures two habits of the book's writing that a reader notices over a year.

(a) How many days close on a call to action: the last paragraph of the
    lesson, or of the whole day when a second entry follows, holds one of the
    markers below. Past a third of the days the formula stops being a close
    and becomes a tic.
(b) How alike every two days are: the share of three-word shingles two days
    have in common, out of the shingles of the shorter day (a short lesson
    retold inside a long one counts as a repeat). Body text only: headings
    repeat dates and psalm portions by design.

Prints both figures and what is over the limits; exits 1 when a limit is
broken, 2 when the book cannot be read. With -v it also lists the days that
close on a call, with the file and line of that paragraph.
"""
import itertools
import re
import sys
from pathlib import Path

MARKERS = ("כדאי", "אפשר ל", "נסה")
MAX_CALL_SHARE = 1 / 3          # the share must stay below this
MAX_SIMILARITY = 0.12           # no pair of days above this

# Pairs of days (month-day) that quote the same psalm verse because the
# monthly cycle of psalms gives it to both; each pair was read side by side
# and each day tells its own lesson.
REVIEWED_PAIRS = {
}

WORD = re.compile(r"[\u05d0-\u05ea'\"]+")


class Day:
    def __init__(self, key):
        self.key = key
        self.paragraphs = []    # (line, text) of every body paragraph
        self.lesson_end = None  # index of the lesson's last paragraph


def read_days(book):
    """Yields every Day of the book, month by month."""
    for path in sorted(book.glob("[0-9][0-9]-*.txt")):
        month = path.name[:2]
        day, current, start = None, [], 0

        def close_paragraph():
            if current and day:
                day.paragraphs.append((f"{path.name}:{start}", " ".join(current)))
            current.clear()

        for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            line = raw.rstrip()
            if line.startswith("#"):
                continue  # a comment does not end a paragraph
            if line.startswith("@"):
                close_paragraph()
                if line.startswith("@day "):
                    if day:
                        yield day
                    day = Day(f"{month}-{int(line[5:]):02d}")
                elif line == "@rule full" and day and day.lesson_end is None:
                    day.lesson_end = len(day.paragraphs) - 1
                continue
            if not line.strip():
                close_paragraph()
                continue
            if not current:
                start = number
            text = line.strip()
            current.append(text[1:] if text.startswith("\\") else text)
        close_paragraph()
        if day:
            yield day


def call_paragraph(day):
    """The closing paragraph that calls the reader to act, or None."""
    ends = {len(day.paragraphs) - 1}
    if day.lesson_end is not None and day.lesson_end >= 0:
        ends.add(day.lesson_end)
    for i in sorted(ends):
        if i >= 0 and any(m in day.paragraphs[i][1] for m in MARKERS):
            return day.paragraphs[i]
    return None


def shingles(day):
    words = [w.strip("'\"") for _, p in day.paragraphs for w in WORD.findall(p)]
    words = [w for w in words if w]
    return {tuple(words[i:i + 3]) for i in range(len(words) - 2)}


def main(argv):
    verbose = "-v" in argv
    args = [a for a in argv[1:] if a != "-v"]
    book = Path(args[0]) if args else Path(__file__).resolve().parent.parent / "book"
    days = list(read_days(book))
    if not days or any(not d.paragraphs for d in days):
        print(f"book-style: no days, or a day without text, in {book}", file=sys.stderr)
        return 2

    calls = [(d.key, call_paragraph(d)) for d in days]
    calls = [(key, where) for key, where in calls if where]
    share = len(calls) / len(days)

    sets = [(d.key, shingles(d)) for d in days]
    worst, over, reviewed = (0.0, "", ""), [], []
    for (ka, sa), (kb, sb) in itertools.combinations(sets, 2):
        smaller = min(len(sa), len(sb))
        sim = len(sa & sb) / smaller if smaller else 0.0
        if sim > worst[0]:
            worst = (sim, ka, kb)
        if sim > MAX_SIMILARITY:
            (reviewed if (ka, kb) in REVIEWED_PAIRS else over).append((sim, ka, kb))

    print(f"days closing on a call to action: {len(calls)} of {len(days)} "
          f"({share:.1%}; limit: below {MAX_CALL_SHARE:.1%})")
    print(f"most similar pair of days: {worst[1]} and {worst[2]}, {worst[0]:.3f} "
          f"(limit {MAX_SIMILARITY}, reviewed pairs included)")
    for sim, ka, kb in sorted(reviewed, reverse=True):
        print(f"reviewed pair over the limit: {ka} and {kb}, {sim:.3f}")
    for sim, ka, kb in sorted(over, reverse=True):
        print(f"too similar: {ka} and {kb}, {sim:.3f}")
    if verbose:
        for key, (where, _) in calls:
            print(f"call: {key} {where}")

    failed = False
    if share >= MAX_CALL_SHARE:
        print("book-style: too many days close on a call to action")
        failed = True
    if over:
        print("book-style: some days repeat each other")
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
