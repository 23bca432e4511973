// The page played in a real browser as a person plays it: the title drawn, full screen and back with F11, the dial
// turned to Normal with keys held as a person holds them, twenty seconds of a round going for the pickups, the
// pause menu, the round ended, a reload that finds the round in the browser's storage, and F4 ending the game.
// The browser's console carries no error from start to end. Screenshots go to build-web/test-output/.
'use strict';
const assert = require('node:assert/strict');
const test = require('node:test');
const {PageSession, sleep} = require('./support/browser');
const {missingFeatures, pauseFeatures, playFeatures, titleFeatures} = require('./support/screens');

// The arrow keys held toward a point of the world, as the desktop journey steers (tests/e2e/journey_e2e_test.cpp).
class Arrows {
  constructor(page) {
    this.page = page;
    this.held = {};
  }
  async set(key, down) {
    if (!!this.held[key] === down) return;
    this.held[key] = down;
    await (down ? this.page.keyboard.down(key) : this.page.keyboard.up(key));
  }
  async steer(dx, dy) {
    await this.set('ArrowRight', dx > 8);
    await this.set('ArrowLeft', dx < -8);
    await this.set('ArrowDown', dy > 8);
    await this.set('ArrowUp', dy < -8);
  }
}

// Twenty seconds with fire held, going for the nearest pickup, or round the turrets; between waves to the start
// marker for a fresh press of fire. Goes on until a pickup is caught, for twenty seconds more at most.
async function playForTwentySeconds(session) {
  const arrows = new Arrows(session.page);
  const corners = [[480, 400], [800, 400], [800, 560], [480, 560]];
  let fresh = false;
  await session.page.keyboard.down('z');
  for (const start = Date.now(); Date.now() - start < 40000; await sleep(100)) {
    const now = session.stats;
    const seconds = (Date.now() - start) / 1000;
    if (seconds > 20 && now.score > 0) break;
    let [x, y] = corners[Math.floor(seconds) % 4];
    if (now.pickupX >= 0) [x, y] = [now.pickupX, now.pickupY];
    else if (now.wave === 1) [x, y] = [640, 480];
    await arrows.steer(x - now.cursorX, y - now.cursorY);
    const atMarker = now.wave === 1 && Math.abs(now.cursorX - 640) < 30 && Math.abs(now.cursorY - 480) < 30;
    const release = atMarker && !fresh;  // a fresh press at the marker starts a wave
    await (release ? session.page.keyboard.up('z') : session.page.keyboard.down('z'));
    fresh = release;
  }
  await arrows.steer(0, 0);
  await session.page.keyboard.up('z');
  return session.stats.score;
}

async function fullscreenState(session) {
  return session.page.evaluate(() => ({full: !!document.fullscreenElement,
                                       width: document.getElementById('canvas').width, screen: screen.width}));
}

async function waitForFullscreen(session, wanted, seconds = 5) {
  for (const until = Date.now() + seconds * 1000; Date.now() < until; await sleep(100)) {
    const state = await fullscreenState(session);
    if (state.full === wanted && state.width === (wanted ? state.screen : 640)) return true;
  }
  return false;
}

test('a journey through the page, kept over a reload', {timeout: 180000}, async () => {
  const session = await PageSession.open({query: 'stats=6'});
  try {
    assert.ok(await session.waitForStats((stats) => stats.mode === 1, 20), 'the title runs');
    assert.deepEqual(await missingFeatures(session, titleFeatures), [], 'the title as on the desktop');
    await session.saveScreenshot('journey-1-title');
    const soundLine = () => session.page.$eval('#sound', (line) => !line.hidden);
    assert.ok(await soundLine(), 'the page says sound starts with the first key or click');

    await session.press('F11');
    assert.ok(await waitForFullscreen(session, true), 'F11 fills the screen, drawn at its size');
    await sleep(1500);  // the art of the larger size loads
    await session.saveScreenshot('journey-2-full-screen');
    await session.press('F11');
    assert.ok(await waitForFullscreen(session, false), 'F11 again: back to 640 x 480');
    assert.equal(await soundLine(), false, 'the first key started the sound');
    await session.press('F11');
    assert.ok(await waitForFullscreen(session, true));
    await session.page.evaluate(() => document.exitFullscreen());  // as the browser does on Escape
    assert.ok(await waitForFullscreen(session, false), 'left by the browser: back to 640 x 480');
    await session.press('F11');
    assert.ok(await waitForFullscreen(session, true), 'the game knew it had left: one F11 fills the screen again');
    await session.press('F11');
    assert.ok(await waitForFullscreen(session, false));

    await session.waitForStats((stats) => stats.mode === 1);
    await session.page.evaluate(() => { document.body.style.minHeight = '3000px'; });  // a page that could scroll
    for (const key of ['ArrowRight', 'ArrowUp', 'ArrowDown', 'Enter']) await session.press(key);  // Normal
    assert.ok(await session.waitForStats((stats) => stats.mode === 10), 'a round starts');
    const score = await playForTwentySeconds(session);
    assert.ok(score > 0, 'a pickup was caught');
    assert.deepEqual(await missingFeatures(session, playFeatures), [], 'play as on the desktop');
    await session.saveScreenshot('journey-3-play');
    const scrolled = await session.page.evaluate(() => window.scrollY);
    assert.equal(scrolled, 0, 'the arrow keys did not scroll the page');

    await session.press('Escape');
    assert.deepEqual(await missingFeatures(session, pauseFeatures), [], 'the pause menu');
    await session.saveScreenshot('journey-4-pause');
    await session.press('ArrowUp');  // from resume to the end-round button
    await session.press('Enter');
    assert.ok(await session.waitForStats((stats) => stats.mode === 1), 'back at the title');

    await session.reload();
    assert.ok(await session.waitForLine('Highscores Loaded'), 'the game loads its state after a reload');
    assert.ok(session.lines.includes('Settings Loaded'), 'the stored options were found');
    const stored = await session.storedState();
    const kNormalNewest = 35 + 21 + 1;  // Normal's block follows settings, badges and Easy's: (best, newest) pairs
    assert.equal(stored && stored.split('|')[kNormalNewest], String(score),
                 `the stored state holds the round's ${score} as Normal's newest`);

    await session.waitForStats((stats) => stats.mode === 1);
    await session.press('F4');
    const ending = await session.page.$eval('#ended', (line) => (line.hidden ? '' : line.textContent));
    assert.match(ending, /has ended\. Reloading the page starts it again/, 'F4 ends the game and the page says so');
    assert.deepEqual(session.errors, [], 'no error in the console');
  } finally {
    await session.close();
  }
});
