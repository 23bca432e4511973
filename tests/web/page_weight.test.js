// The page's weight: before the title shows, a desktop browser and a phone (a high-density screen, held
// sideways) each download at most 8,000,000 bytes, the art of one resolution among them. A size that needs the
// art of another resolution (full screen on a large screen) fetches it, and the game goes on drawing its title all along, never
// with pictures missing, even while that art is slow to come.
'use strict';
const assert = require('node:assert/strict');
const test = require('node:test');
const {PageSession, sleep} = require('./support/browser');
const {missingFeatures, titleFeatures} = require('./support/screens');

const kMostBytes = 8000000;
const kPhone = {width: 915, height: 412, deviceScaleFactor: 3, isMobile: true, hasTouch: true, isLandscape: true};

// The bytes the server sent from the first visit (a fresh browser profile, which has nothing cached) until the
// game is at its title with its art loaded (its statistics line says so: the layout of a phone's screen is not
// the one the title's picture checks know), or -1 if it never is.
async function bytesBeforeTitle(session) {
  if (!(await session.waitForStats((stats) => stats.mode === 1, 30))) return -1;
  return session.server.bytesSent();
}

for (const [name, viewport] of [['a desktop browser', {width: 800, height: 700}], ['a phone', kPhone]]) {
  test(`${name} downloads at most ${kMostBytes} bytes before the title`, {timeout: 90000}, async () => {
    const session = await PageSession.open({viewport, query: 'stats=6'});
    try {
      const bytes = await bytesBeforeTitle(session);
      assert.ok(bytes > 0, 'the title shows');
      console.log(`${name}: ${bytes} bytes before the title`);
      assert.ok(bytes <= kMostBytes, `${bytes} bytes before the title`);
      assert.deepEqual(session.errors, [], 'no error in the console');
    } finally {
      await session.close();
    }
  });
}

test('full screen fetches the art of its size, and the title stays whole meanwhile', {timeout: 90000}, async () => {
  const session = await PageSession.open({query: 'stats=6', viewport: {width: 800, height: 600}});
  try {
    assert.ok(await session.waitForStats((stats) => stats.mode === 1, 20), 'the title runs');
    const devices = await session.page.target().createCDPSession();  // a large screen: full screen needs factor 4
    await devices.send('Emulation.setDeviceMetricsOverride', {width: 800, height: 600, deviceScaleFactor: 1,
                                                              mobile: false, screenWidth: 1600, screenHeight: 1200});
    const asked = [];
    let release = null;
    const released = new Promise((resolve) => { release = resolve; });
    await session.page.setRequestInterception(true);
    session.page.on('request', (request) => {
      asked.push(new URL(request.url()).pathname);
      if (/art-4\.data$/.test(request.url())) released.then(() => request.continue());  // a slow download
      else request.continue();
    });
    await session.press('F11');
    for (const until = Date.now() + 5000; Date.now() < until && !asked.includes('/art-4.data'); await sleep(100));
    assert.ok(asked.includes('/art-4.data'), `full screen asks for the larger art (asked: ${asked.join(', ')})`);
    await sleep(1000);  // updates go on while it downloads
    assert.deepEqual(await missingFeatures(session, titleFeatures), [], 'the title whole while the art downloads');
    release();
    const drawnLarge = () => session.page.evaluate(() => !!document.fullscreenElement &&
                                                   document.getElementById('canvas').width === 1600);
    for (const until = Date.now() + 10000; Date.now() < until && !(await drawnLarge()); await sleep(100));
    assert.ok(await drawnLarge(), 'once the art is there, the canvas is drawn at the screen\'s size');
    assert.ok(await session.page.evaluate(() => FS.analyzePath('/quarzel/data/nme-hd2.png').exists));
    await sleep(1000);  // the game reloads its art at the new size
    assert.deepEqual(await missingFeatures(session, titleFeatures), [], 'the title whole in the larger art');
    assert.deepEqual(session.errors, [], 'no error in the console');
  } finally {
    await session.close();
  }
});
