// The model under node: every scenario case through the node runner, its
// transcript checked against the one expected and, when the native runner
// is there, byte for byte against the native runner's (standard output,
// standard error, exit status); the runner's command-line behaviour; the
// number tables of the unit tests.
import {spawn, spawnSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {root, out, need} from './lib.mjs';

// The cases of a scenario file, as the native scenario check reads them.
export function readCases(file) {
  const cases = [];
  let inExpected = false;
  fs.readFileSync(file, 'utf8').split('\n').forEach((raw, k) => {
    const l = raw.endsWith('\r') ? raw.slice(0, -1) : raw;
    if (l.startsWith('=== ')) {
      cases.push({name: l.slice(4), line: k + 1, script: '', expected: []});
      inExpected = false;
    } else if (!cases.length) {
      // preamble
    } else if (l === '---') {
      inExpected = true;
    } else if (inExpected) {
      if (l && !l.startsWith('#')) cases.at(-1).expected.push(l);
    } else {
      cases.at(-1).script += l + '\n';
    }
  });
  return cases;
}

function run(cmd, args) {
  return new Promise((resolve) => {
    const child = spawn(cmd, args, {stdio: ['ignore', 'pipe', 'pipe']});
    const o = [], e = [];
    child.stdout.on('data', (d) => o.push(d));
    child.stderr.on('data', (d) => e.push(d));
    child.on('close', (status) => resolve({status, stdout: Buffer.concat(o).toString(), stderr: Buffer.concat(e).toString()}));
  });
}

export async function scenarios(failures) {
  const runner = path.join(out, 'kelmora-script.js');
  need(runner, 'the node runner');
  const native = process.env.KELMORA_NATIVE_SCRIPT || path.join(root, 'build/kelmora-script');
  const withNative = fs.existsSync(native);
  const dir = path.join(root, 'tests/scenarios');
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'kelmora-web-'));
  const jobs = [];
  for (const f of fs.readdirSync(dir).filter((f) => f.endsWith('.scn')).sort()) {
    readCases(path.join(dir, f)).forEach((c, k) => {
      const file = path.join(work, `${path.basename(f, '.scn')}-${k}.txt`);
      fs.writeFileSync(file, c.script);
      jobs.push({f, c, file});
    });
  }
  let next = 0, compared = 0;
  const worker = async () => {
    while (next < jobs.length) {
      const {f, c, file} = jobs[next++];
      const got = await run(process.execPath, [runner, file]);
      const lines = got.stdout.split('\n');
      if (lines.at(-1) === '') lines.pop();
      const where = `${f}: ${c.name} (line ${c.line})`;
      if (got.status !== 0 || got.stderr || lines.join('\n') !== c.expected.join('\n')) {
        let i = 0;
        while (i < lines.length && lines[i] === c.expected[i]) i++;
        failures.push(`${where}: node runner status ${got.status}${got.stderr ? ', errors ' + got.stderr.trim() : ''}; ` +
          `first difference at line ${i + 1}: expected [${c.expected[i] ?? '<end>'}], got [${lines[i] ?? '<end>'}]`);
      }
      if (withNative) {
        const nat = await run(native, [file]);
        compared++;
        if (nat.stdout !== got.stdout || nat.stderr !== got.stderr || nat.status !== got.status) {
          failures.push(`${where}: node and native runners differ`);
        }
      }
    }
  };
  await Promise.all(Array.from({length: Math.max(1, Math.min(2, os.cpus().length))}, worker));
  fs.rmSync(work, {recursive: true, force: true});
  console.log(`scenarios: ${jobs.length} cases through the node runner` +
    (withNative ? `, ${compared} compared with ${native}` : ' (no native runner to compare with)'));
}

// The runner's statuses, messages and options, by the same checks as the
// native one.
export function commandLine(failures) {
  const wrapper = path.join(out, 'kelmora-script');
  need(wrapper, 'the node runner');
  const version = /^project\(Kelmora VERSION ([0-9.]+)/m.exec(fs.readFileSync(path.join(root, 'CMakeLists.txt'), 'utf8'))[1];
  const cli = path.join(root, 'tests/cli');
  for (const [check, extra] of [['check_cli.cmake', [`-DWORK=${fs.mkdtempSync(path.join(os.tmpdir(), 'kelmora-cli-'))}`]],
    ['check_options.cmake', [`-DVERSION=${version}`]]]) {
    const r = spawnSync('cmake', [`-DSCRIPT=${wrapper}`, `-DDIR=${cli}`, ...extra, '-P', path.join(cli, check)],
      {encoding: 'utf8'});
    if (r.status !== 0) failures.push(`node runner, ${check}: ${r.stdout}${r.stderr}`);
  }
  console.log('command line: the node runner\'s statuses, messages and options as checked for the native one');
}

export function numberTables(failures) {
  const tests = path.join(out, 'num_tests.js');
  need(tests, 'the number tables');
  const r = spawnSync(process.execPath, [tests, '--gtest_brief=1'], {encoding: 'utf8'});
  if (r.status !== 0) failures.push(`number tables under node:\n${r.stdout}${r.stderr}`);
  else console.log(`number tables under node: ${(r.stdout.match(/\[  (PASSED|SKIPPED) +\] \d+ tests?/g) || ['passed']).join(', ')}`);
}
