// A tab closed right after a save keeps that save: twenty times the sound option is stepped in the options,
// closing them saves, the tab closes as soon as the page has saved, and the next tab starts from exactly that
// state. The browser's IndexedDB is written asynchronously, and closing a tab cuts such a write off.
'use strict';
const assert = require('node:assert/strict');
const test = require('node:test');
const {PageSession, sleep} = require('./support/browser');

// Opens the options from the title's gear, steps the sound row, and closes them, which saves; resolves with the
// state the save wrote once the page asks the browser to store it (FS.syncfs). The browser's storage takes its
// time, the longer the busier the machine; here each store the page asks for starts five seconds late, so the
// tab is surely gone before it does, as it can be when a player closes the tab at once.
async function stepSoundAndSave(session) {
  await session.page.evaluate(() => {
    const store = FS.syncfs;
    FS.syncfs = function (populate) {
      if (populate !== false) return store.apply(FS, arguments);
      console.log('storing ' + FS.readFile('/save/.tarsilstate', {encoding: 'utf8'}));
      const request = arguments;
      setTimeout(() => store.apply(FS, request), 5000);
    };
  });
  const saved = new Promise((resolve) => {
    session.page.on('console', (message) => {
      if (message.text().startsWith('storing ')) resolve(message.text().slice('storing '.length));
    });
  });
  await sleep(2000);  // the title has slid in
  await session.clickAt(38, 416);
  await sleep(1200);  // the options have slid in
  await session.clickAt(200, 140);
  await sleep(300);
  await session.clickAt(100, 60);
  return saved;
}

const soundMode = (state) => (state ? state.split('|')[5] : null);

test('a tab closed right after a save keeps it, twenty times over', {timeout: 400000}, async () => {
  const session = await PageSession.open();
  try {
    let newest = null;
    for (let round = 1; round <= 21; ++round) {
      assert.ok(await session.waitForLine('Highscores Loaded'), `tab ${round} starts`);
      const loaded = await session.storedState();
      assert.equal(loaded, newest, `tab ${round} starts from the newest save`);
      if (round === 21) break;
      const saved = await stepSoundAndSave(session);
      assert.notEqual(soundMode(saved), soundMode(newest), `tab ${round} saved a new sound option`);
      newest = saved;
      await session.page.close();
      session.page = null;
      await session.newTab();
    }
    assert.deepEqual(session.errors, [], 'no error in the console');
  } finally {
    await session.close();
  }
});
