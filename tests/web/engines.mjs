// The page's main path in every engine: Chromium and Firefox ESR driven by
// puppeteer-core, WebKitGTK by its WebDriver.  The keyword box and its list,
// Form4 and its rows, the failure dialog, Back and Forward, addresses that
// name no window, a pasted NUL, the tab's title, no sideways scrolling at
// 390 px, no console error, and the model downloaded once per cold load,
// counted by the server, in a fresh profile and in private browsing.
import fs from 'node:fs';
import path from 'node:path';
import {out, serve, launch} from './lib.mjs';
import {Checks, transcript, surfaceOf, zeroDivisor} from './browser.mjs';
import {startWebKit, plainLoad, webkitDriverPath, miniBrowserPath} from './webdriver.mjs';

const shots = path.join(out, 'shots');
const firefoxPath = process.env.KELMORA_FIREFOX || '/usr/bin/firefox-esr';
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const MODEL = '/kelmora.wasm';

// The text of the zero divisor's dialog and the purchase's rows, as the
// worked example has them.
const zeroDivisorText = '窗口 出售固定资产（Form46） 计算出错：除数为零。本次计算在出错处停止。';
const purchaseRows = ['外埠采购', '材料费用（借） 100 ', '应交税金-应交增值税（进）（借） 17 ', '其他货币资金（贷） 117 '];
// Addresses that name no window, each after the page's own address.
const strayAddresses = ['#Form999', '#form4', '#Form4%20', '#%3Cscript%3E', '#Form1'];

// In the page: the text of each line a paragraph is laid out in.
function linesOf(id) {
  const e = document.getElementById(id);
  const text = e.firstChild;
  const lines = [];
  let top = null;
  for (let i = 0; text && i < text.length; i++) {
    const r = document.createRange();
    r.setStart(text, i);
    r.setEnd(text, i + 1);
    const box = r.getClientRects()[0];
    if (!box) continue;
    if (top === null || box.top > top + box.height / 2) {
      lines.push('');
      top = box.top;
    }
    lines[lines.length - 1] += text.data[i];
  }
  return lines;
}

// The window in front, the tab's title, the address (in that order: the
// engines hand objects back with their keys in orders of their own).
const state = () => [document.getElementById('window-title').textContent, document.title, location.href];
const rowsOnScreen = () => [...document.querySelectorAll('.band .row')].map((r) => r.textContent);
const sideways = () => document.scrollingElement.scrollWidth - window.innerWidth;

// What a paste leaves in a box: the box holds the text and says so.
function pasteInto(id, text) {
  const box = document.getElementById(id);
  box.focus();
  box.value = text;
  box.dispatchEvent(new InputEvent('input', {bubbles: true, inputType: 'insertFromPaste', data: text}));
}

