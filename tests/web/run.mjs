// The web edition's tests: the model under node (every scenario through the
// node runner, its command line, the number tables), then the page in
// headless Chromium, then its main path in Chromium, Firefox ESR and
// WebKitGTK.  `node tests/web/run.mjs [node|browser|engines|files|book]` runs
// one part (`files`, `book`: the workbook's files under node, the workbook in
// the page).
import {scenarios, commandLine, numberTables} from './node_checks.mjs';
import {browserTests} from './browser.mjs';
import {engineTests} from './engines.mjs';
import {workbookFiles} from './book_files.mjs';
import {bookTests} from './book_browser.mjs';

const only = process.argv[2];
const failures = [];
const started = Date.now();
if (!only || only === 'node') {
  await scenarios(failures);
  commandLine(failures);
  numberTables(failures);
}
if (!only || only === 'node' || only === 'files') await workbookFiles(failures);
if (!only || only === 'browser') {
  try {
    await browserTests(failures);
  } catch (e) {
    failures.push(`browser tests stopped: ${e.stack || e}`);
  }
}
if (!only || only === 'browser' || only === 'book') {
  try {
    await bookTests(failures);
  } catch (e) {
    failures.push(`workbook browser tests stopped: ${e.stack || e}`);
  }
}
if (!only || only === 'engines') await engineTests(failures);
const seconds = ((Date.now() - started) / 1000).toFixed(1);
if (failures.length) {
  console.log(`\nweb edition: ${failures.length} FAILED (${seconds} s)`);
  for (const f of failures) console.log(`  - ${f}`);
  process.exit(1);
}
console.log(`web edition: all passed (${seconds} s)`);
