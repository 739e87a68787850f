// The page in headless Chromium: the picture's size for each window (whole
// multiples where one comes close, the whole picture always inside), the
// page's Czech title and language, a click shorter than a frame, the message
// where the browser has no WebAssembly, the library's clock at 144 frames a
// second; the player's maps (added by the file
// chooser and by a drop, refused with a reason, listed by the game's menu in
// the order of their names, played, kept across a reload and a browser
// restart with the same profile, removed), touch (a tap and a long press),
// and playing offline once the page has been visited. Nothing on the page
// logs an error and the right button never opens the browser's menu.
// Usage: node web_page.js DIST; exit status 0 when every case holds.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const web = require('./browser');

// The room below the page's title bar (CSS pixels at a device pixel ratio),
// and the picture's width then, in the screen's own pixels.
const SIZES = [
  { room: [1024, 700, 1], width: 800, why: 'a whole 1x comes close' },
  { room: [1700, 1250, 1], width: 1600, why: 'a whole 2x comes close' },
  { room: [1920, 1035, 1], width: 1380, why: 'full HD: 1x would leave half the screen empty' },
  { room: [640, 430, 1], width: 573, why: 'a small window shows the whole picture' },
  { room: [1280, 700, 2], width: 1600, why: 'a whole 2x of the screen\'s own pixels comes close' },
];

const MIB = 1048576;
const START = [400, 407], HELP = [70, 541], END = [70, 568], AWAY = [400, 300];
const PARK = [700, 580];
const cell = (c, r) => [148 + 16 * c, 28 + 16 * r];

// A map: 1400 bytes of nothing but the given cells.
function map(cells) {
  const bytes = Buffer.alloc(1400);
  for (const [index, value] of Object.entries(cells))
    bytes[index] = value;
  return bytes;
}

const added = name => new RegExp(`^Mapa „${name}“ je přidána; hra ji nabízí v menu\\.$`);

// Files given to the page one at a time, through the chooser (a file on
// disk) or dropped (a file made in the page): what the page must say, and
// the name the map is then kept and listed under (none: refused).
const ADDED = [
  { how: 'chooser', name: 'Bbb mapa', bytes: map({}), says: added('Bbb mapa'), kept: 'Bbb mapa' },
  { how: 'drop', name: 'Aaa mapa', bytes: map({ 0: 2 }), says: added('Aaa mapa'), kept: 'Aaa mapa' },
  { how: 'drop', name: 'Aaa mapa', bytes: map({ 0: 6 }), says: /^Mapa „Aaa mapa“ je nahrazena novou verzí\.$/,
    kept: 'Aaa mapa' },
  { how: 'chooser', name: 'Zlaty ostrov', bytes: map({ 0: 1 }), kept: 'Zlaty ostrov (2)',
    says: /^Mapa „Zlaty ostrov“ se jmenuje stejně jako mapa dodaná se hrou, a tak je přidána jako „Zlaty ostrov \(2\)“\.$/ },
  { how: 'drop', name: 'poznámky.txt', bytes: Buffer.from('Tohle není mapa, jen text.\n'), says: added('poznámky.txt'),
    kept: 'poznámky.txt' },
  { how: 'drop', name: 'právě 1 MiB', bytes: Buffer.alloc(MIB, 3), says: added('právě 1 MiB'), kept: 'právě 1 MiB' },
  { how: 'chooser', name: 'obří', bytes: Buffer.alloc(MIB + 1, 3),
    says: /^Soubor „obří“ nelze přidat: má 1,0 MiB a mapa smí mít nejvýš 1 MiB\.$/ },
  { how: 'drop', name: 'a\u0007b', bytes: map({}), says: /^Soubor nelze přidat: jeho jméno obsahuje řídicí znak/ },
  { how: 'drop', name: '..', bytes: map({}), says: /^Soubor „..“ nelze přidat: takové jméno nemůže mít žádný soubor\.$/ },
  { how: 'drop', name: '.mapkit-x1', bytes: map({}), says: /dočasné soubory editoru map a hra je v menu nenabízí/ },
  { how: 'drop', name: 'é'.repeat(128), bytes: map({}), says: /jméno je delší než 255 bajtů/ },
];

// Touch, from the menu of a page that has a touch screen: each gesture at a
// point of the game, and what the picture must do.
const TOUCH = [
  { what: 'a tap starts a match', gesture: 'tap', at: START, then: 'changes' },
  { what: 'a tap uncovers a cell', gesture: 'tap', at: cell(3, 2), then: 'uncovers' },
  { what: 'a tap opens the help', gesture: 'tap', at: HELP, then: 'changes' },
  { what: 'a long press leaves the help', gesture: 'long', at: AWAY, then: 'shows the board again' },
  { what: 'a tap ends the match', gesture: 'tap', at: END, then: 'changes' },
  { what: 'a long press leaves the results', gesture: 'long', at: AWAY, then: 'shows the menu again' },
];