// The main path, in one engine through a driver `d`:
//   go(url), run(fn, ...args), waitFor(fn, what), click(css), type(css, text),
//   back(), forward(), viewport(w, h), shot(file), paste(id, text), errors.
async function mainPath(d, url, c, server) {
  const at = d.name;
  const before = server.requests(MODEL);
  const shot = (name, size) => d.shot(path.join(shots, `${d.name}-${name}-${size}.png`));
  const showing = (form) => d.waitFor((f) => document.body.dataset.ready &&
    document.getElementById('window-title').textContent === f, `${form} in front`, form);
  await d.viewport(1366, 768);
  await d.go(url);
  await showing('Form1');
  c.equal(await d.run(() => document.activeElement.id), 'Form1-Text1', `${at}: the keyword box has the focus`);

  // The keyword box, its list, 确定.
  await d.type('#Form1-Text1', 'wbcg');
  await d.waitFor(() => document.querySelector('.completion li'), 'the completion list');
  const offered = await d.run(() => [...document.querySelectorAll('.completion li')].map((l) => l.textContent));
  c.equal(offered, transcript(['complete wbcg']).slice(1).filter(Boolean).map((l) => l.slice(1)), `${at}: the list for wbcg`);
  await shot('main-completion', '1366x768');
  await d.click('.completion li');
  c.equal(await d.run(() => document.getElementById('Form1-Text1').value), '外埠采购', `${at}: the item picked fills the box`);
  await d.click('#layout button[data-control="Command1"]');
  await showing('Form4');
  const [, form4Title, form4Address] = await d.run(state);
  c.equal([form4Title, new URL(form4Address).hash], ['外埠采购 — Kelmora', '#Form4'],
    `${at}: Form4's tab goes by its name, its address by its form`);

  // Form4's rows.
  await d.type('#Form4-Text1', '100');
  await d.type('#Form4-Text2', '17');
  await d.click('#layout button[data-control="Command1"]');
  const rows = await d.run(rowsOnScreen);
  c.equal(rows.slice(0, 4), purchaseRows, `${at}: Form4 prints the purchase`);
  c.equal(rows, surfaceOf(transcript(['keyword 外埠采购', 'set Form4.Text1 100', 'set Form4.Text2 17',
    'click Form4.Command1', 'surface Form4']), 'Form4'), `${at}: Form4's rows are the model's`);
  await shot('form4-computed', '1366x768');

  // The cold load downloaded the model once, and the service worker's
  // install did not again; from now on the worker serves the page.
  await d.run(() => navigator.serviceWorker.ready.then(() => true));
  await d.waitFor(() => navigator.serviceWorker.controller, 'the service worker in control');
  await sleep(300);
  c.equal(server.requests(MODEL) - before, 1, `${at}: a cold load downloads the model once (fresh profile)`);

  // Back to the main window, Forward to Form4 with its rows.
  await d.back();
  await showing('Form1');
  c.equal(await d.run(state), ['Form1', 'Kelmora', url], `${at}: Back: the main window`);
  await d.forward();
  await showing('Form4');
  c.equal((await d.run(rowsOnScreen)).length, rows.length, `${at}: Forward: Form4 with its rows`);

  // The failure dialog: the whole message, its last line not a lone character.
  await failureDialog(d, url, c, '1366x768', shot, showing);

  // An address that names no window gives way to the main window's.
  for (const stray of strayAddresses) {
    await d.go(url + stray);
    await showing('Form1');
    await d.waitFor((u) => location.href === u, `the address ${stray} replaced`, url).catch(() => {});
    c.equal(await d.run(state), ['Form1', 'Kelmora', url], `${at}: the address ${stray}`);
  }
  // Also as the page is first loaded from it.
  await d.go(url + '?from=link#Form999');
  await showing('Form1');
  c.equal(await d.run(() => location.href), url + '?from=link', `${at}: a fresh load of #Form999 keeps the page's address`);

  // A NUL pasted into a box is text for the model as for the page: both hold
  // the same, as the window drawn again from the model shows.  Its leading
  // number is 1.
  const nul = '1\u00002';
  await d.go(url + '#Form25');
  await showing('Form25');
  await d.paste('Form25-Text2', nul);
  await d.click('#layout button[data-control="Command1"]');
  c.equal(await d.run(rowsOnScreen), surfaceOf(transcript(['open Form25', 'set Form25.Text2 1', 'click Form25.Command1',
    'surface Form25']), 'Form25'), `${at}: 总损失 1␀2 computes with its leading number, 1`);
  for (const [form, box, what] of [['Form25', 'Form25-Text2', '总损失'], ['Form1', 'Form1-Text1', 'the keyword box']]) {
    if (form !== 'Form25') {
      await d.go(form === 'Form1' ? url : url + '#' + form);
      await showing(form);
      await d.paste(box, nul);
    }
    await d.go(url + '#Form64');
    await showing('Form64');
    await d.back();
    await showing(form);
    c.equal(await d.run((id) => document.getElementById(id).value, box), nul, `${at}: ${what} holds 1␀2 as the model does`);
  }

  // A phone's width: nothing scrolls sideways.  MiniBrowser's window is
  // never narrower than its header bar (447 px under Xvfb): WebKit is
  // checked at the narrowest it goes.
  await d.viewport(390, 844);
  const width = await d.run(() => window.innerWidth);
  if (d.name !== 'webkit') c.equal(width, 390, `${at}: a viewport 390 px wide`);
  else console.log(`webkit: the narrowest window: ${width} px`);
  await d.go(url);
  await showing('Form1');
  await d.type('#Form1-Text1', 'wbcg');
  await d.waitFor(() => document.querySelector('.completion li'), 'the completion list');
  c.equal(await d.run(sideways), 0, `${at}: ${width} px: the main window with its list does not scroll sideways`);
  await shot('main-completion', '390x844');
  await d.go(url + '#Form4');
  await showing('Form4');
  await d.type('#Form4-Text1', '100');
  await d.type('#Form4-Text2', '17');
  await d.click('#layout button[data-control="Command1"]');
  c.equal((await d.run(rowsOnScreen)).slice(0, 4), purchaseRows, `${at}: ${width} px: Form4 prints the purchase`);
  c.equal(await d.run(sideways), 0, `${at}: ${width} px: Form4 does not scroll sideways`);
  await shot('form4-computed', '390x844');
  await failureDialog(d, url, c, '390x844', shot, showing);

  // Under the service worker, the loads since downloaded nothing more.
  await sleep(300);
  c.equal(server.requests(MODEL) - before, 1, `${at}: loads under the service worker download no model`);
  if (d.flush) await d.flush();
  c.equal(d.errors, [], `${at}: no console error`);
}

