// The page on a phone: played by touch alone held sideways (a round at Normal from the title, steered with the
// on-screen pad while the other hand fires, a tap to pause, the pad moved and pinched larger while paused, the
// round ended and kept in the browser's storage), the game filling the screen held upright, the phone's tilt
// reaching the game turned with the screen, and a desktop's browser left without the pad. The game's statistics
// line reports the cursor, the score, whether the pad is on and the accelerometer's reading.
'use strict';
const assert = require('node:assert/strict');
const test = require('node:test');
const {PageSession, countNear, sleep} = require('./support/browser');
const {Fingers, kLandscapePhone, kPortraitPhone, padLayout} = require('./support/fingers');

const kNormalNewest = 35 + 21 + 1;  // Normal's block follows settings, badges and Easy's: (best, newest) pairs
const kPadX = 10, kPadUp = 11, kPadSize = 12;  // the pad's settings in the saved state

// The title's play icon starts a round at the dial's difficulty, Normal at first; it stands still while the rest
// of the title slides in, so it is tapped until the round starts.
async function startByTouch(session, fingers) {
  const {width, height} = fingers.screen;
  for (let tries = 0; tries < 10; ++tries) {
    await fingers.tap([width - 70, height - 48]);
    if (await session.waitForStats((stats) => stats.mode === 10, 1)) return true;
  }
  return false;
}

// The page's canvas against the page: its place and drawing size.
async function canvasLayout(session) {
  return session.page.evaluate(() => {
    const canvas = document.getElementById('canvas'), box = canvas.getBoundingClientRect();
    return {left: box.left, top: box.top, width: box.width, height: box.height, drawnWidth: canvas.width,
            drawnHeight: canvas.height, pageWidth: innerWidth, pageHeight: innerHeight};
  });
}

// A device's motion as the browser reports it, in m/s^2 along the device's own axes, until the game's reading
// is `wanted` (the browser's own sensor, emulated, may report a flat device in between); the reading or null.
async function tilt(session, [x, y, z], wanted) {
  const near = (values) => values.every((value, i) => Math.abs(value - wanted[i]) < 0.01);
  for (const until = Date.now() + 10000; Date.now() < until; await sleep(200)) {
    await session.page.evaluate((a) => {
      window.dispatchEvent(new DeviceMotionEvent('devicemotion', {accelerationIncludingGravity: a}));
    }, {x, y, z});
    const stats = await session.waitForStats((now) => now.at > Date.now() - 100 && near(now.accel), 0.3);
    if (stats) return stats.accel;
  }
  return null;
}

// The pad's direction buttons held toward a point of the world by two fingers (1 across, 2 up and down).
async function steer(fingers, pad, dx, dy) {
  await (Math.abs(dx) > 8 ? fingers.put(1, dx > 0 ? pad.right : pad.left) : fingers.lift(1));
  await (Math.abs(dy) > 8 ? fingers.put(2, dy > 0 ? pad.down : pad.up) : fingers.lift(2));
}

// Fire held by finger 0 while the pad goes for the nearest pickup, or round the turrets; between waves to the
// start marker for a fresh press of fire. Until a pickup is caught, for forty seconds at most.
async function playByTouch(session, fingers, pad) {
  const corners = [[480, 400], [800, 400], [800, 560], [480, 560]];
  let fresh = false;
  await fingers.put(0, pad.fire);
  for (const start = Date.now(); Date.now() - start < 40000; await sleep(100)) {
    const now = session.stats, seconds = (Date.now() - start) / 1000;
    if (now.score > 0) break;
    let [x, y] = corners[Math.floor(seconds) % 4];
    if (now.pickupX >= 0) [x, y] = [now.pickupX, now.pickupY];
    else if (now.wave === 1) [x, y] = [640, 480];
    await steer(fingers, pad, x - now.cursorX, y - now.cursorY);
    const atMarker = now.wave === 1 && Math.abs(now.cursorX - 640) < 30 && Math.abs(now.cursorY - 480) < 30;
    const release = atMarker && !fresh;  // a fresh press at the marker starts a wave
    await (release ? fingers.lift(0) : fingers.put(0, pad.fire));
    fresh = release;
  }
  for (const id of [0, 1, 2]) await fingers.lift(id);
  return session.stats.score;
}

