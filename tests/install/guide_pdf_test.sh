#!/usr/bin/env bash
# The users guide as the build renders it: a PDF, long enough to be a guide,
# and holding the text of every top-level heading of its Markdown source, so a
# guide that rendered empty, lost its sections or came out as something else
# is caught. The headings are read from the source, so the test follows it.
# Usage: guide_pdf_test.sh <Lumivex.pdf> <users-guide.md>
set -euo pipefail
pdf="$1"
guide="$2"
minimum_pages=6

fail() { echo "guide test: $*" >&2; exit 1; }

for tool in pdfinfo pdftotext; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/bootstrap installs poppler-utils)"
done
[ -f "$pdf" ] || fail "$pdf was not built"
[ "$(head -c 4 "$pdf")" = "%PDF" ] || fail "$pdf does not begin with %PDF"

pages="$(pdfinfo "$pdf" | sed -n 's/^Pages:[[:space:]]*//p')"
[ -n "$pages" ] || fail "pdfinfo reports no page count"
[ "$pages" -ge "$minimum_pages" ] || fail "the guide has $pages pages, fewer than $minimum_pages"

# Text of the PDF with every run of white space made one blank, so that a
# heading is found however the renderer broke or spaced its line.
text="$(pdftotext -enc UTF-8 "$pdf" - | tr -s '[:space:]' ' ')"

# Top-level headings: the title and the sections ("#" and "##"), outside code.
headings=()
in_code=0
while IFS= read -r line; do
  case "$line" in
    '```'*) in_code=$((1 - in_code)); continue;;
  esac
  [ "$in_code" -eq 0 ] || continue
  if [[ "$line" =~ ^\#\#?[[:space:]]+(.*[^[:space:]#])[[:space:]#]*$ ]]; then
    heading="${BASH_REMATCH[1]}"
    # Inline marks are not part of the rendered text.
    heading="${heading//\*/}"
    heading="${heading//\`/}"
    headings+=("$(tr -s '[:space:]' ' ' <<<"$heading" | sed 's/^ //; s/ $//')")
  fi
done <"$guide"
[ "${#headings[@]}" -ge 2 ] || fail "$guide has no sections"

missing=0
for heading in "${headings[@]}"; do
  if ! grep -qF -- "$heading" <<<"$text"; then
    echo "guide test: heading not found in the PDF: $heading" >&2
    missing=1
  fi
done
[ "$missing" -eq 0 ] || fail "some headings are missing from the rendered guide"
echo "guide test: ok ($pages pages, ${#headings[@]} headings)"
