// WebKitGTK for the web tests: Debian's MiniBrowser, started with
// --automation by WebKitWebDriver and driven through a plain W3C WebDriver
// session (selenium-webdriver). Its pages offer the part of puppeteer-core's
// Page that the tests and browser.js use, so a test is written once for
// every engine.
//
// The browser shows a real window: it needs an X display (xvfb-run). The
// pointer is the X server's own, moved and pressed through XTest (xdotool)
// as a player's mouse would be: WebKitGTK 2.50's WebDriver actions report
// the release of the right or middle button as the left's and keep that
// button down in every later event (measured), which the game takes for a
// button held for good. The browser's data are the session's own, gone when
// it ends (MiniBrowser keeps nothing in automation mode), so it cannot be
// started again with the same profile. Plain WebDriver can neither run a
// script before a page's own nor report the page's console: pages are loaded
// through a small proxy in this process that puts the page's scripts to run
// first at the top of each HTML document, among them one that notes errors
// for pageProblems. All pages of one server share the proxy's origin.
'use strict';

const { execFile } = require('child_process');
const http = require('http');
const { WebDriver, Capabilities } = require('selenium-webdriver');
const { Executor, HttpClient } = require('selenium-webdriver/http');
const { DriverService } = require('selenium-webdriver/remote');
const { findFreePort } = require('selenium-webdriver/net/portprober');

const DRIVER = process.env.WEBKIT_WEBDRIVER || '/usr/bin/WebKitWebDriver';
const MINIBROWSER = process.env.WEBKIT_MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// Run first in every page: errors the page meets, kept for pageProblems,
// and the last point where the page saw the pointer.
const FIRST_SCRIPT = `(() => {
  const seen = window.pageProblemsSeen = [];
  const error = console.error.bind(console);
  console.error = (...args) => { seen.push('console: ' + args.join(' ')); error(...args); };
  window.addEventListener('error', e => seen.push('exception: ' + e.message));
  window.addEventListener('unhandledrejection', e => seen.push('exception: ' + (e.reason && e.reason.message || e.reason)));
  window.addEventListener('mousemove', e => { window.pointerSeenAt = [e.clientX, e.clientY]; }, true);
})();`;

// The proxy in front of the test's server (target, 'http://host:port/'):
// HTML documents get the scripts of the page that last asked for one
// (proxy.scripts) at the start of their head, and never come from the
// browser's cache, where they could have other scripts. Answers of 400 and
// above are noted in proxy.failures.
function startProxy(target) {
  const to = new URL(target);
  const proxy = { scripts: [], failures: [] };
  proxy.server = http.createServer((req, res) => {
    const page = req.url.endsWith('/') || /\.html(\?|$)/.test(req.url);
    const headers = { ...req.headers, host: to.host };
    if (page) {
      delete headers['if-modified-since'];
      delete headers['if-none-match'];
    }
    const up = http.request({ host: to.hostname, port: to.port, path: req.url, method: req.method, headers }, answer => {
      if (answer.statusCode >= 400 && req.url !== '/favicon.ico')  // the browser's own guess
        proxy.failures.push(`console: the server answered ${req.url} with status of ${answer.statusCode}`);
      if (!/^text\/html/.test(answer.headers['content-type'] || '')) {
        res.writeHead(answer.statusCode, answer.headers);
        answer.pipe(res);
        return;
      }
      const parts = [];
      answer.on('data', chunk => parts.push(chunk));
      answer.on('end', () => {
        const first = proxy.scripts.map(s => `<script>${s}</script>`).join('');
        const html = Buffer.concat(parts).toString('utf8').replace(/<head[^>]*>/i, m => m + first);
        const out = { ...answer.headers, 'cache-control': 'no-store' };
        delete out['content-length'];
        delete out['last-modified'];
        res.writeHead(answer.statusCode, out);
        res.end(html);
      });
    });
    up.on('error', () => res.destroy());  // the server gone: the browser meets a network error, as without the proxy
    req.pipe(up);
  });
  return new Promise(resolve => proxy.server.listen(0, '127.0.0.1', () => {
    proxy.url = `http://127.0.0.1:${proxy.server.address().port}/`;
    resolve(proxy);
  }));
}

