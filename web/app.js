// Kelmora in a browser: draws the model's windows and hands it the user's
// typing and clicks.  Every figure, label and message comes from the model
// (kelmora.wasm); this script only builds elements from a window's
// description and shows the events the model reports.  Text from the model
// or the user is only ever set as text.
'use strict';

(() => {
  let model = null;       // the WebAssembly module
  let texts = {};         // the page's own words, from the model
  let front = 'Form1';    // the window in front, the one drawn
  let shown = [];         // visible windows, the latest shown last
  let current = null;     // the drawn window: {name, def, boxes, band, ...}
  const dialogs = [];     // message boxes waiting their turn
  const hooks = {};       // what other parts of the page add (practice.js)
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();

  const $ = (id) => document.getElementById(id);
  const make = (tag, cls, text) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined) e.textContent = text;
    return e;
  };

  // ---- calling the model --------------------------------------------------

  // Names (of windows, controls, menu paths) go to the model as strings
  // ended by a NUL.
  function withStrings(strings, call) {
    const ptrs = strings.map((s) => {
      const bytes = encoder.encode(s);
      const p = model._malloc(bytes.length + 1);
      model.HEAPU8.set(bytes, p);
      model.HEAPU8[p + bytes.length] = 0;
      return p;
    });
    try {
      return call(...ptrs);
    } finally {
      ptrs.forEach((p) => model._free(p));
    }
  }

  // What the user typed goes with its length: a NUL pasted into a box is
  // part of its text, for the model as for the page.
  function withText(names, text, call) {
    return withStrings([...names, text], (...ptrs) => call(...ptrs, encoder.encode(text).length));
  }

  // What the model answers, whole: its length comes from the model.
  function readString(p) {
    return decoder.decode(model.HEAPU8.subarray(p, p + model._kmReplyLength()));
  }

  const call = (fn, ...strings) => readString(withStrings(strings, fn));
  const callJson = (fn, ...strings) => JSON.parse(call(fn, ...strings));
  const typeText = (form, name, text) => withText([form, name], text, model._kmType);

  // ---- events -------------------------------------------------------------

  // Plays the events of one call in order.  `how`: 'push' to make a newly
  // shown window a page of the history, 'replace' to take the current entry.
  function play(events, how = 'push') {
    let newFront = front;
    for (const ev of events) {
      switch (ev.t) {
        case 'show':
          shown = shown.filter((f) => f !== ev.form);
          shown.push(ev.form);
          newFront = ev.form;
          break;
        case 'hide':
          shown = shown.filter((f) => f !== ev.form);
          if (newFront === ev.form) newFront = shown.length ? shown[shown.length - 1] : 'Form1';
          break;
        case 'text':
          if (current && current.name === ev.form) {
            const box = current.boxes.get(ev.box);
            if (box && box.value !== ev.value) box.value = ev.value;
          }
          break;
        case 'rows':
          if (current && current.name === ev.form) setRows(ev.from, ev.rows);
          break;
        case 'msgbox':
        case 'failure':
        case 'error':
          dialogs.push({kind: ev.t, text: ev.text});
          break;
        case 'quit':
          // The program ended: it starts again, as a program started anew.
          shown = [];
          current = null;
          play(JSON.parse(readString(model._kmStart())), 'replace');
          newFront = front;
          break;
      }
    }
    if (!current || newFront !== current.name) {
      front = newFront;
      draw(front);
      const hash = addressOf(front);
      if (how === 'push') history.pushState({form: front}, '', hash);
      else if (how === 'replace') history.replaceState({form: front}, '', hash);
    }
    nextDialog();
  }

  function nextDialog() {
    const dlg = $('dialog');
    if (dlg.open || !dialogs.length) return;
    const next = dialogs.shift();
    $('dialog-text').textContent = next.text;
    dlg.dataset.kind = next.kind;
    dlg.showModal();
    $('dialog-ok').focus();
  }

  function click(form, control) {
    play(callJson(model._kmClick, form, control));
  }

  // ---- drawing a window from its description ------------------------------

  function draw(form) {
    const def = callJson(model._kmWindow, form);
    if (def) drawDef(def);
  }

  // Draws a window from its description (the model's window, or a copy of
  // it such as a practice exercise's).
  function drawDef(def) {
    current = {name: def.name, def, boxes: new Map(), band: null, ids: 0, lastLabel: null, unlabelled: []};
    const title = $('window-title');
    title.textContent = def.caption;
    title.dataset.form = def.name;
    // The tab goes by the name a person knows the window by; the main
    // window's by the program's.
    document.title = def.name === 'Form1' ? texts.title : def.shortName + ' — ' + texts.title;
    drawMenu(def);

    const layout = $('layout');
    const win = make('div', 'win');
    win.classList.toggle('with-band', def.prints);
    // Statements are wide: their band goes above them.
    win.classList.toggle('wide', hasNode(def.area, 'statement'));
    const area = make('div', 'area stack');
    area.append(...nodeChildren(def.area));
    win.append(area);
    if (def.lowerLeft.children && def.lowerLeft.children.length) {
      const lower = make('div', 'lower stack');
      lower.append(...nodeChildren(def.lowerLeft));
      win.append(lower);
    }
    if (def.prints) win.append(drawBand(def));
    layout.replaceChildren(win);
    tieLabels(win);
    if (def.prints) setRows(0, def.rows);

    const first = layout.querySelector('input') || layout.querySelector('button');
    if (first) first.focus({preventScroll: true});
    window.scrollTo(0, 0);
  }

  const hasNode = (node, kind) => node.kind === kind || (node.children || []).some((n) => hasNode(n, kind));

  const nextId = () => current.name + '-' + (++current.ids);

  function nodeChildren(node) {
    return (node.children || []).map(drawNode).filter(Boolean);
  }

  function control(i) { return current.def.controls[i]; }

  function drawNode(node) {
    const c = node.controls;
    switch (node.kind) {
      case 'stack': {
        const e = make('div', 'stack');
        e.append(...nodeChildren(node));
        return e;
      }
      case 'columns': {
        const e = make('div', 'columns');
        e.append(...nodeChildren(node));
        return e;
      }
      case 'frame': {
        const e = make('fieldset', 'frame');
        e.append(make('legend', '', control(c[0]).text), ...nodeChildren(node));
        return e;
      }
      case 'heading':
      case 'title': {
        const e = make('h2', node.kind, control(c[0]).text);
        e.id = nextId();
        current.lastLabel = e.id;
        return e;
      }
      case 'line': {
        const e = make('p', 'line', control(c[0]).text);
        e.id = nextId();
        current.lastLabel = e.id;
        return e;
      }
      case 'field': {
        const e = make('div', 'field');
        const box = drawBox(c[1]);
        const label = c[0] >= 0 ? control(c[0]).text : '';
        if (label) {
          const l = make('label', '', label);
          l.htmlFor = box.id;
          e.append(l);
        } else {
          e.classList.add('bare');
          labelledBy(box, current.lastLabel ? [current.lastLabel] : ['window-title']);
        }
        e.append(box.wrap || box);
        return e;
      }
      case 'buttons': {
        const e = make('div', 'buttons');
        for (const i of c) e.append(drawButton(i));
        return e;
      }
      case 'choice': {
        const e = make('div', 'choice');
        const b = drawButton(c[0]);
        const note = make('span', 'note', control(c[1]).text);
        note.id = nextId();
        b.setAttribute('aria-describedby', note.id);
        e.append(b, note);
        return e;
      }
      case 'grid': return drawGrid(node, false);
      case 'statement': return drawGrid(node, true);
      case 'gap': return make('div', 'gap');
      case 'blank':
      case 'frametop': return make('div', 'spacer');
    }
    return null;
  }

  // A box without a label of its own is named by what stands for it (a
  // heading, the boxes naming its row and column), live as those change.  A
  // <label for> with their text as the window opens ties it to them for
  // whatever reads labels only.
  function labelledBy(box, ids) {
    box.setAttribute('aria-labelledby', ids.join(' '));
    current.unlabelled.push([box, ids]);
  }

  function tieLabels(win) {
    const labels = make('div', 'labels');
    labels.hidden = true;
    for (const [box, ids] of current.unlabelled) {
      const text = ids.map((id) => {
        const e = document.getElementById(id);
        return e ? (e.tagName === 'INPUT' ? e.value : e.textContent) : '';
      }).join(' ');
      const l = make('label', '', text);
      l.htmlFor = box.id;
      labels.append(l);
    }
    win.append(labels);
  }

  // Boxes in rows.  In a statement grid the first row holds the column
  // heads and each row starts with its caption box: a number box is named
  // by its row's caption and its column's head.  In other grids a box is
  // named by the box before it in its row, which names it.
  function drawGrid(node, statement) {
    const cols = statement ? node.columns + 1 : node.columns;
    const scroller = make('div', 'grid-scroll');
    const e = make('div', statement ? 'grid statement' : 'grid');
    e.style.setProperty('--cols', String(cols));
    const boxes = node.controls.map((i) => drawBox(i));
    boxes.forEach((box, k) => {
      const row = Math.floor(k / cols), col = k % cols;
      if (statement) {
        if (row === 0) labelledBy(box, col === 0 ? [current.lastLabel || 'window-title'] : [boxes[0].id]);
        else if (col === 0) labelledBy(box, [boxes[0].id]);
        else labelledBy(box, [boxes[row * cols].id, boxes[col].id]);
        if (row === 0) box.classList.add('head');
        if (col === 0) box.classList.add('caption');
      } else if (col > 0) {
        labelledBy(box, [boxes[k - 1].id]);
      } else {
        labelledBy(box, [current.lastLabel || 'window-title']);
      }
      e.append(box.wrap || box);
    });
    scroller.append(e);
    return scroller;
  }

  function drawButton(i) {
    const c = control(i);
    const b = make('button', '', c.text);
    b.type = 'button';
    b.dataset.control = c.name;
    const form = current.name;
    b.addEventListener('click', () => click(form, c.name));
    return b;
  }

  function drawBox(i) {
    const c = control(i);
    const form = current.name;
    const box = make('input');
    box.type = 'text';
    box.id = form + '-' + c.name;
    box.name = c.name;
    box.value = c.text;
    box.autocomplete = 'off';
    box.spellcheck = false;
    current.boxes.set(c.name, box);
    box.addEventListener('input', () => typeText(form, c.name, box.value));
    if (c.click) {
      // A box that explains itself when clicked into; Enter does the same.
      box.addEventListener('click', () => click(form, c.name));
    }
    box.addEventListener('keydown', (ev) => {
      if (ev.key !== 'Enter' || ev.isComposing || ev.shiftKey || ev.ctrlKey || ev.altKey || ev.metaKey) return;
      if (box.getAttribute('aria-expanded') === 'true') return;  // the list takes it
      ev.preventDefault();
      if (current.def.enter) click(form, current.def.enter);
      else if (c.click) click(form, c.name);
      else focusAfter(box);
    });
    if (c.complete) attachCompletion(box, form, c.name);
    return box;
  }

  // Enter in a box moves on to the next box, from the last one to what
  // follows it.
  function focusAfter(box) {
    const all = [...$('layout').querySelectorAll('input, button')];
    const boxes = all.filter((e) => e.tagName === 'INPUT');
    const k = boxes.indexOf(box);
    const next = k >= 0 && k + 1 < boxes.length ? boxes[k + 1] : all[all.indexOf(box) + 1];
    if (next) {
      next.focus();
      if (next.select) next.select();
    }
  }

  // ---- the completion list: an ARIA combobox -------------------------------

  function attachCompletion(box, form, name) {
    const list = make('ul', 'completion');
    list.id = box.id + '-list';
    list.setAttribute('role', 'listbox');
    list.hidden = true;
    box.setAttribute('role', 'combobox');
    box.setAttribute('aria-autocomplete', 'list');
    box.setAttribute('aria-expanded', 'false');
    box.setAttribute('aria-controls', list.id);
    const wrap = make('div', 'combo');
    wrap.append(box, list);
    box.wrap = wrap;
    let items = [], active = -1;

    const close = () => {
      list.hidden = true;
      box.setAttribute('aria-expanded', 'false');
      box.removeAttribute('aria-activedescendant');
      active = -1;
    };
    const mark = (k) => {
      active = k;
      [...list.children].forEach((li, j) => li.setAttribute('aria-selected', String(j === k)));
      if (k >= 0) {
        box.setAttribute('aria-activedescendant', list.children[k].id);
        list.children[k].scrollIntoView({block: 'nearest'});
      } else {
        box.removeAttribute('aria-activedescendant');
      }
    };
    const pick = (k) => {
      box.value = items[k];
      typeText(form, name, box.value);
      close();
      box.focus();
    };
    box.addEventListener('input', () => {
      items = box.value ? JSON.parse(readString(withText([form, name], box.value, model._kmComplete))) : [];
      list.replaceChildren(...items.map((text, k) => {
        const li = make('li', '', text);
        li.id = list.id + '-' + k;
        li.setAttribute('role', 'option');
        li.setAttribute('aria-selected', 'false');
        li.addEventListener('mousedown', (ev) => ev.preventDefault());  // keep the focus in the box
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
      if (list.hidden) return;
      if (ev.key === 'ArrowDown' || ev.key === 'ArrowUp') {
        ev.preventDefault();
        const n = items.length;
        mark(ev.key === 'ArrowDown' ? (active + 1) % n : (active - 1 + n) % n);
      } else if (ev.key === 'Escape') {
        ev.preventDefault();
        close();
      } else if (ev.key === 'Enter' && !ev.isComposing) {
        // Enter takes the marked item, or the first, and acts as the button.
        ev.preventDefault();
        pick(active >= 0 ? active : 0);
        if (current.def.enter) click(form, current.def.enter);
      }
    });
    box.addEventListener('blur', close);
  }

  // ---- the printing band ---------------------------------------------------

  function drawBand(def) {
    const section = make('section', 'band-area');
    section.setAttribute('aria-label', texts.print ? def.caption : '');
    const tools = make('div', 'band-tools');
    const form = def.name;
    const copyButton = (label, table) => {
      const b = make('button', '', label);
      b.type = 'button';
      b.addEventListener('click', () => copyRows(form, table));
      return b;
    };
    const printButton = make('button', '', texts.print);
    printButton.type = 'button';
    printButton.addEventListener('click', printRows);
    tools.append(copyButton(texts.copy, 0), copyButton(texts.copyTable, 1), printButton);
    if (window.KelmoraBook) printButton.before(KelmoraBook.postButton(form));  // 记入凭证…
    if (hooks.bandTools) hooks.bandTools(tools, form);
    const band = make('div', 'band');
    band.setAttribute('role', 'log');
    band.setAttribute('aria-live', 'polite');
    band.setAttribute('aria-labelledby', 'window-title');
    band.tabIndex = 0;  // it scrolls: reachable by keyboard
    band.style.setProperty('--band-chars', String(def.bandChars));
    band.style.setProperty('--band-lines', String(Math.max(def.bandLines, 6)));
    current.band = band;
    section.append(band, tools);
    return section;
  }

  function rowElement(row) {
    const e = make('div', 'row');
    if (Array.isArray(row)) {
      e.append(make('span', 'label', row[0]), make('span', 'amount', row[1]));
    } else {
      e.classList.add('text');
      e.textContent = row;
    }
    return e;
  }

  function setRows(from, rows) {
    const band = current.band;
    if (!band) return;
    while (band.children.length > from) band.lastChild.remove();
    const grew = rows.length > 0;
    const frag = document.createDocumentFragment();
    for (const r of rows) frag.append(rowElement(r));
    band.append(frag);
    if (grew) {
      // An amount row has no box of its own: its label has.
      const last = band.lastChild;
      (last.firstElementChild || last).scrollIntoView({block: 'nearest', inline: 'nearest'});
    }
  }

  async function copyRows(form, table) {
    const text = readString(withStrings([form], (p) => model._kmCopy(p, table)));
    try {
      await navigator.clipboard.writeText(text);
      return;
    } catch (e) {
      // No Clipboard API (a page not served over https): the older way.
    }
    const area = make('textarea', 'offscreen');
    area.value = text;
    area.setAttribute('aria-hidden', 'true');
    document.body.append(area);
    area.select();
    let copied = false;
    try {
      copied = document.execCommand('copy');
    } catch (e) {
      copied = false;
    }
    area.remove();
    if (!copied) {
      dialogs.push({kind: 'clipboard', text: texts.copyFailed});
      nextDialog();
    }
  }

  // The printed page's heading carries the date, whichever way printing starts.
  function datePage() {
    const d = new Date();
    $('print-date').textContent = readString(model._kmPrintDate(d.getFullYear(), d.getMonth() + 1, d.getDate()));
  }

  function printRows() {
    datePage();
    window.print();
  }

  // ---- menus: a menu bar on a wide screen, a drawer on a narrow one --------

  function drawMenu(def) {
    const nav = $('menubar'), toggle = $('drawer-toggle');
    const form = def.name;
    $('bar').hidden = !def.menu.length;
    if (!def.menu.length) {
      nav.hidden = true;
      toggle.hidden = true;
      nav.replaceChildren();
      return;
    }
    const build = (items, prefix) => {
      const ul = make('ul');
      items.forEach((item, k) => {
        const li = make('li');
        const path = prefix ? prefix + '/' + k : String(k);
        const b = make('button', '', item.caption);
        b.type = 'button';
        li.append(b);
        if (item.children) {
          li.className = 'sub';
          b.setAttribute('aria-expanded', 'false');
          // A submenu's items are made when it first opens.
          let child = null;
          b.addEventListener('click', () => {
            const open = b.getAttribute('aria-expanded') !== 'true';
            if (open && !prefix) closeMenus();  // one top-level menu at a time
            if (open && !child) {
              child = build(item.children, path);
              li.append(child);
            }
            b.setAttribute('aria-expanded', String(open));
            child.hidden = !open;
          });
        } else {
          b.addEventListener('click', () => {
            closeMenus();
            closeDrawer();
            if (item.run) item.run();  // the page's own (账簿)
            else play(callJson(model._kmMenu, form, path));
          });
        }
        ul.append(li);
      });
      return ul;
    };
    nav.setAttribute('aria-label', texts.menu);
    // 账簿 at the end of the bar, as on the desktop.
    nav.replaceChildren(build(window.KelmoraBook ? [...def.menu, KelmoraBook.menu()] : def.menu, ''));
    if (hooks.menu) hooks.menu(nav.firstChild, def);
    nav.hidden = false;
    toggle.hidden = false;
  }

  function closeMenus() {
    for (const b of $('menubar').querySelectorAll('[aria-expanded="true"]')) {
      b.setAttribute('aria-expanded', 'false');
      if (b.nextElementSibling) b.nextElementSibling.hidden = true;
    }
  }

  function closeDrawer() {
    $('drawer-toggle').setAttribute('aria-expanded', 'false');
    document.body.classList.remove('drawer-open');
  }

  // ---- start ----------------------------------------------------------------

  // The address of a window: the page's own for the main window.
  const addressOf = (form) => form === 'Form1' ? location.pathname + location.search : '#' + form;

  // An address that names no window ("#Form999", "#form4") gives way to the
  // address of the window shown, so that a reload or a bookmark shows it too.
  function settleAddress() {
    const want = new URL(addressOf(front), location.href).href;
    if (location.href !== want) history.replaceState({form: front}, '', want);
  }

  function formOf(hash) {
    const m = /^#(Form[1-9][0-9]{0,2})$/.exec(hash);
    return m ? m[1] : 'Form1';
  }

  // A window named in the address: opened as the program opens a window.
  function goTo(form, how) {
    if (form === front && current) return;
    const events = callJson(model._kmOpen, form);
    if (!events.some((e) => e.t === 'show')) {
      // No such window: the main window.
      play(callJson(model._kmOpen, 'Form1'), how);
      return;
    }
    play(events, how);
  }

  // The service worker's cache of this build's files (sw.js names it the same).
  const CACHE = 'kelmora-@VERSION@';
  const MODEL = 'kelmora.wasm';
  const offline = 'serviceWorker' in navigator && window.isSecureContext;

  // The model is downloaded once: compiled as it arrives and, when a service
  // worker is to keep the site, a copy put into its cache on the way, where
  // the worker's install finds it.  `saved` settles when the copy is stored
  // (or cannot be).
  let saved = Promise.resolve();
  function loadModel(imports) {
    return fetch(MODEL, {credentials: 'same-origin'}).then((response) => {
      if (!response.ok) throw new Error(`${MODEL}: ${response.status}`);
      if (offline && !navigator.serviceWorker.controller && typeof caches !== 'undefined') {
        const copy = response.clone();
        // Without storage (some private windows) the worker fetches it itself.
        saved = Promise.resolve().then(() => caches.open(CACHE)).then((c) => c.put(MODEL, copy)).catch(() => {});
      }
      // A host that sends the module with another type cannot stream it.
      const type = (response.headers.get('Content-Type') || '').split(';')[0].trim();
      if (type === 'application/wasm' && WebAssembly.instantiateStreaming) {
        return WebAssembly.instantiateStreaming(response, imports);
      }
      return response.arrayBuffer().then((bytes) => WebAssembly.instantiate(bytes, imports));
    });
  }

  async function start() {
    // The model compiles while the page is still being read.
    let failed;
    const failure = new Promise((resolve, reject) => { failed = reject; });
    const loading = KelmoraModule({
      locateFile: (p) => p,
      instantiateWasm: (imports, receive) => {
        loadModel(imports).then((r) => receive(r.instance, r.module), failed);
        return {};
      },
    });
    if (document.readyState === 'loading') {
      await new Promise((r) => document.addEventListener('DOMContentLoaded', r, {once: true}));
    }
    model = await Promise.race([loading, failure]);
    performance.mark('kelmora-model');
    texts = JSON.parse(readString(model._kmPageTexts()));
    // What the workbook's script (book.js) asks of the page besides what
    // practice.js does (below).
    Object.assign(window.KelmoraPage, {
      window: (form) => callJson(model._kmWindow, form),
      printDate: () => { datePage(); return $('print-date').textContent; },
    });
    if (window.KelmoraBook) KelmoraBook.attach();
    $('dialog-title').textContent = texts.title;
    $('dialog-ok').textContent = texts.ok;
    $('dialog-ok').addEventListener('click', () => $('dialog').close());
    $('dialog').addEventListener('close', () => {
      nextDialog();
      if (!$('dialog').open) {
        const first = $('layout').querySelector('input, button');
        if (first && !$('layout').contains(document.activeElement)) first.focus();
      }
    });
    const toggle = $('drawer-toggle');
    toggle.textContent = texts.menu;
    toggle.addEventListener('click', () => {
      const open = toggle.getAttribute('aria-expanded') !== 'true';
      toggle.setAttribute('aria-expanded', String(open));
      document.body.classList.toggle('drawer-open', open);
    });
    document.addEventListener('click', (ev) => {
      if (!$('menubar').contains(ev.target)) closeMenus();
    });
    document.addEventListener('keydown', (ev) => {
      if (ev.key === 'Escape' && !$('dialog').open) {
        closeMenus();
        closeDrawer();
      }
    });

    front = 'Form1';
    play(JSON.parse(readString(model._kmStart())), 'none');
    goTo(formOf(location.hash), 'replace');
    // A link that carries a class set keeps its address; any other that names
    // no window becomes the address of what is shown.
    const kept = front === 'Form1' && hooks.keepHash ? hooks.keepHash(location.hash) : '';
    if (kept) history.replaceState({form: front}, '', location.pathname + location.search + kept);
    else settleAddress();
    window.addEventListener('beforeprint', datePage);
    window.addEventListener('popstate', () => {
      goTo(formOf(location.hash), 'none');
      if (!(hooks.keepHash && hooks.keepHash(location.hash))) settleAddress();
    });
    if (hooks.ready) hooks.ready();
    document.body.dataset.ready = 'true';
    performance.mark('kelmora-ready');

    if (offline) {
      await saved;
      navigator.serviceWorker.register('sw.js').catch(() => {});
    }
  }

  // What practice.js and book.js build on: the model's calls, the drawing of
  // a window, the dialogs, the menus.
  window.KelmoraPage = {
    hooks,
    model: () => model,
    texts: () => texts,
    call, callJson, withStrings, readString,
    drawDef,
    redraw: () => { current = null; draw(front); },
    front: () => front,
    message: (text) => { dialogs.push({kind: 'msgbox', text}); nextDialog(); },
    closeMenus: (drawerToo = true) => { closeMenus(); if (drawerToo) closeDrawer(); },
    datePage,
  };

  start();
})();
