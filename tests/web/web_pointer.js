// The game's pointer on the page, and the page on a phone. The mouse: a
// press that begins beside the picture or on the title bar and slides onto
// the board uncovers nothing, a press begun on the picture ends with a
// release anywhere, and the page's own buttons never move the game's
// pointer. A phone held sideways (844 x 390 CSS pixels, touch): the picture
// gets the height, the title bar folds into the corner button, every
// control is at least 44 px and no text speaks of mouse buttons; a finger
// drag uncovers a line of cells and the game's pointer then hides none; two
// fingers zoom the picture (at most 4 times) and pan it without playing;
// "Zpět" closes the help and leaves the results; held upright, the phone
// asks to be turned. The touch cases need Chromium (touch emulation and
// its DevTools protocol's touch points).
// Usage: node web_pointer.js DIST; exit status 0 when every case holds.
'use strict';

const web = require('./browser');

const START = [400, 407], HELP = [70, 541], END = [70, 568], SECOND_CARD = [85 + 170 + 60, 150 + 25];
const cell = (c, r) => [148 + 16 * c, 28 + 16 * r];
const row = (r, from, to) => Array.from({ length: to - from + 1 }, (_, i) => cell(from + i, r));

const { check, finish } = web.tally();

const same = web.same;

// The 14 x 14 inside of the cell whose centre is p, in frame f.
const square = (f, p) => web.square(f, p, 7);
// The cells of list whose picture differs between frames a and b.
const changed = (a, b, list) => list.filter(p => !same(square(a, p), square(b, p)));

// Waits until the game has taken in every queued pointer state, and a frame more.
async function taken(page) {
  await page.waitForFunction(() => !Module.webInput.queue.length, { timeout: 5000 });
  await page.evaluate(() => new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r))));
}

// The picture once it has held still for 300 ms, the pointer left where it is.
async function settled(page) {
  let last = null, still = 0;
  for (let tries = 0; tries < 100 && still < 3; tries++) {
    await web.pause(100);
    const now = await web.frame(page);
    still = same(now, last) ? still + 1 : 0;
    last = now;
  }
  return last;
}

// The page point of an element's centre.
const centre = (page, selector) => page.$eval(selector, e => {
  const r = e.getBoundingClientRect();
  return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
});

// Moves the mouse from a to b (page points) in steps, a frame each.
async function slide(page, a, b, steps) {
  for (let i = 0; i <= steps; i++) {
    await page.mouse.move(a.x + (b.x - a.x) * i / steps, a.y + (b.y - a.y) * i / steps);
    await taken(page);
  }
}

// A match on the menu's first map with player 2 off, so that every cell a
// drag crosses is the one human's; resolves to the menu and the board.
async function startAlone(page, tap) {
  await tap(SECOND_CARD);
  await taken(page);
  const menu = await settled(page);
  await tap(START);
  await taken(page);
  return { menu, board: await settled(page) };
}

async function mouseCases(server) {
  const browser = await web.launch();
  try {
    const page = await web.newPage(browser);
    await web.openGame(page, server.url);
    const tap = async p => { await web.click(page, p[0], p[1], 1, 60); await web.pause(300); };
    let { board } = await startAlone(page, tap);

    // Presses that begin off the picture, then slide along a row of cells.
    const picture = await page.$eval('#game', e => e.getBoundingClientRect().toJSON());
    const starts = [
      { from: 'beside the picture', at: async r => ({ x: picture.left - 40, y: r.y }), row: 4 },
      { from: 'on the title bar', at: () => centre(page, 'h1'), row: 9 },
    ];
    for (const s of starts) {
      const cells = row(s.row, 0, 6);
      const first = await web.pagePoint(page, ...cells[0]);
      const last = await web.pagePoint(page, ...cells[cells.length - 1]);
      await page.mouse.move(...Object.values(await s.at(first)));
      await page.mouse.down();
      await slide(page, await s.at(first), first, 6);
      await slide(page, first, last, 24);
      await page.mouse.up();
      await taken(page);
      const after = await web.stillFrame(page, 700, 580);
      const uncovered = changed(board, after, cells);
      check(`mouse: a press that begins ${s.from} and slides onto the board uncovers nothing`,
        !uncovered.length, `uncovered ${JSON.stringify(uncovered)}`);
      board = after;
    }

    // A press on the picture (right of the board, where nothing acts),
    // released beside the picture; then the pointer crosses a row of cells.
    const spot = await web.pagePoint(page, 792, 300);
    const outside = { x: picture.right + 40, y: spot.y };
    await page.mouse.move(spot.x, spot.y);
    await page.mouse.down();
    await slide(page, spot, outside, 4);
    await page.mouse.up();
    await taken(page);
    const state = await page.evaluate(() => Module.webInput);
    check('mouse: a release beside the picture ends the press, the game\'s pointer off the picture, not at its edge',
      state.b === 0 && state.away === true, JSON.stringify({ b: state.b, away: state.away }));
    const cells = row(12, 0, 6);
    await slide(page, await web.pagePoint(page, ...cells[6]), await web.pagePoint(page, ...cells[0]), 24);
    const after = await web.stillFrame(page, 700, 580);
    check('mouse: after that release, crossing cells uncovers none', !changed(board, after, cells).length);

    // The page's own buttons: the pointer is away once over them, and
    // pressing them sends the game nothing.
    await page.evaluate(() => {
      window.sent = 0;
      const queue = Module.webInput.queue, push = queue.push;
      queue.push = function () { window.sent++; return push.apply(this, arguments); };
    });
    const button = await centre(page, '#my-maps-button');
    await slide(page, await web.pagePoint(page, 700, 580), button, 6);
    await taken(page);
    const before = await page.evaluate(() => [window.sent, Module.webInput.away]);
    await page.mouse.down();
    await page.mouse.up();
    await page.click('#my-maps-close');
    const sent = await page.evaluate(() => window.sent);
    check('mouse: presses on the page\'s buttons never move the game\'s pointer',
      before[1] === true && sent === before[0], `away ${before[1]}, ${sent - before[0]} states sent`);
    await web.click(page, 400, 300, 3, 50);
    const problems = await web.pageProblems(page);
    check('mouse: no errors on the page, no browser menu', !problems.length, problems.join('; '));
  } finally {
    await browser.close();
  }
}

