// The web game with a damaged image set, and with files that do not
// arrive: the page shows the game's message (or its own, in Czech) instead
// of a blank area, the game ends with status 1, the page keeps answering,
// the right button opens no browser menu and nothing else goes wrong.
// Usage: node web_damaged.js DIST IMAGE_SET (a good set, to damage); exit status 0 when every case holds.
'use strict';

const crypto = require('crypto');
const fs = require('fs');
const os = require('os');
const path = require('path');
const web = require('./browser');

const GAME_SAYS = 'Hra hlásí chybu:\nChyba pri nacitani datoveho souboru.';
const NO_FILES = 'Soubory hry se nepodařilo načíst. Zkontrolujte připojení k síti a načtěte stránku znovu.';
const NOT_FOUND = [/status of 404/, /request failed/];

function cases(goodSet) {
  const good = fs.readFileSync(goodSet);
  const noise = n => crypto.randomBytes(n);
  // name, the image set's new bytes (null: no image set), a file left out of
  // the folder, what the page must say, and the problems the case causes.
  return [
    { name: 'missing', set: null, says: GAME_SAYS, exit: '1' },
    { name: 'empty', set: Buffer.alloc(0), says: GAME_SAYS, exit: '1' },
    { name: 'random bytes', set: noise(5000), says: GAME_SAYS, exit: '1' },
    { name: 'header then garbage', set: Buffer.concat([good.subarray(0, 12), noise(5000)]), says: GAME_SAYS, exit: '1' },
    { name: 'cut in the headers', set: good.subarray(0, 40), says: GAME_SAYS, exit: '1' },
    { name: 'cut in the pixels', set: good.subarray(0, 100000), says: GAME_SAYS, exit: '1' },
    { name: 'no program file', leaveOut: 'hledani-pokladu.wasm', says: NO_FILES, expected: NOT_FOUND.concat([/exception: Aborted/]) },
    { name: 'no data file', leaveOut: 'hledani-pokladu.data', says: NO_FILES, expected: NOT_FOUND.concat([/exception/]) },
    { name: 'no program', leaveOut: 'hledani-pokladu.js', says: NO_FILES, expected: NOT_FOUND },
  ];
}

async function run(dist, goodSet) {
  const failures = [];
  const browser = await web.launch();
  try {
    for (const c of cases(goodSet)) {
      let dir = dist;
      if (c.leaveOut) {
        dir = fs.mkdtempSync(path.join(os.tmpdir(), 'poklad-web-'));
        fs.cpSync(dist, dir, { recursive: true });
        fs.rmSync(path.join(dir, c.leaveOut));
      }
      const server = await web.serve(dir);
      const page = await web.newPage(browser);
      if (c.set !== undefined) {
        await page.evaluateOnNewDocument(bytes => {
          window.onGameFilesReady = FS => {
            FS.unlink('/tarkoni.dat');
            if (bytes)
              FS.writeFile('/tarkoni.dat', new Uint8Array(bytes));
          };
        }, c.set ? Array.from(c.set) : null);
      }
      try {
        await page.goto(server.url);
        await page.waitForFunction(() => !document.getElementById('message').hidden, { timeout: 20000 });
        const said = await page.$eval('#message-text', e => e.textContent);
        if (said !== c.says)
          failures.push(`${c.name}: the page says "${said}"`);
        const shown = await page.evaluate(() => ({
          loading: !document.getElementById('loading').hidden,
          again: !document.getElementById('play-again').hidden,
          exit: document.body.dataset.exitStatus,
        }));
        if (shown.loading || !shown.again)
          failures.push(`${c.name}: loading still shown or no way to try again`);
        if (c.exit && shown.exit !== c.exit)
          failures.push(`${c.name}: the game ended with ${shown.exit}, not ${c.exit}`);
        await web.click(page, 400, 300, 3, 50);
        failures.push(...(await web.pageProblems(page, c.expected || [])).map(p => `${c.name}: ${p}`));
      } catch (e) {
        failures.push(`${c.name}: ${e.message}`);
      } finally {
        await page.close();
        server.stop();
        if (dir !== dist)
          fs.rmSync(dir, { recursive: true, force: true });
      }
      console.log(`${c.name}: checked`);
    }
  } finally {
    await browser.close();
  }
  for (const f of failures)
    console.error(f);
  process.exitCode = failures.length ? 1 : 0;
}

run(process.argv[2], process.argv[3]).catch(e => { console.error(e); process.exitCode = 2; });
