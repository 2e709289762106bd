// Runs the Khronos glTF validator on each file and fails on any error or
// warning; infos and hints are listed but pass.
//
//   node validate-gltf.mjs FILE.glb|FILE.gltf ...
//
// Per file: a count line, then one line per issue code with its count and a
// first example. Exits 1 if any file has an error or a warning, or cannot be
// validated at all.
import { readFile } from 'node:fs/promises';
import { dirname, resolve } from 'node:path';
import { validateBytes, version } from 'gltf-validator';

const SEVERITIES = ['error', 'warning', 'info', 'hint'];

function loadExternal(file) {
  return (uri) => readFile(resolve(dirname(file), decodeURIComponent(uri)));
}

function summarise(messages) {
  const byCode = new Map();
  for (const message of messages) {
    const entry = byCode.get(message.code) ?? { ...message, count: 0 };
    entry.count++;
    byCode.set(message.code, entry);
  }
  return [...byCode.values()].sort((a, b) => a.severity - b.severity || a.code.localeCompare(b.code));
}

async function validate(file) {
  const report = await validateBytes(new Uint8Array(await readFile(file)), {
    uri: file, maxIssues: 0, writeTimestamp: false, externalResourceFunction: loadExternal(file),
  });
  const { numErrors, numWarnings, numInfos, numHints, messages } = report.issues;
  const ok = numErrors === 0 && numWarnings === 0;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${file}: ${numErrors} errors, ${numWarnings} warnings, ${numInfos} infos, ${numHints} hints`);
  for (const { severity, code, count, pointer, message } of summarise(messages)) {
    console.log(`       ${SEVERITIES[severity].padEnd(7)} ${code} x${count}  e.g. ${pointer ?? ''} ${message}`);
  }
  return ok;
}

const files = process.argv.slice(2);
if (files.length === 0) {
  console.error('usage: node validate-gltf.mjs FILE.glb|FILE.gltf ...');
  process.exit(2);
}
console.log(`glTF validator ${version()}`);
let passed = 0;
for (const file of files) {
  const ok = await validate(file).catch((error) => {
    console.log(`FAIL ${file}: cannot be validated: ${error?.message ?? error}`);
    return false;
  });
  if (ok) passed++;
}
console.log(`${passed} passed, ${files.length - passed} failed`);
process.exit(passed === files.length ? 0 : 1);
