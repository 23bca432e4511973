// Fingers on the page of a phone: the phone's screens for a session, the game's layout at their size (its virtual
// screen and where it draws the on-screen joypad), and fingers put down, moved and lifted there by the browser's
// own touch input (several at once, each keeping its id, as a hand does).
'use strict';
const {sleep} = require('./browser');

// A phone held either way, at twice its page pixels (the drawing is sharper than the page).
const kLandscapePhone = {width: 915, height: 412, deviceScaleFactor: 2, isMobile: true, hasTouch: true, isLandscape: true};
const kPortraitPhone = {width: 412, height: 915, deviceScaleFactor: 2, isMobile: true, hasTouch: true};

// The game's virtual screen on a canvas of `width` x `height` device pixels: the design size (640 x 480, half as
// large again for portrait) kept along the axis that fits, the other axis as long as the screen has room for.
function virtualScreen(width, height) {
  const f = height > width ? 1.5 : 1;
  const scale = Math.max(width / (640 * f), height / (480 * f));
  return {width: width / scale, height: height / scale, scale};
}

// Where the game draws the joypad with the pad's stored place and size (`x`, `up` above the bottom, `size` in
// tenths), in virtual pixels: the centre, the four directions and the two fire buttons mirrored on the right.
function padLayout(screen, {x = 64, up = 64, size = 10} = {}) {
  const padX = x, padY = Math.trunc(screen.height - up), scale = size / 10;
  const d = scale * 32, e = scale * 24;
  return {
    centre: [padX, padY], left: [padX - d, padY], right: [padX + d, padY], up: [padX, padY - d],
    down: [padX, padY + d], fire: [screen.width - (padX - e), padY - e], fire2: [screen.width - (padX + e), padY + e],
  };
}

// Touches through the browser's input, in the game's virtual pixels on the session's phone.
class Fingers {
  static async on(session) {
    const fingers = new Fingers();
    fingers.client = await session.page.target().createCDPSession();
    const viewport = session.viewport;
    fingers.ratio = viewport.deviceScaleFactor;
    fingers.screen = virtualScreen(viewport.width * fingers.ratio, viewport.height * fingers.ratio);
    fingers.down = new Map();  // id -> [x, y] in page pixels
    return fingers;
  }

  page([x, y]) { return [x * this.screen.scale / this.ratio, y * this.screen.scale / this.ratio]; }

  async send(type) {
    const touchPoints = [...this.down].map(([id, [x, y]]) => ({x, y, id}));
    await this.client.send('Input.dispatchTouchEvent', {type, touchPoints});
  }

  // Finger `id` comes down at the virtual point `at`, or moves there when it is down already.
  async put(id, at) {
    const fresh = !this.down.has(id);
    this.down.set(id, this.page(at));
    await this.send(fresh ? 'touchStart' : 'touchMove');
  }

  async lift(id) {
    if (!this.down.delete(id)) return;
    await this.send(this.down.size ? 'touchMove' : 'touchEnd');
  }

  async tap(at, heldMs = 150) {
    await this.put(99, at);
    await sleep(heldMs);
    await this.lift(99);
    await sleep(250);
  }

  // Finger `id` slides from `from` to `to` in `steps` moves a frame or two apart.
  async drag(id, from, to, steps = 12) {
    await this.put(id, from);
    for (let i = 1; i <= steps; ++i) {
      await sleep(40);
      await this.put(id, [from[0] + (to[0] - from[0]) * i / steps, from[1] + (to[1] - from[1]) * i / steps]);
    }
  }
}

module.exports = {Fingers, kLandscapePhone, kPortraitPhone, padLayout, virtualScreen};
