// The web edition's benchmark, in headless Chromium: what the page loads
// (gzip), how long from navigation until the keyword box takes input
// (beside a blank page loaded in the same run), and how long from a compute
// click until its rows are on screen.  It prints figures; nothing fails on a
// slow machine.   node tests/web/bench.mjs [--loads N] [--clicks N]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import {spawn} from 'node:child_process';
import {root, site, need, launch} from './lib.mjs';

const arg = (name, fallback) => {
  const k = process.argv.indexOf(name);
  return k > 0 ? Number(process.argv[k + 1]) : fallback;
};
const loads = arg('--loads', 11);
const clicks = arg('--clicks', 101);
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const ms = (x) => `${x.toFixed(1)} ms`;

need(path.join(site, 'index.html'), 'the site');
// The site and, beside it, a blank page to measure against.
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'kelmora-bench-'));
fs.cpSync(site, dir, {recursive: true});
fs.writeFileSync(path.join(dir, 'blank.html'),
  '<!doctype html><html lang="zh-CN"><head><meta charset="utf-8"><title>-</title>' +
  '<link rel="icon" href="icon.svg"></head><body></body></html>\n');
const server = spawn(process.execPath, [path.join(root, 'scripts/web-serve.mjs'), dir, '0'], {stdio: ['ignore', 'pipe', 'inherit']});
const url = await new Promise((resolve) => {
  let buf = '';
  server.stdout.on('data', (d) => {
    buf += d;
    const m = /http:\/\/127\.0\.0\.1:\d+\//.exec(buf);
    if (m) resolve(m[0]);
  });
});

