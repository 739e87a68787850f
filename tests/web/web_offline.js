// The page's offline copy in headless Chromium, with two copies of the page
// in two folders of one host (a small server here, which can also hang or
// leave out a file): each folder's service worker keeps its own files, and
// neither deletes the other's when it takes over (nor an earlier version's
// cache of the other folder); a network that never answers falls back to
// the kept copy within the worker's time limit; and the program's .js,
// .wasm and .data come from one source, the kept set when the server lacks
// one of them.
// Usage: node web_offline.js DIST; exit status 0 when every case holds.
'use strict';

const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const web = require('./browser');

const WAIT_MS = 4000;  // the worker's time limit for the network

const { check, finish } = web.tally();

const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css', '.png': 'image/png', '.webmanifest': 'application/manifest+json' };

// Serves root from 127.0.0.1; resolves to {url, stop, hang, missing}: with
// hang set, requests are never answered; a path that missing matches is 404.
function serve(root) {
  return new Promise(resolve => {
    const sockets = new Set();
    const control = { hang: false, missing: null };
    const server = http.createServer((req, res) => {
      if (control.hang)
        return;
      const url = decodeURIComponent(new URL(req.url, 'http://here').pathname);
      const file = path.join(root, url.endsWith('/') ? url + 'index.html' : url);
      if (!file.startsWith(root + path.sep) || (control.missing && control.missing.test(url))) {
        res.writeHead(404);
        return res.end();
      }
      fs.readFile(file, (error, data) => {
        if (error) {
          res.writeHead(404);
          return res.end();
        }
        res.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
        res.end(data);
      });
    });
    server.on('connection', s => { sockets.add(s); s.on('close', () => sockets.delete(s)); });
    server.listen(0, '127.0.0.1', () => {
      control.url = `http://127.0.0.1:${server.address().port}/`;
      control.stop = () => {
        for (const s of sockets)
          s.destroy();
        server.close();
      };
      resolve(control);
    });
  });
}

const cacheNames = page => page.evaluate(() => caches.keys());
const cacheSize = (page, name) => page.evaluate(async n => (await (await caches.open(n)).keys()).length, name);

// Waits until the page's caches satisfy ok (given the names); returns the names.
async function cachesOnce(page, ok) {
  for (let tries = 0; tries < 100; tries++) {
    const names = await cacheNames(page);
    if (ok(names))
      return names;
    await web.pause(100);
  }
  return cacheNames(page);
}

async function open(page, url) {
  await page.bringToFront();
  await web.openGame(page, url);
  await page.waitForFunction(() => navigator.serviceWorker.controller, { timeout: 20000 });
}

// Reloads without waiting for the network; resolves to the seconds until the first picture.
async function reloaded(page) {
  await page.bringToFront();  // a page in the background draws no frames
  const start = Date.now();
  await page.reload({ waitUntil: 'domcontentloaded', timeout: 30000 });
  await page.waitForFunction(() => window.Module && window.Module.webShown, { timeout: 30000 });
  return (Date.now() - start) / 1000;
}

async function run(dist) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'poklad-web-offline-'));
  const root = path.join(work, 'site');
  for (const folder of ['a', 'b'])
    fs.cpSync(dist, path.join(root, folder), { recursive: true });
  const files = fs.readdirSync(dist).filter(f => f !== 'sw.js').length + 1;  // and the folder's address
  const server = await serve(root);
  const ours = folder => `hledani-pokladu ${server.url}${folder}/ `;
  const browser = await web.launch();
  try {
    const a = await web.newPage(browser);
    await open(a, server.url + 'a/');
    const namesA = await cachesOnce(a, n => n.some(k => k.startsWith(ours('a'))));
    const keyA = namesA.find(k => k.startsWith(ours('a')));
    check('the first copy keeps all its files in a cache named after its folder',
      !!keyA && await cacheSize(a, keyA) === files, JSON.stringify(namesA));

    // Caches of an earlier version, named without the folder: one of each copy's files.
    await a.evaluate(async base => {
      for (const [name, folder] of [['hledani-pokladu-0.9-aaa', 'a/'], ['hledani-pokladu-0.9-bbb', 'b/']])
        await (await caches.open(name)).put(base + folder + 'index.html', new Response('stará verze'));
    }, server.url);

    const b = await web.newPage(browser);
    await open(b, server.url + 'b/');
    let names = await cachesOnce(b, n => n.some(k => k.startsWith(ours('b'))) && !n.includes('hledani-pokladu-0.9-bbb'));
    const keyB = names.find(k => k.startsWith(ours('b')));
    check('the second copy\'s worker keeps its own files and leaves the first copy\'s (and its earlier cache) alone',
      !!keyB && await cacheSize(b, keyB) === files && names.includes(keyA) && await cacheSize(b, keyA) === files &&
      names.includes('hledani-pokladu-0.9-aaa') && !names.includes('hledani-pokladu-0.9-bbb'), JSON.stringify(names));

    // A new version of the second copy: its old cache goes, the first copy's stays.
    const index = path.join(root, 'b', 'index.html'), worker = path.join(root, 'b', 'sw.js');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('<title>Hledání pokladu', '<title>Hledání pokladu (nová verze)'));
    fs.writeFileSync(worker, fs.readFileSync(worker, 'utf8').replace(/var BUILD = '[^']*'/, 'var BUILD = \'nova-verze\''));
    await reloaded(b);
    names = await cachesOnce(b, n => n.includes(ours('b') + 'nova-verze') && !n.includes(keyB));
    check('a new version of the second copy replaces only its own cache',
      await b.title() === 'Hledání pokladu (nová verze)' && names.includes(ours('b') + 'nova-verze') &&
      !names.includes(keyB) && names.includes(keyA) && await cacheSize(b, keyA) === files, JSON.stringify(names));

    // The network hangs: both copies play their kept versions within the time limit.
    server.hang = true;
    const [seconds, title] = [await reloaded(a), await a.title()];
    check(`a network that never answers: the first copy falls back to its kept files at the ${WAIT_MS / 1000} s limit ` +
      `and plays (${seconds.toFixed(1)} s to the first picture)`,
      seconds < WAIT_MS / 1000 + 5 && title === 'Hledání pokladu', `${seconds} s, "${title}"`);
    const secondsB = await reloaded(b);
    check(`a network that never answers: the second copy plays its kept new version (${secondsB.toFixed(1)} s to the first picture)`,
      secondsB < WAIT_MS / 1000 + 5 && await b.title() === 'Hledání pokladu (nová verze)', `${secondsB} s`);
    server.hang = false;

    // The server has a changed .js but no .wasm: all three come from the
    // kept set; once the server has them all, all three come from it.
    const program = path.join(root, 'b', 'hledani-pokladu.js');
    fs.appendFileSync(program, '\nwindow.programFrom = "network";\n');
    server.missing = /^\/b\/hledani-pokladu\.wasm$/;
    await reloaded(b);
    const fromKept = await b.evaluate(() => window.programFrom);
    server.missing = null;
    await reloaded(b);
    const fromNetwork = await b.evaluate(() => window.programFrom);
    check('the program\'s files come as one set: the kept one while the server lacks the .wasm, else the server\'s',
      fromKept === undefined && fromNetwork === 'network', `${fromKept}, ${fromNetwork}`);
    for (const p of [a, b]) {
      await p.bringToFront();
      await web.click(p, 400, 300, 3, 50);
      const problems = await web.pageProblems(p, [/request failed/, /status of 404/]);
      check('no errors on the page', !problems.length, problems.join('; '));
    }
  } finally {
    await browser.close();
    server.stop();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

finish(run(process.argv[2]));
