// WebKitGTK for the browser tests: Debian's WebKitWebDriver driving its
// MiniBrowser on a private X server (Xvfb), spoken to over the W3C WebDriver
// HTTP protocol with node's own fetch.  The engine's own console messages
// (a policy it cannot read, a preload it did not use) reach no driver: they
// are read from a browser started without one, through the remote Web
// Inspector it serves.
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import WebSocket from 'ws';

export const webkitDriverPath = process.env.KELMORA_WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver';
const miniBrowsers = ['/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', '/usr/lib/aarch64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
  '/usr/lib/x86_64-linux-gnu/webkitgtk-6.0/MiniBrowser', '/usr/lib/aarch64-linux-gnu/webkitgtk-6.0/MiniBrowser'];
export const miniBrowserPath = process.env.KELMORA_MINIBROWSER || miniBrowsers.find((p) => fs.existsSync(p));

const freePort = () => new Promise((resolve, reject) => {
  const s = net.createServer();
  s.listen(0, '127.0.0.1', () => {
    const {port} = s.address();
    s.close(() => resolve(port));
  });
  s.on('error', reject);
});

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// An X server of its own: Xvfb picks a free display and names it.
async function startX() {
  const x = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1400x900x24', '-nolisten', 'tcp'],
    {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  const display = await new Promise((resolve, reject) => {
    let buf = '';
    x.stdio[3].on('data', (d) => {
      buf += d;
      if (buf.includes('\n')) resolve(':' + buf.trim());
    });
    x.on('exit', (code) => reject(new Error(`Xvfb ended (${code})`)));
  });
  return {display, stop: () => new Promise((r) => { x.once('exit', r); x.kill('SIGTERM'); })};
}

// The console of every page the browser shows, from its remote inspector
// on `port`: each page's messages of level error or warning as
// {level, source, text, url}.  Console.enable replays what came before.
function watchConsole(port, messages) {
  const seen = new Set();
  const sockets = [];
  let stopped = false;
  const look = async () => {
    while (!stopped) {
      try {
        const html = await (await fetch(`http://127.0.0.1:${port}/`)).text();
        for (const [socket] of html.matchAll(/\/socket\/\d+\/\d+\/WebPage/g)) {
          if (seen.has(socket)) continue;
          seen.add(socket);
          const ws = new WebSocket(`ws://127.0.0.1:${port}${socket}`);
          sockets.push(ws);
          ws.on('error', () => {});
          ws.on('message', (m) => {
            const j = JSON.parse(m.toString());
            if (j.method === 'Target.targetCreated') {
              ws.send(JSON.stringify({id: 1, method: 'Target.sendMessageToTarget',
                params: {targetId: j.params.targetInfo.targetId, message: JSON.stringify({id: 1, method: 'Console.enable'})}}));
            } else if (j.method === 'Target.dispatchMessageFromTarget') {
              const inner = JSON.parse(j.params.message);
              const msg = inner.method === 'Console.messageAdded' && inner.params.message;
              if (msg && (msg.level === 'error' || msg.level === 'warning')) {
                messages.push({level: msg.level, source: msg.source, text: msg.text.trim(), url: msg.url || ''});
              }
            }
          });
        }
      } catch {
        // not serving yet
      }
      await sleep(100);
    }
  };
  look();
  return () => {
    stopped = true;
    for (const ws of sockets) ws.terminate();
  };
}

const browserEnv = (display) => ({...process.env, DISPLAY: display, GDK_BACKEND: 'x11', LIBGL_ALWAYS_SOFTWARE: '1', NO_AT_BRIDGE: '1'});

// The page opened as a person opens it, in MiniBrowser without a driver
// (privateMode: in private browsing), until done() resolves.  Returns the
// console messages of level error or warning, the engine's own included.
export async function plainLoad(url, done, {privateMode = false} = {}) {
  const x = await startX();
  const inspector = await freePort();
  const b = spawn(miniBrowserPath, [...(privateMode ? ['--private'] : []), url], {stdio: 'ignore',
    env: {...browserEnv(x.display), WEBKIT_INSPECTOR_HTTP_SERVER: `127.0.0.1:${inspector}`}});
  const messages = [];
  const unwatch = watchConsole(inspector, messages);
  try {
    await done();
    await sleep(300);  // the last messages on their way
  } finally {
    unwatch();
    await new Promise((r) => { b.once('exit', r); b.kill('SIGTERM'); });
    await x.stop();
  }
  return messages;
}

// The driver and its X server.
export async function startWebKit() {
  const x = await startX();
  const port = await freePort();
  const driver = spawn(webkitDriverPath, [`--port=${port}`, '--host=127.0.0.1'],
    {stdio: ['ignore', 'ignore', 'ignore'], env: browserEnv(x.display)});
  const base = `http://127.0.0.1:${port}`;
  for (let i = 0; ; i++) {
    try {
      const r = await fetch(`${base}/status`);
      if (r.ok) break;
    } catch {
      // not listening yet
    }
    if (i > 100) throw new Error('WebKitWebDriver did not start');
    await sleep(100);
  }
  return {
    base,
    // A session in a browser of its own; privateMode: MiniBrowser's private
    // browsing.
    session: (opts = {}) => Session.start(base, opts),
    stop: async () => {
      await new Promise((r) => { driver.once('exit', r); driver.kill('SIGTERM'); });
      await x.stop();
    },
  };
}

export class Session {
  static async start(base, {privateMode = false} = {}) {
    const args = ['--automation'];
    if (privateMode) args.push('--private');
    const caps = {capabilities: {alwaysMatch: {'webkitgtk:browserOptions': {binary: miniBrowserPath, args}}}};
    const r = await post(`${base}/session`, caps);
    return new Session(`${base}/session/${r.sessionId}`);
  }
  constructor(url) { this.url = url; }
  cmd(method, path, body) { return method === 'GET' ? get(this.url + path) : send(method, this.url + path, body); }
  quit() { return send('DELETE', this.url); }
  go(url) { return this.cmd('POST', '/url', {url}); }
  back() { return this.cmd('POST', '/back', {}); }
  forward() { return this.cmd('POST', '/forward', {}); }
  // A function's text run in the page with the arguments given.
  run(fn, ...args) { return this.cmd('POST', '/execute/sync', {script: `return (${fn}).apply(null, arguments)`, args}); }
  // The same for a function returning a promise.
  runAsync(fn, ...args) {
    return this.cmd('POST', '/execute/async',
      {script: `const done = arguments[arguments.length - 1]; Promise.resolve((${fn}).apply(null, [...arguments].slice(0, -1))).then((v) => done({v}), (e) => done({e: String(e)}));`, args})
      .then((r) => { if (r && r.e) throw new Error(r.e); return r && r.v; });
  }
  async waitFor(fn, what, timeout = 10000, ...args) {
    const until = Date.now() + timeout;
    for (;;) {
      const v = await this.run(fn, ...args);
      if (v) return v;
      if (Date.now() > until) throw new Error(`WebKit: waited in vain for ${what}`);
      await sleep(50);
    }
  }
  async find(css) {
    const r = await this.cmd('POST', '/element', {using: 'css selector', value: css});
    return Object.values(r)[0];  // the element's reference, under the protocol's one key
  }
  async click(css) { return this.cmd('POST', `/element/${await this.find(css)}/click`, {}); }
  async type(css, text) { return this.cmd('POST', `/element/${await this.find(css)}/value`, {text}); }
  async clear(css) { return this.cmd('POST', `/element/${await this.find(css)}/clear`, {}); }
  // The window sized so that the page's viewport is width × height.
  async viewport(width, height) {
    for (let i = 0; i < 3; i++) {
      const [w, h] = await this.run(() => [window.innerWidth, window.innerHeight]);
      if (w === width && h === height) return;
      const rect = await this.cmd('GET', '/window/rect');
      await this.cmd('POST', '/window/rect', {width: rect.width + width - w, height: rect.height + height - h});
    }
  }
  async screenshot(file) {
    const png = await this.cmd('GET', '/screenshot');
    fs.writeFileSync(file, Buffer.from(png, 'base64'));
  }
}

async function reply(r) {
  const body = await r.json();
  if (!r.ok || (body.value && body.value.error)) {
    const e = body.value || {};
    throw new Error(`WebDriver: ${e.error || r.status}: ${e.message || ''}`);
  }
  return body.value;
}
const post = (url, body) => send('POST', url, body);
const get = (url) => fetch(url).then(reply);
const send = (method, url, body) => fetch(url, {method, headers: {'Content-Type': 'application/json'},
  body: body === undefined ? undefined : JSON.stringify(body)}).then(reply);
