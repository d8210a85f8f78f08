#!/bin/sh
# Regenerates the old-calendar table and fails when it differs from the committed one.
set -e
cd "$(dirname "$0")"
[ -d node_modules/astronomy-engine ] || npm ci --no-audit --no-fund >/dev/null
node gen-oldcal.js --inc | cmp - ../../src/calendar/OldCalendarTable.inc && echo "OldCalendarTable.inc reproduced byte for byte"
