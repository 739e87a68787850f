// The web edition's benchmark, run by hand (see the README): the size of
// its files gzipped, the time from asking for the page to its first picture,
// and for each scene (the menu, a board, the help over a board, the results)
// the frames a second, the frames dropped (a gap of more than 1.5 animation
// frames) and the work of one frame in the program (composing and
// presenting, from the browser's wake-up to the picture on the canvas).
// Prints Markdown tables. ENGINE is chromium (the default), firefox or webkit
// (which shows a window: run it under xvfb-run -a).
// Usage: NODE_PATH=tests/web/node_modules node tools/web/bench.js DIST [SECONDS] [ENGINE]
'use strict';

const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const web = require('../../tests/web/browser');

const median = a => { const s = [...a].sort((x, y) => x - y); return s.length ? s[Math.floor(s.length / 2)] : NaN; };
const pct = (a, p) => { const s = [...a].sort((x, y) => x - y); return s.length ? s[Math.min(s.length - 1, Math.floor(s.length * p))] : NaN; };
const ms = v => v.toFixed(2);

function sizes(dist) {
  console.log('| File | Bytes | Gzipped |\n|---|---:|---:|');
  let total = 0, gzTotal = 0;
  for (const name of fs.readdirSync(dist).sort()) {
    const bytes = fs.readFileSync(path.join(dist, name));
    const gz = zlib.gzipSync(bytes, { level: 9 }).length;
    total += bytes.length;
    gzTotal += gz;
    console.log(`| ${name} | ${bytes.length} | ${gz} |`);
  }
  console.log(`| all files | ${total} | ${gzTotal} (${(gzTotal / 1024).toFixed(0)} KB) |\n`);
}

async function firstFrames(browser, url, loads) {
  const times = [];
  for (let i = 0; i < loads; i++) {
    const page = await web.newPage(browser);
    // The first load from the server, the others as a revisit (WebKit's
    // session starts with an empty cache, and its cache cannot be turned off).
    if (page.setCacheEnabled)
      await page.setCacheEnabled(i > 0);
    await page.evaluateOnNewDocument(() => { window.onGameFirstFrame = () => { window.firstFrameAt = performance.now(); }; });
    await web.openGame(page, url);
    times.push(await page.evaluate(() => window.firstFrameAt));
    await page.close();
  }
  console.log('| Page load to first picture | ms |\n|---|---:|');
  console.log(`| first load (no cache) | ${times[0].toFixed(0)} |`);
  console.log(`| reloads, median of ${loads - 1} | ${median(times.slice(1)).toFixed(0)} |\n`);
}

async function measure(page, seconds) {
  await page.evaluate(() => {
    window.timed = [];
    Module.onFrameTimed = (work, present) => window.timed.push([performance.now(), work, present]);
  });
  await web.pause(seconds * 1000);
  const t = await page.evaluate(() => { const t = window.timed; Module.onFrameTimed = null; return t; });
  const gaps = t.slice(1).map((f, i) => f[0] - t[i][0]);
  const refresh = median(gaps);
  const span = (t[t.length - 1][0] - t[0][0]) / 1000;
  return {
    fps: (t.length - 1) / span,
    dropped: gaps.filter(g => g > 1.5 * refresh).length,
    work: t.map(f => f[1] + f[2]),
    present: t.map(f => f[2]),
  };
}

async function scenes(browser, url, seconds) {
  const page = await web.newPage(browser);
  await web.openGame(page, url);
  console.log('| Scene | Frames a second | Dropped | Frame work median (ms) | 95th percentile | Of it presenting |');
  console.log('|---|---:|---:|---:|---:|---:|');
  // The pointer moves a little all the time, as a player's hand does; one
  // move after another, and none while a click is held.
  // The point is found once: a question to the page each move would weigh on
  // WebKit's frames (its WebDriver answers on the page's own thread).
  let wiggling = true, clicking = false;
  const from = await web.pagePoint(page, 600, 500), to = await web.pagePoint(page, 640, 500);
  const wiggle = (async () => {
    while (wiggling) {
      if (!clicking)
        await page.mouse.move(from.x + Math.floor(Math.random() * (to.x - from.x)), from.y).catch(() => {});
      await web.pause(50);
    }
  })();
  const steps = [
    ['menu', null],
    ['board', [400, 407, 1]],
    ['help over the board', [70, 541, 1]],
    ['board again', [600, 590, 3]],
    ['results', [70, 568, 1]],
  ];
  for (const [name, click] of steps) {
    if (click) {
      clicking = true;
      await web.click(page, click[0], click[1], click[2], 100);
      clicking = false;
    }
    await web.pause(500);
    const m = await measure(page, seconds);
    console.log(`| ${name} | ${m.fps.toFixed(1)} | ${m.dropped} | ${ms(median(m.work))} | ${ms(pct(m.work, 0.95))} | ${ms(median(m.present))} |`);
  }
  wiggling = false;
  await wiggle;
  await page.close();
}

async function main() {
  const dist = process.argv[2];
  const seconds = Number(process.argv[3] || 5);
  const engine = process.argv[4] || 'chromium';
  sizes(dist);
  const server = await web.serve(dist);
  const browser = await web.launch(null, engine);
  console.log(`Engine: ${engine}\n`);
  try {
    await firstFrames(browser, server.url, 6);
    await scenes(browser, server.url, seconds);
  } finally {
    await browser.close();
    server.stop();
  }
}

main().catch(e => { console.error(e); process.exitCode = 1; });
