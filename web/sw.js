// Kelmora's service worker: the site's own files, kept for use offline.
// The build writes the version of the files into the cache's name, so a new
// build replaces the old files as a whole.
'use strict';
const CACHE = 'kelmora-@VERSION@';
const FILES = ['./', 'index.html', 'style.css', 'practice.css', 'kelmora.js', 'kelmora.wasm',
               'icon.svg', 'icon-256.png', 'manifest.webmanifest'];
// The workbook's module and style, fetched when the workbook is first opened,
// are kept from then on.
const LATER = ['book.css', 'kelmora-book.js', 'kelmora-book.wasm'];

// The model is the big file: the page that registers the worker has just
// downloaded it and put its copy into this cache (app.js), so that it is
// downloaded once.  Only what is not there yet is fetched.
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((c) => Promise.all(FILES.map((f) => c.match(f))).then((have) => c.addAll(FILES.filter((f, k) => !have[k]))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== self.location.origin) return;
  // The page's address with a window named after # is the page itself.
  const key = url.pathname.endsWith('/') ? './' : event.request;
  event.respondWith(caches.open(CACHE).then((c) => c.match(key, {ignoreSearch: true}).then((hit) =>
    hit || fetch(event.request).then((r) => {
      if (r.ok && LATER.some((f) => url.pathname.endsWith('/' + f))) c.put(event.request, r.clone());
      return r;
    }))));
});
