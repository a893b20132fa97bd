// Practice on the page, in headless Chromium: Form4 practised by typing and
// checked, a class set from a link with its progress kept across a reload,
// the answers script checked again by the runner, the printed answer keys,
// axe-core, and no sideways scrolling.  Figures are read from the exercise's
// boxes and the key worked out from them by hand; accounts and seeds are
// those the runner names for the same exercise.
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import {createRequire} from 'node:module';
import {out} from './lib.mjs';
import {transcript, openPage, load, noSidewaysScroll, shot} from './browser.mjs';

const require = createRequire(import.meta.url);
const sizes = [[1366, 768], [390, 844]];

// The practice view's words, as the model gives them to the page.
const wordsOf = (page) => page.evaluate(() =>
  JSON.parse(KelmoraPage.readString(KelmoraPage.model()._kmPracticeTexts())));

// The runner's exercise: figures by box, the key's lines per task.
function runnerExercise(form, seed, answers = []) {
  const lines = transcript([`exercise ${form} ${seed}`, ...answers, 'check']);
  const figures = {};
  const key = {};
  let score = null;
  for (const l of lines) {
    let m;
    if ((m = /^\|fig (\S+) (\S+)/.exec(l))) figures[m[1]] = m[2];
    else if ((m = /^\|(\d+)\t(ok|side|amount|missing)\t(.)\t(.*?)\t([-\d.]+)/.exec(l))) {
      (key[m[1]] ||= []).push({side: m[3], account: m[4], amount: m[5]});
    } else if ((m = /^\|score (\d+\/\d+)$/.exec(l))) score = m[1];
  }
  return {figures, key, score};
}

const yuan = (n) => n.toFixed(2);

// The lines of task t as the page shows them, with their marks.
const linesOf = (page, t) => page.$$eval(`.practice-task[data-task="${t}"] .practice-line:not(.head)`, (rows) =>
  rows.map((r) => ({
    side: r.querySelector('select').value,
    account: r.querySelector('input.account').value,
    amount: r.querySelector('input.amount').value,
    verdict: (/verdict-(\w+)/.exec(r.className) || [])[1] || '',
    mark: r.querySelector('.mark').textContent,
  })));

// Adds a line to task t by keyboard and types it: the side picked in its
// list, the account by what is typed (then the completion list's item
// `pick`, when given), the amount.
async function typeLine(page, t, side, account, amount, pick) {
  const n = (await linesOf(page, t)).length;
  await page.focus(`.practice-task[data-task="${t}"] .add-line`);
  await page.keyboard.press('Enter');
  const row = `.practice-task[data-task="${t}"] .practice-line[data-line="${n}"]`;
  await page.waitForSelector(`${row} select:focus`);
  await page.select(`${row} select`, side);
  await page.keyboard.press('Tab');
  await page.keyboard.type(account);
  if (pick !== undefined) {
    const offered = await page.$$eval(`${row} .completion li`, (ls) => ls.map((l) => l.textContent));
    const k = offered.indexOf(pick);
    if (k < 0) throw new Error(`${account}: ${pick} not offered (${offered.join(', ')})`);
    for (let i = 0; i <= k; i++) await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
  }
  await page.keyboard.press('Tab');
  await page.keyboard.type(amount);
}

async function pressSheet(page, caption) {
  const [b] = await page.$$(`xpath/.//section[@id="practice-sheet"]//button[text()="${caption}"]`);
  if (!b) throw new Error(`no button ${caption} on the sheet`);
  await b.click();
}

export async function practiceTests(browser, url, c, problems) {
  await fromMenus(browser, url, c, problems);
  await form4(browser, url, c, problems);
  await classSet(browser, url, c, problems);
}

// The main window's 练习 menu: the window the keyword box names, and one
// drawn from a menu group.
async function fromMenus(browser, url, c, problems) {
  const page = await openPage(browser, url, problems, sizes[0]);
  await load(page, url);
  const T = await wordsOf(page);
  const choose = async (...captions) => {
    for (const caption of captions) {
      // The last of the same caption: the 练习 menu comes last in the bar.
      const b = (await page.$$(`xpath/.//nav[@id="menubar"]//button[text()="${caption}"]`)).at(-1);
      if (!b) throw new Error(`no menu item ${caption}`);
      await b.click();
    }
  };
  await page.type('#Form1-Text1', 'wbcg');
  await page.waitForSelector('.completion li');
  await page.click('.completion li');
  await choose(T.practise, T.byKeyword);
  await page.waitForSelector('#practice-sheet');
  c.equal(await page.$eval('#practice-sheet', (e) => e.dataset.form), 'Form4', '练习 by the keyword box\'s keyword');
  await pressSheet(page, T.leave);
  await page.waitForFunction(() => !document.getElementById('practice-sheet'));
  const group = (await page.evaluate(() => JSON.parse(KelmoraPage.readString(KelmoraPage.model()._kmPracticeGroups()))))[0];
  await choose(T.practise, T.drawFrom, group.caption);
  await page.waitForSelector('#practice-sheet');
  const drawn = await page.$eval('#practice-sheet', (e) => e.dataset.form);
  c.ok(/^Form\d+$/.test(drawn) && drawn !== 'Form1', `a window drawn from the menu group ${group.caption}: ${drawn}`);
  await page.close();
}

