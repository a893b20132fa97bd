// The page in headless Chromium, served on 127.0.0.1: what a person does and
// sees, checked against the model's own transcripts where figures are shown.
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {createRequire} from 'node:module';
import {out, serve, launch} from './lib.mjs';
import {practiceTests} from './practice.mjs';

const require = createRequire(import.meta.url);
const shots = path.join(out, 'shots');
const sizes = [[1366, 768], [390, 844]];

// The transcript the node runner gives for a script: what the page must show.
export function transcript(lines) {
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'kelmora-page-')), 'case.txt');
  fs.writeFileSync(file, lines.join('\n') + '\n');
  const r = spawnSync(process.execPath, [path.join(out, 'kelmora-script.js'), file], {encoding: 'utf8'});
  if (r.status !== 0) throw new Error(`runner: ${r.stderr}`);
  return r.stdout.split('\n');
}

export function surfaceOf(lines, form) {
  const k = lines.lastIndexOf(`surface ${form}`);
  const rows = [];
  for (let i = k + 1; i < lines.length && lines[i].startsWith('|'); i++) rows.push(lines[i].slice(1));
  return rows;
}

export class Checks {
  constructor(failures) { this.failures = failures; this.count = 0; }
  ok(cond, what) {
    this.count++;
    if (!cond) this.failures.push(what);
  }
  equal(got, want, what) {
    this.ok(JSON.stringify(got) === JSON.stringify(want), `${what}: got ${JSON.stringify(got)}, wanted ${JSON.stringify(want)}`);
  }
}

// A page that records every console error, uncaught exception, failed
// request and request to another origin.
export async function openPage(browser, url, problems, size = sizes[0]) {
  const page = await browser.newPage();
  await page.setViewport({width: size[0], height: size[1]});
  const origin = new URL(url).origin;
  page.on('console', (m) => { if (m.type() === 'error') problems.push(`console error: ${m.text()}`); });
  page.on('pageerror', (e) => problems.push(`uncaught: ${e.message}`));
  page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()}`));
  page.on('response', (r) => { if (r.status() >= 400) problems.push(`${r.status()}: ${r.url()}`); });
  page.on('request', (r) => {
    if (!r.url().startsWith(origin) && !r.url().startsWith('data:')) problems.push(`request off the site: ${r.url()}`);
  });
  return page;
}

export async function load(page, url) {
  await page.goto(url, {waitUntil: 'load'});
  await page.waitForSelector('body[data-ready]');
}

// A VAT rate of -1 leaves Form46 nothing to divide by.
export const zeroDivisor = ['open Form46', 'set Form46.Text1 100000', 'set Form46.Text2 58500', 'set Form46.Text3 40000',
  'set Form46.Text4 -1', 'click Form46.Command1', 'surface Form46'];

// The `set` lines of a script, typed into the page's boxes.
async function typeScript(page, script) {
  for (const line of script.filter((l) => l.startsWith('set '))) {
    const [, target, value] = line.split(' ');
    const id = target.replace('.', '-');
    await page.click(`#${id}`, {count: 3});
    await page.type(`#${id}`, value);
  }
}

const rowsOnScreen = (page) => page.$$eval('.band .row', (rs) => rs.map((r) => r.textContent));
const title = (page) => page.$eval('#window-title', (e) => e.textContent);

// Types into the box a label names.
async function fill(page, labelText, value) {
  const id = await page.$$eval('label', (ls, t) => {
    const l = ls.find((x) => x.textContent === t);
    return l ? l.htmlFor : null;
  }, labelText);
  if (!id) throw new Error(`no box labelled ${labelText}`);
  await page.click(`#${id}`, {count: 3});
  await page.type(`#${id}`, value);
}

async function press(page, caption) {
  const buttons = await page.$$('#layout button');
  for (const b of buttons) {
    if (await b.evaluate((e) => e.textContent) === caption) {
      await b.click();
      return;
    }
  }
  throw new Error(`no button ${caption}`);
}

export const noSidewaysScroll = (page) => page.evaluate(() =>
  document.scrollingElement.scrollWidth <= window.innerWidth);

