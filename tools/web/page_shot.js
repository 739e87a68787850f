// The README's pictures of the web page: the game's folder served locally,
// opened in headless Chromium, a board started with a player and the
// computer and a few cells uncovered, saved as a PNG. "laptop": a 1024 x 700
// window and the mouse; "phone": a phone held sideways (844 x 390 CSS
// pixels at twice their density, touch), the cells uncovered by a tap and
// a finger's drag.
// Usage: NODE_PATH=tests/web/node_modules node tools/web/page_shot.js DIST OUT.png [laptop|phone]
'use strict';

const web = require('../../tests/web/browser');

const START = [400, 407];
const cell = (c, r) => [148 + 16 * c, 28 + 16 * r];

async function laptop(page) {
  await web.click(page, ...START, 1, 100);    // Spustit
  await web.stillFrame(page, 520, 300);      // the board is up: a click counts
  for (const p of [cell(0, 0), cell(2, 4), cell(12, 12)])
    await web.click(page, ...p, 1, 100);
  await web.stillFrame(page, 520, 300);
}

// One finger: a tap, then a drag along a row (a move each frame).
async function phone(page) {
  const cdp = await page.createCDPSession();
  const frames = n => page.evaluate(n => new Promise(done => {
    const next = () => (n-- > 0 ? requestAnimationFrame(next) : done());
    next();
  }), n);
  const finger = (type, p) => cdp.send('Input.dispatchTouchEvent',
    { type, touchPoints: p ? [{ x: p.x, y: p.y, id: 0 }] : [] });
  const tap = async p => {
    const q = await web.pagePoint(page, ...p);
    await finger('touchStart', q);
    await finger('touchEnd');
    await frames(20);
  };
  await tap(START);
  await tap(cell(20, 3));
  const from = await web.pagePoint(page, ...cell(6, 14)), to = await web.pagePoint(page, ...cell(14, 14));
  await finger('touchStart', from);
  for (let i = 0; i <= 24; i++) {
    await finger('touchMove', { x: from.x + 9 + (to.x - from.x - 9) * i / 24, y: from.y });
    await frames(2);
  }
  await finger('touchEnd');
  await frames(30);
}

async function main() {
  const [dist, out, kind = 'laptop'] = process.argv.slice(2);
  const server = await web.serve(dist);
  const browser = await web.launch();
  try {
    const page = await web.newPage(browser);
    await page.setViewport(kind === 'phone' ?
      { width: 844, height: 390, deviceScaleFactor: 2, isMobile: true, hasTouch: true, isLandscape: true } :
      { width: 1024, height: 700, deviceScaleFactor: 1 });
    await web.openGame(page, server.url);
    await (kind === 'phone' ? phone : laptop)(page);
    await page.screenshot({ path: out });
    console.log(`wrote ${out}`);
  } finally {
    await browser.close();
    server.stop();
  }
}

main().catch(e => { console.error(e); process.exitCode = 1; });