const { check, finish } = web.tally();

const same = web.same;

// The 16 x 16 square of frame f at the game's cell point p.
const square = (f, p) => web.square(f, p, 8);

// The still picture once it is no longer before (before itself when it
// stays for a few seconds).
async function nextFrame(page, before) {
  for (let tries = 0; tries < 15; tries++) {
    const now = await web.stillFrame(page, ...PARK);
    if (!same(now, before))
      return now;
  }
  return before;
}

// A click of button (1 left, 3 right); a cell's held longer, as a player
// does, but not the start button's: still held on the new board, it would
// uncover the cell beneath.
const click = (page, p, button, holdMs) => web.click(page, p[0], p[1], button || 1, holdMs || 150);

// Plays the menu's first map: starts a match, uncovers the top left cell,
// ends the match and leaves the results. Returns that cell as uncovered.
async function playFirstMap(page) {
  const menu = await web.stillFrame(page, ...PARK);
  let before = menu, played = null;
  for (const [p, button, holdMs] of [[START, 1], [cell(0, 0), 1, 400], [END, 1], [AWAY, 3]]) {
    await click(page, p, button, holdMs);
    const now = await nextFrame(page, before);
    if (same(now, before))
      return null;
    played = p === END ? before : played;
    before = now;
  }
  return same(before, menu) ? square(played, cell(0, 0)) : null;
}

// What the page lists as the player's maps.
const listed = page => page.$$eval('#my-maps-list .map-name', items => items.map(i => i.textContent));
const byBytes = names => [...names].sort((a, b) => Buffer.compare(Buffer.from(a), Buffer.from(b)));

// Gives the page one file as the case says; resolves to what the page then says.
async function give(page, c, dir) {
  await page.$eval('#maps-status', e => { e.textContent = ''; });
  if (c.how === 'chooser') {
    const file = path.join(dir, c.name);
    fs.writeFileSync(file, c.bytes);
    const chooser = await page.$('#map-file');
    await chooser.uploadFile(file);
  } else {
    await page.evaluate((name, b64) => {
      const bytes = Uint8Array.from(atob(b64), ch => ch.charCodeAt(0));
      const files = new DataTransfer();
      files.items.add(new File([bytes], name));
      const target = document.getElementById('game');
      target.dispatchEvent(new DragEvent('dragenter', { dataTransfer: files, bubbles: true }));
      target.dispatchEvent(new DragEvent('drop', { dataTransfer: files, bubbles: true, cancelable: true }));
    }, c.name, c.bytes.toString('base64'));
  }
  await page.waitForFunction(() => {
    const s = document.getElementById('maps-status');
    return s.textContent !== '' && s.getAttribute('aria-busy') === 'false';
  }, { timeout: 20000 });
  return page.$eval('#maps-status', e => e.textContent);
}

async function touch(page, step) {
  const p = await web.pagePoint(page, ...step.at);
  if (step.gesture === 'tap')
    return page.touchscreen.tap(p.x, p.y);
  // Held until the game has taken it in as the right button.
  await page.touchscreen.touchStart(p.x, p.y);
  await page.waitForFunction(() => Module.webInput.b === 2, { timeout: 5000 });
  await page.touchscreen.touchEnd();
}

// On a page that has a touch screen (a change of that reloads the page).
async function touchSteps(page) {
  const menu = await web.stillFrame(page, ...PARK);
  let before = menu, board = null;
  for (const step of TOUCH) {
    await touch(page, step);
    const now = await nextFrame(page, before);
    let ok = !same(now, before);
    if (step.then === 'uncovers')
      ok = !same(square(now, step.at), square(before, step.at));
    if (step.then === 'shows the board again')
      ok = same(now, board);
    if (step.then === 'shows the menu again')
      ok = same(now, menu);
    check(`touch: ${step.what}`, ok);
    if (step.what === 'a tap opens the help')
      board = before;
    before = now;
  }
}

async function problems(page, when) {
  const found = await web.pageProblems(page);
  check(`${when}: no errors on the page, no browser menu`, !found.length, found.join('; '));
}

