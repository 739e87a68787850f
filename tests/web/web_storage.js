// The player's maps in the browser's storage, in headless Chromium: two open
// pages of one profile add, replace and remove maps and each keeps what the
// other did (in the storage, in both lists and both game folders, before and
// after a reload); a write the browser refuses, a transaction that aborts
// and a full quota each leave a Czech message, nothing half stored and the
// old bytes of a replaced map, and the next add works; the browser is asked
// once to keep the site's data and its refusal is told; a page with no
// storage at all plays the maps until it is closed and says so; maps kept by
// the earlier storage layout are taken over once.
// Usage: node web_storage.js DIST; exit status 0 when every case holds.
'use strict';

const web = require('./browser');

const { check, finish } = web.tally();

const show = v => JSON.stringify(v);

// Drops a file of size bytes, each the value first, onto the page; resolves
// to what the page then says (once it is no longer busy).
async function drop(page, name, first, size = 1400) {
  await page.bringToFront();
  await page.$eval('#maps-status', e => { e.textContent = ''; });
  await page.evaluate((name, first, size) => {
    const bytes = new Uint8Array(size);
    bytes[0] = first;
    const files = new DataTransfer();
    files.items.add(new File([bytes], name));
    document.getElementById('game').dispatchEvent(new DragEvent('drop', { dataTransfer: files, bubbles: true, cancelable: true }));
  }, name, first, size);
  await page.waitForFunction(() => {
    const s = document.getElementById('maps-status');
    return s.textContent !== '' && s.getAttribute('aria-busy') === 'false';
  }, { timeout: 15000, polling: 50 });
  return page.$eval('#maps-status', e => e.textContent);
}

// Removes a map with its button in "Moje mapy"; resolves to what the page says.
async function removeMap(page, name) {
  await page.bringToFront();
  await page.$eval('#maps-status', e => { e.textContent = ''; });
  await page.$eval(`#my-maps-list button[aria-label="Odebrat mapu ${name}"]`, b => b.click());
  await page.waitForFunction(() => document.getElementById('maps-status').textContent !== '', { timeout: 15000, polling: 50 });
  return page.$eval('#maps-status', e => e.textContent);
}

// The player's maps as the page lists them, as the game's folder holds them
// and as the storage holds them: {name: first byte}.
const listed = page => page.$$eval('#my-maps-list .map-name', items => items.map(i => i.textContent));
const folder = page => page.evaluate(() => {
  const out = {};
  for (const name of Module.FS.readdir('/moje-mapy'))
    if (name !== '.' && name !== '..')
      out[name] = Module.FS.readFile('/mapy/' + name)[0];
  return out;
});
const stored = page => page.evaluate(() => new Promise((resolve, reject) => {
  const request = indexedDB.open('hledani-pokladu');
  request.onerror = () => reject(request.error);
  request.onsuccess = () => {
    const db = request.result, out = {};
    const tx = db.transaction('maps');
    tx.objectStore('maps').openCursor().onsuccess = e => {
      const cursor = e.target.result;
      if (cursor) {
        out[cursor.key] = cursor.value.bytes[0];
        cursor.continue();
      }
    };
    tx.oncomplete = () => { db.close(); resolve(out); };
  };
}));

// Waits until the page lists exactly want ({name: first byte}) and its game
// folder holds it; returns what it found.
async function shows(page, want) {
  const names = Object.keys(want).sort();
  await page.waitForFunction(n => {
    const items = [...document.querySelectorAll('#my-maps-list .map-name')].map(i => i.textContent).sort();
    return JSON.stringify(items) === n;
  }, { timeout: 5000, polling: 50 }, show(names)).catch(() => {});
  await page.waitForFunction(w => {
    const out = {};
    for (const name of Module.FS.readdir('/moje-mapy'))
      if (name !== '.' && name !== '..')
        out[name] = Module.FS.readFile('/mapy/' + name)[0];
    return JSON.stringify(out, Object.keys(out).sort()) === w;
  }, { timeout: 5000, polling: 50 }, JSON.stringify(want, names)).catch(() => {});
  return { list: (await listed(page)).sort(), folder: await folder(page) };
}
const sameMaps = (got, want) => show(got.list) === show(Object.keys(want).sort()) &&
  JSON.stringify(got.folder, Object.keys(got.folder).sort()) === JSON.stringify(want, Object.keys(want).sort());
