// The page around the web game: the picture's size for each window (whole
// multiples where one comes close, the whole picture always inside), the
// page's Czech title and language, a click shorter than a frame, and the
// message where the browser has no WebAssembly; no browser menu on the right button, no errors logged.
// Usage: node web_page.js DIST; exit status 0 when every check holds.
'use strict';

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

async function run(dist) {
  const failures = [];
  const server = await web.serve(dist);
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
  } finally {
    await browser.close();
    server.stop();
  }
  for (const f of failures)
    console.error(f);
  process.exitCode = failures.length ? 1 : 0;
}

run(process.argv[2]).catch(e => { console.error(e); process.exitCode = 2; });