// Touch points through Chromium's DevTools protocol: type touchStart,
// touchMove or touchEnd, points [{x, y}] (page points; touchEnd: none).
function touch(cdp, type, points) {
  return cdp.send('Input.dispatchTouchEvent', {
    type, touchPoints: points.map((p, id) => ({ x: p.x, y: p.y, id, radiusX: 4, radiusY: 4 })),
  });
}

// Two fingers from a to b (each a pair of page points), in steps.
async function twoFingers(page, cdp, a, b, steps) {
  const at = i => a.map((p, k) => ({ x: p.x + (b[k].x - p.x) * i / steps, y: p.y + (b[k].y - p.y) * i / steps }));
  await touch(cdp, 'touchStart', at(0));
  for (let i = 1; i <= steps; i++) {
    await touch(cdp, 'touchMove', at(i));
    await web.pause(16);
  }
  await touch(cdp, 'touchEnd', []);
  await taken(page);
}

const rect = page => page.$eval('#game', e => e.getBoundingClientRect().toJSON());

// Every page control shown, with its size, and every bit of text shown.
const shown = page => page.evaluate(() => ({
  controls: [...document.querySelectorAll('button, input:not([hidden]), a')]
    .map(e => ({ e, r: e.getBoundingClientRect() }))
    .filter(({ e, r }) => r.width && r.height && getComputedStyle(e).visibility === 'visible')
    .map(({ e, r }) => ({ id: e.id || e.textContent.trim(), w: r.width, h: r.height })),
  text: document.body.innerText,
}));