const sameStored = (got, want) => JSON.stringify(got, Object.keys(got).sort()) === JSON.stringify(want, Object.keys(want).sort());

const reopen = async page => {
  await page.bringToFront();
  await page.reload();
  await page.waitForFunction(() => window.Module && window.Module.webShown, { timeout: 20000 });
};

// Two pages of one browser, both open all along.
async function twoPages(server, browser) {
  const context = await browser.createBrowserContext();
  try {
    const a = await web.newPage(context);
    await web.openGame(a, server.url);
    const b = await web.newPage(context);
    await web.openGame(b, server.url);
    const said = [await drop(a, 'A1', 1), await drop(a, 'A2', 2), await drop(b, 'B1', 3)];
    await shows(b, { A1: 1, A2: 2, B1: 3 });
    said.push(await removeMap(b, 'A2'));
    const want = { A1: 1, B1: 3 };
    check('two pages: A adds A1 and A2, then B adds B1 and removes A2; the pages say so',
      show(said.map(s => s.split('\n')[0])) === show(['Mapa „A1“ je přidána; hra ji nabízí v menu.',
        'Mapa „A2“ je přidána; hra ji nabízí v menu.', 'Mapa „B1“ je přidána; hra ji nabízí v menu.', 'Mapa „A2“ je odebrána.']),
      show(said));
    let inA = await shows(a, want), inB = await shows(b, want), kept = await stored(a);
    check('two pages: A1 and B1 are kept and A2 is gone, in the storage and in both pages',
      sameStored(kept, want) && sameMaps(inA, want) && sameMaps(inB, want), show([kept, inA, inB]));

    // A replacement in one page reaches the other's game folder; a map
    // removed in both, one after the other, stays removed.
    const replaced = await drop(a, 'A1', 7);
    const rewant = { A1: 7, B1: 3 };
    inB = await shows(b, rewant);
    check('two pages: a map replaced in A has its new bytes in B',
      replaced === 'Mapa „A1“ je nahrazena novou verzí.' && sameMaps(inB, rewant), show([replaced, inB]));
    await drop(b, 'C', 4);
    await shows(a, { A1: 7, B1: 3, C: 4 });
    // B's button for C, pressed after A has removed C (B's list redrawn since).
    const stale = await b.$('#my-maps-list button[aria-label="Odebrat mapu C"]');
    const gone = [await removeMap(a, 'C')];
    await b.bringToFront();
    await b.$eval('#maps-status', e => { e.textContent = ''; });
    await stale.evaluate(button => button.click());
    await b.waitForFunction(() => document.getElementById('maps-status').textContent !== '', { timeout: 15000, polling: 50 });
    gone.push(await b.$eval('#maps-status', e => e.textContent));
    inA = await shows(a, rewant);
    check('two pages: a map removed in A, and then by B\'s button shown before, is gone from both',
      show(gone) === show(['Mapa „C“ je odebrána.', 'Mapa „C“ je odebrána.']) && sameMaps(inA, rewant) &&
      sameStored(await stored(b), rewant), show([gone, inA]));

    await reopen(a);
    await reopen(b);
    inA = await shows(a, rewant);
    inB = await shows(b, rewant);
    kept = await stored(b);
    check('two pages, after a reload: the same maps in the storage and both pages',
      sameStored(kept, rewant) && sameMaps(inA, rewant) && sameMaps(inB, rewant), show([kept, inA, inB]));
    for (const p of [a, b]) {
      await p.bringToFront();
      await web.click(p, 400, 300, 3, 50);
      const problems = await web.pageProblems(p);
      check('two pages: no errors on the page', !problems.length, problems.join('; '));
    }
  } finally {
    await context.close();
  }
}

