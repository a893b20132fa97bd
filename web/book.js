// Kelmora in a browser: the workbook.  记入凭证 from a window's printing
// band, and the 账簿 window with its vouchers, general ledger and trial
// balance.  The workbook is the desktop's SQLite file, kept by the model's
// own storage code in a second WebAssembly module (kelmora-book.wasm, loaded
// when the workbook is first needed); after every change the whole file is
// put into the browser's IndexedDB in one transaction, and only when that
// transaction has completed does the page say the change is done.  A change
// the browser does not store is taken back: the workbook is opened again
// from the bytes stored last.  Every figure and word comes from the models;
// this script lays them out.

window.KelmoraBook = (() => {
  'use strict';
  const DB = 'kelmora-book', STORE = 'files', KEY = 'current';
  const RS = '\x1e', FS = '\x1f';  // between records, between fields
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  let desk = null, page = null;  // the desktop's words, the page's own
  let book = null;                // the workbook module
  let idb = null;                 // the browser's database; null when refused
  let stored = null;              // what the browser holds: {name, bytes, version}
  let loading = null;
  let queue = Promise.resolve();  // changes, one after the other
  let undo = [];                  // deleted vouchers, the latest last
  let view = null;                // the 账簿 window, once made
  let ledgerAccount = '';

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
    if (onClick) b.addEventListener('click', onClick);
    return b;
  };
  const fill = (templ, ...args) => args.reduce((s, a, k) => s.replace('%' + (k + 1), a), templ);
  // What a user types cannot hold the separators of the records.
  const clean = (s) => s.replace(/[\x1e\x1f]/g, '');

  // ---- calling the workbook module ------------------------------------------

  function cstr(s) {
    const bytes = encoder.encode(s);
    const p = book._malloc(bytes.length + 1);
    book.HEAPU8.set(bytes, p);
    book.HEAPU8[p + bytes.length] = 0;
    return p;
  }
  function readString(p) {
    const heap = book.HEAPU8;
    let end = p;
    while (heap[end]) end++;
    return decoder.decode(heap.subarray(p, end));
  }
  // fn with its string arguments (numbers pass as they are); the reply parsed.
  function ask(fn, ...args) {
    const ptrs = [];
    const conv = args.map((a) => {
      if (typeof a !== 'string') return a;
      const p = cstr(a);
      ptrs.push(p);
      return p;
    });
    try {
      return JSON.parse(readString(book['_' + fn](...conv)));
    } finally {
      ptrs.forEach((p) => book._free(p));
    }
  }
  function loadBytes(name, bytes) {
    const p = book._malloc(Math.max(1, bytes.length));
    book.HEAPU8.set(bytes, p);
    const n = cstr(name);
    try {
      return JSON.parse(readString(book._kbLoad(n, p, bytes.length)));
    } finally {
      book._free(p);
      book._free(n);
    }
  }
  function fileBytes() {
    const p = book._kbBytes();
    return book.HEAPU8.slice(p, p + book._kbBytesSize());
  }
  const info = () => ask('kbInfo');

  // ---- the browser's storage ---------------------------------------------------

  function openDb() {
    return new Promise((resolve, reject) => {
      let req;
      try {
        req = indexedDB.open(DB, 1);
      } catch (e) {
        reject(e);
        return;
      }
      req.onupgradeneeded = () => req.result.createObjectStore(STORE);
      req.onsuccess = () => resolve(req.result);
      req.onerror = () => reject(req.error);
      req.onblocked = () => reject(new Error('blocked'));
    });
  }
  function readStored() {
    return new Promise((resolve, reject) => {
      const req = idb.transaction(STORE, 'readonly').objectStore(STORE).get(KEY);
      req.onsuccess = () => resolve(req.result || null);
      req.onerror = () => reject(req.error);
    });
  }
  const isFull = (e) => e && (e.name === 'QuotaExceededError' || /quota/i.test(e.message || ''));

  // Back to what the browser holds.
  function rollBack() {
    loadBytes(stored.name, stored.bytes);
  }

  // One change: in one IndexedDB transaction, what another tab stored since
  // is read in first, then the change is made in the model and the whole
  // file put back.  Resolves with the model's reply, or {error} when the
  // change could not be made or not be stored (the workbook then is as the
  // browser holds it).
  function change(run) {
    const next = queue.then(() => new Promise((resolve) => {
      if (!idb) {
        const reply = run();
        if (!reply.error) {
          rollBack();
          resolve({error: page.refused});
        } else {
          resolve(reply);
        }
        return;
      }
      let reply = null, pending = null, failed = null;
      let tx;
      try {
        tx = idb.transaction(STORE, 'readwrite', {durability: 'strict'});
      } catch (e) {
        resolve({error: page.refused});
        return;
      }
      const files = tx.objectStore(STORE);
      const got = files.get(KEY);
      got.onsuccess = () => {
        const now = got.result;
        if (now && now.version !== stored.version) {
          // Another tab stored a change: it is the workbook now.
          if (!loadBytes(now.name, now.bytes).error) stored = now;
        }
        try {
          reply = run();
        } catch (e) {
          reply = {error: String(e)};
        }
        if (reply.error) {
          tx.abort();
          return;
        }
        const i = info();
        pending = {name: i.name, bytes: fileBytes(), version: (stored.version || 0) + 1};
        try {
          files.put(pending, KEY);
        } catch (e) {
          failed = e;
          tx.abort();
        }
      };
      tx.oncomplete = () => {
        stored = pending;
        resolve(reply);
      };
      tx.onabort = () => {
        if (reply && !reply.error) {
          const why = failed || tx.error;
          rollBack();
          reply = {error: isFull(why) ? page.full : page.refused};
        }
        resolve(reply || {error: page.refused});
      };
    }));
    queue = next.catch(() => {});
    return next;
  }

  // ---- loading: the module, the stored workbook ---------------------------------

  function loadScript(src) {
    return new Promise((resolve, reject) => {
      const s = document.createElement('script');
      s.src = src;
      s.onload = resolve;
      s.onerror = () => reject(new Error(src));
      document.head.append(s);
    });
  }

  function ready() {
    if (!loading) {
      loading = (async () => {
        const css = document.createElement('link');
        css.rel = 'stylesheet';
        css.href = 'book.css';
        document.head.append(css);
        await loadScript('kelmora-book.js');
        book = await window.KelmoraBookModule({locateFile: (p) => p});
        try {
          idb = await openDb();
        } catch (e) {
          idb = null;
        }
        if (navigator.storage && navigator.storage.persist) navigator.storage.persist().catch(() => {});
        let record = null;
        if (idb) {
          try {
            record = await readStored();
          } catch (e) {
            record = null;
          }
        }
        if (record) {
          const r = loadBytes(record.name, record.bytes);
          if (r.error) {
            tell(r.error);
            loadBytes(desk.defaultFile, new Uint8Array(0));
          }
          stored = r.error ? {name: info().name, bytes: fileBytes(), version: record.version} : record;
        } else {
          loadBytes(desk.defaultFile, new Uint8Array(0));
          stored = {name: info().name, bytes: fileBytes(), version: 0};
        }
        if (!idb) tell(page.notKept);
        document.body.dataset.book = 'ready';
      })();
      loading.catch((e) => {
        loading = null;
        tell(fill(page.loadFailed, e.message || String(e)));
      });
    }
    return loading;
  }

  // ---- messages and the status line -----------------------------------------------

  function messageDialog() {
    let d = $('book-message');
    if (d) return d;
    d = make('dialog', 'book-dialog book-small');
    d.id = 'book-message';
    d.setAttribute('aria-labelledby', 'book-message-title');
    d.setAttribute('aria-describedby', 'book-message-text');
    const h = make('h2', '', 'Kelmora');
    h.id = 'book-message-title';
    const p = make('p', 'book-message-text');
    p.id = 'book-message-text';
    const row = make('div', 'dialog-buttons');
    d.append(h, p, row);
    document.body.append(d);
    return d;
  }

  // A message with an OK button; resolves when it is closed.
  function tell(text) {
    return choose(text, [[KelmoraPage.texts().ok, true]]);
  }

  // A question: resolves with the value of the button pressed (false for Escape).
  function choose(text, buttons) {
    const d = messageDialog();
    return new Promise((resolve) => {
      const done = (v) => {
        d.close();
        resolve(v);
      };
      $('book-message-text').textContent = text;
      const row = d.querySelector('.dialog-buttons');
      row.replaceChildren(...buttons.map(([caption, value]) => button(caption, () => done(value))));
      d.oncancel = (ev) => {
        ev.preventDefault();
        done(false);
      };
      d.showModal();
      row.firstChild.focus();
    });
  }

  // Said where a screen reader hears it: the 账簿 window's status line while
  // it is open, the page's otherwise.
  function announce(text) {
    const inView = view && view.dialog.open;
    const line = inView ? view.status : $('book-status');
    line.textContent = '';
    // A new text each time, so that the same words are spoken again.
    requestAnimationFrame(() => { line.textContent = text; });
    if (!inView) $('book-status').hidden = false;
  }

  // ---- 记入凭证 ------------------------------------------------------------------

  async function post(form) {
    await ready();
    const def = KelmoraPage.window(form);
    if (!def) return;
    const records = def.rows.map((r) => (Array.isArray(r) ? ['A', r[0], r[1]] : ['T', r]).join(FS)).join(RS);
    const blocks = ask('kbBlocks', records);
    const d = make('dialog', 'book-dialog book-post');
    d.id = 'book-post';
    const title = make('h2', '', fill(desk.postTitle, def.caption));
    title.id = 'book-post-title';
    d.setAttribute('aria-labelledby', title.id);
    const top = make('div', 'book-form');
    const dateLabel = make('label', '', desk.date);
    const date = make('input');
    date.type = 'date';
    date.id = 'book-post-date';
    date.required = true;
    date.value = ask('kbToday');
    dateLabel.htmlFor = date.id;
    const whereLabel = make('span', '', desk.book);
    const where = make('span', 'book-where', info().name);
    top.append(dateLabel, date, whereLabel, where);
    const list = make('div', 'book-blocks');
    const parts = blocks.map((b) => {
      const k = b.number;
      const box = make('fieldset', 'book-block');
      box.id = 'book-block' + k;
      const legend = make('legend');
      const chosen = make('input');
      chosen.type = 'checkbox';
      chosen.checked = true;
      chosen.id = 'book-chosen' + k;
      const chosenLabel = make('label', '', `${k}. ${b.heading || desk.untitled}`);
      chosenLabel.htmlFor = chosen.id;
      legend.append(chosen, chosenLabel);
      const grid = make('div', 'book-rows');
      const sumLabel = make('label', 'book-sum-label', desk.summary);
      const summary = make('input', 'book-summary');
      summary.type = 'text';
      summary.id = 'book-summary' + k;
      summary.value = b.heading;
      sumLabel.htmlFor = summary.id;
      grid.append(sumLabel, summary);
      const rows = b.rows.map((r, j) => {
        const side = make('select', 'book-side');
        side.id = `book-side${k}_${j + 1}`;
        desk.sides.forEach((s, i) => {
          const o = make('option', '', s);
          o.value = String(i);
          side.append(o);
        });
        side.value = String(r.side);
        side.title = desk.sideTip;
        const account = make('span', 'book-account', r.account);
        account.id = `book-account${k}_${j + 1}`;
        side.setAttribute('aria-label', `${r.account} ${desk.sideTip}`);
        const amount = make('input', 'book-amount');
        amount.type = 'text';
        amount.inputMode = 'decimal';
        amount.id = `book-amount${k}_${j + 1}`;
        amount.value = r.amount;
        amount.placeholder = desk.notPosted;
        amount.setAttribute('aria-labelledby', account.id);
        const label = make('label', 'offscreen', r.account);
        label.htmlFor = amount.id;
        grid.append(side, account, amount, label);
        side.addEventListener('change', update);
        amount.addEventListener('input', update);
        return {side, account: r.account, amount};
      });
      const status = make('p', 'book-block-status');
      status.id = 'book-status' + k;
      box.append(legend, grid, status);
      chosen.addEventListener('change', update);
      list.append(box);
      return {box, chosen, summary, rows, status};
    });
    if (!blocks.length) list.append(make('p', '', desk.nothingPrinted));
    const hint = make('p', 'book-hint');
    hint.id = 'book-hint';
    hint.setAttribute('aria-live', 'polite');
    const postButton = button(desk.post, () => accept());
    postButton.id = 'book-post-button';
    const buttons = make('div', 'dialog-buttons');
    buttons.append(postButton, button(desk.cancel, () => d.close()));
    d.append(title, top, list, hint, buttons);
    document.body.append(d);
    d.addEventListener('close', () => d.remove());

    const rowsOf = (p) => p.rows.map((r) => [r.side.value, r.account, clean(r.amount.value)].join(FS)).join(RS);
    function update() {
      let chosen = 0;
      const wrong = [];
      for (const [i, p] of parts.entries()) {
        const c = ask('kbCheck', rowsOf(p));
        p.status.textContent = c.status;
        p.status.classList.toggle('bad', c.problem);
        p.box.classList.toggle('bad', c.problem);
        p.box.classList.toggle('off', !p.chosen.checked);
        if (!p.chosen.checked) continue;
        chosen++;
        if (c.problem) wrong.push(String(i + 1));
      }
      postButton.disabled = !(chosen > 0 && !wrong.length);
      hint.textContent = wrong.length ? fill(desk.wrongBlocks, wrong.join(desk.listSep))
        : chosen === 0 ? desk.noneChosen : fill(desk.chosen, chosen);
      return wrong;
    }

    async function accept() {
      if (update().length || postButton.disabled) return;
      if (!date.value) {
        date.focus();
        return;
      }
      const input = [date.value];
      for (const p of parts) {
        if (!p.chosen.checked) continue;
        input.push(['B', clean(p.summary.value)].join(FS), rowsOf(p));
      }
      postButton.disabled = true;
      const reply = await change(() => ask('kbPost', input.join(RS)));
      if (reply.error) {
        await tell(reply.error);
        update();
        return;
      }
      d.close();
      announce(reply.text);
      refresh();
    }

    update();
    d.showModal();
    // The first block that needs mending is brought into view.
    const bad = parts.find((p) => p.box.classList.contains('bad'));
    if (bad) bad.box.scrollIntoView({block: 'nearest'});
    date.focus();
  }

  // ---- the 账簿 window ----------------------------------------------------------

  const TABS = ['vouchers', 'ledger', 'trial'];

  // A table; on a phone its rows stand as cards, each figure under its
  // column's head (the roles keep it a table for a screen reader).
  function table(cls, heads, numeric) {
    const wrap = make('div', 'book-table-wrap');
    const t = make('table', 'book-table book-stack ' + cls);
    t.setAttribute('role', 'table');
    const head = make('thead');
    head.setAttribute('role', 'rowgroup');
    const tr = make('tr');
    tr.setAttribute('role', 'row');
    heads.forEach((h, i) => {
      const th = make('th', numeric.includes(i) ? 'num' : '', h);
      th.scope = 'col';
      th.setAttribute('role', 'columnheader');
      tr.append(th);
    });
    head.append(tr);
    const body = make('tbody');
    body.setAttribute('role', 'rowgroup');
    body.dataset.heads = JSON.stringify(heads);
    t.append(head, body);
    wrap.append(t);
    return {wrap, table: t, body, heads};
  }

  // words: the columns of a balance's side, which stand beside their head on a phone.
  function row(cells, numeric, cls, heads, words = []) {
    const tr = make('tr', cls);
    tr.setAttribute('role', 'row');
    cells.forEach((c, i) => {
      const td = make('td', numeric.includes(i) ? 'num' : '', c);
      td.setAttribute('role', 'cell');
      if (heads && heads[i]) td.dataset.head = heads[i];
      if (words.includes(i)) td.classList.add('book-word');
      tr.append(td);
    });
    return tr;
  }

  function makeView() {
    const d = make('dialog', 'book-dialog book-view');
    d.id = 'book-view';
    const title = make('h2', 'book-title');
    title.id = 'book-view-title';
    d.setAttribute('aria-labelledby', title.id);
    const tools = make('div', 'book-tools');
    const fileInput = make('input');
    fileInput.type = 'file';
    fileInput.hidden = true;
    fileInput.id = 'book-file';
    fileInput.addEventListener('change', () => {
      const f = fileInput.files[0];
      fileInput.value = '';
      if (f) openFile(f);
    });
    tools.append(
      button(desk.menuOpen, () => fileInput.click()),
      button(desk.exportBook, exportBook),
      button(fill(desk.exportCsv, desk.vouchersWord), () => exportCsv(0)),
      button(fill(desk.exportCsv, desk.trialWord), () => exportCsv(1)),
      button(fill(desk.printWhat, desk.vouchersWord), () => print(0)),
      button(fill(desk.printWhat, desk.trialWord), () => print(1)),
      fileInput);
    const tabs = make('div', 'book-tabs');
    tabs.setAttribute('role', 'tablist');
    const panels = {};
    const tabButtons = {};
    [desk.vouchersTab, desk.ledgerTab, desk.trialTab].forEach((caption, i) => {
      const name = TABS[i];
      const b = button(caption, () => show(name));
      b.id = 'book-tab-' + name;
      b.setAttribute('role', 'tab');
      b.setAttribute('aria-controls', 'book-panel-' + name);
      b.addEventListener('keydown', (ev) => {
        if (ev.key !== 'ArrowRight' && ev.key !== 'ArrowLeft') return;
        const k = (i + (ev.key === 'ArrowRight' ? 1 : TABS.length - 1)) % TABS.length;
        show(TABS[k]);
        tabButtons[TABS[k]].focus();
      });
      tabButtons[name] = b;
      tabs.append(b);
      const p = make('section', 'book-panel');
      p.id = 'book-panel-' + name;
      p.setAttribute('role', 'tabpanel');
      p.setAttribute('aria-labelledby', b.id);
      panels[name] = p;
    });

    // 凭证, with 删除 on each and 撤销 below
    const vouchers = table('book-vouchers', [...desk.voucherHeads, desk.deleteVoucher], [3, 4]);
    vouchers.table.querySelector('th:last-child').classList.add('book-actions');
    const undoButton = button(desk.undo, undoDelete);
    undoButton.id = 'book-undo';
    const vouchersRow = make('div', 'book-buttons');
    vouchersRow.append(undoButton);
    panels.vouchers.append(vouchers.wrap, vouchersRow);

    // 总账, an account's ledger beneath
    const accounts = table('book-accounts', desk.accountHeads, [2, 3, 4, 6]);
    const openingButton = button(desk.openingButton, () => editOpening(ledgerAccount.split('-')[0]));
    openingButton.id = 'book-opening';
    const accountsRow = make('div', 'book-buttons');
    accountsRow.append(openingButton);
    const ledgerTitle = make('h3', 'book-ledger-title', page.ledgerHint);
    ledgerTitle.id = 'book-ledger-title';
    const ledger = table('book-ledger', desk.ledgerHeads, [3, 4, 6]);
    ledger.table.setAttribute('aria-labelledby', ledgerTitle.id);
    panels.ledger.append(accounts.wrap, accountsRow, ledgerTitle, ledger.wrap);

    // 试算平衡表
    const trial = table('book-trial', desk.trialHeads, [1, 2, 3, 4, 5, 6]);
    const verdict = make('p', 'book-verdict');
    verdict.id = 'book-verdict';
    panels.trial.append(trial.wrap, verdict);

    const status = make('p', 'book-status-line');
    status.setAttribute('role', 'status');
    const where = make('p', 'book-where-line');
    const close = button(desk.close, () => d.close());
    close.id = 'book-close';
    const bottom = make('div', 'dialog-buttons');
    bottom.append(close);
    d.append(title, tools, tabs, ...Object.values(panels), status, where, bottom);
    document.body.append(d);
    view = {dialog: d, title, tabs: tabButtons, panels, vouchers, undoButton, accounts, ledger, ledgerTitle, trial, verdict,
      status, where, current: 'vouchers'};
  }

  function show(name) {
    view.current = name;
    for (const t of TABS) {
      view.tabs[t].setAttribute('aria-selected', String(t === name));
      view.tabs[t].tabIndex = t === name ? 0 : -1;
      view.panels[t].hidden = t !== name;
    }
  }

  async function open(tab) {
    await ready();
    if (!view) makeView();
    show(tab || view.current);
    refresh();
    if (!view.dialog.open) view.dialog.showModal();
    view.tabs[view.current].focus();
  }

  function refresh() {
    if (!view) return;
    const i = info();
    view.title.textContent = fill(desk.windowTitle, i.name);
    view.where.textContent = fill(page.where, i.name);
    fillVouchers();
    fillAccounts();
    fillLedger();
    fillTrial();
    view.undoButton.disabled = !undo.length;
  }

  function fillVouchers() {
    const rows = [];
    for (const v of ask('kbVouchers')) {
      const head = row(v.cells, [3, 4], 'book-voucher', view.vouchers.heads);
      head.id = 'book-v' + v.number;
      head.dataset.voucher = String(v.number);
      const del = button(desk.delete, () => deleteVoucher(v.number));
      del.setAttribute('aria-label', `${desk.delete} ${v.cells[0]}`);
      const cell = make('td', 'book-actions');
      cell.setAttribute('role', 'cell');
      cell.append(del);
      head.append(cell);
      rows.push(head);
      for (const l of v.lines) {
        const tr = row(l.cells, [3, 4], l.side === 1 ? 'book-line credit' : 'book-line', view.vouchers.heads);
        const none = make('td', 'book-actions');
        none.setAttribute('role', 'cell');
        tr.append(none);
        rows.push(tr);
      }
    }
    view.vouchers.body.replaceChildren(...rows);
  }

  function fillAccounts() {
    const rows = [];
    const link = (tr, account) => {
      const b = button(account, () => {
        ledgerAccount = account;
        fillLedger();
        view.ledgerTitle.scrollIntoView({block: 'nearest'});
      }, 'book-link');
      tr.firstChild.replaceChildren(b);
    };
    for (const a of ask('kbAccounts')) {
      const tr = row(a.cells, [2, 3, 4, 6], 'book-account-row', view.accounts.heads, [1, 5]);
      link(tr, a.account);
      rows.push(tr);
      for (const s of a.subs) {
        const sub = row(s.cells, [2, 3, 4, 6], 'book-sub', view.accounts.heads, [1, 5]);
        link(sub, s.account);
        rows.push(sub);
      }
    }
    view.accounts.body.replaceChildren(...rows);
  }

  function fillLedger() {
    if (!ledgerAccount) {
      view.ledgerTitle.textContent = page.ledgerHint;
      view.ledger.wrap.hidden = true;
      return;
    }
    view.ledgerTitle.textContent = fill(desk.ledgerTitle, ledgerAccount);
    view.ledger.wrap.hidden = false;
    const rows = ask('kbLedger', ledgerAccount);
    view.ledger.body.replaceChildren(...(rows.error ? [] : rows).map((r) => {
      const tr = row(r.cells, [3, 4, 6], '', view.ledger.heads, [5]);
      if (r.voucher) {
        const b = button(r.cells[0], () => toVoucher(r.voucher), 'book-link');
        tr.firstChild.replaceChildren(b);
      }
      return tr;
    }));
  }

  // From a ledger row to its voucher, in the list of vouchers.
  function toVoucher(n) {
    show('vouchers');
    const tr = $('book-v' + n);
    if (!tr) return;
    for (const e of view.vouchers.body.querySelectorAll('.chosen')) e.classList.remove('chosen');
    tr.classList.add('chosen');
    tr.scrollIntoView({block: 'start'});
    tr.querySelector('button').focus();
  }

  function fillTrial() {
    const t = ask('kbTrial');
    if (t.error) {
      view.trial.body.replaceChildren();
      view.verdict.textContent = t.error;
      return;
    }
    const numeric = [1, 2, 3, 4, 5, 6];
    const heads = view.trial.heads;
    view.trial.body.replaceChildren(...t.rows.map((r) => row(r, numeric, '', heads)), row(t.total, numeric, 'book-total', heads));
    view.verdict.textContent = t.balanced ? desk.balancedWord : desk.unbalancedWord;
    view.verdict.classList.toggle('bad', !t.balanced);
  }

  async function deleteVoucher(n) {
    const reply = await change(() => ask('kbDelete', n));
    if (reply.error) {
      await tell(reply.error);
    } else {
      undo.push(reply.voucher);
      announce(fill(page.deleted, reply.name));
    }
    refresh();
  }

  async function undoDelete() {
    if (!undo.length) return;
    const v = undo[undo.length - 1];
    const reply = await change(() => ask('kbRestore', v));
    if (reply.error) {
      await tell(reply.error);
    } else {
      undo.pop();
      announce(fill(page.restored, reply.name));
    }
    refresh();
  }

  // 期初余额: a first-level account, its side and amount.
  function editOpening(account) {
    const d = make('dialog', 'book-dialog book-small');
    d.id = 'book-opening-dialog';
    const title = make('h2', '', desk.openingTitle);
    title.id = 'book-opening-title';
    d.setAttribute('aria-labelledby', title.id);
    const form = make('div', 'book-form');
    const field = (caption, input) => {
      const l = make('label', '', caption);
      l.htmlFor = input.id;
      form.append(l, input);
    };
    const name = make('input');
    name.type = 'text';
    name.id = 'book-opening-account';
    name.value = account || '';
    const names = make('datalist');
    names.id = 'book-opening-accounts';
    const trial = ask('kbTrial');
    for (const r of trial.rows || []) names.append(make('option', '', r[0]));
    name.setAttribute('list', names.id);
    const side = make('select');
    side.id = 'book-opening-side';
    desk.sides.slice(0, 2).forEach((s, i) => {
      const o = make('option', '', s);
      o.value = String(i);
      side.append(o);
    });
    const amount = make('input');
    amount.type = 'text';
    amount.inputMode = 'decimal';
    amount.id = 'book-opening-amount';
    amount.classList.add('book-amount');
    const current = () => {
      const c = ask('kbOpeningOf', clean(name.value.trim()));
      side.value = String(c.side);
      amount.value = c.amount;
    };
    current();
    // As the account is typed, its balance as it stands now.
    name.addEventListener('input', current);
    field(desk.firstLevel, name);
    field(desk.direction, side);
    field(desk.amount, amount);
    const ok = button(desk.ok, async () => {
      const reply = await change(() => ask('kbOpening', clean(name.value), Number(side.value), clean(amount.value)));
      if (reply.error) {
        await tell(reply.error);
        return;
      }
      d.close();
      announce(fill(page.openingSet, reply.text));
      refresh();
    });
    ok.id = 'book-opening-ok';
    const buttons = make('div', 'dialog-buttons');
    buttons.append(ok, button(desk.cancel, () => d.close()));
    d.append(title, form, names, buttons);
    document.body.append(d);
    d.addEventListener('close', () => d.remove());
    d.showModal();
    name.focus();
  }

  // ---- files: 打开账簿, 导出账簿, CSV, printing -------------------------------------

  function download(name, bytes, type) {
    const url = URL.createObjectURL(new Blob([bytes], {type}));
    const a = make('a');
    a.href = url;
    a.download = name;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  function exportBook() {
    download(info().name, fileBytes(), 'application/vnd.sqlite3');
  }

  function exportCsv(trial) {
    // The text as the model wrote it, byte-order mark included.
    const p = book._kbCsv(trial);
    let end = p;
    while (book.HEAPU8[end]) end++;
    download((trial ? desk.trialWord : desk.vouchersWord) + '.csv', book.HEAPU8.slice(p, end), 'text/csv;charset=utf-8');
  }

  async function openFile(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    const i = info();
    const yes = await choose(fill(page.replace, file.name, i.name, String(i.vouchers)),
      [[page.replaceButton, true], [desk.cancel, false]]);
    if (!yes) return;
    const reply = await change(() => loadBytes(file.name, bytes));
    if (reply.error) {
      await tell(reply.error);
    } else {
      undo = [];
      ledgerAccount = '';
      announce(fill(page.opened, reply.info.name, String(reply.info.vouchers)));
    }
    refresh();
  }

  // On paper: the vouchers or the trial balance alone, under its title and the date.
  function print(trial) {
    let sheet = $('book-print');
    if (!sheet) {
      sheet = make('section');
      sheet.id = 'book-print';
      document.body.append(sheet);
    }
    const h = make('h1', '', trial ? desk.trialPrintTitle : desk.vouchersPrintTitle);
    const date = make('p', 'book-print-date', KelmoraPage.printDate());
    let t;
    if (trial) {
      const tb = ask('kbTrial');
      t = table('', desk.trialHeads, [1, 2, 3, 4, 5, 6]);
      t.body.append(...(tb.rows || []).map((r) => row(r, [1, 2, 3, 4, 5, 6])), row(tb.total || [], [1, 2, 3, 4, 5, 6], 'book-total'));
      sheet.replaceChildren(h, date, t.wrap, make('p', 'book-verdict', tb.balanced ? desk.balancedWord : desk.unbalancedWord));
    } else {
      t = table('', desk.voucherHeads, [3, 4]);
      for (const v of ask('kbVouchers')) {
        t.body.append(row(v.cells, [3, 4], 'book-voucher'));
        for (const l of v.lines) t.body.append(row(l.cells, [3, 4], 'book-line'));
      }
      sheet.replaceChildren(h, date, t.wrap);
    }
    document.body.classList.add('printing-book');
    window.addEventListener('afterprint', () => document.body.classList.remove('printing-book'), {once: true});
    window.print();
  }

  // ---- what the page's windows get -------------------------------------------------

  // The 账簿 menu at the end of a window's menu bar, as on the desktop.
  function menu() {
    return {caption: desk.title, children: [
      {caption: desk.menuViews, run: () => open()},
      {caption: desk.menuOpen, run: async () => {
        await open();
        $('book-file').click();
      }},
    ]};
  }

  // 记入凭证… in a printing band's tools.
  function postButton(form) {
    const b = button(desk.postAction, () => post(form));
    b.classList.add('book-post-button');
    return b;
  }

  function attach() {
    desk = KelmoraPage.texts().book.desk;
    page = KelmoraPage.texts().book.page;
    const line = make('p', 'book-status');
    line.id = 'book-status';
    line.setAttribute('role', 'status');
    line.hidden = true;
    document.body.append(line);
    // Ctrl+J anywhere in a window that prints: 记入凭证.
    document.addEventListener('keydown', (ev) => {
      if (ev.key !== 'j' && ev.key !== 'J') return;
      if (!ev.ctrlKey || ev.altKey || ev.metaKey || document.querySelector('dialog[open]')) return;
      const form = KelmoraPage.front();
      if (!document.querySelector('#layout .band')) return;
      ev.preventDefault();
      post(form);
    });
  }

  return {attach, menu, postButton, open, post, ready, _change: change};
})();