// Form4 from its 练习 button: the figures in read-only boxes, the two levels,
// one wrong side, one wrong amount and one right line typed, a line the
// checker cannot read, 检查, 显示答案, 下一题.
async function form4(browser, url, c, problems) {
  const page = await openPage(browser, url + '#Form4', problems, sizes[0]);
  await load(page, url + '#Form4');
  const T = await wordsOf(page);
  const [practise] = await page.$$(`xpath/.//div[contains(@class,"band-tools")]/button[text()="${T.practise}"]`);
  c.ok(Boolean(practise), 'a 练习 button beside 复制');
  await practise.click();
  await page.waitForSelector('#practice-sheet');
  const {form, seed} = await page.$eval('#practice-sheet', (e) => ({...e.dataset}));
  c.equal(form, 'Form4', 'the 练习 button practises its own window');
  const want = runnerExercise(form, seed);
  const boxes = await page.$$eval('#layout .win > :is(.area, .lower) input', (bs) => bs.map((b) => [b.name, b.value, b.readOnly]));
  const shown = Object.fromEntries(boxes.filter(([n]) => n in want.figures).map(([n, v]) => [n, v]));
  c.equal(shown, want.figures, 'the boxes hold the figures the runner draws for the seed');
  c.ok(boxes.every(([, , ro]) => ro), 'every box of the exercise is read-only');
  c.equal(await page.$$eval('#layout .band', (b) => b.length), 0, 'no printing band in practice form');
  const headings = await page.$$eval('.practice-task h3', (hs) => hs.map((h) => h.textContent));
  c.equal(headings.length, Object.keys(want.key).length, 'one section per task');

  // 外埠采购: materials a and VAT b on the debit side, a + b from the
  // other monetary funds.
  const a = Number(want.figures.Text1), b = Number(want.figures.Text2);
  const [materials, vat, funds] = want.key[1].map((l) => l.account);
  c.equal(want.key[1], [{side: T.debit, account: materials, amount: yuan(a)}, {side: T.debit, account: vat, amount: yuan(b)},
    {side: T.credit, account: funds, amount: yuan(a + b)}], 'task 1 as worked by hand from the figures');

  // 填金额 gives the sides and accounts; 写分录 starts empty.
  c.equal(await linesOf(page, 1), [], '写分录 starts with no lines');
  await page.click('.levels input[value="amounts"]');
  c.equal((await linesOf(page, 1)).map((l) => [l.side, l.account, l.amount]),
    want.key[1].map((l) => [l.side, l.account, '']), '填金额 gives the key\'s sides and accounts, no amounts');
  await page.click('.levels input[value="entries"]');
  c.equal(await linesOf(page, 1), [], 'back to 写分录: empty again');

  await typeLine(page, 1, T.credit, 'clfy', String(a), materials);        // the wrong side
  await typeLine(page, 1, T.debit, 'yjsj', String(b + 1), vat);           // the wrong amount
  await typeLine(page, 1, T.credit, funds, String(a + b));                // right, typed whole
  await page.keyboard.press('Enter');  // Enter in the last amount adds a line
  c.equal((await linesOf(page, 1)).length, 4, 'Enter in the last amount adds a line');
  await page.keyboard.press('Tab');
  await page.keyboard.press('Tab');
  await page.keyboard.type('12,00');   // not a number
  await pressSheet(page, T.check);
  let lines = await linesOf(page, 1);
  c.equal(lines.map((l) => [l.side, l.account, l.amount, l.verdict]), [
    [T.credit, materials, String(a), 'side'],
    [T.debit, vat, String(b + 1), 'amount'],
    [T.credit, funds, String(a + b), 'ok'],
    ['', '', '12,00', 'problem']], 'the marks read back next to each line');
  c.ok(lines.every((l) => l.mark), 'every line has its mark in words');
  const invalid = await page.$$eval('.practice-task[data-task="1"] [aria-invalid="true"]', (es) => es.map((e) => e.className));
  c.equal(invalid, ['side', 'amount', 'side', 'account', 'amount'], 'the wrong fields are marked invalid');
  const answers = [`answer 1 ${T.credit} ${materials} ${a}`, `answer 1 ${T.debit} ${vat} ${b + 1}`, `answer 1 ${T.credit} ${funds} ${a + b}`];
  const score = runnerExercise(form, seed, answers).score;
  const told = await page.$eval('#practice-result', (e) => [e.textContent, e.getAttribute('aria-live')]);
  c.ok(told[1] === 'polite' && told[0].includes(score) && told[0].includes(lines[0].mark) && told[0].includes(lines[1].mark),
    `the verdicts announced (${score}): ${told[0].slice(0, 80)}`);
  c.equal(score, `1/${Object.values(want.key).flat().length}`, 'the runner scores the same answer one line right');
  for (const size of sizes) {
    await page.setViewport({width: size[0], height: size[1]});
    await page.evaluate(() => window.scrollTo(0, 0));
    await shot(page, 'practice-form4-checked');
    await page.screenshot({path: path.join(out, 'shots', `practice-form4-checked-${size[0]}x${size[1]}-whole.png`), fullPage: true});
    c.ok(await noSidewaysScroll(page), `${size[0]}×${size[1]}: the practice view does not scroll sideways`);
  }
  await page.setViewport({width: sizes[0][0], height: sizes[0][1]});
  await audit(page, c, 'the practice view after 检查');

  // Mended and checked again: the bad line removed by keyboard, the side put right.
  await page.focus('.practice-task[data-task="1"] .practice-line[data-line="3"] .remove-line');
  await page.keyboard.press('Enter');
  await page.select('.practice-task[data-task="1"] .practice-line[data-line="0"] select', T.debit);
  await pressSheet(page, T.check);
  lines = await linesOf(page, 1);
  c.equal(lines.map((l) => l.verdict), ['ok', 'amount', 'ok'], 'checked again after mending');

  await pressSheet(page, T.showKey);
  const key = await page.$$eval('.practice-key table:first-of-type tr', (rs) => rs.slice(1).map((r) =>
    [...r.children].map((td) => td.textContent)));
  c.equal(key, want.key[1].map((l) => [l.side, l.account, l.amount]), '显示答案 shows the key');
  await pressSheet(page, T.next);
  const next = await page.$eval('#practice-sheet', (e) => e.dataset.seed);
  c.ok(next !== seed && (await linesOf(page, 1)).length === 0, '下一题 draws new figures with an empty sheet');
  await page.close();
}

