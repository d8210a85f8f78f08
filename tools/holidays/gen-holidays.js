// Writes the reference list of Japan's public holidays 1990-2030 ("yyyy-mm-dd,name" lines, LF
// ended) from @holiday-jp/holiday_jp, for the test that checks HDay.dat against it offline.
//   node gen-holidays.js > ../../tests/data/calendar/holidays-jp-1990-2030.csv
"use strict";
const holidays = require("@holiday-jp/holiday_jp/lib/holidays.js");

const table = holidays.default || holidays.holidays || holidays;
const rows = Object.keys(table)
    .filter((d) => d >= "1990-01-01" && d <= "2030-12-31")
    .sort()
    .map((d) => `${d},${table[d].name}\n`);
process.stdout.write(rows.join(""));
