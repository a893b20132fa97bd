// Kelmora's service worker: the site's own files, kept for use offline.
// The build writes the version of the files into the cache's name, so a new
// build replaces the old files as a whole.
'use strict';
const CACHE = 'kelmora-@VERSION@';
const FILES = ['./', 'index.html', 'style.css', 'practice.css', 'kelmora.js', 'kelmora.wasm',
               'icon.svg', 'icon-256.png', 'manifest.webmanifest'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((c) => c.addAll(FILES)).then(() => self.skipWaiting()));
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
    hit || fetch(event.request))));
});
