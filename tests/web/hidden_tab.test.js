// A tab the player leaves suspends the game as minimising its window does on the desktop: the game saves its
// state on the way (so closing the tab loses nothing), and goes on when the tab is shown again.
'use strict';
const assert = require('node:assert/strict');
const test = require('node:test');
const {PageSession, sleep} = require('./support/browser');

test('a hidden tab suspends the game, which saves, and a shown one resumes it', {timeout: 90000}, async () => {
  const session = await PageSession.open({query: 'stats=30'});
  try {
    assert.ok(await session.waitForStats((stats) => stats.mode === 1, 20));
    assert.equal(await session.storedState(), null, 'a first visit has nothing stored');
    const other = await session.browser.newPage();
    await other.bringToFront();
    assert.equal(await session.page.evaluate(() => document.visibilityState), 'hidden');
    let stored = null;
    for (const until = Date.now() + 5000; Date.now() < until && !stored; await sleep(100)) {
      stored = await session.storedState();
    }
    assert.ok(stored && stored.startsWith('0|0|0|0|0|1|'), 'suspending saved the default options');
    await session.page.bringToFront();
    const shownAt = Date.now();
    assert.ok(await session.waitForStats((stats) => stats.at > shownAt), 'updates go on once it is shown');
    assert.deepEqual(session.errors, [], 'no error in the console');
  } finally {
    await session.close();
  }
});
