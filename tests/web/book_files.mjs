// The node runner's workbook on real files: every workbook scenario with its
// workbook in a file, each runner reading the file the other wrote; the
// files it refuses, with the native runner's messages and statuses; and the
// node runner killed (SIGKILL) again and again while it posts, the file
// whole every time.
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {root, out, need} from './lib.mjs';
import {readCases} from './node_checks.mjs';

const nodeRunner = path.join(out, 'kelmora-script.js');
const nativeRunner = process.env.KELMORA_NATIVE_SCRIPT || path.join(root, 'build/kelmora-script');

function run(cmd, args, cwd) {
  return new Promise((resolve) => {
    const child = spawn(cmd, args, {cwd, stdio: ['ignore', 'pipe', 'pipe']});
    const o = [], e = [];
    child.stdout.on('data', (d) => o.push(d));
    child.stderr.on('data', (d) => e.push(d));
    child.on('close', (status) => resolve({status, stdout: Buffer.concat(o).toString(), stderr: Buffer.concat(e).toString()}));
  });
}

// A script through one runner, in a folder, the script beside the files.
async function script(runner, dir, text) {
  fs.writeFileSync(path.join(dir, 'script.txt'), text);
  return runner === 'node' ? run(process.execPath, [nodeRunner, 'script.txt'], dir) : run(nativeRunner, ['script.txt'], dir);
}

// The header's layout number and application id.
function marks(file) {
  const b = fs.readFileSync(file);
  return b.length >= 100 ? {userVersion: b.readUInt32BE(60), applicationId: b.readUInt32BE(68)} : null;
}

const reread = 'book case.kbook\nvouchers\ntrial\n';

export async function workbookFiles(failures) {
  need(nodeRunner, 'the node runner');
  const withNative = fs.existsSync(nativeRunner);
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'kelmora-book-files-'));
  let cases = 0;

  // Every workbook scenario, its workbook in a file from the first line on,
  // two at a time.
  const all = readCases(path.join(root, 'tests/scenarios/workbook.scn'));
  let next = 0;
  const one = async (c, n) => {
    const where = `workbook.scn on a file: ${c.name}`;
    const runners = withNative ? ['node', 'native'] : ['node'];
    const read = {};
    for (const r of runners) {
      const dir = path.join(work, `${n}-${r}`);
      fs.mkdirSync(dir);
      const got = await script(r, dir, 'book case.kbook\n' + c.script);
      const lines = got.stdout.split('\n');
      if (lines.at(-1) === '') lines.pop();
      const want = ['book case.kbook 0', ...c.expected];
      if (got.status !== 0 || got.stderr || lines.join('\n') !== want.join('\n')) {
        let i = 0;
        while (i < lines.length && lines[i] === want[i]) i++;
        failures.push(`${where}: ${r} runner status ${got.status} ${got.stderr.trim()}; first difference at line ${i + 1}: ` +
          `expected [${want[i] ?? '<end>'}], got [${lines[i] ?? '<end>'}]`);
      }
      read[r] = {dir, marks: marks(path.join(dir, 'case.kbook'))};
    }
    if (withNative) {
      // Each reads what the other wrote, and both files carry the same marks.
      const mine = [await script('node', read.node.dir, reread), await script('native', read.native.dir, reread)];
      const theirs = [await script('native', read.node.dir, reread), await script('node', read.native.dir, reread)];
      for (const k of [0, 1]) {
        if (mine[k].stdout !== theirs[k].stdout || mine[k].status !== 0 || theirs[k].status !== 0) {
          failures.push(`${where}: the ${k ? 'native' : 'node'} runner's file reads differently in the other runner:\n` +
            `${mine[k].stdout}${mine[k].stderr}---\n${theirs[k].stdout}${theirs[k].stderr}`);
        }
      }
      if (JSON.stringify(read.node.marks) !== JSON.stringify(read.native.marks)) {
        failures.push(`${where}: the files' marks differ: node ${JSON.stringify(read.node.marks)}, native ${JSON.stringify(read.native.marks)}`);
      }
    }
    cases++;
  };
  await Promise.all([0, 1].map(async () => {
    while (next < all.length) {
      const n = next++;
      await one(all[n], n);
    }
  }));

  // The files a runner refuses, and what it says: as the native runner does.
  if (withNative) {
    const prepare = async (dir) => {
      await script('native', dir, 'open Form4\nset Form4.Text1 100\nset Form4.Text2 17\nclick Form4.Command1\n' +
        'date 2026-04-01\nbook 月末.kbook\npost Form4 1\npost Form4 1\n');
      const good = fs.readFileSync(path.join(dir, '月末.kbook'));
      fs.writeFileSync(path.join(dir, 'notes.txt'), '不是账簿\n');
      const newer = Buffer.from(good);
      newer.writeUInt32BE(99, 60);  // the layout number in the header
      fs.writeFileSync(path.join(dir, 'newer.kbook'), newer);
      fs.writeFileSync(path.join(dir, 'locked.kbook'), good);
      fs.chmodSync(path.join(dir, 'locked.kbook'), 0o444);
      fs.writeFileSync(path.join(dir, 'cut.kbook'), good.subarray(0, good.length / 2 + 10));
    };
    const text = 'open Form132\nset Form132.Text4 1000\nset Form132.Text5 0.05\nset Form132.Text6 3\n' +
      'click Form132.Command1\ndate 2026-04-02\nbook 月末.kbook\npost Form132 1 4\npost Form132 2\n' +
      'book notes.txt\nbook newer.kbook\nbook no/such/folder.kbook\nbook locked.kbook\nbook cut.kbook\n' +
      'delete 记-1\nvouchers\ntrial\n';
    const got = {};
    for (const r of ['node', 'native']) {
      const dir = path.join(work, `refused-${r}`);
      fs.mkdirSync(dir);
      await prepare(dir);
      const before = Object.fromEntries(['notes.txt', 'newer.kbook', 'locked.kbook', 'cut.kbook']
        .map((f) => [f, fs.readFileSync(path.join(dir, f)).toString('base64')]));
      got[r] = await script(r, dir, text);
      for (const [f, bytes] of Object.entries(before)) {
        if (fs.readFileSync(path.join(dir, f)).toString('base64') !== bytes) failures.push(`${r} runner changed the refused file ${f}`);
      }
      const left = fs.readdirSync(dir).filter((f) => /-(wal|shm|journal)$/.test(f) && !f.startsWith('月末'));
      if (left.length) failures.push(`${r} runner left files beside the refused ones: ${left.join(' ')}`);
    }
    for (const k of ['stdout', 'stderr', 'status']) {
      if (got.node[k] !== got.native[k]) {
        failures.push(`refused files: the node runner's ${k} differs from the native runner's:\n${got.node[k]}\n---\n${got.native[k]}`);
      }
    }
    if (got.node.status !== 2 || (got.node.stderr.match(/^line \d+: /gm) || []).length !== 6) {
      failures.push(`refused files: expected six error lines and status 2, got ${got.node.status}:\n${got.node.stderr}`);
    }
  }

  await killed(failures, work);
  fs.rmSync(work, {recursive: true, force: true});
  console.log(`workbook files: ${cases} workbook scenarios on files through the node runner` +
    (withNative ? ', each file read by the other runner; the refused files as the native runner refuses them' : ''));
}

