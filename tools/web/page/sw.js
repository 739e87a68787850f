// The page's service worker: keeps every file of the game in the browser
// after the first visit, so that the page loads and plays with no network.
// Each request goes to the network first, so that a new version is what a
// visit gets whenever the server can be reached, and each answer refreshes
// the kept copy; without the network the kept copy answers. The build names
// the cache after the version and the files' contents and lists the files
// (tools/setup/web.sh fills in CACHE and FILES); a new service worker keeps
// the new version's files and, once it takes over, deletes the older caches.
'use strict';

var CACHE = '@CACHE@';
var FILES = ['./'].concat('@FILES@'.split(' '));
var PREFIX = 'hledani-pokladu-';

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    return cache.addAll(FILES.map(function (f) { return new Request(f, { cache: 'reload' }); }));
  }).then(function () { return self.skipWaiting(); }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (keys) {
    return Promise.all(keys.filter(function (k) { return k.indexOf(PREFIX) === 0 && k !== CACHE; })
      .map(function (k) { return caches.delete(k); }));
  }).then(function () { return self.clients.claim(); }));
});

// The kept answer for request: the page itself for any address of its folder.
function kept(cache, request) {
  return cache.match(request, { ignoreSearch: true }).then(function (answer) {
    if (answer || request.mode !== 'navigate')
      return answer;
    return cache.match('./');
  });
}

self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin)
    return;
  event.respondWith(caches.open(CACHE).then(function (cache) {
    return fetch(request, { cache: 'no-cache' }).then(function (answer) {
      if (answer.ok && answer.status === 200)
        cache.put(request, answer.clone());
      return answer;
    }, function (failure) {
      return kept(cache, request).then(function (answer) {
        if (answer)
          return answer;
        throw failure;
      });
    });
  }));
});
