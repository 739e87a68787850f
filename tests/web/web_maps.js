// The player's maps in one browser engine (chromium, firefox or webkit),
// through the page's own controls alone: files given to "Přidat mapu"'s
// file input are added, replaced or refused with the page's reason, listed
// under "Moje mapy" in the order of their names and put into the game's
// maps folder with their bytes; they stay after a reload and, where the
// engine keeps a profile, after the browser is started again; "Odebrat"
// removes one for good. Nothing on the page logs an error and the right
// button never opens the browser's menu.
// Usage: node web_maps.js ENGINE DIST; exit status 0 when every case holds.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const web = require('./browser');

const MIB = 1048576;

// A map: 1400 bytes of nothing but the given cells.
function map(cells) {
  const bytes = Buffer.alloc(1400);
  for (const [index, value] of Object.entries(cells))
    bytes[index] = value;
  return bytes;
}

// Files given to the chooser one after another: what the page must say
// first (it may say more, of the browser's storage), and the maps the
// player has then (name: bytes).
const FIRST = map({ 0: 2 }), SECOND = map({ 0: 6 }), OTHER = map({});
const GIVEN = [
  { as: 'added', name: 'Bbb mapa', bytes: OTHER, says: /^Mapa „Bbb mapa“ je přidána; hra ji nabízí v menu\./,
    has: { 'Bbb mapa': OTHER } },
  { as: 'added', name: 'Aaa mapa', bytes: FIRST, says: /^Mapa „Aaa mapa“ je přidána; hra ji nabízí v menu\./,
    has: { 'Aaa mapa': FIRST, 'Bbb mapa': OTHER } },
  { as: 'replaced', name: 'Aaa mapa', bytes: SECOND, says: /^Mapa „Aaa mapa“ je nahrazena novou verzí\./,
    has: { 'Aaa mapa': SECOND, 'Bbb mapa': OTHER } },
  { as: 'refused', name: 'obří', bytes: Buffer.alloc(MIB + 1, 3),
    says: /^Soubor „obří“ nelze přidat: má 1,0 MiB a mapa smí mít nejvýš 1 MiB\./,
    has: { 'Aaa mapa': SECOND, 'Bbb mapa': OTHER } },
];
const AFTER_REMOVAL = { 'Bbb mapa': OTHER };

const { check, finish } = web.tally();

const byBytes = names => [...names].sort((a, b) => Buffer.compare(Buffer.from(a), Buffer.from(b)));

// What the page lists, and the player's maps in the game's folder (the
// shipped ones left out) with their bytes in hex.
async function seen(page, shipped) {
  return page.evaluate(shippedNames => {
    const listed = Array.from(document.querySelectorAll('#my-maps-list .map-name'), e => e.textContent);
    const FS = window.Module.FS, folder = {};
    for (const name of FS.readdir('/mapy'))
      if (name !== '.' && name !== '..' && !shippedNames.includes(name))
        folder[name] = Array.from(FS.readFile('/mapy/' + name), b => b.toString(16).padStart(2, '0')).join('');
    return { listed, folder };
  }, shipped);
}

// Whether the page shows the player's maps has (name: bytes) and no others.
async function shows(page, shipped, has) {
  const got = await seen(page, shipped);
  const want = byBytes(Object.keys(has));
  const ok = JSON.stringify(got.listed) === JSON.stringify(want) &&
    JSON.stringify(byBytes(Object.keys(got.folder))) === JSON.stringify(want) &&
    want.every(n => got.folder[n] === has[n].toString('hex'));
  return { ok, detail: `lists ${JSON.stringify(got.listed)}, the game's folder has ${JSON.stringify(Object.keys(got.folder))}` };
}

// The page's status once it is no longer busy.
async function status(page) {
  await page.waitForFunction(() => {
    const s = document.getElementById('maps-status');
    return s.textContent !== '' && s.getAttribute('aria-busy') === 'false';
  }, { timeout: 20000 });
  return page.evaluate(() => document.getElementById('maps-status').textContent);
}

async function give(page, file, dir) {
  await page.evaluate(() => { document.getElementById('maps-status').textContent = ''; });
  const onDisk = path.join(dir, file.name);
  fs.writeFileSync(onDisk, file.bytes);
  await (await page.$('#map-file')).uploadFile(onDisk);
  return status(page);
}

async function reload(page) {
  await page.reload();
  await page.waitForFunction(() => window.Module && window.Module.webShown, { timeout: 20000 });
}

async function problems(page, engine, when) {
  await web.click(page, 400, 300, 3, 50);
  const found = await web.pageProblems(page);
  check(`${engine}, ${when}: no errors on the page, no browser menu`, !found.length, found.join('; '));
}

async function run(engine, dist) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), `poklad-web-maps-${engine}-`));
  const server = await web.serve(dist);
  const profile = path.join(work, 'profile');
  let browser = null;
  try {
    const started = Date.now();
    browser = await web.launch(profile, engine);
    console.log(`${engine} started in ${Date.now() - started} ms`);
    let page = await web.newPage(browser);
    await web.openGame(page, server.url);
    const first = await seen(page, []);  // a new profile: all in the game's folder is shipped
    const shipped = Object.keys(first.folder);
    check(`${engine}: the first visit lists none of the player's maps`, !first.listed.length && shipped.length > 0,
      `lists ${JSON.stringify(first.listed)}`);

    for (const file of GIVEN) {
      const said = await give(page, file, work);
      const now = await shows(page, shipped, file.has);
      check(`${engine}: "Přidat mapu" given ${JSON.stringify(file.name)} (${file.bytes.length} bytes): ${file.as}`,
        file.says.test(said) && now.ok, `the page says ${JSON.stringify(said)} and ${now.detail}`);
    }
    const kept = GIVEN[GIVEN.length - 1].has;
    await problems(page, engine, 'adding');

    await reload(page);
    let now = await shows(page, shipped, kept);
    check(`${engine}: after a reload the same maps are listed and in the game`, now.ok, now.detail);

    if (browser.keepsProfile) {
      await browser.close();
      browser = await web.launch(profile, engine);
      page = await web.newPage(browser);
      await web.openGame(page, server.url);
      now = await shows(page, shipped, kept);
      check(`${engine}: in the browser started again the same maps are listed and in the game`, now.ok, now.detail);
    }

    await page.evaluate(() => { document.getElementById('maps-status').textContent = ''; });
    await page.click('#my-maps-button');
    await page.click('#my-maps-list button[aria-label="Odebrat mapu Aaa mapa"]');
    const said = await status(page);
    now = await shows(page, shipped, AFTER_REMOVAL);
    check(`${engine}: "Odebrat" removes the map from the list and the game`,
      said === 'Mapa „Aaa mapa“ je odebrána.' && now.ok, `the page says ${JSON.stringify(said)} and ${now.detail}`);
    await page.click('#my-maps-close');
    await reload(page);
    now = await shows(page, shipped, AFTER_REMOVAL);
    check(`${engine}: after a reload the removed map stays removed`, now.ok, now.detail);
    await problems(page, engine, 'removing');
  } finally {
    if (browser)
      await browser.close();
    server.stop();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

const [engine, dist] = process.argv.slice(2);
finish(run(engine, dist));
