// The README's picture of the web page: the game's folder served locally,
// opened in headless Chromium in a 1024 x 700 window, a board started with
// a player and the computer, a few cells uncovered, saved as a PNG.
// Usage: NODE_PATH=tests/web/node_modules node tools/web/page_shot.js DIST OUT.png
'use strict';

const web = require('../../tests/web/browser');

async function main() {
  const [dist, out] = process.argv.slice(2);
  const server = await web.serve(dist);
  const browser = await web.launch();
  try {
    const page = await web.newPage(browser);
    await page.setViewport({ width: 1024, height: 700, deviceScaleFactor: 1 });
    await web.openGame(page, server.url);
    await web.click(page, 400, 407, 1, 100);  // Spustit
    await web.stillFrame(page, 520, 300);      // the board is up: a click counts
    for (const [x, y] of [[148, 28], [180, 92], [340, 220]])
      await web.click(page, x, y, 1, 100);
    await web.stillFrame(page, 520, 300);
    await page.screenshot({ path: out });
    console.log(`wrote ${out}`);
  } finally {
    await browser.close();
    server.stop();
  }
}

main().catch(e => { console.error(e); process.exitCode = 1; });