// The page around the game, in a browser of its own.
async function pageAround(server) {
  const failures = [];
  const browser = await web.launch();
  try {
    const page = await web.newPage(browser);
    await web.openGame(page, server.url);
    const head = await page.evaluate(() => [document.documentElement.lang, document.title,
      !document.getElementById('full-screen').hidden, document.querySelector('link[rel=icon]').href]);
    if (head[0] !== 'cs' || head[1] !== 'Hledání pokladu' || !head[2] || !/ikona-32\.png$/.test(head[3]))
      failures.push(`the page's language, title, full-screen button or icon: ${head}`);
    const bar = await page.evaluate(() => document.querySelector('header').getBoundingClientRect().height);
    for (const s of SIZES) {
      await page.setViewport({ width: s.room[0], height: Math.ceil(s.room[1] + bar), deviceScaleFactor: s.room[2] });
      const got = await page.evaluate(async () => {
        await new Promise(resume => requestAnimationFrame(() => requestAnimationFrame(resume)));
        const r = document.getElementById('game').getBoundingClientRect();
        const stage = document.getElementById('stage').getBoundingClientRect();
        return [Math.round(r.width * devicePixelRatio), Math.round(r.height * devicePixelRatio),
          r.left >= stage.left && r.top >= stage.top && r.right <= stage.right && r.bottom <= stage.bottom];
      });
      const ratio = got[0] / got[1];
      if (!got[2] || Math.abs(ratio - 4 / 3) > 0.01 || Math.abs(got[0] - s.width) > 2)
        failures.push(`${s.room}: the picture is ${got[0]} x ${got[1]}${got[2] ? '' : ', not all inside'}; want ${s.width} wide (${s.why})`);
    }
    await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: 1 });
    // A press and release that come between two frames still count: the
    // second player's card turns from computer to off.
    const before = await web.stillFrame(page, 700, 580);
    const card = await web.pagePoint(page, 85 + 170 + 60, 150 + 25);
    await page.mouse.move(card.x, card.y);
    await page.mouse.down();
    await page.mouse.up();
    const after = await web.stillFrame(page, 700, 580);
    if (Buffer.compare(Buffer.from(before.buffer), Buffer.from(after.buffer)) === 0)
      failures.push('a click shorter than a frame did nothing');
    await web.click(page, 400, 300, 3, 50);
    failures.push(...await web.pageProblems(page));
    await page.close();

    const bare = await web.newPage(browser);
    await bare.evaluateOnNewDocument(() => { delete window.WebAssembly; });
    await bare.goto(server.url);
    await bare.waitForFunction(() => !document.getElementById('message').hidden, { timeout: 10000 });
    const said = await bare.$eval('#message-text', e => e.textContent);
    if (!/neumí WebAssembly/.test(said))
      failures.push(`without WebAssembly the page says "${said}"`);
    await web.click(bare, 400, 300, 3, 50);
    failures.push(...(await web.pageProblems(bare)).map(p => `without WebAssembly: ${p}`));

    // The library's clock keeps time at 144 frames a second (the page's
    // clock made to step 1/144 s a frame): 70 retraces a second, where a
    // clock that dropped each frame's fractions of a millisecond counted 14 % fewer.
    const timed = await web.newPage(browser);
    await timed.evaluateOnNewDocument(() => {
      let now = 0, lastFrame = -1;
      performance.now = () => now;
      const frame = window.requestAnimationFrame.bind(window);
      window.requestAnimationFrame = callback => frame(t => {
        if (t !== lastFrame) {
          lastFrame = t;
          now += 1000 / 144;
        }
        callback(now);
      });
      window.onGameFirstFrame = () => {
        Module.onRetrace = count => { window.clock = [count, now]; };
      };
    });
    await web.openGame(timed, server.url);
    await timed.waitForFunction(() => window.clock, { timeout: 10000 });
    const from = await timed.evaluate(() => window.clock);
    await timed.waitForFunction(t => window.clock[1] >= t + 1000, { timeout: 20000 }, from[1]);
    const to = await timed.evaluate(() => window.clock);
    const retraces = to[0] - from[0], due = (to[1] - from[1]) * 70 / 1000;
    console.log(`the library's clock at 144 frames a second: ${retraces} retraces in ${(to[1] - from[1]).toFixed(1)} ms (${due.toFixed(1)} due)`);
    if (Math.abs(retraces - due) > 1.5)
      failures.push(`at 144 frames a second the library counted ${retraces} retraces in ${(to[1] - from[1]).toFixed(1)} ms, not ${due.toFixed(1)}`);
  } finally {
    await browser.close();
  }
  check('the page around the game: sizes, title, a short click, no WebAssembly, the library\'s clock', !failures.length,
    failures.join('; '));
}

