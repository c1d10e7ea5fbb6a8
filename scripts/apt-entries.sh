#!/usr/bin/env bash
# Prints the machine's own binary package sources, one line per entry: URI, suites, components and
# keyring, separated by tabs. Read from the one-line lists (sources.list and *.list) and the deb822
# files (*.sources) of the apt configuration, so that the project's scripts name no archive host.
set -euo pipefail
dir=/etc/apt
{
  for f in "$dir/sources.list" "$dir"/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    # deb [options] uri suite component...
    awk '$1 == "deb" {
      opts = ""; i = 2
      if ($2 ~ /^\[/) { while ($i !~ /\]$/) { opts = opts " " $i; i++ } opts = opts " " $i; i++ }
      key = ""
      if (match(opts, /signed-by=[^] ]*/)) key = substr(opts, RSTART + 10, RLENGTH - 10)
      comps = ""; for (j = i + 2; j <= NF; j++) comps = comps (comps == "" ? "" : " ") $j
      print $i "\t" $(i + 1) "\t" comps "\t" key
    }' "$f"
  done
  for f in "$dir"/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'function flush() {
           if (types ~ /(^| )deb( |$)/ && enabled != "no") print uris "\t" suites "\t" comps "\t" key
           types = uris = suites = comps = key = enabled = ""
         }
         /^[[:space:]]*#/ { next }
         /^[[:space:]]*$/ { flush(); next }
         { field = tolower($1); sub(/:$/, "", field); $1 = ""; sub(/^ +/, "")
           if (field == "types") types = $0; else if (field == "uris") uris = $0
           else if (field == "suites") suites = $0; else if (field == "components") comps = $0
           else if (field == "signed-by") key = $0; else if (field == "enabled") enabled = tolower($0) }
         END { flush() }' "$f"
  done
} | awk -F '\t' '$1 != "" && !seen[$0]++'
