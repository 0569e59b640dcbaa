// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT
// Keeps the web folder's files in the browser, so that the panel starts with no network
// once it has been opened. The store is named by the release and by a digest of the
// files, both written in by the build: a new build's worker fills a new store, and only
// once that is complete does it replace the old one and delete it.
'use strict';
const STORE = 'actuator-panel-@VERSION@-@DIGEST@';
// The page's own address and every file of the folder, as the build found them.
const FILES = ['./', @FILES@];

self.addEventListener('install', event => {
  event.waitUntil(caches.open(STORE).then(store => store.addAll(FILES))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
    .then(names => Promise.all(names
      .filter(name => name.startsWith('actuator-panel-') && name !== STORE)
      .map(name => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The folder's own files come from the store, everything else from the network. A file
// missing from the store (one added by hand beside the folder's) is fetched as usual.
self.addEventListener('fetch', event => {
  if (event.request.method !== 'GET') {
    return;
  }
  event.respondWith(caches.open(STORE)
    .then(store => store.match(event.request, {ignoreSearch: true}))
    .then(kept => kept || fetch(event.request)));
});
