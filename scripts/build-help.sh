#!/usr/bin/env bash
# Compiles the plug-in's help file "Tkv厂家发票管理插件帮助.chm" with chmcmd (Debian's fp-utils) from
# help/ and the screenshots of the Windows renderer and workbench tests, and places it beside the
# library, where the plug-in's F1 looks for it.
#   bash scripts/build-help.sh [OUT_DIR] [SHOTS_DIR]
# OUT_DIR defaults to the i686 product's folder build-win-i686/src/abi; SHOTS_DIR to
# $TKV_UI_ARTIFACTS, else build-win-x86_64/ui-artifacts. Missing screenshots do not stop the build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out=${1:-$root/build-win-i686/src/abi}
shots=${2:-${TKV_UI_ARTIFACTS:-$root/build-win-x86_64/ui-artifacts}}
if ! command -v chmcmd >/dev/null; then
  echo "chmcmd is missing: bash scripts/install-deps.sh installs fp-utils" >&2
  exit 1
fi
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
python3 "$root/scripts/help-stage.py" "$root/help" "$shots" "$stage"
(cd "$stage" && chmcmd --no-html-scan --verbosity 1 TkvHelp.hhp >chmcmd.log 2>&1) || {
  cat "$stage/chmcmd.log" >&2
  exit 1
}
if grep -qiE "error|does not exist" "$stage/chmcmd.log"; then
  cat "$stage/chmcmd.log" >&2
  exit 1
fi
mkdir -p "$out"
mv "$stage/TkvHelp.chm" "$out/Tkv厂家发票管理插件帮助.chm"
echo "help: $out/Tkv厂家发票管理插件帮助.chm"
