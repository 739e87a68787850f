// The web side of web_frames: plays the frame script's steps (a file of
// lines "x y button hold_ms", written by web_frames_test.cpp) on the web game
// in the browser engine WEB_ENGINE names (chromium, the default, firefox or
// webkit: see browser.js), with the one test map in /mapy in place of the
// shipped maps, and writes each checkpoint's 5-6-5 picture to OUT/N.565.
// Also checks that the image set and the shipped maps the web game found are
// the Linux build's bytes (DATA: its tarkoni.dat and mapy/), that no right
// click opened the browser's menu and that the page logged no errors.
// Usage: node web_frames.js DIST STEPS MAP DATA OUT; exit status 0 when
// every check holds.
'use strict';

const fs = require('fs');
const path = require('path');
const web = require('./browser');

const PARK_X = 700, PARK_Y = 580;

async function main() {
  const [dist, stepsFile, mapFile, dataDir, out] = process.argv.slice(2);
  const steps = fs.readFileSync(stepsFile, 'utf8').trim().split('\n').map(l => l.split(' ').map(Number));
  const map = fs.readFileSync(mapFile);
  const failures = [];
  const server = await web.serve(dist);
  const engine = process.env.WEB_ENGINE || 'chromium';
  const launched = Date.now();
  const browser = await web.launch(null, engine);
  console.log(`${engine}: started in ${Date.now() - launched} ms`);
  try {
    const page = await web.newPage(browser);
    // Before main: note what the game was given, then leave it the test map alone.
    await page.evaluateOnNewDocument(mapBytes => {
      window.onGameFilesReady = FS => {
        const hex = a => Array.from(a, b => b.toString(16).padStart(2, '0')).join('');
        window.shipped = { 'tarkoni.dat': hex(FS.readFile('/tarkoni.dat')) };
        for (const name of FS.readdir('/mapy').filter(n => n !== '.' && n !== '..')) {
          window.shipped['mapy/' + name] = hex(FS.readFile('/mapy/' + name));
          FS.unlink('/mapy/' + name);
        }
        FS.writeFile('/mapy/a_ostrov', new Uint8Array(mapBytes));
      };
    }, Array.from(map));
    const started = Date.now();
    await web.openGame(page, server.url);
    console.log(`${engine}: the first picture came ${Date.now() - started} ms after the page was asked for`);

    const shipped = await page.evaluate(() => window.shipped);
    const want = { 'tarkoni.dat': fs.readFileSync(path.join(dataDir, 'tarkoni.dat')) };
    for (const name of fs.readdirSync(path.join(dataDir, 'mapy')))
      want['mapy/' + name] = fs.readFileSync(path.join(dataDir, 'mapy', name));
    for (const name of new Set([...Object.keys(want), ...Object.keys(shipped)]))
      if (!want[name] || !shipped[name] || want[name].toString('hex') !== shipped[name])
        failures.push(`${name}: not the Linux build's bytes in the web game`);

    fs.mkdirSync(out, { recursive: true });
    for (let i = 0; i < steps.length; i++) {
      const [x, y, button, hold] = steps[i];
      if (button)
        await web.click(page, x, y, button, hold);
      const f = await web.stillFrame(page, PARK_X, PARK_Y);
      fs.writeFileSync(path.join(out, `${i}.565`), Buffer.from(f.buffer, f.byteOffset, f.byteLength));
    }
    console.log(`${engine}: ${steps.length} steps played in ${Date.now() - started} ms`);
    // Quitting from the menu ends the game; the page says so.
    await web.click(page, 400, 438, 1, 150);
    await page.waitForFunction(() => !document.getElementById('message').hidden, { timeout: 10000 });
    const said = await page.evaluate(() => document.getElementById('message-text').textContent);
    if (said !== 'Hra skončila. Díky za hru!')
      failures.push(`after quitting the page says "${said}"`);
    failures.push(...await web.pageProblems(page));
  } finally {
    await browser.close();
    server.stop();
  }
  for (const f of failures)
    console.error(`${engine}: ${f}`);
  process.exitCode = failures.length ? 1 : 0;
}

main().catch(e => { console.error(e); process.exitCode = 2; });
