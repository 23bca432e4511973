// The page in Debian's headless Chromium, driven through puppeteer-core (the browser is the system's; nothing is
// downloaded). A session serves the built page on 127.0.0.1, opens it in a fresh browser profile and keeps what
// the page said: console lines, and errors apart. It presses keys as a person does (down, a moment, up), reads the
// game's statistics line, and looks at the canvas's pixels in the game's virtual coordinates (640 x 480).
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const puppeteer = require('puppeteer-core');
const {serve} = require('./server');
const {decodePng} = require('./png');

const repository = path.resolve(__dirname, '../../..');
const site = process.env.QUARZEL_WEB_SITE || path.join(repository, 'build-web/site');
const outputFolder = process.env.QUARZEL_WEB_OUTPUT || path.join(repository, 'build-web/test-output');

// SwiftShader draws WebGL without a GPU; the rest keeps a browser on a closed network quiet and quick to start.
const kBrowserFlags = ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
  '--disable-default-apps', '--window-size=800,700'];

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

class PageSession {
  // `blocked`: requests whose URL it matches fail, as a broken download does.
  static async open({query = '', viewport = {width: 800, height: 700}, blocked = null} = {}) {
    if (!fs.existsSync(path.join(site, 'index.html'))) throw new Error(`no page in ${site}: run tools/build-web.sh`);
    const session = new PageSession();
    session.server = await serve(site);
    session.browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: 'new',
                                              args: kBrowserFlags});
    session.viewport = viewport;
    session.blocked = blocked;
    await session.newTab(query);
    return session;
  }

  // The page in a tab of its own, as a player's new visit (the old tab, if any, closes); `navigatedAt` notes when
  // the navigation began.
  async newTab(query = this.query) {
    const old = this.page;
    this.page = await this.browser.newPage();
    if (old) await old.close();
    await this.page.setViewport(this.viewport);
    this.page.on('console', (message) => this.heard(message.type(), message.text()));
    this.page.on('pageerror', (error) => this.errors.push(`page error: ${error.message}`));
    if (this.blocked) {
      await this.page.setRequestInterception(true);
      this.page.on('request', (request) => (this.blocked.test(request.url()) ? request.abort() : request.continue()));
    }
    await this.load(query);
  }

  constructor() {
    this.lines = [];   // everything the page logged, in order
    this.errors = [];  // console errors and uncaught page errors
    this.stats = null; // the last statistics line, parsed
    this.query = '';
  }

  heard(type, text) {
    this.lines.push(text);
    if (type === 'error') this.errors.push(`console error: ${text}`);
    const stats = /^Stats mode (-?\d+) score (-?\d+) updates\/s (-?\d+) renders\/s (-?\d+) wave (-?\d+) cursor (-?\d+) (-?\d+) pickup (-?\d+) (-?\d+)(?: pad (-?\d+) accel (\S+) (\S+) (\S+))?/.exec(text);
    if (!stats) return;
    const [mode, score, updates, renders, wave, cursorX, cursorY, pickupX, pickupY, pad, ...accel] =
      stats.slice(1).map(Number);
    this.stats = {mode, score, updates, renders, wave, cursorX, cursorY, pickupX, pickupY, pad, accel, at: Date.now()};
    this.statsLines = (this.statsLines || 0) + 1;
  }

  async load(query = this.query) {
    this.query = query;
    this.lines = [];
    this.stats = null;
    this.navigatedAt = Date.now();
    await this.page.goto(this.server.url + (query ? `index.html?${query}` : ''), {waitUntil: 'load'});
  }

  async reload() { await this.load(this.query); }

  // Resolves true once a logged line contains `text` (lines since the last load), false after `seconds`.
  async waitForLine(text, seconds = 15) {
    for (const until = Date.now() + seconds * 1000; Date.now() < until; await sleep(50)) {
      if (this.lines.some((line) => line.includes(text))) return true;
    }
    return false;
  }

  // Resolves with the first statistics line that `test` accepts, or null after `seconds`.
  async waitForStats(test, seconds = 15) {
    for (const until = Date.now() + seconds * 1000; Date.now() < until; await sleep(50)) {
      if (this.stats && test(this.stats)) return this.stats;
    }
    return null;
  }

  // A click at (x, y), pixels from the canvas's top left corner.
  async clickAt(x, y) {
    const canvas = await (await this.page.$('#canvas')).boundingBox();
    await this.page.mouse.move(canvas.x + x, canvas.y + y);
    await this.page.mouse.down();
    await sleep(100);
    await this.page.mouse.up();
  }

  // Resolves once the page's service worker has cached the build and taken charge, with the browser's cache
  // names. The page registers its worker once the player acts: a key press here.
  async serviceWorkerActive() {
    await this.press('Shift');
    await this.page.evaluate(async () => {
      const registration = await navigator.serviceWorker.ready;
      while (registration.active.state !== 'activated') await new Promise((wake) => setTimeout(wake, 50));
    });
    return this.page.evaluate(() => caches.keys());
  }

  async press(key, heldMs = 120) {
    await this.page.keyboard.down(key);
    await sleep(heldMs);
    await this.page.keyboard.up(key);
    await sleep(250);
  }

  // The canvas as drawn now; region(x, y, width, height) in virtual pixels gives its [r, g, b] pixels.
  async canvas() {
    const element = await this.page.$('#canvas');
    const box = await element.boundingBox();
    const picture = decodePng(Buffer.from(await this.page.screenshot({clip: box, encoding: 'binary'})));
    const scale = picture.width / 640;
    return {
      picture,
      region(x, y, width, height) {
        const pixels = [];
        for (let py = Math.floor(y * scale); py < Math.floor((y + height) * scale); ++py) {
          for (let px = Math.floor(x * scale); px < Math.floor((x + width) * scale); ++px) {
            if (px < picture.width && py < picture.height) pixels.push(picture.pixel(px, py));
          }
        }
        return pixels;
      },
    };
  }

  async saveScreenshot(name) {
    fs.mkdirSync(outputFolder, {recursive: true});
    await this.page.screenshot({path: path.join(outputFolder, `${name}.png`)});
  }

  // The saved state as the page stores it (its in-memory copy of the browser's storage), or null.
  async storedState() {
    return this.page.evaluate(() => {
      try { return FS.readFile('/save/.tarsilstate', {encoding: 'utf8'}); } catch (e) { return null; }
    });
  }

  async close() {
    await this.browser.close();
    await this.server.close();
  }
}

// How many pixels lie within `tolerance` of (r, g, b) on every channel.
function countNear(pixels, [r, g, b], tolerance = 60) {
  return pixels.filter(([pr, pg, pb]) => Math.abs(pr - r) <= tolerance && Math.abs(pg - g) <= tolerance &&
                                         Math.abs(pb - b) <= tolerance).length;
}

module.exports = {PageSession, countNear, sleep, site};