// The storage's failures, made on demand (window.failNext) by a wrapped
// IDBObjectStore.put: 'request' makes a second write of the same name,
// which the browser refuses; 'abort' aborts the transaction once the write
// is done, as Chromium does at the commit when the disk is full; 'quota'
// does so with the quota's error. The browser's answer to persist() is
// refused and counted.
function injectFailures() {
  const put = IDBObjectStore.prototype.put;
  IDBObjectStore.prototype.put = function (value) {
    const how = window.failNext;
    if (!how || this.name !== 'maps')
      return put.apply(this, arguments);
    window.failNext = '';
    const request = put.apply(this, arguments);
    if (how === 'request')
      return this.add(value);
    const tx = this.transaction;
    if (how === 'quota')
      Object.defineProperty(tx, 'error', { value: new DOMException('Quota exceeded.', 'QuotaExceededError') });
    request.addEventListener('success', () => tx.abort());
    return request;
  };
  window.persistAsked = 0;
  if (navigator.storage) {
    navigator.storage.persisted = () => Promise.resolve(false);
    navigator.storage.persist = () => { window.persistAsked++; return Promise.resolve(false); };
  }
}

const FAILURES = [
  { how: 'request', why: /^prohlížeč zápis odmítl \(ConstraintError/ },
  { how: 'abort', why: /^prohlížeč ukládání přerušil\. Zkuste to znovu\.$/ },
  { how: 'quota', why: /^v úložišti prohlížeče už pro tuto stránku není místo\. Uvolněte místo .* a zkuste to znovu\.$/ },
];

async function failures(server, browser) {
  const context = await browser.createBrowserContext();
  try {
    const page = await web.newPage(context);
    await page.evaluateOnNewDocument(injectFailures);
    await web.openGame(page, server.url);
    const first = await drop(page, 'stará', 1);
    const asked = await page.evaluate(() => window.persistAsked);
    const panel = await page.$eval('#my-maps-keeping', e => e.textContent);
    check('the first stored map asks the browser to keep the site\'s data, and its refusal is told',
      asked === 1 && /^Mapa „stará“ je přidána; hra ji nabízí v menu\.\nProhlížeč nepřislíbil, že data stránky uchová natrvalo/.test(first) &&
      /nepřislíbil/.test(panel), show([asked, first, panel]));
    const want = { 'stará': 1 };
    let n = 0;
    for (const f of FAILURES) {
      await page.evaluate(how => { window.failNext = how; }, f.how);
      const fresh = await drop(page, `nová ${f.how}`, 9);
      await page.evaluate(how => { window.failNext = how; }, f.how);
      const again = await drop(page, 'stará', 9);
      const busy = await page.$eval('#maps-status', e => e.getAttribute('aria-busy'));
      const freshWhy = fresh.replace(`Mapa „nová ${f.how}“ není uložena ani přidána do hry: `, '');
      const againWhy = again.replace('Mapa „stará“ není nahrazena: ', '').replace(' Hra má dál její dosavadní verzi.', '');
      const kept = await stored(page), shown = await shows(page, want);
      check(`${f.how}: a new map and a replacement are told as not kept (in Czech, with the reason), ` +
        'nothing is half stored, the old bytes stay, the page is not left busy',
        freshWhy !== fresh && f.why.test(freshWhy) && againWhy !== again && f.why.test(againWhy) &&
        busy === 'false' && sameStored(kept, want) && sameMaps(shown, want), show([fresh, again, busy, kept, shown]));
      const next = await drop(page, `po ${++n}`, n);
      want[`po ${n}`] = n;
      check(`${f.how}: the next add works`, next === `Mapa „po ${n}“ je přidána; hra ji nabízí v menu.` &&
        sameStored(await stored(page), want) && sameMaps(await shows(page, want), want), next);
    }
    const removed = await removeMap(page, 'po 1');
    delete want['po 1'];
    check('after the failures a removal works', removed === 'Mapa „po 1“ je odebrána.' &&
      sameStored(await stored(page), want), removed);
    check('the browser is asked to keep the data only once', await page.evaluate(() => window.persistAsked) === 1);
    await web.click(page, 400, 300, 3, 50);
    const problems = await web.pageProblems(page);
    check('failures: no errors on the page', !problems.length, problems.join('; '));
  } finally {
    await context.close();
  }
}

// Pages with no storage at all: none offered, or it cannot be opened (as in
// some private windows; here the database's creation is aborted).
const NO_STORAGE = [
  { what: 'none offered', script: () => {
    Object.defineProperty(window, 'indexedDB', { get: () => undefined, configurable: true });
  } },
  { what: 'opening fails', script: () => {
    const open = IDBFactory.prototype.open;
    IDBFactory.prototype.open = function () {
      const request = open.apply(this, arguments);
      request.addEventListener('upgradeneeded', () => request.transaction.abort());
      return request;
    };
  } },
];

async function noStorage(server, browser) {
  for (const c of NO_STORAGE) {
    const context = await browser.createBrowserContext();
    try {
      const page = await web.newPage(context);
      await page.evaluateOnNewDocument(c.script);
      await web.openGame(page, server.url);
      const said = await drop(page, 'jen teď', 5);
      const panel = await page.$eval('#my-maps-keeping', e => e.textContent);
      const shown = await shows(page, { 'jen teď': 5 });
      check(`no storage (${c.what}): the game starts, the map plays until the page is closed and the page says so`,
        /^Mapa „jen teď“ je přidána; hra ji nabízí v menu\. Prohlížeč ji ale nemůže uložit \(.+\), a tak tu zůstane jen do zavření stránky\.$/.test(said) &&
        /jen do zavření stránky/.test(panel) && !/i po zavření/.test(panel) && sameMaps(shown, { 'jen teď': 5 }),
        show([said, panel, shown]));
      const removed = await removeMap(page, 'jen teď');
      check(`no storage (${c.what}): a map is removed`, removed === 'Mapa „jen teď“ je odebrána.' &&
        sameMaps(await shows(page, {}), {}), removed);
    } finally {
      await context.close();
    }
  }
}

// Maps an earlier version of the page kept: a database named /moje-mapy,
// records keyed by path, {timestamp, mode, contents}, the folder's own too.
async function earlierLayout(server, browser) {
  const context = await browser.createBrowserContext();
  try {
    const page = await web.newPage(context);
    await page.goto(server.url + 'manifest.webmanifest');
    await page.evaluate(() => new Promise((resolve, reject) => {
      const request = indexedDB.open('/moje-mapy', 21);
      request.onupgradeneeded = () => request.result.createObjectStore('FILE_DATA').createIndex('timestamp', 'timestamp');
      request.onerror = () => reject(request.error);
      request.onsuccess = () => {
        const db = request.result, tx = db.transaction('FILE_DATA', 'readwrite'), store = tx.objectStore('FILE_DATA');
        const file = first => { const b = new Uint8Array(1400); b[0] = first; return b; };
        store.put({ timestamp: new Date(1e12), mode: 16877 }, '/moje-mapy');
        store.put({ timestamp: new Date(1e12), mode: 33206, contents: file(5) }, '/moje-mapy/Stará mapa');
        store.put({ timestamp: new Date(1e12), mode: 33206, contents: file(6) }, '/moje-mapy/Zlaty ostrov');
        tx.oncomplete = () => { db.close(); resolve(); };
      };
    }));
    await web.openGame(page, server.url);
    const want = { 'Stará mapa': 5, 'Zlaty ostrov (2)': 6 };
    const shown = await shows(page, want);
    await page.waitForFunction(() => /vaše mapa jmenuje/.test(document.getElementById('maps-status').textContent),
      { timeout: 5000 }).catch(() => {});
    const said = await page.$eval('#maps-status', e => e.textContent);
    const databases = async () => (await page.evaluate(() => indexedDB.databases())).map(d => d.name).sort();
    await page.waitForFunction(async () => (await indexedDB.databases()).length === 1, { timeout: 5000 }).catch(() => {});
    check('the earlier layout\'s maps are taken over, a shipped name kept apart, and the old database deleted',
      sameMaps(shown, want) && sameStored(await stored(page), want) &&
      said === 'Hra teď má vlastní mapu „Zlaty ostrov“, a tak se vaše mapa jmenuje „Zlaty ostrov (2)“.' &&
      show(await databases()) === show(['hledani-pokladu']), show([shown, said, await databases()]));
    await removeMap(page, 'Stará mapa');
    await reopen(page);
    const left = { 'Zlaty ostrov (2)': 6 };
    check('a taken-over map, once removed, stays removed', sameMaps(await shows(page, left), left) &&
      sameStored(await stored(page), left));
  } finally {
    await context.close();
  }
}

async function run(dist) {
  const server = await web.serve(dist);
  const browser = await web.launch();
  try {
    // Each in a browser context of its own: a profile with nothing stored.
    for (const part of [twoPages, failures, noStorage, earlierLayout])
      await part(server, browser);
  } finally {
    await browser.close();
    server.stop();
  }
}

finish(run(process.argv[2]));