test('a phone held sideways: a round by touch alone, kept in storage', {timeout: 180000}, async () => {
  const session = await PageSession.open({query: 'stats=6', viewport: kLandscapePhone});
  try {
    assert.ok(await session.waitForStats((stats) => stats.mode === 1, 20), 'the title runs');
    assert.equal(session.stats.pad, 1, 'a touch screen gets the on-screen pad');
    const layout = await canvasLayout(session);
    assert.deepEqual([layout.left, layout.top, layout.width, layout.height], [0, 0, 915, 412], 'the page is the canvas');
    assert.deepEqual([layout.drawnWidth, layout.drawnHeight], [1830, 824], 'drawn at the screen\'s pixels');

    const turned = await tilt(session, [1.962, -4.905, 9.81], [0.5, 0.2, 1]);  // the screen's x is the device's -y
    assert.ok(turned, 'the tilt in g, turned with the screen');

    const fingers = await Fingers.on(session);
    const pad = padLayout(fingers.screen);
    assert.ok(await startByTouch(session, fingers), 'a round starts');
    await session.saveScreenshot('touch-1-play');

    const before = (await session.waitForStats((stats) => stats.at > Date.now() - 100)).cursorX;
    await fingers.put(0, pad.fire);
    await fingers.put(1, pad.right);
    assert.ok(await session.waitForStats((stats) => stats.cursorX > before + 40), 'the pad moves while fire is held');
    await fingers.lift(1);
    const score = await playByTouch(session, fingers, pad);
    assert.ok(score > 0, 'a pickup was caught');

    await fingers.tap([16, 16]);  // the pause button
    await sleep(600);  // the pause menu slides in
    await session.saveScreenshot('touch-2-pause');
    // The pad's centre, three times its size while paused, is its handle; the resume and options buttons overlap
    // it on a screen this short, so the finger takes it by its lower right, clear of them.
    const moved = [180, 200];
    await fingers.drag(0, [pad.centre[0] + 40, pad.centre[1] + 26], moved);
    await fingers.lift(0);
    await fingers.put(0, [290, 40]);  // the pinch, along the top, clear of the fire buttons (they resume)
    await fingers.drag(1, [310, 40], [490, 40]);  // 20 pixels apart to 200
    await fingers.lift(1);
    await fingers.lift(0);
    await session.saveScreenshot('touch-3-pad-moved');
    await fingers.tap([64, 96]);  // end the round
    assert.ok(await session.waitForStats((stats) => stats.mode === 1), 'back at the title');

    const stored = (await session.storedState() || '').split('|');
    assert.equal(stored[kNormalNewest], String(score), `the stored state holds the round's ${score} as Normal's newest`);
    const padX = Number(stored[kPadX]), padUp = Number(stored[kPadUp]), padSize = Number(stored[kPadSize]);
    assert.ok(Math.abs(padX - moved[0]) <= 3 && Math.abs(padUp - (fingers.screen.height - moved[1])) <= 3,
              `the pad was dragged to ${moved} (stored ${padX}, ${padUp} above the bottom)`);
    assert.ok(padSize >= 18 && padSize <= 22, `the pinch made the pad about twice as large (size ${padSize})`);
    assert.ok(session.statsLines > 0 && await session.page.evaluate(() => scrollX === 0 && scrollY === 0),
              'no touch scrolled the page');
    assert.deepEqual(session.errors, [], 'no error in the console');
  } finally {
    await session.close();
  }
});

test('a phone held upright: the game fills the screen, the tilt turned with it', {timeout: 120000}, async () => {
  const session = await PageSession.open({query: 'stats=6', viewport: kPortraitPhone});
  try {
    assert.ok(await session.waitForStats((stats) => stats.mode === 1, 20), 'the title runs');
    const layout = await canvasLayout(session);
    assert.deepEqual([layout.left, layout.top, layout.width, layout.height], [0, 0, 412, 915], 'the page is the canvas');
    assert.deepEqual([layout.drawnWidth, layout.drawnHeight], [824, 1830], 'drawn at the screen\'s pixels');
    assert.ok(await tilt(session, [1.962, -4.905, 9.81], [0.2, -0.5, 1]), 'the tilt in g as the device has it');

    const fingers = await Fingers.on(session);
    const edges = async () => {
      const {picture} = await session.canvas();
      const pixels = [];
      for (let i = 0; i < 64; ++i) {
        const x = Math.floor(i * (picture.width - 1) / 63), y = Math.floor(i * (picture.height - 1) / 63);
        pixels.push(picture.pixel(x, 0), picture.pixel(x, picture.height - 1), picture.pixel(0, y),
                    picture.pixel(picture.width - 1, y));
      }
      return countNear(pixels, [12, 12, 20], 4);  // the page's own colour
    };
    assert.equal(await edges(), 0, 'the title reaches every edge');
    await session.saveScreenshot('touch-4-portrait-title');
    assert.ok(await startByTouch(session, fingers), 'a round starts');
    await sleep(1000);
    // Play's ground is nearly the page's colour: its corners show the pause button, the money, the pad and the
    // fire buttons instead, each whole in its corner of the screen.
    const {picture} = await session.canvas(), {width, height, scale} = fingers.screen;
    const lit = (x, y) => {
      let count = 0;
      for (let py = Math.floor(y * scale); py < Math.floor((y + 96) * scale); py += 2) {
        for (let px = Math.floor(x * scale); px < Math.floor((x + 96) * scale); px += 2) {
          const [r, g, b] = picture.pixel(px, py);
          if (r + g + b > 300) ++count;
        }
      }
      return count;
    };
    const corners = {'the pause button': lit(0, 0), 'the money': lit(width - 96, 0),
                     'the pad': lit(0, height - 96), 'the fire buttons': lit(width - 96, height - 96)};
    const missing = Object.keys(corners).filter((name) => corners[name] < 50);
    assert.deepEqual(missing, [], `play's corners: ${JSON.stringify(corners)}`);
    await session.saveScreenshot('touch-5-portrait-play');
    assert.deepEqual(session.errors, [], 'no error in the console');
  } finally {
    await session.close();
  }
});

test('a desktop\'s browser keeps its 640 x 480 game without the pad', {timeout: 60000}, async () => {
  const session = await PageSession.open({query: 'stats=6'});
  try {
    assert.ok(await session.waitForStats((stats) => stats.mode === 1, 20), 'the title runs');
    const layout = await canvasLayout(session);
    assert.deepEqual([layout.drawnWidth, layout.drawnHeight], [640, 480]);
    for (const key of ['ArrowRight', 'Enter']) await session.press(key);
    assert.ok(await session.waitForStats((stats) => stats.mode === 10), 'a round starts');
    assert.equal(session.stats.pad, 0, 'no on-screen pad');
  } finally {
    await session.close();
  }
});
