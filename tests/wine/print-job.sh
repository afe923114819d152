#!/bin/sh
# One print job of a Wine test printer (port "|print-job.sh JOBS"): its
# PostScript arrives on standard input. The test names the job beforehand in
# JOBS/next ("BASE DPI"); the job leaves BASE.ps, BASE.pdf, its pages
# rendered in grey at DPI (BASE-N.pgm), its text (BASE.txt, pages ended by
# form feeds) and, last, BASE.done with the conversion's status.
jobs=$1
base=unnamed
dpi=75
[ -f "$jobs/next" ] && read -r base dpi <"$jobs/next"
out="$jobs/$base"
cat >"$out.ps"
status=0
ps2pdf "$out.ps" "$out.pdf" >"$out.log" 2>&1 || status=1
pdftoppm -r "$dpi" -gray "$out.pdf" "$out" >>"$out.log" 2>&1 || status=2
pdftotext -enc UTF-8 "$out.pdf" "$out.txt" >>"$out.log" 2>&1 || status=3
echo "$status" >"$out.done.part"
mv "$out.done.part" "$out.done"
