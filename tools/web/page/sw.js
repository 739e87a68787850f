// The page's service worker: keeps every file of the game in the browser
// after the first visit, so that the page loads and plays with no network.
//
// A version's files are kept as a whole. Installing a version fetches all
// of them into a cache of its own, and the worker takes over only once every
// file has arrived (else the version before stays); kept files are never
// refreshed one by one. The build names the version after its files'
// contents and lists the files (tools/setup/web.sh fills in BUILD and
// FILES). The caches are named after the page's own folder (the worker's
// scope): once a new version has taken over, this folder's older caches are
// deleted, and copies of the page in other folders of the same host keep theirs.
//
// A request goes to the network first, so that a new version on the server
// is what a visit gets. When the network fails, or has not answered within
// WAIT_MS, the kept copy answers (a slow network is waited for only where
// nothing is kept). The program's three files are taken as one set for a
// page: all from the network, or all from the kept copy, so the page never
// runs one version's .js with another's .wasm or .data. A page that itself
// came from the kept copy takes its other files from there too.
'use strict';

var BUILD = '@BUILD@';
var FILES = ['./'].concat('@FILES@'.split(' '));
var PROGRAM = ['hledani-pokladu.js', 'hledani-pokladu.wasm', 'hledani-pokladu.data'];
var WAIT_MS = 4000;
var SCOPE = self.registration.scope;
var OURS = 'hledani-pokladu ' + SCOPE + ' ';  // this folder's caches
var CACHE = OURS + BUILD;
var UNPLACED = 'hledani-pokladu-';            // earlier versions' caches, named without their folder

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    return cache.addAll(FILES.map(function (f) { return new Request(f, { cache: 'reload' }); }));
  }).then(function () { return self.skipWaiting(); }));
});

// An earlier version's cache: deleted when every file in it is of this folder.
function deleteIfOurs(key) {
  return caches.open(key).then(function (cache) {
    return cache.keys();
  }).then(function (requests) {
    var ours = requests.every(function (r) {
      var url = r.url.split(/[?#]/)[0];
      return url.indexOf(SCOPE) === 0 && url.slice(SCOPE.length).indexOf('/') < 0;
    });
    return ours ? caches.delete(key) : null;
  });
}

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (keys) {
    return Promise.all(keys.map(function (key) {
      if (key === CACHE)
        return null;
      if (key.indexOf(OURS) === 0)
        return caches.delete(key);
      return key.indexOf(UNPLACED) === 0 ? deleteIfOurs(key) : null;
    }));
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

// Resolves to {value, kept}: what fetching (a promise, with control its
// AbortController) brings, unless it fails or has not come within WAIT_MS
// while keeping() (a promise of the kept value or null) has one; the kept
// value then, and the network's request is given up.
function networkFirst(fetching, keeping, control) {
  return new Promise(function (resolve, reject) {
    var done = false, failure = null, timer;
    function finish(value, isKept) {
      if (done)
        return;
      done = true;
      clearTimeout(timer);
      resolve({ value: value, kept: isKept });
    }
    function useKept() {
      return keeping().then(function (value) {
        if (done)
          return;
        if (value) {
          finish(value, true);
          control.abort();
        } else if (failure) {
          done = true;
          reject(failure);
        }
      }, function () {
        if (failure && !done) {
          done = true;
          reject(failure);
        }
      });
    }
    timer = setTimeout(useKept, WAIT_MS);
    fetching.then(function (value) { finish(value, false); }, function (e) {
      failure = e;
      clearTimeout(timer);
      useKept();
    });
  });
}

function fromNetwork(request, control) {
  return fetch(request, { cache: 'no-cache', signal: control.signal });
}

var pagesFromKept = {};  // the pages (client ids) whose own address the kept copy answered
var programSets = {};    // page -> {taken: {file: true}, answers: promise of {answers: {file: answer}, kept}}
var LOADING_MS = 60000;  // how long a page's loading is remembered

function keptFirst(cache, request) {
  return kept(cache, request).then(function (answer) {
    return answer || fetch(request);
  });
}

function answerNavigation(event) {
  return caches.open(CACHE).then(function (cache) {
    var control = new AbortController();
    return networkFirst(fromNetwork(event.request, control),
      function () { return kept(cache, event.request); }, control);
  }).then(function (got) {
    var page = event.resultingClientId;
    if (got.kept && page) {
      pagesFromKept[page] = true;
      setTimeout(function () { delete pagesFromKept[page]; }, LOADING_MS);
    }
    return got.value;
  });
}

function answerFile(event) {
  return caches.open(CACHE).then(function (cache) {
    if (pagesFromKept[event.clientId])
      return keptFirst(cache, event.request);
    var control = new AbortController();
    return networkFirst(fromNetwork(event.request, control),
      function () { return kept(cache, event.request); }, control).then(function (got) { return got.value; });
  });
}

// The program's three files for a page, from one source.
function programSet(page) {
  return caches.open(CACHE).then(function (cache) {
    function keptSet() {
      return Promise.all(PROGRAM.map(function (f) { return cache.match(f); })).then(function (list) {
        return list.every(Boolean) ? list : null;
      });
    }
    var control = new AbortController();
    var fetching = pagesFromKept[page] ? Promise.reject(new Error('kept page')) :
      Promise.all(PROGRAM.map(function (f) { return fromNetwork(new Request(f), control); })).then(function (list) {
        if (!list.every(function (a) { return a.ok; }))
          throw new Error('the program\'s files are incomplete on the server');
        return list;
      });
    fetching.catch(function () { control.abort(); });
    return networkFirst(fetching, keptSet, control).catch(function () {
      // Nothing kept, and the network failed one of them: each as the network gives it.
      return { value: PROGRAM.map(function (f) { return fetch(f); }), kept: false };
    });
  }).then(function (got) {
    var answers = {};
    PROGRAM.forEach(function (f, i) { answers[f] = got.value[i]; });
    return { answers: answers, kept: got.kept };
  });
}

function answerProgramFile(event, file) {
  var page = event.clientId;
  var set = programSets[page];
  if (set && set.taken[file]) {
    // Asked again (a browser that took the .wasm for the wrong type fetches
    // it once more): from the same source as the set.
    return set.answers.then(function (got) {
      return got.kept ? caches.open(CACHE).then(function (cache) { return keptFirst(cache, event.request); })
        : fetch(event.request);
    });
  }
  if (!set) {
    set = programSets[page] = { taken: {}, answers: programSet(page) };
    setTimeout(function () {
      if (programSets[page] === set)
        delete programSets[page];
    }, LOADING_MS);
  }
  set.taken[file] = true;
  return set.answers.then(function (got) { return got.answers[file]; });
}

self.addEventListener('fetch', function (event) {
  var request = event.request;
  var url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin)
    return;
  var file = url.href.indexOf(SCOPE) === 0 ? url.pathname.slice(new URL(SCOPE).pathname.length) : '';
  if (request.mode === 'navigate')
    event.respondWith(answerNavigation(event));
  else if (PROGRAM.indexOf(file) >= 0 && !url.search)
    event.respondWith(answerProgramFile(event, file));
  else
    event.respondWith(answerFile(event));
});