async function failureDialog(d, url, c, size, shot, showing) {
  const at = `${d.name} ${size}`;
  await d.go(url + '#Form46');
  await showing('Form46');
  for (const line of zeroDivisor.filter((l) => l.startsWith('set '))) {
    const [, target, value] = line.split(' ');
    await d.type('#' + target.replace('.', '-'), value);
  }
  await d.click('#layout button[data-control="Command1"]');
  await d.waitFor(() => document.getElementById('dialog').open, 'the failure dialog');
  c.equal(await d.run(() => document.getElementById('dialog-text').textContent), zeroDivisorText, `${at}: the zero divisor's dialog`);
  const lines = await d.run(linesOf, 'dialog-text');
  c.ok(lines.length >= 1 && lines.at(-1).length >= 4, `${at}: the dialog's last line is no lone character: ${JSON.stringify(lines)}`);
  await shot('failure-dialog', size);
  await d.click('#dialog-ok');
  await d.waitFor(() => !document.getElementById('dialog').open, 'the dialog closed');
}

// ---- the drivers ------------------------------------------------------------

// Whether going from one address to another stays in the page: only the
// part after # differs, and there is one.
function samePage(from, to) {
  const a = new URL(from), b = new URL(to);
  return b.hash !== '' && a.origin + a.pathname + a.search === b.origin + b.pathname + b.search;
}

// A puppeteer page as a driver.  Chromium pastes from its clipboard; the
// others get the input event a paste gives.
function puppeteerDriver(name, page, realPaste) {
  const d = {
    name,
    errors: [],
    // Within the page (another window's address): as the address bar does it,
    // without waiting for a load that does not come.
    go: (u) => (samePage(page.url(), u) ? page.evaluate((v) => location.assign(v), u) : page.goto(u, {waitUntil: 'load'})),
    run: (fn, ...args) => page.evaluate(fn, ...args),
    waitFor: (fn, what, ...args) => page.waitForFunction(fn, {timeout: 15000, polling: 30}, ...args),
    click: (css) => page.click(css),
    type: async (css, text) => {
      await page.focus(css);
      await page.$eval(css, (b) => b.select());
      await page.keyboard.type(text);
    },
    back: () => page.evaluate(() => history.back()),
    forward: () => page.evaluate(() => history.forward()),
    viewport: (width, height) => page.setViewport({width, height}),
    shot: (file) => page.screenshot({path: file}),
    paste: async (id, text) => {
      if (!realPaste) return page.evaluate(pasteInto, id, text);
      await page.evaluate((t) => navigator.clipboard.writeText(t), text);
      await page.focus('#' + id);
      await page.$eval('#' + id, (b) => b.select());
      await page.keyboard.down('Control');
      await page.keyboard.press('KeyV');
      await page.keyboard.up('Control');
    },
  };
  page.on('console', (m) => { if (m.type() === 'error') d.errors.push(`console: ${m.text()}`); });
  page.on('pageerror', (e) => d.errors.push(`uncaught: ${e.message}`));
  return d;
}

// In the page: console errors, uncaught exceptions and unhandled rejections
// recorded from now on, once per document.
function recordErrors() {
  if (window.kelmoraErrors) return;
  window.kelmoraErrors = [];
  const error = console.error;
  console.error = (...args) => {
    window.kelmoraErrors.push(`console: ${args.join(' ')}`);
    error.apply(console, args);
  };
  window.addEventListener('error', (e) => window.kelmoraErrors.push(`uncaught: ${e.message}`));
  window.addEventListener('unhandledrejection', (e) => window.kelmoraErrors.push(`unhandled: ${e.reason}`));
}

// A WebDriver session as a driver.  The engine's own console is read in a
// browser of its own (plainLoad): the driver has no way to it.  What the
// page's scripts report is recorded in each document it shows, from the
// moment it is shown.
function webdriverDriver(s) {
  const collect = async () => {
    d.errors.push(...(await s.run(() => (window.kelmoraErrors ? window.kelmoraErrors.splice(0) : []))));
  };
  const d = {
    name: 'webkit',
    errors: [],
    go: async (u) => {
      await collect().catch(() => {});
      await s.go(u);
      await s.run(recordErrors);
    },
    flush: collect,
    run: (fn, ...args) => s.run(fn, ...args),
    waitFor: (fn, what, ...args) => s.waitFor(fn, what, 15000, ...args),
    click: (css) => s.click(css),
    // Keys go in after what the box holds: it is emptied first, as a
    // person selecting its text and typing over it would.
    type: async (css, text) => {
      await s.run((sel) => {
        const b = document.querySelector(sel);
        b.value = '';
        b.dispatchEvent(new InputEvent('input', {bubbles: true, inputType: 'deleteContentBackward'}));
      }, css);
      await s.type(css, text);
    },
    back: () => s.back(),
    forward: () => s.forward(),
    viewport: (w, h) => s.viewport(w, h),
    shot: (file) => s.screenshot(file),
    paste: (id, text) => s.run(pasteInto, id, text),
  };
  return d;
}