async function audit(page, c, what) {
  const axe = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
  // Evaluated by the test's own channel: the page's policy stays as strict.
  if (await page.evaluate(() => typeof window.axe) === 'undefined') await page.evaluate(axe);
  const result = await page.evaluate(async () => {
    const r = await window.axe.run(document, {resultTypes: ['violations']});
    return r.violations.map((v) => ({id: v.id, impact: v.impact, nodes: v.nodes.length}));
  });
  c.equal(result.filter((v) => v.impact === 'serious' || v.impact === 'critical'), [], `axe on ${what}`);
  // Every field of the sheet named by its task and line.
  const names = await page.$$eval('#practice-sheet .practice-line:not(.head) :is(select, input)', (es) =>
    es.map((e) => e.getAttribute('aria-label') || ''));
  c.ok(names.every((n, k) => n && names.indexOf(n) === k), `${what}: every field has a name of its own`);
}

const base64url = (s) => Buffer.from(s, 'utf8').toString('base64').replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');

// A set from a link: the student number, the figures the class code, number
// and place give, the progress kept across a reload, 保存答卷 checked again
// by the runner, and the answer keys on paper.
async function classSet(browser, url, c, problems) {
  const setText = 'title Web\nclass WEB1\nwindow Form4\nwindow Form4\n';
  const link = url + '#practice=' + base64url(setText);
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.on('pageerror', (e) => problems.push(`uncaught: ${e.message}`));
  await page.setViewport({width: sizes[0][0], height: sizes[0][1]});
  await page.goto(link, {waitUntil: 'load'});
  await page.waitForSelector('body[data-ready]');
  const T = await wordsOf(page);
  await page.waitForSelector('#set-student');
  const given = await page.$eval('#set-link', (e) => e.value);
  c.ok(given.startsWith(url) && given.includes('#practice='), `the set panel gives a link to the set: ${given}`);
  await audit(page, c, 'the class set\'s panel');
  await page.type('#set-student', 'bad number');
  await page.keyboard.press('Enter');
  await page.waitForSelector('#dialog[open]');
  c.ok(Boolean(await page.$('#set-student')), 'a student number with a space is refused, the panel stays');
  await page.click('#dialog-ok');
  await page.click('#set-student', {count: 3});
  await page.type('#set-student', 's01');
  await page.keyboard.press('Enter');
  await page.waitForSelector('#practice-sheet');
  const {seed} = await page.$eval('#practice-sheet', (e) => ({...e.dataset}));
  c.equal(seed, 'WEB1/s01/1', 'the first place\'s seed: class, student, place');
  const want = runnerExercise('Form4', seed);
  const a = Number(want.figures.Text1);
  c.equal(await page.$eval('#Form4-Text1', (e) => e.value), want.figures.Text1, 'the student\'s figures are the runner\'s');
  await typeLine(page, 1, T.debit, want.key[1][0].account, String(a));
  await pressSheet(page, T.check);

  await page.reload({waitUntil: 'load'});
  await page.waitForSelector('body[data-ready]');
  await page.waitForSelector('#practice-sheet');
  c.equal((await linesOf(page, 1)).map((l) => [l.side, l.account, l.amount]), [[T.debit, want.key[1][0].account, String(a)]],
    'after a reload the student\'s answer is there');
  const places = await page.$$eval('.set-bar ol button', (bs) => bs.map((b) => b.textContent));
  const total = Object.values(want.key).flat().length;
  c.ok(places.length === 2 && places[0].endsWith(`1/${total}`), `the set's places with the last check's score: ${places.join(' | ')}`);

  // 保存答卷: the download, checked again by the runner.
  const saved = await page.evaluate(async (caption) => {
    let got = null, blob = null;
    const click = HTMLAnchorElement.prototype.click, make = URL.createObjectURL;
    HTMLAnchorElement.prototype.click = function () { got = {href: this.href, name: this.download}; };
    URL.createObjectURL = (b) => { blob = b; return make(b); };
    const b = [...document.querySelectorAll('#practice-sheet button')].find((x) => x.textContent === caption);
    b.click();
    HTMLAnchorElement.prototype.click = click;
    URL.createObjectURL = make;
    return {name: got.name, type: blob.type, text: await blob.text()};
  }, T.save);
  c.equal([saved.name, saved.type], ['WEB1-s01.txt', 'text/plain;charset=utf-8'], '保存答卷 names the file by class and student');
  const file = path.join(out, 'practice-answers.txt');
  fs.writeFileSync(file, saved.text);
  const checked = transcript(saved.text.split('\n'));
  c.equal(checked.filter((l) => l.startsWith('|score')), [`|score 1/${total}`, `|score 0/${Object.values(runnerExercise('Form4', 'WEB1/s01/2').key).flat().length}`],
    'the runner checks the saved answers again');

  // The keys for two students, on paper only.
  const keysPage = await (await browser.createBrowserContext()).newPage();
  await keysPage.goto(link, {waitUntil: 'load'});
  await keysPage.waitForSelector('#set-keys-students');
  await keysPage.type('#set-keys-students', 's01\ns02');
  await keysPage.evaluate((caption) => {
    window.print = () => {};
    [...document.querySelectorAll('#set-panel button')].find((x) => x.textContent === caption).click();
  }, T.keys);
  await keysPage.emulateMediaType('print');
  const paper = await keysPage.evaluate(() => ({
    shown: [...document.body.children].filter((e) => getComputedStyle(e).display !== 'none').map((e) => e.id || e.tagName),
    students: [...document.querySelectorAll('.student-key')].length,
    first: [...document.querySelectorAll('.student-key:first-child .exercise-key:first-of-type .key-table:first-of-type td.num')].map((e) => e.textContent),
  }));
  c.equal(paper.shown, ['practice-keys'], 'on paper only the keys');
  c.equal(paper.students, 2, 'one key per student number');
  c.equal(paper.first, want.key[1].map((l) => l.amount), 'the first student\'s key for the first task');
  const pdf = path.join(out, 'shots', 'practice-keys.pdf');
  fs.mkdirSync(path.dirname(pdf), {recursive: true});
  await keysPage.pdf({path: pdf, format: 'A4'});
  try {
    execFileSync('pdftoppm', ['-png', '-r', '60', '-f', '1', '-l', '1', pdf, pdf.replace(/\.pdf$/, '')]);
  } catch (e) {
    // Without poppler-utils the PDF alone stays.
  }
  await context.close();
  await keysPage.browserContext().close();
}
