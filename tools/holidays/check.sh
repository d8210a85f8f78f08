#!/bin/sh
# Regenerates the public-holiday reference list and fails when it differs from the committed one.
set -e
cd "$(dirname "$0")"
[ -d node_modules/@holiday-jp ] || npm ci --no-audit --no-fund >/dev/null
node gen-holidays.js | cmp - ../../tests/data/calendar/holidays-jp-1990-2030.csv && echo "reference list reproduced"
