// What the web edition's tests and benchmark share: where things are, the
// site served on 127.0.0.1, headless Chromium.
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import {fileURLToPath} from 'node:url';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const out = path.join(root, 'build-web');
export const site = path.join(out, 'site');

export function need(file, what) {
  if (!fs.existsSync(file)) {
    console.error(`missing ${what}: ${file} (bash scripts/web.sh build makes it)`);
    process.exit(1);
  }
}

// The site on a free port of 127.0.0.1; stop() ends the server.
// requests(path) counts the requests for a path the server has had so far.
export async function serve() {
  need(path.join(site, 'index.html'), 'the site');
  const child = spawn(process.execPath, [path.join(root, 'scripts/web-serve.mjs'), site, '0'],
    {stdio: ['ignore', 'pipe', 'inherit'], env: {...process.env, KELMORA_SERVE_LOG: '1'}});
  const counts = new Map();
  let buf = '';
  const url = await new Promise((resolve, reject) => {
    child.stdout.on('data', (d) => {
      buf += d;
      const m = /http:\/\/127\.0\.0\.1:\d+\//.exec(buf);
      if (m) resolve(m[0]);
    });
    child.on('exit', (code) => reject(new Error(`the server ended (${code})`)));
  });
  child.stdout.on('data', () => {
    const lines = buf.split('\n');
    buf = lines.pop();
    for (const l of lines) {
      const m = /^request (\S+)$/.exec(l);
      if (m) counts.set(m[1], (counts.get(m[1]) || 0) + 1);
    }
  });
  return {
    url,
    requests: (p) => counts.get(p) || 0,
    stop: () => new Promise((r) => { child.once('exit', r); child.kill('SIGTERM'); }),
  };
}

export const chromiumPath = process.env.KELMORA_CHROMIUM || '/usr/bin/chromium';

// extra: more launch options (a profile folder that outlives the browser).
export async function launch(extra = {}) {
  if (!fs.existsSync(chromiumPath)) {
    console.error(`no Chromium at ${chromiumPath}: apt-get install chromium (scripts/web.sh test does)`);
    process.exit(1);
  }
  const {default: puppeteer} = await import('puppeteer-core');
  const args = ['--no-first-run', '--no-default-browser-check', '--disable-gpu',
    '--disable-dev-shm-usage', '--lang=zh-CN', '--font-render-hinting=none'];
  // As root Chromium's sandbox cannot start; elsewhere it is tried first.
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  try {
    return await puppeteer.launch({executablePath: chromiumPath, headless: true, args, ...extra});
  } catch (e) {
    if (args.includes('--no-sandbox')) throw e;
    console.error(`Chromium did not start with its sandbox (${e.message.split('\n')[0]}); trying without`);
    return puppeteer.launch({executablePath: chromiumPath, headless: true, args: [...args, '--no-sandbox'], ...extra});
  }
}
