// A page whose data (its package, or the art the start needs) cannot be downloaded says so in words on the page,
// instead of a blank canvas.
'use strict';
const assert = require('node:assert/strict');
const test = require('node:test');
const {PageSession, sleep} = require('./support/browser');

for (const [name, blocked] of [['the data package', /index\.data$/], ['the art of the start\'s size', /art-2\.data$/]]) {
  test(`${name} failing to download is named on the page`, {timeout: 60000}, async () => {
    const session = await PageSession.open({blocked});
    try {
      let shown = '';
      for (const until = Date.now() + 15000; Date.now() < until && !shown; await sleep(100)) {
        shown = await session.page.$eval('#status', (line) => (line.className === 'problem' ? line.textContent : ''));
      }
      assert.match(shown, /The game could not be loaded/);
    } finally {
      await session.close();
    }
  });
}