const X_BUTTONS = { left: 1, middle: 2, right: 3 };

const xdotool = args => new Promise((resolve, reject) =>
  execFile('xdotool', args.map(String), error => (error ? reject(error) : resolve())));

// One page: a window (tab) of the session.
class WebKitPage {
  constructor(browser, handle) {
    this.browser = browser;
    this.driver = browser.driver;
    this.handle = handle;
    this.problems = [];
    this.scripts = [FIRST_SCRIPT];
    this.offset = null;  // the page's point (0, 0) on the X screen
    const page = this;
    const at = async (x, y) => {
      const o = await page.screenOffset();
      return ['mousemove', Math.floor(x) + o[0], Math.floor(y) + o[1]];
    };
    const button = o => X_BUTTONS[(o && o.button) || 'left'];
    // A click is one xdotool run, so that it is held for just its delay.
    this.mouse = {
      move: async (x, y) => xdotool(await at(x, y)),
      down: async o => { await page.front(); await xdotool(['mousedown', button(o)]); },
      up: async o => { await page.front(); await xdotool(['mouseup', button(o)]); },
      click: async (x, y, o = {}) => xdotool([...await at(x, y), 'mousedown', button(o),
        'sleep', (o.delay || 0) / 1000, 'mouseup', button(o)]),
    };
  }

  // Where the page lies on the X screen, found by moving the pointer into
  // the window and seeing where the page saw it.
  async screenOffset() {
    await this.front();
    if (this.offset)
      return this.offset;
    const w = await this.driver.manage().window().getRect();
    const [cx, cy] = [Math.floor(w.x + w.width / 2), Math.floor(w.y + w.height / 2)];
    for (let tries = 0; tries < 20 && !this.offset; tries++) {
      await this.evaluate(() => { window.pointerSeenAt = null; });
      await xdotool(['mousemove', cx + (tries % 2), cy]);
      await new Promise(resume => setTimeout(resume, 50));
      const seen = await this.evaluate(() => window.pointerSeenAt);
      if (seen)
        this.offset = [cx + (tries % 2) - seen[0], cy - seen[1]];
    }
    if (!this.offset)
      throw new Error('the page never saw the X pointer');
    return this.offset;
  }

  // Makes this window the session's current one.
  async front() {
    if (this.browser.current !== this.handle) {
      await this.driver.switchTo().window(this.handle);
      this.browser.current = this.handle;
    }
  }

  // Keeps what the page has noted so far (a new document starts afresh).
  async collectProblems() {
    await this.front();
    const seen = await this.driver.executeScript('return window.pageProblemsSeen || []').catch(() => []);
    this.problems.push(...seen.filter(p => !this.problems.includes(p)));
    await this.driver.executeScript('if (window.pageProblemsSeen) window.pageProblemsSeen.length = 0').catch(() => {});
    for (const proxy of Object.values(this.browser.proxies))
      this.problems.push(...proxy.failures.splice(0));
  }

  async evaluateOnNewDocument(fn, ...args) {
    this.scripts.push(`(${fn})(...${JSON.stringify(args)});`);
  }

  async evaluate(fn, ...args) {
    await this.front();
    return this.driver.executeScript(typeof fn === 'function' ? `return (${fn}).apply(null, arguments);` : fn, ...args);
  }

  async waitForFunction(fn, options = {}, ...args) {
    const until = Date.now() + (options.timeout === undefined ? 30000 : options.timeout);
    for (;;) {
      const value = await this.evaluate(fn, ...args);
      if (value)
        return value;
      if (Date.now() > until)
        throw new Error(`waiting for ${String(fn).slice(0, 80)} timed out`);
      await new Promise(resume => setTimeout(resume, 50));
    }
  }

