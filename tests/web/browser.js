// What every web test shares: the folder served from 127.0.0.1 by Python's
// http.server on a free port, headless Chromium (Debian's) with a fresh
// profile driven by puppeteer-core, and the page watched for console errors
// and for a browser menu opened by the right button.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

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

// Chromium with a fresh profile, removed when the browser closes; or with
// the given profile folder, kept (the same browser started again).
async function launch(keptProfile) {
  const profile = keptProfile || fs.mkdtempSync(path.join(os.tmpdir(), 'poklad-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: 'new',
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`],
  });
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
  page.problems = [];
  page.on('console', m => { if (m.type() === 'error') page.problems.push(`console: ${m.text()}`); });
  page.on('pageerror', e => page.problems.push(`exception: ${e.message}`));
  page.on('requestfailed', r => page.problems.push(`request failed: ${r.url()}`));
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

// The page point of the game's pixel (x, y).
async function pagePoint(page, x, y) {
  const r = await page.evaluate(() => {
    const b = document.getElementById('game').getBoundingClientRect();
    return { left: b.left, top: b.top, scale: b.width / 800 };
  });
  return { x: r.left + (x + 0.5) * r.scale, y: r.top + (y + 0.5) * r.scale };
}

const pause = ms => new Promise(resume => setTimeout(resume, ms));

// Moves to the game's (x, y) and clicks button (1 left, 3 right) held hold_ms.
async function click(page, x, y, button, holdMs) {
  const p = await pagePoint(page, x, y);
  const name = button === 3 ? 'right' : 'left';
  await page.mouse.move(p.x, p.y);
  await page.mouse.down({ button: name });
  await pause(holdMs);
  await page.mouse.up({ button: name });
}

// The canvas as 5-6-5 pixels (a Uint16Array of 800 x 600), read in the page.
async function frame(page) {
  const b64 = await page.evaluate(() => {
    const c = document.getElementById('game');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    const out = new Uint16Array(c.width * c.height);
    for (let i = 0; i < out.length; i++)
      out[i] = ((d[4 * i] >> 3) << 11) | ((d[4 * i + 1] >> 2) << 5) | (d[4 * i + 2] >> 3);
    const bytes = new Uint8Array(out.buffer);
    let s = '';
    for (let i = 0; i < bytes.length; i += 0x8000)
      s += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return btoa(s);
  });
  const buf = Buffer.from(b64, 'base64');
  return new Uint16Array(buf.buffer, buf.byteOffset, buf.length / 2);
}

const sameFrame = (a, b) => a && b && a.length === b.length && Buffer.compare(Buffer.from(a.buffer), Buffer.from(b.buffer)) === 0;

// The picture once it has held still for 300 ms, with the pointer parked.
async function stillFrame(page, parkX, parkY) {
  const p = await pagePoint(page, parkX, parkY);
  await page.mouse.move(p.x, p.y);
  let last = null, still = 0;
  for (let tries = 0; tries < 100 && still < 3; tries++) {
    await pause(100);
    const now = await frame(page);
    still = sameFrame(now, last) ? still + 1 : 0;
    last = now;
  }
  return last;
}

// What every web test checks at its end: at least one right click was
// seen, none of them opened the browser's menu, and nothing went wrong on
// the page (expected: patterns of problems a case causes on purpose).
async function pageProblems(page, expected = []) {
  const menus = await page.evaluate(() => window.seenMenus);
  const found = page.problems.filter(p => !expected.some(e => e.test(p)));
  if (!menus.length)
    found.push('no right click reached the page');
  if (menus.some(cancelled => !cancelled))
    found.push('the right button opened the browser\'s menu');
  return found;
}

module.exports = { serve, launch, newPage, openGame, click, frame, stillFrame, pageProblems, pause, pagePoint };