// Killed at random moments while posting, again and again on one file:
// every time the file opens, holds every voucher the transcript reported,
// each of them whole, and the trial balance balances.
async function killed(failures, work) {
  const dir = path.join(work, 'killed');
  fs.mkdirSync(dir);
  let text = 'open Form4\nset Form4.Text1 100\nset Form4.Text2 17\nclick Form4.Command1\ndate 2026-04-01\nbook killed.kbook\n';
  for (let i = 0; i < 400; i++) text += 'post Form4 1\n';
  fs.writeFileSync(path.join(dir, 'loop.txt'), text);
  const checker = fs.existsSync(nativeRunner) ? 'native' : 'node';
  let seed = 20261211;
  const random = () => ((seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648);
  const reported = new Set();
  let runs = 0, held = 0;
  const deadline = Date.now() + 10000;
  for (; runs < 10 && Date.now() < deadline; runs++) {
    const child = spawn(process.execPath, [nodeRunner, 'loop.txt'], {cwd: dir, stdio: ['ignore', 'pipe', 'ignore']});
    let transcript = '';
    child.stdout.on('data', (d) => { transcript += d; });
    const ended = new Promise((r) => child.on('close', r));
    // Long enough for the runner to start and post for a while.
    await new Promise((r) => setTimeout(r, 400 + random() * 1200));
    child.kill('SIGKILL');
    await ended;
    for (const m of transcript.matchAll(/^post 记-(\d+) Form4 1$/gm)) reported.add(Number(m[1]));
    if (!fs.existsSync(path.join(dir, 'killed.kbook'))) continue;
    const r = await script(checker, dir, 'book killed.kbook\nvouchers\ntrial\n');
    const numbers = [...r.stdout.matchAll(/^\|记-(\d+) 2026-04-01 外埠采购$/gm)].map((m) => Number(m[1]));
    held = numbers.length;
    const lines = r.stdout.split('\n');
    const whole = lines.every((l, i) => !/^\|记-/.test(l) ||
      (lines[i + 1] === '|  借 材料费用 100.00' && lines[i + 2] === '|  借 应交税金-应交增值税（进） 17.00' &&
       lines[i + 3] === '|  贷 其他货币资金 117.00' && !/^\|  /.test(lines[i + 4] || '')));
    const missing = [...reported].filter((n) => !numbers.includes(n));
    if (r.status !== 0 || !whole || missing.length || lines.at(-2) !== '|平衡') {
      failures.push(`node runner killed while posting (run ${runs + 1}): status ${r.status} ${r.stderr.trim()}, ` +
        `${whole ? 'vouchers whole' : 'a voucher not whole'}, reported but missing: ${missing.join(' ') || 'none'}, ` +
        `trial ends ${lines.at(-2)}`);
      break;
    }
  }
  if (reported.size < 20) failures.push(`node runner killed while posting: only ${reported.size} posts reported in ${runs} runs`);
  console.log(`node runner killed while posting: ${runs} kills, ${reported.size} vouchers reported, ${held} in the file ` +
    `(checked with the ${checker} runner)`);
}