const browser = await launch();
try {
  // Everything the page loads, each file gzipped as a server would send it.
  const ctx0 = await browser.createBrowserContext();
  const page0 = await ctx0.newPage();
  const files = new Set();
  page0.on('response', (r) => {
    const u = new URL(r.url());
    if (u.origin + '/' === url) files.add(u.pathname === '/' ? '/index.html' : u.pathname);
  });
  await page0.goto(url, {waitUntil: 'networkidle0'});
  await page0.waitForSelector('body[data-ready]');
  // The service worker keeps the rest of the site for use offline; the
  // workbook's module and style it keeps once the workbook has fetched them.
  const later = new Set(['/book.css', '/kelmora-book.js', '/kelmora-book.wasm']);
  for (const f of fs.readdirSync(dir)) if (f !== 'blank.html' && !later.has('/' + f)) files.add('/' + f);
  const sizes = (names, rows) => {
    let raw = 0, gz = 0;
    for (const f of [...names].sort()) {
      const data = fs.readFileSync(path.join(dir, f));
      const z = zlib.gzipSync(data, {level: 9}).length;
      raw += data.length;
      gz += z;
      rows.push(`  ${f.padEnd(24)} ${String(data.length).padStart(9)} B  ${String(z).padStart(8)} B gzip`);
    }
    return [raw, gz];
  };
  const rows = [], bookRows = [];
  const [raw, gz] = sizes([...files].filter((f) => !later.has(f)), rows);
  const [bookRaw, bookGz] = sizes([...later].filter((f) => fs.existsSync(path.join(dir, f))), bookRows);
  await ctx0.close();

  // The workbook opened for the first time (its module fetched and compiled,
  // an empty workbook made and stored): from the click on 账簿's item to the
  // window shown, each in a fresh context.
  const bookOpen = [];
  for (let i = 0; i < Math.min(loads, 5); i++) {
    const c = await browser.createBrowserContext();
    const p = await c.newPage();
    await p.goto(url, {waitUntil: 'load'});
    await p.waitForSelector('body[data-ready]');
    bookOpen.push(await p.evaluate(async () => {
      if (!window.KelmoraBook) return NaN;  // a build without the workbook
      const t0 = performance.now();
      await KelmoraBook.open();
      await new Promise((r) => requestAnimationFrame(r));
      return performance.now() - t0;
    }));
    await c.close();
  }

  // Cold loads, each in a fresh context (no cache, no service worker),
  // alternating with the blank page.
  const kelmora = [], blank = [], modelReady = [], parsed = [];
  for (let i = 0; i < loads; i++) {
    for (const which of ['blank', 'kelmora']) {
      const ctx = await browser.createBrowserContext();
      const page = await ctx.newPage();
      page.on('pageerror', (e) => console.error(`${which}: ${e.message}`));
      page.on('console', (m) => { if (m.type() === 'error') console.error(`${which}: ${m.text()}`); });
      if (which === 'blank') {
        await page.goto(url + 'blank.html', {waitUntil: 'load'});
        blank.push(await page.evaluate(() => performance.getEntriesByType('navigation')[0].loadEventEnd));
      } else {
        await page.goto(url, {waitUntil: 'load'});
        await page.waitForSelector('body[data-ready]');
        const [ready, model, dcl] = await page.evaluate(() => [performance.getEntriesByName('kelmora-ready')[0].startTime,
          performance.getEntriesByName('kelmora-model')[0].startTime,
          performance.getEntriesByType('navigation')[0].domContentLoadedEventEnd]);
        kelmora.push(ready);
        modelReady.push(model);
        parsed.push(dcl);
      }
      await ctx.close();
    }
  }

  // Compute clicks on Form4, rows kept: from the click to the frame that
  // shows its rows.
  const ctx = await browser.createBrowserContext();
  const page = await ctx.newPage();
  await page.setViewport({width: 1366, height: 768});
  await page.goto(url + '#Form4', {waitUntil: 'load'});
  await page.waitForSelector('body[data-ready]');
  const times = await page.evaluate(async (n) => {
    const type = (id, v) => {
      const b = document.getElementById(id);
      b.value = v;
      b.dispatchEvent(new Event('input', {bubbles: true}));
    };
    type('Form4-Text1', '100');
    type('Form4-Text2', '17');
    const button = document.querySelector('#layout button[data-control="Command1"]');
    // The frame that follows the click, with the rows laid out in it: it
    // paints them.
    const band = document.querySelector('.band');
    const frame = () => new Promise((r) => requestAnimationFrame(() => {
      band.lastElementChild?.getBoundingClientRect();
      r(performance.now());
    }));
    const idle = () => new Promise((r) => setTimeout(r, 50));
    await frame();
    const toScreen = [], handler = [];
    for (let i = 0; i < n; i++) {
      await idle();
      const t0 = performance.now();
      button.click();
      const t1 = performance.now();
      toScreen.push((await frame()) - t0);
      handler.push(t1 - t0);
    }
    return {toScreen, handler, rows: document.querySelectorAll('.band .row').length};
  }, clicks);
  await ctx.close();

  const version = await browser.version();
  console.log(`Kelmora web edition, ${version}, ${os.cpus().length} cores, load average ${os.loadavg()[0].toFixed(1)}`);
  console.log(`what the page loads, with what its service worker keeps (${files.size} files):`);
  for (const r of rows) console.log(r);
  console.log(`  total                    ${String(raw).padStart(9)} B  ${String(gz).padStart(8)} B gzip ` +
    `(${(gz / 1024).toFixed(0)} KB; budget 450 KB)`);
  console.log(`the workbook's module and style, fetched when the workbook is first opened (${later.size} files):`);
  for (const r of bookRows) console.log(r);
  console.log(`  total                    ${String(bookRaw).padStart(9)} B  ${String(bookGz).padStart(8)} B gzip ` +
    `(${(bookGz / 1024).toFixed(0)} KB)`);
  console.log(`the workbook opened for the first time, median of ${bookOpen.length}: ${ms(median(bookOpen))}`);
  console.log(`navigation to the keyword box taking input, median of ${loads} cold loads: ${ms(median(kelmora))} ` +
    `(blank page's load: ${ms(median(blank))}; budget 300 ms)`);
  console.log(`  of which: the page parsed ${ms(median(parsed))}, the model compiled and started ${ms(median(modelReady))}`);
  console.log(`compute click to its rows on screen, Form4, rows kept, median of ${clicks}: ${ms(median(times.toScreen))} ` +
    `(the click's handler alone: ${ms(median(times.handler))}; slowest ${ms(Math.max(...times.toScreen))}; ` +
    `${times.rows} rows at the end; budget 16 ms)`);
} finally {
  await browser.close();
  server.kill('SIGTERM');
  fs.rmSync(dir, {recursive: true, force: true});
}