export async function shot(page, name) {
  fs.mkdirSync(shots, {recursive: true});
  const vp = page.viewport();
  await page.screenshot({path: path.join(shots, `${name}-${vp.width}x${vp.height}.png`)});
}

// Every empty box of the window in front gets a small figure, as a person
// types it.
async function fillEmpty(page, value = '2') {
  return page.$$eval('#layout input', (boxes, v) => boxes.filter((b) => !b.value).map((b) => {
    b.value = v;
    b.dispatchEvent(new Event('input', {bubbles: true}));
    return b.name;
  }), value);
}

async function purchase(page, c) {
  // The main window: type the initials, pick from the list, press 确定.
  await page.type('#Form1-Text1', 'wbcg');
  await page.waitForSelector('.completion li');
  const offered = await page.$$eval('.completion li', (ls) => ls.map((l) => l.textContent));
  c.equal(offered, transcript(['complete wbcg']).slice(1).filter(Boolean).map((l) => l.slice(1)),
    'the completion list for wbcg is the model\'s');
  const roles = await page.evaluate(() => {
    const box = document.getElementById('Form1-Text1');
    return [box.getAttribute('role'), box.getAttribute('aria-expanded'),
      [...document.querySelectorAll('.completion li')].every((li) => li.getAttribute('role') === 'option')];
  });
  c.equal(roles, ['combobox', 'true', true], 'the keyword box is a combobox with options');
  await shot(page, 'main-completion');
  await page.click('.completion li');
  c.equal(await page.$eval('#Form1-Text1', (b) => b.value), offered[0], 'picking an item fills the box');
  await press(page, '确定');
  await page.waitForFunction(() => location.hash === '#Form4');
  c.equal(await title(page), 'Form4', 'Form4 opens on 确定');
  await fill(page, '材料费用', '100');
  await fill(page, '应交税金', '17');
  await press(page, '确定');
  const want = surfaceOf(transcript(['keyword 外埠采购', 'set Form4.Text1 100', 'set Form4.Text2 17',
    'click Form4.Command1', 'surface Form4']), 'Form4');
  c.equal(await rowsOnScreen(page), want, 'Form4 prints the purchase');
  c.equal(want.slice(0, 4), ['外埠采购', '材料费用（借） 100 ', '应交税金-应交增值税（进）（借） 17 ', '其他货币资金（贷） 117 '],
    'the runner agrees with the worked example');
  // The amounts stand in one column, their right edges level.
  const edges = await page.$$eval('.band .amount', (as) => as.map((a) => Math.round(a.getBoundingClientRect().right)));
  c.ok(edges.length === 3 && new Set(edges).size === 1, `amounts lined up: right edges ${edges}`);
  await shot(page, 'form4-computed');

  // 复制为表格 and 复制 put the model's rows on the clipboard.
  await page.browserContext().overridePermissions(new URL(page.url()).origin,
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const purchaseScript = ['keyword 外埠采购', 'set Form4.Text1 100', 'set Form4.Text2 17', 'click Form4.Command1'];
  const table = transcript([...purchaseScript, 'table Form4']);
  await press(page, '复制为表格');
  c.equal(await page.evaluate(() => navigator.clipboard.readText()),
    table.slice(table.indexOf('table Form4') + 1).filter((l) => l.startsWith('|')).map((l) => l.slice(1) + '\n').join(''),
    '复制为表格 copies the model\'s table');
  await press(page, '复制');
  c.equal(await page.evaluate(() => navigator.clipboard.readText()), want.map((r) => r + '\n').join(''),
    '复制 copies the rows');

  // On paper: the window's title, the date, the rows; no controls.
  await page.evaluate(() => {
    window.print = () => {};  // the dialog itself is the browser's
    document.querySelector('#layout .band-tools button:last-child').click();
  });
  await page.emulateMediaType('print');
  const paper = await page.evaluate(() => ({
    title: document.getElementById('window-title').textContent,
    date: document.getElementById('print-date').textContent,
    shown: ['.area', '.band-tools', '#bar'].map((s) => {
      const e = document.querySelector(s);
      return e ? getComputedStyle(e).display : 'none';
    }),
    band: getComputedStyle(document.querySelector('.band')).overflow,
  }));
  c.ok(/^\d{4}年\d{1,2}月\d{1,2}日$/.test(paper.date), `the printed date: ${paper.date}`);
  c.equal([paper.title, paper.shown, paper.band], ['Form4', ['none', 'none', 'none'], 'visible'],
    'on paper only the title, the date and every row');
  await page.emulateMediaType(null);
}

// A statement's analysis is printed whole: on paper its band does not scroll.
async function printedWhole(page, c, at) {
  await page.emulateMediaType('print');
  const cut = await page.$eval('.band', (b) => b.scrollHeight - b.clientHeight);
  c.ok(cut <= 1, `${at}: on paper Form119's band shows every row (${cut} px hidden)`);
  await page.emulateMediaType(null);
}

export async function browserTests(failures) {
  const c = new Checks(failures);
  const problems = [];
  const server = await serve();
  const browser = await launch();
  try {
    const url = server.url;
    const page = await openPage(browser, url, problems);
    await load(page, url);
    c.equal(await page.evaluate(() => document.documentElement.lang), 'zh-CN', 'the page is in Chinese');
    await purchase(page, c);

    // The glossary: a formula line on the main window, an explanation in a dialog.
    await glossary(browser, url, c, problems);

    // Back returns to the main window, Forward to Form4 with its rows.
    await page.goBack();
    await page.waitForFunction(() => document.getElementById('window-title').textContent === 'Form1');
    c.equal(await page.evaluate(() => location.hash), '', 'Back: the main window\'s address');
    await page.goForward();
    await page.waitForFunction(() => document.getElementById('window-title').textContent === 'Form4');
    c.equal((await rowsOnScreen(page)).length, 5, 'Forward: Form4 still holds its rows');

    // A zero divisor: the failure in Chinese in a dialog, then the page goes on.
    await page.goto(url + '#Form46');
    await page.waitForSelector('body[data-ready]');
    const script = zeroDivisor;
    await typeScript(page, script);
    await page.click('#layout button[data-control="Command1"]');
    await page.waitForSelector('#dialog[open]');
    const told = await page.$eval('#dialog-text', (e) => e.textContent);
    c.equal(told, '窗口 出售固定资产（Form46） 计算出错：除数为零。本次计算在出错处停止。', 'the zero divisor\'s dialog');
    c.equal(await page.evaluate(() => document.activeElement.id), 'dialog-ok', 'the dialog takes the focus');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#dialog:not([open])');
    c.equal(await rowsOnScreen(page), surfaceOf(transcript(script), 'Form46'), 'the rows before the failing step stay');
    await page.click('#Form46-Text4', {count: 3});
    await page.type('#Form46-Text4', '0.17');
    await page.click('#layout button[data-control="Command1"]');
    const after = await rowsOnScreen(page);
    c.ok(after.length > surfaceOf(transcript(script), 'Form46').length, 'after the dialog the window computes again');
    await page.close();

    // The pictures, the sideways scroll and every row of Form119's 分析, at both sizes.
    for (const size of sizes) await atSize(browser, url, size, c, problems);

    await keyboard(browser, url, c, problems);
    await practiceTests(browser, url, c, problems);
    await accessibility(browser, url, c, problems);
    // 390 px at 200 % zoom is 195 CSS px: every window still fits.
    for (const size of [...sizes, [195, 422]]) await sweep(browser, url, c, problems, size);
    await offline(browser, url, c, problems);
  } finally {
    await browser.close();
    await server.stop();
  }
  for (const p of problems) failures.push(p);
  console.log(`browser: ${c.count} checks in headless Chromium; pictures in ${shots}`);
}

async function glossary(browser, url, c, problems) {
  const page = await openPage(browser, url, problems);
  await load(page, url);
  const lines = transcript(['keyword 应收票据', 'surface Form1']);
  const told = lines.filter((l) => l.startsWith('msgbox ')).map((l) => l.slice(7).replaceAll('\\n', '\n'));
  await page.type('#Form1-Text1', '应收票据');
  await page.keyboard.press('Escape');  // the list closes; Enter is 确定 again
  await page.keyboard.press('Enter');
  await page.waitForSelector('#dialog[open]');
  c.equal(await page.$eval('#dialog-text', (e) => e.textContent), told[0], 'the account\'s explanation in a dialog');
  await page.click('#dialog-ok');
  c.equal(await rowsOnScreen(page), surfaceOf(lines, 'Form1'), 'the formula line on the main window');
  c.ok(told.length === 1 && surfaceOf(lines, 'Form1').length > 0, 'the runner shows a formula line and an explanation');
  await page.close();
}

async function atSize(browser, url, size, c, problems) {
  const page = await openPage(browser, url, problems, size);
  const at = `${size[0]}×${size[1]}`;
  await load(page, url);
  await page.type('#Form1-Text1', 'wbcg');
  await page.waitForSelector('.completion li');
  await shot(page, 'main-completion');
  c.ok(await noSidewaysScroll(page), `${at}: the main window does not scroll sideways`);
  // The menus: a bar on a wide screen, a drawer on a narrow one.
  const drawer = await page.$eval('#drawer-toggle', (e) => getComputedStyle(e).display !== 'none');
  c.equal(drawer, size[0] < 700, `${at}: the menus in a ${size[0] < 700 ? 'drawer' : 'bar'}`);
  if (drawer) {
    await page.click('#drawer-toggle');
    await page.waitForSelector('#menubar', {visible: true});
    await shot(page, 'main-drawer');
    c.ok(await noSidewaysScroll(page), `${at}: the open drawer does not scroll sideways`);
    await page.click('#drawer-toggle');
  }

  await page.goto(url + '#Form4');
  await page.waitForSelector('body[data-ready]');
  await fill(page, '材料费用', '100');
  await fill(page, '应交税金', '17');
  await press(page, '确定');
  await shot(page, 'form4-computed');
  c.ok(await noSidewaysScroll(page), `${at}: Form4 does not scroll sideways`);

  for (const form of ['Form64', 'Form130']) {
    await page.goto(url + '#' + form);
    await page.waitForSelector('body[data-ready]');
    c.equal(await title(page), form, `${at}: ${form} opens from its address`);
    await shot(page, form.toLowerCase());
    c.ok(await noSidewaysScroll(page), `${at}: ${form} does not scroll sideways`);
  }

  // Form119's 分析: the rows the model prints, each one reachable in the band.
  await page.goto(url + '#Form119');
  await page.waitForSelector('body[data-ready]');
  const filled = await fillEmpty(page);
  await press(page, '分析');
  const want = surfaceOf(transcript(['open Form119', ...filled.map((b) => `set Form119.${b} 2`),
    'click Form119.Command3', 'surface Form119']), 'Form119');
  c.equal(await rowsOnScreen(page), want, `${at}: Form119 分析 shows the model's rows`);
  const unreachable = await page.evaluate(() => {
    const band = document.querySelector('.band');
    const bad = [];
    for (const [k, row] of [...band.querySelectorAll('.row')].entries()) {
      const part = row.firstElementChild || row;
      part.scrollIntoView({block: 'nearest', inline: 'nearest'});
      const r = part.getBoundingClientRect(), b = band.getBoundingClientRect();
      // Its start on screen, inside the band, and nearly all of its height.
      const shown = Math.min(r.bottom, b.bottom, window.innerHeight) - Math.max(r.top, b.top, 0);
      const seen = shown >= 0.8 * r.height && r.left >= Math.max(b.left, 0) && r.left < Math.min(b.right, window.innerWidth);
      if (!seen) bad.push(k);
    }
    band.scrollTop = 0;
    band.scrollLeft = 0;
    return bad;
  });
  c.equal(unreachable, [], `${at}: every row of Form119's 分析 can be scrolled into view`);
  await page.evaluate(() => { document.querySelector('.band').scrollIntoView(); });
  await shot(page, 'form119-analysis');
  await printedWhole(page, c, at);
  c.ok(await noSidewaysScroll(page), `${at}: Form119 does not scroll sideways`);
  await page.close();
}

// Everything by keyboard: the list picked with the arrow keys, Enter as 确定,
// Tab to the boxes, Enter on a button.
async function keyboard(browser, url, c, problems) {
  const page = await openPage(browser, url, problems);
  await load(page, url);
  c.equal(await page.evaluate(() => document.activeElement.id), 'Form1-Text1', 'the keyword box has the focus');
  await page.keyboard.type('wbcg');
  await page.waitForSelector('.completion li');
  await page.keyboard.press('Enter');  // the first item, and 确定
  await page.waitForFunction(() => location.hash === '#Form4');
  c.equal(await page.evaluate(() => document.activeElement.id), 'Form4-Text1', 'Form4 opens with the focus in its first box');
  await page.keyboard.type('100');
  await page.keyboard.press('Enter');  // on to the next box
  await page.keyboard.type('17');
  c.equal(await page.$eval('#Form4-Text2', (b) => b.value), '17', 'Enter moves on to the next box');
  await page.focus('#layout button[data-control="Command1"]');
  await page.keyboard.press('Enter');
  c.equal((await rowsOnScreen(page))[3], '其他货币资金（贷） 117 ', 'Enter on 确定 computes');
  // What the user types is text, never markup: nothing is fetched, nothing runs.
  await page.goto(url);
  await page.waitForSelector('body[data-ready]');
  await page.type('#Form1-Text1', '<img src="x.png" onerror="document.title=1">');
  await page.keyboard.press('Enter');
  c.equal(await page.$$eval('#layout img, .band img', (x) => x.length), 0, 'typed markup stays text');
  // The menus open from the keyboard too.
  await page.goto(url);
  await page.waitForSelector('body[data-ready]');
  await page.focus('#menubar button');
  await page.keyboard.press('Enter');
  c.equal(await page.$eval('#menubar button', (b) => b.getAttribute('aria-expanded')), 'true', 'Enter opens a menu');
  await page.keyboard.press('Escape');
  c.equal(await page.$eval('#menubar button', (b) => b.getAttribute('aria-expanded')), 'false', 'Escape closes it');
  // A menu item opens the window the model's menu opens.
  const menuPath = ['票据', '票据贴现'];
  const shows = transcript([`menu ${menuPath.join(' > ')}`]).filter((l) => l.startsWith('show '));
  for (const caption of menuPath) {
    const [b] = await page.$$(`xpath/.//nav[@id="menubar"]//button[text()="${caption}"]`);
    await b.click();
  }
  c.equal(await title(page), shows.at(-1).slice(5), `the menu ${menuPath.join(' › ')} opens its window`);
  await page.close();
}

async function accessibility(browser, url, c, problems) {
  const axe = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
  const page = await openPage(browser, url, problems);
  // axe is brought in for the test only: the page's own policy would refuse it.
  await page.setBypassCSP(true);
  const audit = async (what) => {
    if (await page.evaluate(() => typeof window.axe) === 'undefined') await page.addScriptTag({content: axe});
    const result = await page.evaluate(async () => {
      const r = await window.axe.run(document, {resultTypes: ['violations']});
      return r.violations.map((v) => ({id: v.id, impact: v.impact, nodes: v.nodes.length, help: v.help}));
    });
    const serious = result.filter((v) => v.impact === 'serious' || v.impact === 'critical');
    c.equal(serious, [], `axe on ${what}`);
    // Every box is tied to a label, and every button named by its caption.
    const unnamed = await page.evaluate(() => [
      ...[...document.querySelectorAll('#layout input')].filter((b) => !b.labels.length).map((b) => b.id),
      ...[...document.querySelectorAll('button')].filter((b) => !b.textContent.trim()).map((b) => b.id || b.outerHTML)]);
    c.equal(unnamed, [], `labels and captions on ${what}`);
  };
  await load(page, url);
  await page.type('#Form1-Text1', 'yh');
  await page.waitForSelector('.completion li');
  await audit('the main window with its list');
  for (const form of ['Form4', 'Form64', 'Form119', 'Form130', 'Form72']) {
    await page.goto(url + '#' + form);
    await page.waitForSelector('body[data-ready]');
    await fillEmpty(page);
    await page.click('#layout button[data-control="Command1"]');
    await audit(form);
  }
  await page.goto(url + '#Form46');
  await page.waitForSelector('body[data-ready]');
  await typeScript(page, zeroDivisor);
  await page.click('#layout button[data-control="Command1"]');
  await page.waitForSelector('#dialog[open]');
  await audit('a failure dialog');
  await page.close();
}

// Every window opens from its address, and every button but the exit buttons
// is pressed with a small figure in every empty box: no internal error, no
// console error, no uncaught exception.
async function sweep(browser, url, c, problems, size) {
  const page = await openPage(browser, url, problems, size);
  const at = `${size[0]}×${size[1]}`;
  await load(page, url);
  const report = await page.evaluate(async () => {
    const tick = () => new Promise((r) => setTimeout(r, 0));
    const out = {opened: 0, pressed: 0, printed: 0, internal: [], missing: [], silent: [], failed: new Set(), sideways: []};
    const closeDialogs = (form) => {
      const dlg = document.getElementById('dialog');
      while (dlg.open) {
        if (dlg.dataset.kind === 'failure') out.failed.add(form);
        if (dlg.dataset.kind === 'error') out.internal.push(`${form}: ${document.getElementById('dialog-text').textContent}`);
        document.getElementById('dialog-ok').click();
      }
    };
    const goTo = async (form) => {
      location.hash = '#' + form;
      for (let i = 0; i < 50 && document.getElementById('window-title').dataset.form !== form; i++) await tick();
      return document.getElementById('window-title').dataset.form === form;
    };
    for (let n = 1; n <= 150; n++) {
      const form = 'Form' + n;
      if (!(await goTo(form))) {
        out.missing.push(form);
        continue;
      }
      out.opened++;
      const printedBefore = out.printed;
      const names = [...document.querySelectorAll('#layout button')].map((b) => b.dataset.control);
      for (const name of names) {
        if (document.getElementById('window-title').dataset.form !== form && !(await goTo(form))) break;
        const button = document.querySelector(`#layout button[data-control="${name}"]`);
        // The exit buttons and the main window's 退出 leave the window.
        if (!button || ['退出'].includes(button.textContent)) continue;
        for (const b of document.querySelectorAll('#layout input')) {
          if (!b.value) {
            b.value = '2';
            b.dispatchEvent(new Event('input', {bubbles: true}));
          }
        }
        const before = document.querySelectorAll('.band .row').length;
        button.click();
        out.pressed++;
        if (document.querySelectorAll('.band .row').length > before) out.printed++;
        closeDialogs(form);
      }
      if (out.printed === printedBefore && document.querySelector('.band')) out.silent.push(form);
      if (document.scrollingElement.scrollWidth > window.innerWidth) out.sideways.push(form);
    }
    // The main window's box holds no keyword: it prints nothing.  Any other
    // window that printed nothing must have said why.
    out.unexplained = out.silent.filter((f) => f !== 'Form1' && !out.failed.has(f));
    out.failed = [...out.failed];
    return out;
  });
  c.equal(report.missing, [], `${at}: every window opens from its address`);
  c.equal(report.internal, [], `${at}: no internal error in any window`);
  c.equal(report.unexplained, [], `${at}: every window prints when its buttons are pressed, or tells of a failure`);
  c.equal(report.sideways, [], `${at}: no window scrolls sideways with its rows printed`);
  console.log(`sweep at ${at}: ${report.opened} windows opened, ${report.pressed} buttons pressed, ${report.printed} of them printed; ` +
    `printed nothing: ${report.silent.join(' ') || 'none'}`);
  await page.close();
}

// Once loaded, the page works without the server.
async function offline(browser, url, c, problems) {
  const page = await openPage(browser, url, problems);
  await load(page, url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload({waitUntil: 'load'});  // now under the service worker
  await page.waitForSelector('body[data-ready]');
  await page.setOfflineMode(true);
  const quiet = problems.length;
  await page.reload({waitUntil: 'load'});
  await page.waitForSelector('body[data-ready]', {timeout: 10000});
  await page.goto(url + '#Form4');
  await page.waitForSelector('body[data-ready]');
  await fill(page, '材料费用', '100');
  await fill(page, '应交税金', '17');
  await press(page, '确定');
  c.equal((await rowsOnScreen(page))[3], '其他货币资金（贷） 117 ', 'offline, the page still computes');
  c.equal(problems.slice(quiet), [], 'offline: nothing failed to load');
  problems.length = quiet;
  await page.setOfflineMode(false);
  await page.close();
}
