// Kelmora in a browser: practice.  A window opens in practice form — its
// boxes hold the exercise's figures, read-only, and an answer sheet stands
// where its printing band would be.  The exercise, its key, the checking,
// the account list, class sets and their progress all come from the model
// (practice_face.cpp); this script lays the sheet out and keeps what the
// learner typed.  Text from the model or the learner is only ever set as
// text.
'use strict';

(() => {
  const page = window.KelmoraPage;
  if (!page) return;
  let T = null;           // the practice view's words, from the model (loadWords)
  let ex = null;          // the exercise shown: {form, seed, level, window, tasks, sheet, ...}
  let sheet = [];         // per task, the learner's lines {side, account, amount}
  let lastCheck = null;   // the last 检查's result, while the sheet is unchanged
  let place = 0;          // the place in the class set of the exercise shown; 0: none
  let set = null;         // the open set: {title, classCode, places, text}
  let student = null;     // the student's progress as the model gives it
  let ids = 0;
  const linkHash = location.hash;  // read before the page tidies its address
  const STORE = 'kelmora-practice:';

  const $ = (id) => document.getElementById(id);
  const make = (tag, cls, text) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined) e.textContent = text;
    return e;
  };
  const button = (text, onClick, cls) => {
    const b = make('button', cls, text);
    b.type = 'button';
    b.addEventListener('click', onClick);
    return b;
  };
  const fill = (template, values) => template.replace(/\{(\w+)\}/g, (m, k) => (k in values ? String(values[k]) : m));
  const model = () => page.model();
  const json = (fn, ...args) => page.callJson(model()[fn], ...args);
  const text = (fn, ...args) => page.call(model()[fn], ...args);

  // A seed nobody can guess: 下一题 and 练习 outside a class set.
  function randomSeed() {
    const a = new Uint32Array(2);
    crypto.getRandomValues(a);
    return a[0].toString(36) + a[1].toString(36);
  }

  // The words come with the model: the page's first window is drawn before
  // the page tells this script it is ready.
  function loadWords() {
    if (!T) T = JSON.parse(page.readString(model()._kmPracticeTexts()));
  }

  // ---- storage -----------------------------------------------------------

  const storage = {
    get(key) { try { return localStorage.getItem(STORE + key); } catch (e) { return null; } },
    set(key, value) { try { localStorage.setItem(STORE + key, value); } catch (e) { /* private mode: not kept */ } },
  };

  // ---- the base64url text of a set in a link -----------------------------

  function toLink(setText) {
    const bytes = new TextEncoder().encode(setText);
    let bin = '';
    for (const b of bytes) bin += String.fromCharCode(b);
    return btoa(bin).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  function fromLink(code) {
    if (!/^[A-Za-z0-9_-]*$/.test(code)) return null;
    try {
      const bin = atob(code.replace(/-/g, '+').replace(/_/g, '/'));
      return new TextDecoder('utf-8', {fatal: true}).decode(Uint8Array.from(bin, (c) => c.charCodeAt(0)));
    } catch (e) {
      return null;
    }
  }

  const setLink = (setText) => location.origin + location.pathname + '#practice=' + toLink(setText);

  // ---- starting an exercise ----------------------------------------------

  function practise(form, seed, level, at = 0, saved = null) {
    const got = json('_kmPracticeStart', form, seed, level);
    if (got.error) {
      page.message(T.cannot);
      return false;
    }
    ex = got;
    place = at;
    sheet = saved && saved.length ? saved.map((lines) => lines.map((l) => ({...l}))) : ex.sheet;
    while (sheet.length < ex.tasks.length) sheet.push([]);
    lastCheck = null;
    draw();
    return true;
  }

  function practiseForm(form) {
    page.closeMenus();
    practise(form, randomSeed(), ex ? ex.level : 'entries');
  }

  function leave() {
    ex = null;
    place = 0;
    document.body.classList.remove('practising');
    page.redraw();
  }

  // ---- the practice view -------------------------------------------------

  const nextId = () => 'practice-' + (++ids);

  function draw() {
    const def = ex.window;
    def.prints = false;
    page.drawDef(def);
    document.body.classList.add('practising');
    const title = $('window-title');
    title.textContent = T.practise + '：' + ex.name;
    document.title = title.textContent;
    const win = document.querySelector('#layout .win');
    win.classList.add('with-band', 'practice');
    // The boxes show the figures: read-only, the buttons inert.  Copies of
    // the elements carry none of the window's own listeners.
    for (const e of win.querySelectorAll('input, button')) {
      const copy = e.cloneNode(true);
      if (copy.tagName === 'INPUT') {
        copy.readOnly = true;
        copy.removeAttribute('role');
        copy.removeAttribute('aria-expanded');
        copy.removeAttribute('aria-controls');
        copy.removeAttribute('aria-autocomplete');
      } else {
        copy.disabled = true;
      }
      e.replaceWith(copy);
    }
    for (const l of win.querySelectorAll('.completion')) l.remove();
    win.append(drawSheet());
    const first = win.querySelector('.practice-sheet select, .practice-sheet input');
    if (first) first.focus({preventScroll: true});
    window.scrollTo(0, 0);
  }

  function drawSheet() {
    const area = make('section', 'practice-sheet band-area');
    area.id = 'practice-sheet';
    area.dataset.form = ex.form;
    area.dataset.seed = ex.seed;
    const heading = make('h2', 'sheet-title', T.sheet);
    heading.id = nextId();
    area.setAttribute('aria-labelledby', heading.id);
    area.append(heading);
    if (student && place) area.append(drawSetBar());

    // The level: 填金额 gives the key's sides and accounts, 写分录 nothing.
    const levels = make('fieldset', 'levels');
    levels.append(make('legend', '', T.level));
    for (const [value, label] of [['amounts', T.amounts], ['entries', T.entries]]) {
      const l = make('label');
      const r = make('input');
      r.type = 'radio';
      r.name = 'practice-level';
      r.value = value;
      r.checked = ex.level === value;
      r.addEventListener('change', () => {
        if (!r.checked) return;
        const keep = place;
        practise(ex.form, ex.seed, value, keep);
        keepProgress(null);
        const chosen = document.querySelector(`.levels input[value="${value}"]`);
        if (chosen) chosen.focus();
      });
      l.append(r, make('span', '', label));
      levels.append(l);
    }
    area.append(levels);

    ex.tasks.forEach((task, t) => area.append(drawTask(task, t)));

    const tools = make('div', 'band-tools sheet-tools');
    tools.append(button(T.check, checkSheet, 'primary'), button(T.showKey, showKey), button(T.next, nextExercise));
    if (student) tools.append(button(T.save, saveAnswers));
    tools.append(button(T.leave, leave));
    area.append(tools);

    const verdict = make('div', 'practice-result');
    verdict.id = 'practice-result';
    verdict.setAttribute('role', 'status');
    verdict.setAttribute('aria-live', 'polite');
    area.append(verdict);
    const key = make('div', 'practice-key');
    key.id = 'practice-key';
    key.hidden = true;
    area.append(key);
    return area;
  }

  const taskName = (t) => fill(T.task, {k: t + 1});

  function drawTask(task, t) {
    const section = make('section', 'practice-task');
    section.dataset.task = String(t + 1);
    const h = make('h3', '', taskName(t) + (task.heading ? '　' + task.heading : ''));
    h.id = nextId();
    section.setAttribute('aria-labelledby', h.id);
    const lines = make('div', 'practice-lines');
    lines.setAttribute('role', 'group');
    lines.setAttribute('aria-labelledby', h.id);
    const head = make('div', 'practice-line head');
    head.setAttribute('aria-hidden', 'true');
    head.append(make('span', '', T.side), make('span', '', T.account), make('span', '', T.amount), make('span'), make('span'));
    if (sheet[t].length) lines.append(head);
    sheet[t].forEach((line, i) => lines.append(drawLine(t, i)));
    const add = button(T.addLine, () => addLine(t), 'add-line');
    add.setAttribute('aria-label', taskName(t) + ' ' + T.addLine);
    const missing = make('p', 'practice-missing');
    missing.hidden = true;
    const hints = make('ul', 'practice-hints');
    hints.hidden = true;
    section.append(h, lines, add, missing, hints);
    return section;
  }

  function lineName(t, i, what) {
    return taskName(t) + ' ' + fill(T.line, {n: i + 1}) + ' ' + what;
  }

  function drawLine(t, i) {
    const line = sheet[t][i];
    const row = make('div', 'practice-line');
    row.dataset.line = String(i);
    const changed = () => { lastCheck = null; keepProgress(null); };

    const side = make('select', 'side');
    for (const [value, label] of [['', ''], [T.debit, T.debit], [T.credit, T.credit]]) {
      const o = make('option', '', label);
      o.value = value;
      side.append(o);
    }
    side.value = line.side === T.debit || line.side === T.credit ? line.side : '';
    side.setAttribute('aria-label', lineName(t, i, T.side));
    side.addEventListener('change', () => { line.side = side.value; changed(); });

    const account = make('input', 'account');
    account.type = 'text';
    account.value = line.account;
    account.autocomplete = 'off';
    account.spellcheck = false;
    account.id = nextId();
    account.setAttribute('aria-label', lineName(t, i, T.account));
    account.addEventListener('input', () => { line.account = account.value; changed(); });
    const combo = accountCombo(account);

    const amount = make('input', 'amount');
    amount.type = 'text';
    amount.inputMode = 'decimal';
    amount.value = line.amount;
    amount.autocomplete = 'off';
    amount.setAttribute('aria-label', lineName(t, i, T.amount));
    amount.addEventListener('input', () => { line.amount = amount.value; changed(); });
    // Enter in the last line's amount adds a line.
    amount.addEventListener('keydown', (ev) => {
      if (ev.key === 'Enter' && !ev.isComposing) {
        ev.preventDefault();
        if (i === sheet[t].length - 1) addLine(t);
        else focusLine(t, i + 1);
      }
    });

    const remove = button('×', () => removeLine(t, i), 'remove-line');
    remove.setAttribute('aria-label', lineName(t, i, T.removeLine));
    remove.title = T.removeLine;
    const mark = make('span', 'mark');
    mark.id = nextId();
    for (const e of [side, account, amount]) e.setAttribute('aria-describedby', mark.id);
    row.append(side, combo, amount, remove, mark);
    return row;
  }

  function sectionOf(t) { return document.querySelector(`.practice-task[data-task="${t + 1}"]`); }

  function redrawTask(t) {
    const old = sectionOf(t);
    if (old) old.replaceWith(drawTask(ex.tasks[t], t));
  }

  function focusLine(t, i) {
    const rows = sectionOf(t).querySelectorAll('.practice-line:not(.head)');
    if (rows[i]) rows[i].querySelector('select').focus();
    else sectionOf(t).querySelector('.add-line').focus();
  }

  function addLine(t) {
    sheet[t].push({side: '', account: '', amount: ''});
    lastCheck = null;
    redrawTask(t);
    focusLine(t, sheet[t].length - 1);
    keepProgress(null);
  }

  function removeLine(t, i) {
    sheet[t].splice(i, 1);
    lastCheck = null;
    redrawTask(t);
    focusLine(t, i);
    keepProgress(null);
  }

  // ---- the account box: an ARIA combobox, as the keyword box is ----------

  function accountCombo(box) {
    const list = make('ul', 'completion');
    list.id = box.id + '-list';
    list.setAttribute('role', 'listbox');
    list.setAttribute('aria-label', T.account);
    list.hidden = true;
    box.setAttribute('role', 'combobox');
    box.setAttribute('aria-autocomplete', 'list');
    box.setAttribute('aria-expanded', 'false');
    box.setAttribute('aria-controls', list.id);
    const wrap = make('div', 'combo');
    wrap.append(box, list);
    let items = [], active = -1;
    const close = () => {
      list.hidden = true;
      box.setAttribute('aria-expanded', 'false');
      box.removeAttribute('aria-activedescendant');
      active = -1;
    };
    const markItem = (k) => {
      active = k;
      [...list.children].forEach((li, j) => li.setAttribute('aria-selected', String(j === k)));
      box.setAttribute('aria-activedescendant', list.children[k].id);
      list.children[k].scrollIntoView({block: 'nearest'});
    };
    const pick = (k) => {
      box.value = items[k];
      box.dispatchEvent(new Event('input'));
      close();
      box.focus();
    };
    box.addEventListener('input', (ev) => {
      if (!ev.isTrusted && list.hidden) return;
      items = box.value ? json('_kmPracticeComplete', box.value).slice(0, 50) : [];
      if (items.length === 1 && items[0] === box.value) items = [];
      list.replaceChildren(...items.map((s, k) => {
        const li = make('li', '', s);
        li.id = list.id + '-' + k;
        li.setAttribute('role', 'option');
        li.setAttribute('aria-selected', 'false');
        li.addEventListener('mousedown', (e) => e.preventDefault());
        li.addEventListener('click', () => pick(k));
        return li;
      }));
      active = -1;
      if (items.length) {
        list.hidden = false;
        box.setAttribute('aria-expanded', 'true');
      } else {
        close();
      }
    });
    box.addEventListener('keydown', (ev) => {
      if (list.hidden) {
        if (ev.key === 'Enter' && !ev.isComposing) {
          ev.preventDefault();
          box.closest('.practice-line').querySelector('input.amount').focus();
        }
        return;
      }
      if (ev.key === 'ArrowDown' || ev.key === 'ArrowUp') {
        ev.preventDefault();
        const n = items.length;
        markItem(ev.key === 'ArrowDown' ? (active + 1) % n : (active - 1 + n) % n);
      } else if (ev.key === 'Escape') {
        ev.preventDefault();
        ev.stopPropagation();
        close();
      } else if (ev.key === 'Enter' && !ev.isComposing) {
        ev.preventDefault();
        pick(active >= 0 ? active : 0);
      }
    });
    box.addEventListener('blur', close);
    return wrap;
  }

  // ---- 检查, 显示答案, 下一题 ------------------------------------------------

  // The sheet as the model reads it: lines split by U+001E, fields by U+001F.
  const clean = (s) => String(s).replace(/[\u001e\u001f]/g, ' ');
  function sheetText(lines) {
    const out = [];
    lines.forEach((task, t) => task.forEach((l) =>
      out.push([t + 1, clean(l.side), clean(l.account), clean(l.amount)].join('\u001f'))));
    return out.join('\u001e');
  }

  function checkSheet() {
    const r = json('_kmPracticeCheck', sheetText(sheet));
    if (!r) return;
    lastCheck = r;
    const told = [fill(T.score, {ok: r.ok, total: r.total}) + (r.full ? ' ' + T.full : '')];
    r.tasks.forEach((task, t) => {
      const section = sectionOf(t);
      const rows = [...section.querySelectorAll('.practice-line:not(.head)')];
      for (const row of rows) {
        row.className = 'practice-line';
        row.querySelector('.mark').textContent = '';
        for (const e of row.querySelectorAll('select, input')) e.removeAttribute('aria-invalid');
      }
      const said = [];
      let missing = 0;
      for (const m of task.marks) {
        if (m.verdict === 'missing') {
          missing++;
          continue;
        }
        const row = rows[m.line];
        if (!row) continue;
        row.classList.add('verdict-' + m.verdict);
        row.querySelector('.mark').textContent = m.text;
        if (m.verdict !== 'ok') {
          const wrong = m.verdict === 'side' ? 'select' : m.verdict === 'amount' ? 'input.amount' : 'select, input';
          for (const e of row.querySelectorAll(wrong)) e.setAttribute('aria-invalid', 'true');
        }
        said.push(fill(T.line, {n: m.line + 1}) + ' ' + m.text);
      }
      for (const p of task.problems) {
        const row = rows[p.line];
        if (!row) continue;
        row.classList.add('verdict-problem');
        row.querySelector('.mark').textContent = p.text;
        for (const e of row.querySelectorAll('select, input')) e.setAttribute('aria-invalid', 'true');
        said.push(fill(T.line, {n: p.line + 1}) + ' ' + p.text);
      }
      const missingLine = section.querySelector('.practice-missing');
      missingLine.hidden = !missing;
      missingLine.textContent = missing ? missingText(missing) : '';
      if (missing) said.push(missingLine.textContent);
      const hints = section.querySelector('.practice-hints');
      hints.replaceChildren(...task.hints.map((h) => make('li', '', h)));
      hints.hidden = !task.hints.length;
      hints.setAttribute('aria-label', T.hints);
      told.push(taskName(t) + '：' + [...said, ...task.hints].map((s) => s.replace(/。$/, '')).join('；') + '。');
    });
    $('practice-result').textContent = told.join(' ');
    keepProgress(r);
  }

  // How many of the key's lines are missing: the lines themselves stay for
  // 显示答案.
  const missingText = (n) => fill(T.missing, {n});

  function showKey() {
    const key = json('_kmPracticeKey');
    if (!key) return;
    const box = $('practice-key');
    box.replaceChildren(make('h3', '', T.key), ...keyTables(key));
    box.hidden = false;
    box.scrollIntoView({block: 'nearest'});
  }

  // A key as tables, one per task, and the rows the window prints.
  function keyTables(key) {
    const out = [];
    key.tasks.forEach((task, t) => {
      const table = make('table', 'key-table');
      table.append(make('caption', '', taskName(t) + (task.heading ? '　' + task.heading : '')));
      const head = make('tr');
      for (const h of [T.side, T.account, T.amount]) head.append(make('th', '', h));
      table.append(head);
      for (const e of task.key) {
        const tr = make('tr');
        tr.append(make('td', '', e.side), make('td', '', e.account), make('td', 'num', e.amount));
        table.append(tr);
      }
      out.push(table);
    });
    const printed = make('pre', 'key-printed', key.printed.join('\n'));
    out.push(printed);
    return out;
  }

  function nextExercise() {
    if (student && place) {
      const next = student.exercises.find((e) => e.place > place) || student.exercises[0];
      openPlace(next.place);
      return;
    }
    practise(ex.form, randomSeed(), ex.level);
  }

  // ---- class sets --------------------------------------------------------

  function openSet(setText, from) {
    const got = json('_kmSetOpen', setText);
    if (got.error) {
      page.message((from === 'link' ? T.badLink : '') + got.error);
      return false;
    }
    set = got;
    student = null;
    showSetPanel();
    return true;
  }

  function progressKey() { return 'progress:' + set.classCode + '/' + student.student; }

  function beginStudent(number) {
    const stored = storage.get('progress:' + set.classCode + '/' + number) || '';
    const got = json('_kmSetStudent', number, stored);
    if (!got) return false;
    if (got.error) {
      page.message(got.error);
      return false;
    }
    student = got;
    storage.set('last', JSON.stringify({set: set.text, student: number}));
    const first = student.exercises.find((e) => e.ok === undefined || e.ok !== e.total) || student.exercises[0];
    openPlace(first.place);
    return true;
  }

  function openPlace(p) {
    const e = student.exercises.find((x) => x.place === p);
    if (!e) return;
    practise(e.form, e.seed, e.level, p, e.sheet);
  }

  // Keeps the sheet of the exercise shown in the browser's storage; `result`
  // the check just made (null: the sheet changed since).
  function keepProgress(result) {
    if (!student || !place) return;
    const stored = page.withStrings([ex.level, sheetText(sheet)], (lvl, sh) =>
      page.readString(model()._kmSetKeep(place, lvl, sh, result ? result.ok : -1, result ? result.total : -1)));
    if (stored) storage.set(progressKey(), stored);
    const e = student.exercises.find((x) => x.place === place);
    if (e) {
      e.level = ex.level;
      e.sheet = sheet;
      if (result) {
        e.ok = result.ok;
        e.total = result.total;
      } else {
        delete e.ok;
        delete e.total;
      }
    }
    const bar = document.querySelector('.set-bar');
    if (bar) bar.replaceWith(drawSetBar());
  }

  function drawSetBar() {
    const nav = make('nav', 'set-bar');
    nav.setAttribute('aria-label', T.set);
    nav.append(make('p', 'set-title', fill(T.ofSet, {t: set.title, c: set.classCode, s: student.student})));
    const list = make('ol');
    for (const e of student.exercises) {
      const li = make('li');
      const score = e.ok !== undefined ? `${e.ok}/${e.total}` : T.notChecked;
      const b = button(fill(T.place, {p: e.place}) + ' ' + e.name + ' · ' + score, () => openPlace(e.place));
      if (e.place === place) b.setAttribute('aria-current', 'step');
      li.append(b);
      list.append(li);
    }
    // Back to the set's panel: another student number, the keys.
    nav.append(list, make('p', 'note', T.stored), button(T.set, showSetPanel));
    return nav;
  }

  function saveAnswers() {
    const script = text('_kmSetAnswers');
    const blob = new Blob([script], {type: 'text/plain;charset=utf-8'});
    const a = make('a');
    a.href = URL.createObjectURL(blob);
    a.download = `${set.classCode}-${student.student}.txt`.replace(/[\\/:*?"<>|]/g, '_');
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
  }

  // The set's panel: its title, the student number, the link, the keys.
  function showSetPanel() {
    ex = null;
    place = 0;
    page.redraw();
    document.body.classList.add('practising');
    const title = $('window-title');
    title.textContent = T.set + '：' + (set.title || set.classCode);
    document.title = title.textContent;
    const panel = make('section', 'set-panel');
    panel.id = 'set-panel';
    panel.setAttribute('aria-labelledby', 'window-title');

    const form = make('div', 'set-student');
    const label = make('label', '', T.student);
    const number = make('input');
    number.type = 'text';
    number.id = 'set-student';
    number.autocomplete = 'off';
    label.htmlFor = number.id;
    try { number.value = JSON.parse(storage.get('last') || '{}').student || ''; } catch (e) { /* none */ }
    const begin = button(T.begin, () => beginStudent(number.value.trim()), 'primary');
    number.addEventListener('keydown', (ev) => {
      if (ev.key === 'Enter' && !ev.isComposing) {
        ev.preventDefault();
        begin.click();
      }
    });
    form.append(label, number, begin);

    const link = make('div', 'set-link');
    const linkLabel = make('label', '', T.setLink);
    const linkBox = make('input');
    linkBox.type = 'text';
    linkBox.readOnly = true;
    linkBox.id = 'set-link';
    linkBox.value = setLink(set.text);
    linkLabel.htmlFor = linkBox.id;
    link.append(linkLabel, linkBox);

    const keys = make('div', 'set-keys');
    const keysLabel = make('label', '', T.students);
    const list = make('textarea');
    list.id = 'set-keys-students';
    list.rows = 4;
    keysLabel.htmlFor = list.id;
    keys.append(keysLabel, list, button(T.keys, () => printKeys(list.value)));
    panel.append(form, link, keys);
    $('layout').replaceChildren(panel);
    number.focus();
  }

  // Answer keys for a list of student numbers, on paper (the browser's
  // print, or its 另存为 PDF).
  function printKeys(numbers) {
    const keys = json('_kmSetKeys', numbers);
    if (!keys) return;
    let sheetBox = $('practice-keys');
    if (!sheetBox) {
      sheetBox = make('section', 'practice-keys');
      sheetBox.id = 'practice-keys';
      document.body.append(sheetBox);
    }
    sheetBox.replaceChildren();
    for (const s of keys.students) {
      const one = make('article', 'student-key');
      one.append(make('h2', '', (keys.title ? keys.title + '　' : '') + fill(T.keysFor, {s: s.student})));
      for (const e of s.exercises) {
        const part = make('section', 'exercise-key');
        part.append(make('h3', '', fill(T.place, {p: e.place}) + ' ' + e.name));
        if (e.figures) {
          const figs = make('p', 'figures', T.figures + '：' + e.figures.map((f) => `${f.label} ${f.value}`).join('；'));
          part.append(figs, ...keyTables(e.key).slice(0, -1));
        }
        one.append(part);
      }
      sheetBox.append(one);
    }
    if (keys.bad.length) page.message(T.student + '：' + keys.bad.join(' '));
    document.body.classList.add('printing-keys');
    page.datePage();
    window.print();
  }

  function chooseSetFile() {
    page.closeMenus();
    const input = make('input');
    input.type = 'file';
    input.accept = '.txt,text/plain';
    input.hidden = true;
    input.addEventListener('change', async () => {
      const file = input.files[0];
      input.remove();
      if (!file) return;
      const bytes = new Uint8Array(await file.arrayBuffer());
      let setText;
      try {
        setText = new TextDecoder('utf-8', {fatal: true}).decode(bytes);
      } catch (e) {
        setText = '\u0001';  // not UTF-8: the model names the line it cannot read
      }
      openSet(setText, 'file');
    });
    document.body.append(input);
    input.click();
  }

  // ---- the hooks into the page -------------------------------------------

  // The 练习 menu of the main window: the keyword box's window, a window
  // drawn at random from a menu group, a class set from a file.
  page.hooks.menu = (ul, def) => {
    if (def.name !== 'Form1') return;
    loadWords();
    const li = make('li', 'sub');
    const top = make('button', '', T.practise);
    top.type = 'button';
    top.setAttribute('aria-expanded', 'false');
    const sub = make('ul');
    sub.hidden = true;
    const item = (label, act) => {
      const i = make('li');
      i.append(button(label, act));
      return i;
    };
    sub.append(item(T.byKeyword, () => {
      const box = $('Form1-Text1');
      const form = box ? text('_kmPracticeFormFor', box.value.trim()) : '';
      if (form) practiseForm(form);
      else {
        page.closeMenus();
        page.message(T.noWindow);
      }
    }));
    const groups = make('li', 'sub');
    const groupsButton = make('button', '', T.drawFrom);
    groupsButton.type = 'button';
    groupsButton.setAttribute('aria-expanded', 'false');
    const groupList = make('ul');
    groupList.hidden = true;
    for (const g of json('_kmPracticeGroups')) {
      groupList.append(item(g.caption, () => {
        const a = new Uint32Array(1);
        crypto.getRandomValues(a);
        const form = page.readString(model()._kmPracticeFromGroup(g.index, a[0]));
        if (form) practiseForm(form);
      }));
    }
    groupsButton.addEventListener('click', () => {
      const open = groupsButton.getAttribute('aria-expanded') !== 'true';
      groupsButton.setAttribute('aria-expanded', String(open));
      groupList.hidden = !open;
    });
    groups.append(groupsButton, groupList);
    sub.append(groups, item(T.openSet, chooseSetFile));
    top.addEventListener('click', () => {
      const open = top.getAttribute('aria-expanded') !== 'true';
      if (open) page.closeMenus(false);  // one top-level menu at a time; the drawer stays
      top.setAttribute('aria-expanded', String(open));
      sub.hidden = !open;
    });
    li.append(top, sub);
    ul.append(li);
  };

  // 练习 beside 复制 (before it: 打印 stays the last) in every window that prints.
  page.hooks.bandTools = (tools, form) => {
    loadWords();
    tools.prepend(button(T.practise, () => practiseForm(form)));
  };

  page.hooks.keepHash = (hash) => (hash.startsWith('#practice=') ? hash : '');

  page.hooks.ready = () => {
    loadWords();
    window.addEventListener('afterprint', () => document.body.classList.remove('printing-keys'));
    window.addEventListener('hashchange', () => {
      if (location.hash.startsWith('#practice=')) fromHash(location.hash);
    });
    if (linkHash.startsWith('#practice=')) fromHash(linkHash);
  };

  // A link that carries a set: the set opens; the student last working on it
  // in this browser goes on where they left off.
  function fromHash(hash) {
    const setText = fromLink(hash.slice('#practice='.length));
    if (setText === null) {
      page.message(T.badLink + hash.slice(0, 40));
      return;
    }
    if (!openSet(setText, 'link')) return;
    let last = null;
    try { last = JSON.parse(storage.get('last') || 'null'); } catch (e) { last = null; }
    if (last && last.set === set.text && last.student) beginStudent(last.student);
  }
})();