async function run(dist) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'poklad-web-page-'));
  const profile = path.join(work, 'profile');
  // A copy of the folder, served: a new version is put into it on the way.
  const served = path.join(work, 'site');
  fs.cpSync(dist, served, { recursive: true });
  const server = await web.serve(served);
  await pageAround(server);
  let browser = await web.launch(profile);
  try {
    let page = await web.newPage(browser);
    await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: 1, hasTouch: true });
    await web.openGame(page, server.url);
    await touchSteps(page);

    // The first visit: the files as the table gives them.
    const kept = new Set();
    for (const c of ADDED) {
      const said = await give(page, c, work);
      if (c.kept)
        kept.add(c.kept);
      const list = await listed(page);
      // The first map kept may bring the browser's refusal to keep the data for good.
      const [first, ...more] = said.split('\n');
      check(`${c.how}: ${JSON.stringify(c.name)} (${c.bytes.length} bytes)`,
        c.says.test(first) && more.every(line => /^Prohlížeč nepřislíbil/.test(line)) && JSON.stringify(list) === JSON.stringify(byBytes(kept)),
        `the page says ${JSON.stringify(said)} and lists ${JSON.stringify(list)}`);
    }
    const wanted = byBytes(kept);
    const find = await playFirstMap(page);
    check('the menu offers the first of all maps by name, a dropped map, and it plays', find !== null);
    const keeper = await page.waitForFunction(() => navigator.serviceWorker.controller, { timeout: 20000 })
      .then(() => true, () => false);
    check('after the first visit a service worker keeps the page\'s files', keeper);
    const cdp = await page.createCDPSession();
    const installable = await cdp.send('Page.getInstallabilityErrors');
    const manifest = await cdp.send('Page.getAppManifest');
    check('the browser can install the page as an app', !installable.installabilityErrors.length &&
      !manifest.errors.length, JSON.stringify([installable, manifest.errors]));
    await problems(page, 'the first visit');

    await page.reload();
    await page.waitForFunction(() => window.Module && window.Module.webShown, { timeout: 20000 });
    check('after a reload the same maps are listed', JSON.stringify(await listed(page)) === JSON.stringify(wanted));
    check('after a reload the menu offers the same map first, and it plays as before',
      same(await playFirstMap(page), find));
    await problems(page, 'after a reload');

    // A new version on the server is what the next visit plays, and its
    // files replace the kept ones.
    const index = path.join(served, 'index.html'), worker = path.join(served, 'sw.js');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('<title>Hledání pokladu', '<title>Hledání pokladu (nová verze)'));
    fs.writeFileSync(worker, fs.readFileSync(worker, 'utf8').replace(/var BUILD = '[^']*'/, 'var BUILD = \'nova-verze\''));
    const newCache = `hledani-pokladu ${server.url} nova-verze`;
    await page.reload();
    await page.waitForFunction(() => window.Module && window.Module.webShown, { timeout: 20000 });
    const title = await page.title();
    await page.waitForFunction(async name => (await caches.keys()).join() === name, { timeout: 20000 }, newCache)
      .catch(() => {});
    const cachesLeft = await page.evaluate(() => caches.keys());
    check('the next visit plays a new version, and only its files are kept',
      title === 'Hledání pokladu (nová verze)' && cachesLeft.join() === newCache, `${title}; ${cachesLeft}`);
    await browser.close();

    // The browser started again with the same profile, and the server gone.
    server.stop();
    browser = await web.launch(profile);
    page = await web.newPage(browser);
    await web.openGame(page, server.url);
    check('offline, in the browser started again: the same maps are listed',
      JSON.stringify(await listed(page)) === JSON.stringify(wanted));
    check('offline, in the browser started again: the same map plays first', same(await playFirstMap(page), find));

    // Removing the map the menu offered first: the chosen map is next.
    await page.click('#my-maps-button');
    await page.click('#my-maps-list button[aria-label="Odebrat mapu Aaa mapa"]');
    await page.waitForFunction(() => document.getElementById('maps-status').textContent === 'Mapa „Aaa mapa“ je odebrána.',
      { timeout: 10000 });
    const left = wanted.filter(n => n !== 'Aaa mapa');
    check('a removed map is no longer listed', JSON.stringify(await listed(page)) === JSON.stringify(left));
    await page.click('#my-maps-close');
    const next = await playFirstMap(page);
    check('after the removal the menu offers the next map, the chosen one, and it plays',
      next !== null && !same(next, find));
    await page.reload();
    await page.waitForFunction(() => window.Module && window.Module.webShown, { timeout: 20000 });
    check('offline, after a reload the removed map stays removed',
      JSON.stringify(await listed(page)) === JSON.stringify(left) && same(await playFirstMap(page), next));
    await problems(page, 'offline');
  } finally {
    await browser.close();
    server.stop();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

finish(run(process.argv[2]));
