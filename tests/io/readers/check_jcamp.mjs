// Reads the JCAMP-DX files the exports wrote with a third-party reader and
// compares every abscissa and ordinate with the values that went in.
// Usage: node check_jcamp.mjs FOLDER (holding expected.json and the files).
import { convert } from 'jcampconverter';
import fs from 'node:fs';
import path from 'node:path';

const folder = process.argv[2];
const expected = JSON.parse(fs.readFileSync(path.join(folder, 'expected.json'), 'utf8'));
let passed = 0;
let failed = 0;
function check(ok, what) {
  if (ok) {
    passed++;
  } else {
    failed++;
    console.error(`FAIL ${what}`);
  }
}

for (const file of expected.jcamp) {
  const text = fs.readFileSync(path.join(folder, file.name), 'latin1');
  const result = convert(text, { keepRecordsRegExp: /.*/ });
  const spectra = result.flatten.filter((entry) => entry.spectra && entry.spectra.length > 0);
  check(spectra.length === file.blocks.length,
    `${file.name}: ${spectra.length} spectra read, ${file.blocks.length} written`);
  const link = result.entries.find((entry) => entry.dataType === 'LINK');
  if (file.blocks.length > 1 || link) {
    check(link !== undefined, `${file.name}: no link block`);
    if (link) {
      check(link.info.BLOCKS === spectra.length,
        `${file.name}: BLOCKS ${link.info.BLOCKS}, ${spectra.length} blocks read`);
    }
  }
  // The table holds each value divided by the Single 1E-06 widened to a
  // Double, so the raw count 65535 of a.002 goes in as 65535000165 and the
  // reader multiplies it back to 65535.000165, not to 65535.
  if (file.name === 'a.002.dx' && spectra.length > 0) {
    const { x, y } = spectra[0].spectra[0].data;
    check(Math.abs(y[4] - 65535.000165) <= 1e-9, `${file.name}: y[4] ${y[4]} != 65535.000165`);
    check(x[x.length - 1] === 369, `${file.name}: last x ${x[x.length - 1]} != 369`);
  }
  file.blocks.forEach((block, b) => {
    if (b >= spectra.length) {
      return;
    }
    const { x, y } = spectra[b].spectra[0].data;
    check(x.length === block.y.length && y.length === block.y.length,
      `${file.name} block ${b}: ${x.length} x and ${y.length} y read, ${block.y.length} written`);
    const n = Math.min(x.length, y.length, block.y.length);
    for (let i = 0; i < n; i++) {
      const v = block.y[i];
      const wantX = block.firstX + i * block.stepX;
      check(Math.abs(x[i] - wantX) <= 1e-3, `${file.name} block ${b} x[${i}] ${x[i]} != ${wantX}`);
      check(Math.abs(y[i] - v) <= 1e-6 + 3e-9 * Math.abs(v),
        `${file.name} block ${b} y[${i}] ${y[i]} != ${v}`);
    }
  });
}

console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 && passed > 0 ? 0 : 1);
