// Reads each record of the GPS log as a GGA sentence with a third-party NMEA
// parser and compares time, position, fix, satellites and altitude with what
// the headers held. Usage: node check_gps.mjs FOLDER.
import nmea from 'nmea-simple';
import fs from 'node:fs';
import path from 'node:path';

const folder = process.argv[2];
const expected = JSON.parse(fs.readFileSync(path.join(folder, 'expected.json'), 'utf8')).gps;
const text = fs.readFileSync(path.join(folder, expected.file), 'latin1');
const fixTypes = ['none', 'fix', 'delta', 'pps', 'rtk', 'frtk', 'estimated', 'manual', 'simulation'];
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

// Each record is a line followed by an empty line.
const lines = text.split('\r\n');
check(lines.pop() === '', 'the log ends with CR LF');
check(lines.length === 2 * expected.records.length,
  `${lines.length} lines for ${expected.records.length} records`);
const records = lines.filter((_, i) => i % 2 === 0);
lines.filter((_, i) => i % 2 === 1).forEach((empty, i) => check(empty === '', `line after record ${i} is empty`));

// Stored as ddmm.mmmm; the letter gives the sign.
function degrees(stored) {
  const magnitude = Math.round(Math.abs(stored) * 10000) / 10000;
  const whole = Math.trunc(magnitude / 100);
  return whole + (magnitude - whole * 100) / 60;
}

records.forEach((record, r) => {
  const want = expected.records[r];
  if (!want) {
    return;
  }
  const body = record.slice(record.indexOf('GPGGA,'));
  let sum = 0;
  for (const c of body) {
    sum ^= c.charCodeAt(0);
  }
  const sentence = `$${body}*${sum.toString(16).toUpperCase().padStart(2, '0')}`;
  let packet;
  try {
    packet = nmea.parseNmeaSentence(sentence);
  } catch (error) {
    check(false, `record ${r}: ${sentence}: ${error.message}`);
    return;
  }
  check(packet.sentenceId === 'GGA', `record ${r}: sentence ${packet.sentenceId}`);
  const t = packet.time;
  check(t.getUTCHours() === want.hour && t.getUTCMinutes() === want.minute &&
        t.getUTCSeconds() === want.second, `record ${r}: time ${t.toISOString()}`);
  const latitude = (want.latitude > 0 ? 1 : -1) * degrees(want.latitude);
  const longitude = (want.longitude > 0 ? -1 : 1) * degrees(want.longitude);
  check(Math.abs(packet.latitude - latitude) <= 1e-6, `record ${r}: latitude ${packet.latitude} != ${latitude}`);
  check(Math.abs(packet.longitude - longitude) <= 1e-6, `record ${r}: longitude ${packet.longitude} != ${longitude}`);
  check(packet.fixType === fixTypes[want.fix], `record ${r}: fix ${packet.fixType}`);
  check(packet.satellitesInView === want.satellites, `record ${r}: satellites ${packet.satellitesInView}`);
  check(Math.abs(packet.altitudeMeters - want.altitude) <= 1e-9, `record ${r}: altitude ${packet.altitudeMeters}`);
});

console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 && passed > 0 ? 0 : 1);