async function phoneCases(server) {
  const browser = await web.launch();
  try {
    const page = await web.newPage(browser);
    await page.setViewport({ width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true, isLandscape: true });
    await web.openGame(page, server.url);
    const cdp = await page.createCDPSession();
    const tapAt = async p => { await page.touchscreen.tap(p.x, p.y); await taken(page); await web.pause(300); };
    const tap = async p => tapAt(await web.pagePoint(page, ...p));

    // The layout: the picture's height, the folded title bar, the controls.
    const picture = await rect(page);
    const bar = await page.$eval('header', e => [e.getBoundingClientRect().bottom, getComputedStyle(e).visibility]);
    check('phone: the picture gets nearly the whole height (390 px)', picture.height >= 380 &&
      Math.abs(picture.width / picture.height - 4 / 3) < 0.01, `${picture.width} x ${picture.height}`);
    check('phone: the title bar is folded away', bar[0] <= 0 && bar[1] === 'hidden', JSON.stringify(bar));
    let seen = await shown(page);
    const ids = seen.controls.map(c => c.id);
    await page.tap('#bar-button');
    await web.pause(300);
    const opened = await shown(page);
    await page.tap('#bar-button');
    await web.pause(300);
    const small = [...seen.controls, ...opened.controls].filter(c => c.w < 44 || c.h < 44);
    check('phone: the corner button and "Zpět" beside the picture, the title bar\'s controls behind it',
      ids.includes('bar-button') && ids.includes('back') && !ids.includes('add-map') &&
      ['add-map', 'my-maps-button', 'full-screen'].every(id => opened.controls.some(c => c.id === id)),
      `shown ${ids}; opened ${opened.controls.map(c => c.id)}`);
    check('phone: every control is at least 44 x 44 px', !small.length, JSON.stringify(small));
    check('phone: no text speaks of the mouse or its buttons', !/myš|tlačítk|klik/i.test(seen.text + opened.text),
      seen.text + opened.text);

    const { menu, board } = await startAlone(page, tap);
    check('phone: a tap turns a player off and starts a match', !same(menu, board));

    // A finger drag along a row: every cell it crosses, and no other.
    const cells = row(6, 2, 9);
    const from = await web.pagePoint(page, ...cells[0]);
    const to = await web.pagePoint(page, ...cells[cells.length - 1]);
    // The first move goes past the few pixels a tap may drift at once,
    // however slow the machine: the finger is dragging, not long-pressing.
    await touch(cdp, 'touchStart', [from]);
    for (let i = 0; i <= 28; i++) {
      await touch(cdp, 'touchMove', [{ x: from.x + 9 + (to.x - from.x - 9) * i / 28, y: from.y }]);
      await taken(page);
    }
    await touch(cdp, 'touchEnd', []);
    await taken(page);
    const dragged = await settled(page);
    const line = changed(board, dragged, cells);
    const others = changed(board, dragged, [...row(4, 0, 39), ...row(8, 0, 39)]);
    check('phone: a finger drag uncovers the line of cells it crosses', line.length === cells.length && !others.length,
      `uncovered ${line.length} of ${cells.length}, and ${others.length} others`);
    const state = await page.evaluate(() => Module.webInput);
    check('phone: once the finger lifts, the game\'s pointer is off the picture', state.away === true && state.b === 0);

    // Two fingers: zoom in (from 80 to 240 px apart: 3 times), pan, the
    // most (4 times), back out; nothing is played meanwhile.
    const base = await rect(page);
    const mid = { x: base.left + base.width / 2, y: base.top + base.height / 2 };
    const pair = d => [{ x: mid.x - d, y: mid.y }, { x: mid.x + d, y: mid.y }];
    await twoFingers(page, cdp, pair(40), pair(120), 8);
    const zoomed = await rect(page);
    const scale = zoomed.width / base.width;
    check('phone: a pinch enlarges the picture', scale > 2.7 && scale < 3.3, `scale ${scale}`);
    const moved = p => p.map(q => ({ x: q.x - 100, y: q.y - 60 }));
    await twoFingers(page, cdp, pair(60), moved(pair(60)), 6);
    const panned = await rect(page);
    check('phone: two fingers pan the enlarged picture', Math.abs(panned.left - zoomed.left + 100) < 2 &&
      Math.abs(panned.top - zoomed.top + 60) < 2 && Math.abs(panned.width - zoomed.width) < 1,
      `from ${zoomed.left},${zoomed.top} to ${panned.left},${panned.top}`);
    await twoFingers(page, cdp, pair(20), pair(300), 8);
    const most = (await rect(page)).width / base.width;
    await twoFingers(page, cdp, pair(300), pair(10), 8);
    const back = await rect(page);
    check('phone: zoom stops at 4 times, and pinching in brings the picture back', Math.abs(most - 4) < 0.01 &&
      Math.abs(back.width - base.width) < 0.5 && Math.abs(back.left - base.left) < 0.5, `most ${most}, back ${JSON.stringify(back)}`);
    check('phone: pinching and panning play nothing', same(await settled(page), dragged));

    // "Zpět": closes the help, leaves the results.
    await tap(HELP);
    const help = await settled(page);
    await page.tap('#back');
    await taken(page);
    const helpClosed = await settled(page);
    check('phone: "Zpět" closes the help', !same(help, dragged) && same(helpClosed, dragged));
    await tap(END);
    const results = await settled(page);
    await page.tap('#back');
    await taken(page);
    check('phone: "Zpět" leaves the results for the menu', !same(results, dragged) && same(await settled(page), menu));

    await web.click(page, 400, 300, 3, 50);
    const problems = await web.pageProblems(page);
    check('phone: no errors on the page, no browser menu', !problems.length, problems.join('; '));

    // Opened on a phone held upright: asked to turn, and may play upright all the same.
    const upright = await web.newPage(browser);
    await upright.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
    await web.openGame(upright, server.url);
    const turn = await upright.$eval('#turn', e => [getComputedStyle(e).display, e.innerText]);
    await upright.tap('#turn-skip');
    const after = await upright.waitForFunction(() => getComputedStyle(document.getElementById('turn')).display === 'none',
      { timeout: 5000 }).then(() => 'none', () => 'shown');
    check('phone: held upright, it asks to be turned', turn[0] !== 'none' && /Otočte telefon na šířku/.test(turn[1]) &&
      after === 'none', JSON.stringify([turn, after]));
  } finally {
    await browser.close();
  }
}

async function run(dist) {
  const server = await web.serve(dist);
  try {
    await mouseCases(server);
    await phoneCases(server);
  } finally {
    server.stop();
  }
}

finish(run(process.argv[2]));
