#!/usr/bin/env bash
# The Chinese font replacements of the Wine prefixes that show windows (sourced). The monospaced
# WenQuanYi face: its Latin letters are half width as in 宋体, and its small sizes draw the thin
# strokes such as "-" that the proportional face loses.
#   tkv_font_reg KEY...   prints the registry text (no header): the face replacements, then the
#                         system fonts' substitutes under HKEY_LOCAL_MACHINE\KEY for each key given
#                         ("Software"; "Software\Wow6432Node" as well for 32-bit processes)
tkv_font_reg() {
  local face='"WenQuanYi Zen Hei Mono"' name key
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
  for name in 宋体 新宋体 SimSun NSimSun 微软雅黑 "Microsoft YaHei"; do
    printf '"%s"=%s\n' "$name" "$face"
  done
  for key in "$@"; do
    printf '\n[HKEY_LOCAL_MACHINE\\%s\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\n' "$key"
    for name in "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "MS Sans Serif"; do
      printf '"%s"=%s\n' "$name" "$face"
    done
  done
}
