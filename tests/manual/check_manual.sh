#!/usr/bin/env bash
# Checks the typeset help document as a reader gets it, with poppler-utils:
#   check_manual.sh PDF PICTURE_FOLDER SOURCE.md...
# It must come from XeTeX with every font embedded, list the chapters of the sources in the
# contents with their pages and as bookmarks, show no formula as raw TeX, hold every picture and
# heading the sources refer to, and leave no page under a third full except the last page of a
# chapter.
set -euo pipefail
pdf=$1
pictures=$2
shift 2
sources=("$@")
status=0
fail() {
    echo "check_manual: $*" >&2
    status=1
}

[ -s "$pdf" ] || { echo "check_manual: no $pdf" >&2; exit 1; }
info=$(pdfinfo "$pdf")
grep -q '^Producer: *xdvipdfmx' <<<"$info" || fail "not made by XeTeX: $(grep '^Producer' <<<"$info")"
pages=$(awk '/^Pages:/ {print $2}' <<<"$info")

# pdffonts' columns after the name and type: encoding emb sub uni object generation.
unembedded=$(pdffonts "$pdf" | awk 'NR > 2 && $(NF - 4) != "yes" {print $1}')
[ -z "$unembedded" ] || fail "fonts not embedded: $unembedded"

# The sources without their code blocks, where a '#' or '$' is only text.
prose=$(awk '/^ *```/ {code = !code; next} !code' "${sources[@]}")

# The contents: every chapter with its page number, and a bookmark for it.
text=$(pdftotext -layout "$pdf" -)
outline=$(pdftohtml -xml -i -q -stdout "$pdf" | sed -n '/<outline>/,$p')
grep -qE '^[[:space:]]*Contents[[:space:]]*$' <<<"$text" || fail "no table of contents"
chapters=0
while IFS= read -r title; do
    chapters=$((chapters + 1))
    grep -F -- "$title" <<<"$text" | grep -qE '^ *[0-9]+ +.* [0-9]+ *$' ||
        fail "chapter '$title' is not in the contents with its page"
    grep -qF -- "\">$title</item>" <<<"$outline" || fail "chapter '$title' has no bookmark"
done < <(sed -n 's/^# \(.*\)$/\1/p' <<<"$prose" | sed 's/ *{#[^}]*} *$//')
[ "$chapters" -ge 2 ] || fail "found $chapters chapters in the sources"

# Formulas typeset, not printed as their source.
raw=$(grep -nE '\$|\\[A-Za-z]+|```' <<<"$text" || true)
[ -z "$raw" ] || fail "TeX source in the text:"$'\n'"$raw"

# Every picture the sources name exists, and the PDF holds at least as many images.
named=0
while IFS= read -r picture; do
    named=$((named + 1))
    [ -f "$pictures/$picture" ] || [ -f "$(dirname "${sources[0]}")/$picture" ] ||
        fail "picture $picture not found"
done < <(grep -oE '!\[[^]]*\]\([^)]+\)' <<<"$prose" | sed -E 's/.*\(([^)]+)\)$/\1/')
images=$(pdfimages -list "$pdf" | awk 'NR > 2 && $3 == "image"' | wc -l)
[ "$images" -ge "$named" ] || fail "$named pictures named, $images images in the PDF"

# Every heading a cross reference names is a destination in the PDF.
destinations=$(pdfinfo -dests "$pdf" | awk 'NR > 1 {print $NF}' | tr -d '"')
while IFS= read -r id; do
    grep -qxF -- "$id" <<<"$destinations" || fail "cross reference #$id leads nowhere"
done < <(grep -oE '\]\(#[^)]+\)' <<<"$prose" | sed -E 's/^\]\(#(.*)\)$/\1/' | sort -u)

# How far down its text block (25 mm from the top and from the foot) each page is printed,
# from a 20 dpi grey rendering, a row of the PGM per line of od's output. The title page, the
# last page and every page before a chapter opening are exempt.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
pdftoppm -r 20 -gray "$pdf" "$scratch/page"
for ((page = 2; page < pages; page++)); do
    next=$(pdftotext -layout -f $((page + 1)) -l $((page + 1)) "$pdf" - | grep -m 1 -v '^\s*$' || true)
    grep -qE '^[[:space:]]*Chapter [0-9]+[[:space:]]*$' <<<"$next" && continue
    image=$(ls "$scratch"/page-*"$page".pgm | head -n 1)
    {
        read -r magic
        read -r width height
        read -r maximum
    } <"$image"
    header=$((${#magic} + ${#width} + ${#height} + ${#maximum} + 4))
    fill=$(tail -c +$((header + 1)) "$image" | od -An -v -tu1 -w"$width" |
        awk -v h="$height" '
            BEGIN { top = int(h * 25 / 297); bottom = h - top; last = top }
            NR - 1 >= top && NR - 1 < bottom {
                for (i = 1; i <= NF; i++) if ($i < 128) { last = NR - 1; break }
            }
            END { printf "%d", 100 * (last - top) / (bottom - top) }')
    [ "$fill" -ge 33 ] || fail "page $page is only $fill % full"
done

[ $status -eq 0 ] && echo "manual ok: $pages pages, $chapters chapters, $named pictures"
exit $status
