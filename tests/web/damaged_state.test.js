// A damaged saved state in the browser's storage behaves as a damaged file does on the desktop
// (tests/e2e/saved_state_e2e_test.cpp): the group whose checksum fails is lost alone, the others load, and the
// next save writes the whole ones back unchanged and the damaged one as its defaults. The save comes from the
// options, opened with the mouse and closed by touch, as a player on a laptop or a tablet does.
'use strict';
const assert = require('node:assert/strict');
const test = require('node:test');
const {PageSession, sleep} = require('./support/browser');

// The desktop tests' sample state (tests/e2e/sample_state.h): something in every group, checksums by hand.
const zeros = (count) => '0|'.repeat(count);
const kSettings = '0|0|0|0|0|2|0|0|0|0|100|64|10|0|1|0|0|0|0|0|0|0|0|0|0|1848|';
const kBadges = '-2147483647|0|0|0|0|0|0|0|-2147483647|';
const kScores = zeros(21) + '900|500|800|0|500|0|500|0|100|0|' + zeros(10) + '16900|' + '70|0|' + zeros(18) + '280|' +
                zeros(21) + '500|0|' + zeros(18) + '2000|' + zeros(21 * 3);

async function store(session, bytes) {
  await session.page.evaluate((text) => new Promise((resolve, reject) => {
    FS.writeFile('/save/.tarsilstate', text);
    localStorage.setItem('quarzel/.tarsilstate', '{"order": 9, "state": "0|0|');  // a damaged quick copy, not used
    FS.syncfs(false, (error) => (error ? reject(String(error)) : resolve()));
  }), bytes);
}

test('a damaged group alone is lost, as on the desktop', {timeout: 90000}, async () => {
  const session = await PageSession.open();
  try {
    assert.ok(await session.waitForLine('Highscores Loaded'));
    // The state is placed while no game runs: a running one saves once more as its page goes.
    await session.press('F4');
    const damagedBadges = kBadges.replace('|0|', '|4|');  // badge 34 earned by editing, checksum not fixed
    await store(session, kSettings + damagedBadges + kScores);
    await session.reload();
    assert.ok(await session.waitForLine('Highscores Loaded'));
    const loaded = session.lines.filter((line) => /Loaded|Invalid/.test(line));
    assert.deepEqual(loaded, ['Settings Loaded', 'Badge Checksum Invalid', 'Highscores Loaded']);

    // The options opened with a click on the gear and closed with a touch on their own gear: closing them saves.
    await sleep(2000);  // the title has slid in
    const canvas = await (await session.page.$('#canvas')).boundingBox();
    await session.page.mouse.click(canvas.x + 38, canvas.y + 416);
    await sleep(1200);
    await session.page.touchscreen.tap(canvas.x + 100, canvas.y + 60);
    const expected = kSettings + zeros(9) + kScores;
    let stored = null;
    for (const until = Date.now() + 5000; Date.now() < until && stored !== expected; await sleep(100)) {
      stored = await session.storedState();
    }
    assert.equal(stored, expected, 'no badges; options and lists kept');
    assert.deepEqual(session.errors, [], 'no error in the console');
  } finally {
    await session.close();
  }
});
