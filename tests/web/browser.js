// What every web test shares: the folder served from 127.0.0.1 by Python's
// http.server on a free port; a browser engine of Debian's with a fresh
// profile: headless Chromium driven by puppeteer-core (the default), headless
// Firefox ESR driven by puppeteer-core through WebDriver BiDi, or WebKitGTK's
// MiniBrowser (webkit.js: its pages offer the same calls); and the page
// watched for errors and for a browser menu opened by the right button.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');

const { launchWebKit } = require('./webkit');

const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';
const FIREFOX = process.env.FIREFOX || '/usr/bin/firefox-esr';
const ENGINES = ['chromium', 'firefox', 'webkit'];

// Firefox with nothing to fetch from the network at start-up: no updates,
// experiments, remote settings, captive portal or connectivity checks.
const FIREFOX_PREFS = {
  'app.normandy.enabled': false,
  'app.update.auto': false,
  'browser.safebrowsing.downloads.remote.enabled': false,
  'browser.shell.checkDefaultBrowser': false,
  'datareporting.policy.dataSubmissionEnabled': false,
  'messaging-system.rsexperimentloader.enabled': false,
  'network.captive-portal-service.enabled': false,
  'network.connectivity-service.enabled': false,
  'services.settings.server': 'http://127.0.0.1:9/',
  'toolkit.telemetry.enabled': false,
};

// Serves dir; resolves to {url, stop}. The port is the one Python reports.
function serve(dir) {
  return new Promise((resolve, reject) => {
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', dir],
      { stdio: ['ignore', 'pipe', 'pipe'] });
    let said = '';
    server.stdout.on('data', chunk => {
      said += chunk;
      const m = /port (\d+)/.exec(said);
      if (m && !server.url) {
        server.url = `http://127.0.0.1:${m[1]}/`;
        resolve({ url: server.url, stop: () => server.kill() });
      }
    });
    server.stderr.on('data', () => {});  // one line per request
    server.on('exit', code => { if (!server.url) reject(new Error(`http.server ended with ${code}`)); });
  });
}

