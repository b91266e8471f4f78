#!/usr/bin/env bash
# Every manual page renders with man -l without a warning from groff or man.
# Usage: man_pages_test.sh PAGE...
set -euo pipefail
status=0
for page in "$@"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || {
    echo "$page: man failed: $warnings"
    status=1
    continue
  }
  if [ -n "$warnings" ]; then
    echo "$page: $warnings"
    status=1
  fi
  # A real manual page: it has these sections.
  sections=$(grep -o '^\.SH [A-Z ]*' "$page" | cut -c5- | tr '\n' ',')
  for s in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES "SEE ALSO"; do
    [[ $sections == *"$s,"* ]] || { echo "$page: no section $s"; status=1; }
  done
done
exit $status