// ---- the engines ------------------------------------------------------------

async function inChromium(url, c, server) {
  const browser = await launch();
  try {
    const ctx = await browser.createBrowserContext();  // incognito: a fresh profile
    await ctx.overridePermissions(url.replace(/\/$/, ''), ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    const page = await ctx.newPage();
    await mainPath(puppeteerDriver('chromium', page, true), url, c, server);
    await ctx.close();
  } finally {
    await browser.close();
  }
}

async function firefox(privateMode) {
  const {default: puppeteer} = await import('puppeteer-core');
  return puppeteer.launch({browser: 'firefox', executablePath: firefoxPath, headless: true,
    extraPrefsFirefox: {'intl.accept_languages': 'zh-CN', ...(privateMode ? {'browser.privatebrowsing.autostart': true} : {})}});
}

// A cold load in a private window: the page ready, the service worker
// installed, the model downloaded once.
async function coldPrivate(name, page, url, c, server, errors) {
  const before = server.requests(MODEL);
  await page.goto(url, {waitUntil: 'load'});
  await page.waitForFunction(() => document.body.dataset.ready);
  const worker = await page.evaluate(() => 'serviceWorker' in navigator &&
    navigator.serviceWorker.ready.then(() => true));
  await sleep(1000);  // what the worker's install would still fetch
  c.equal(server.requests(MODEL) - before, 1, `${name} private browsing: the model is downloaded once (service worker: ${worker ? 'installed' : 'none'})`);
  c.equal(errors, [], `${name} private browsing: no console error`);
}

async function inFirefox(url, c, server) {
  let browser = await firefox(false);
  try {
    const page = await browser.newPage();
    await mainPath(puppeteerDriver('firefox', page, false), url, c, server);
  } finally {
    await browser.close();
  }
  browser = await firefox(true);
  try {
    const page = await browser.newPage();
    const d = puppeteerDriver('firefox', page, false);
    await coldPrivate('firefox', page, url, c, server, d.errors);
  } finally {
    await browser.close();
  }
}

async function inWebKit(url, c, server) {
  const wk = await startWebKit();
  try {
    const s = await wk.session();
    try {
      await mainPath(webdriverDriver(s), url, c, server);
    } finally {
      await s.quit();
    }
  } finally {
    await wk.stop();
  }
  // A person's private window, without a driver: the engine's own console
  // messages (a policy directive it does not know, a preload it did not use)
  // and the downloads of a cold load.
  const before = server.requests(MODEL);
  const worker = server.requests('/sw.js');
  const messages = await plainLoad(url, async () => {
    for (let i = 0; i < 200 && server.requests('/sw.js') === worker; i++) await sleep(100);
    await sleep(1500);  // the worker's install
  }, {privateMode: true});
  c.equal(server.requests(MODEL) - before, 1, 'webkit private browsing: the model is downloaded once');
  c.ok(server.requests('/sw.js') > worker, 'webkit private browsing: the service worker is registered');
  c.equal(messages, [], 'webkit private browsing: no console error or warning');
}

export async function engineTests(failures, only = ['chromium', 'firefox', 'webkit']) {
  const c = new Checks(failures);
  const server = await serve();
  const url = server.url;
  fs.mkdirSync(shots, {recursive: true});
  const engines = {
    chromium: () => inChromium(url, c, server),
    firefox: () => inFirefox(url, c, server),
    webkit: () => inWebKit(url, c, server),
  };
  for (const name of only) {
    const t = Date.now();
    if (name === 'firefox' && !fs.existsSync(firefoxPath)) {
      failures.push(`no Firefox at ${firefoxPath}: apt-get install firefox-esr (scripts/web.sh test does)`);
      continue;
    }
    if (name === 'webkit' && (!fs.existsSync(webkitDriverPath) || !miniBrowserPath)) {
      failures.push(`no WebKitWebDriver or MiniBrowser: apt-get install webkit2gtk-driver (scripts/web.sh test does)`);
      continue;
    }
    try {
      await engines[name]();
    } catch (e) {
      failures.push(`${name}: stopped: ${e.stack || e}`);
    }
    console.log(`main path in ${name}: ${((Date.now() - t) / 1000).toFixed(1)} s`);
  }
  await server.stop();
}