// The engine's browser with a fresh profile, removed when the browser
// closes; or with the given profile folder, kept (the same browser started
// again; WebKit keeps nothing: browser.keepsProfile says which).
async function launch(keptProfile, engine = 'chromium') {
  if (engine === 'webkit') {
    const browser = await launchWebKit();
    browser.engine = engine;
    browser.keepsProfile = false;
    return browser;
  }
  if (!ENGINES.includes(engine))
    throw new Error(`no browser engine "${engine}"; there are ${ENGINES.join(', ')}`);
  const profile = keptProfile || fs.mkdtempSync(path.join(os.tmpdir(), `poklad-${engine}-`));
  const browser = engine === 'firefox'
    ? await puppeteer.launch({
      browser: 'firefox',
      executablePath: FIREFOX,
      headless: true,
      userDataDir: profile,
      extraPrefsFirefox: FIREFOX_PREFS,
    })
    : await puppeteer.launch({
      executablePath: CHROMIUM,
      headless: 'new',
      args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`],
    });
  browser.engine = engine;
  browser.keepsProfile = true;
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    if (!keptProfile)
      fs.rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// A page of browser at 1024 x 768 that records console errors, uncaught
// exceptions and failed requests in page.problems, and whether each
// contextmenu event reaching the window was cancelled in page.menus.
async function newPage(browser) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: 1 });
  if (page.on) {  // puppeteer-core's engines report as it happens; WebKit's pages note problems themselves
    page.problems = [];
    page.on('console', m => { if (m.type() === 'error') page.problems.push(`console: ${m.text()}`); });
    page.on('pageerror', e => page.problems.push(`exception: ${e.message}`));
    page.on('requestfailed', r => page.problems.push(`request failed: ${r.url()}`));
  }
  await page.evaluateOnNewDocument(() => {
    window.seenMenus = [];
    window.addEventListener('contextmenu', e => window.seenMenus.push(e.defaultPrevented));
  });
  return page;
}

// Opens the game's page and waits for its first picture.
async function openGame(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => window.Module && window.Module.webShown, { timeout: 20000 });
}

// A page point inside the game's pixel (x, y): a whole one where the pixel
// has one, since some engines take only those (Firefox rounds, the X
// pointer moves by whole pixels), else the pixel's middle.
async function pagePoint(page, x, y) {
  const r = await page.evaluate(() => {
    const b = document.getElementById('game').getBoundingClientRect();
    return { left: b.left, top: b.top, scale: b.width / 800 };
  });
  const inside = (start, n) => {
    const from = start + n * r.scale, whole = Math.ceil(from);
    return whole < from + r.scale ? whole : from + r.scale / 2;
  };
  return { x: inside(r.left, x), y: inside(r.top, y) };
}

const pause = ms => new Promise(resume => setTimeout(resume, ms));

// Moves to the game's (x, y) and clicks button (1 left, 3 right) held hold_ms.
async function click(page, x, y, button, holdMs) {
  const p = await pagePoint(page, x, y);
  await page.mouse.click(p.x, p.y, { button: button === 3 ? 'right' : 'left', delay: holdMs });
}

// The canvas as 5-6-5 pixels (a Uint16Array of 800 x 600), read in the page
// and sent deflated in base64 (a WebDriver answer of a megabyte takes
// WebKit's driver seconds).
async function frame(page) {
  const b64 = await page.evaluate(async () => {
    const c = document.getElementById('game');
    const d = new Uint32Array(c.getContext('2d').getImageData(0, 0, c.width, c.height).data.buffer);
    const out = new Uint16Array(c.width * c.height);
    for (let i = 0; i < out.length; i++) {
      const p = d[i];  // little-endian RGBA: red in the low byte
      out[i] = (((p & 0xff) >> 3) << 11) | (((p >> 8 & 0xff) >> 2) << 5) | ((p >> 16 & 0xff) >> 3);
    }
    const packed = await new Response(new Blob([out]).stream().pipeThrough(new CompressionStream('deflate-raw'))).blob();
    const url = await new Promise(done => {
      const reader = new FileReader();
      reader.onload = () => done(reader.result);
      reader.readAsDataURL(packed);
    });
    return url.slice(url.indexOf(',') + 1);
  });
  const buf = zlib.inflateRawSync(Buffer.from(b64, 'base64'));
  return new Uint16Array(buf.buffer, buf.byteOffset, buf.length / 2);
}

// A checksum of the canvas's pixels, worked out in the page.
const frameSum = page => page.evaluate(() => {
  const c = document.getElementById('game');
  const d = new Uint32Array(c.getContext('2d').getImageData(0, 0, c.width, c.height).data.buffer);
  let a = 0x811c9dc5, b = 0;
  for (let i = 0; i < d.length; i++) {
    a = Math.imul(a ^ d[i], 16777619);
    b = (b + (a >>> 7)) | 0;
  }
  return `${a >>> 0}-${b >>> 0}`;
});

// The picture once it has held still for 300 ms, with the pointer parked.
async function stillFrame(page, parkX, parkY) {
  const p = await pagePoint(page, parkX, parkY);
  await page.mouse.move(p.x, p.y);
  let last = null, still = 0;
  for (let tries = 0; tries < 100 && still < 3; tries++) {
    await pause(100);
    const now = await frameSum(page);
    still = now === last ? still + 1 : 0;
    last = now;
  }
  // Read whole once it has held still; again if it moved since.
  let picture = null;
  for (let tries = 0; tries < 20; tries++) {
    picture = await frame(page);
    const now = await frameSum(page);
    if (now === last)
      break;
    last = now;
    await pause(300);
  }
  return picture;
}

// What every web test checks at its end: at least one right click was
// seen, none of them opened the browser's menu, and nothing went wrong on
// the page (expected: patterns of problems a case causes on purpose).
async function pageProblems(page, expected = []) {
  if (page.collectProblems)
    await page.collectProblems();
  const menus = await page.evaluate(() => window.seenMenus);
  const found = page.problems.filter(p => !expected.some(e => e.test(p)));
  if (!menus.length)
    found.push('no right click reached the page');
  if (menus.some(cancelled => !cancelled))
    found.push('the right button opened the browser\'s menu');
  return found;
}

// A test program's tally: check(what, ok, detail) prints each case as it is
// decided; finish(run) waits for the test, prints what failed and the closing
// line "N passed, N failed", and sets the exit status.
function tally() {
  let passed = 0;
  const failed = [];
  const began = Date.now();
  function check(what, ok, detail) {
    const at = `[${((Date.now() - began) / 1000).toFixed(1)} s]`;
    if (ok) {
      passed++;
      console.log(`ok: ${what} ${at}`);
    } else {
      failed.push(what);
      console.log(`FAILED: ${what}${detail ? `: ${detail}` : ''} ${at}`);
    }
  }
  function finish(run) {
    return run
      .catch(e => failed.push(`the test itself: ${e.stack || e}`))
      .then(() => {
        for (const f of failed)
          console.error(`failed: ${f}`);
        console.log(`${passed} passed, ${failed.length} failed`);
        process.exitCode = failed.length ? 1 : 0;
      });
  }
  return { check, finish };
}

// Two frames (typed arrays of pixels) with the same bytes.
const same = (a, b) => !!a && !!b && Buffer.compare(Buffer.from(a.buffer), Buffer.from(b.buffer)) === 0;

// The square of side 2 * half around point p of an 800-wide frame f.
function square(f, p, half) {
  const out = [];
  for (let y = p[1] - half; y < p[1] + half; y++)
    out.push(...f.subarray(y * 800 + p[0] - half, y * 800 + p[0] + half));
  return Uint16Array.from(out);
}

module.exports = { ENGINES, serve, launch, newPage, openGame, click, frame, stillFrame, pageProblems, pause, pagePoint,
  tally, same, square };