  // The test's server's address becomes the proxy's.
  async goto(url) {
    await this.collectProblems();
    const to = new URL(url);
    this.proxy = await this.browser.proxyFor(to.origin);
    this.proxy.scripts = this.scripts;
    await this.driver.get(this.proxy.url + to.pathname.slice(1) + to.search + to.hash);
  }

  async reload() {
    await this.collectProblems();
    if (this.proxy)
      this.proxy.scripts = this.scripts;
    await this.driver.navigate().refresh();
  }

  async title() {
    await this.front();
    return this.driver.getTitle();
  }

  // The room inside the window; the window's rectangle includes its frame.
  async setViewport(v) {
    await this.front();
    const inner = () => this.driver.executeScript('return [innerWidth, innerHeight]');
    let [w, h] = [v.width, v.height];
    for (let tries = 0; tries < 3; tries++) {
      await this.driver.manage().window().setRect({ width: w, height: h });
      this.offset = null;
      const [iw, ih] = await inner();
      if (iw === v.width && ih === v.height)
        return;
      w += v.width - iw;
      h += v.height - ih;
    }
  }

  // An element, as far as the tests use one: clicked in its middle, or
  // given a file.
  async $(selector) {
    await this.front();
    const element = await this.driver.findElement({ css: selector });
    return {
      click: async () => {
        const r = await this.evaluate(e => { const b = e.getBoundingClientRect(); return [b.left, b.top, b.width, b.height]; },
          element);
        await this.mouse.click(r[0] + r[2] / 2, r[1] + r[3] / 2, { delay: 50 });
      },
      uploadFile: async file => { await this.front(); await element.sendKeys(file); },
    };
  }

  async click(selector) {
    await (await this.$(selector)).click();
  }

  async screenshot(options = {}) {
    await this.front();
    const png = Buffer.from(await this.driver.takeScreenshot(), 'base64');
    if (options.path)
      require('fs').writeFileSync(options.path, png);
    return png;
  }

  async close() {
    await this.collectProblems();
    await this.browser.closePage(this);
  }
}

class WebKitBrowser {
  async start() {
    const port = await findFreePort();
    this.service = new DriverService(DRIVER, { port, args: [`--port=${port}`], loopback: true });
    const url = await this.service.start();
    const caps = new Capabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation'] },
    });
    this.driver = await WebDriver.createSession(new Executor(new HttpClient(url)), caps);
    this.spare = await this.driver.getWindowHandle();  // the first window, not yet a page
    this.current = this.spare;
    this.pages = [];
    this.proxies = {};
    return this;
  }

  // The proxy in front of the server at origin, one for the browser's life.
  async proxyFor(origin) {
    if (!this.proxies[origin])
      this.proxies[origin] = await startProxy(origin + '/');
    return this.proxies[origin];
  }

  async newPage() {
    let handle = this.spare;
    this.spare = null;
    if (!handle) {
      await this.driver.switchTo().newWindow('tab');
      handle = await this.driver.getWindowHandle();
      this.current = handle;
    }
    const page = new WebKitPage(this, handle);
    this.pages.push(page);
    return page;
  }

  // The last window stays open, empty, for the next page.
  async closePage(page) {
    this.pages = this.pages.filter(p => p !== page);
    await page.front();
    if (this.pages.length || this.spare) {
      await this.driver.close();
      this.current = null;
    } else {
      await this.driver.get('about:blank');
      this.spare = page.handle;
    }
  }

  async close() {
    try {
      await this.driver.quit();
    } finally {
      await this.service.kill();
      for (const proxy of Object.values(this.proxies)) {
        proxy.server.closeAllConnections();
        proxy.server.close();
      }
    }
  }
}

async function launchWebKit() {
  if (!process.env.DISPLAY)
    throw new Error('WebKit needs an X display: run the test under xvfb-run');
  return new WebKitBrowser().start();
}

module.exports = { launchWebKit };
