#!/bin/sh
# Makes the HTML guide from its Markdown: cmark-gfm (GitHub's dialect, for the tables) inside a
# page of its own, with the pictures left where the Markdown points (guide/*.png beside it).
#   tools/guide-html.sh GUIDE.md OUTPUT.html
# Japanese has no blanks between words, so a line break inside a paragraph of the Markdown
# must not become one: a browser shows a soft line break as a blank. A break next to a
# non-ASCII character (inline tags aside) is dropped, outside <pre>; one between two pieces of
# Latin text stays a blank.
set -eu
in=$1
out=$2
title=$(sed -n '1s/^# *//p' "$in")
{
    cat <<HEAD
<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>$title</title>
<style>
body { max-width: 50em; margin: 1em auto; padding: 0 1em; line-height: 1.7;
       font-family: "IPAPGothic", "IPAGothic", sans-serif; color: #222; }
h1 { border-bottom: 2px solid #468; } h2 { border-bottom: 1px solid #aab; margin-top: 2em; }
img { max-width: 100%; border: 1px solid #ccc; }
code, pre { font-family: monospace; background: #f3f3f6; }
pre { padding: 0.5em; overflow-x: auto; }
table { border-collapse: collapse; } th, td { border: 1px solid #aab; padding: 0.2em 0.5em; }
th { background: #eef; }
</style>
</head>
<body>
HEAD
    "${CMARK_GFM:-cmark-gfm}" --unsafe -e table "$in" |
        perl -0pe 'BEGIN { $tags = qr{(?:</?(?:strong|em|code|a)\b[^>]*>)*} }
            s{(<pre.*?</pre>)|([\x80-\xff](?:$tags))\n|\n(?=(?:$tags)[\x80-\xff])}{$1 // $2 // ""}gse'
    printf '</body>\n</html>\n'
} >"$out.tmp"
mv "$out.tmp" "$out"
