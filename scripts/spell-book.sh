#!/usr/bin/env bash
# Prints every word of the book that hspell does not know and words.txt does
# not list, with the file it stands in; run over the whole book, also every
# entry of words.txt that no lesson uses. Exit status 1 when any is found.
set -euo pipefail
export LC_ALL=C.UTF-8
# Without its tools the check proves nothing: that is a failure, not a pass.
for tool in hspell iconv; do
  command -v "$tool" >/dev/null 2>&1 || { echo "spell-book: $tool is not installed" >&2; exit 2; }
done
here=$(cd "$(dirname "$0")/.." && pwd)
book="$here/book"
[ $# -gt 0 ] || set -- "$book"/[0-9][0-9]-*.txt
allowed=$(mktemp); trap 'rm -f "$allowed"' EXIT
{ grep -v '^#' "$book/words.txt" 2>/dev/null || true; } | sed 's/[[:space:]]*$//' | sort -u > "$allowed"
# Chapter and verse numbers in source references, such as (משלי ג, ו), are
# Hebrew numerals, not words.
numeral='ת?[קרשת]?([יכלמנסעפצ]?[אבגדהוזחט]?|טו|טז)'
status=0
for f in "$@"; do
  [ -f "$f" ] || continue
  # Instructions keep only their text; comments and rule lines carry no words.
  # The psalms heading is a list of chapter numerals, not words.
  unknown=$(grep -v -e '^#' -e '^@day' -e '^@rule' -e '^@head תהלים:' "$f" \
    | sed -E 's/^@(head|center-bold|center|style [^ ]+ [^ ]+) ?//; s/^\\//' \
    | sed 's/׳/'"'"'/g; s/״/"/g; s/־/ /g' \
    | iconv -f utf-8 -t iso-8859-8 | hspell | iconv -f iso-8859-8 -t utf-8 \
    | tail -n +2 | tr ' ' '\n' | grep -v '^$' \
    | grep -vxE "$numeral" | sort -u | comm -23 - "$allowed" || true)
  if [ -n "$unknown" ]; then
    status=1
    printf '%s:\n%s\n' "$(basename "$f")" "$unknown"
  fi
done
# Over the whole book, an entry of words.txt that no lesson uses any more is
# stale: it would let a misspelling of that word through later.
if [ "$*" = "$(echo "$book"/[0-9][0-9]-*.txt)" ]; then
  unused=$(while read -r word; do
      grep -qw -- "$word" "$@" || echo "$word"
    done < "$allowed")
  if [ -n "$unused" ]; then
    status=1
    printf 'words.txt lists words the book no longer uses:\n%s\n' "$unused"
  fi
fi
exit $status
