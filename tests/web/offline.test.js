// The page installed and offline: after one visit its service worker holds the build's files, and the page
// reaches the title with its saved state while the network is off and the server gone; the browser finds it
// installable as an app; and a new build on the server replaces the old one's cache, never mixed with it.
'use strict';
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const test = require('node:test');
const {PageSession, site, sleep} = require('./support/browser');
const {missingFeatures, titleFeatures} = require('./support/screens');

const web = path.resolve(__dirname, '../../host/web');

// Steps the sound option from the title's gear and closes the options, which saves; resolves with the new state.
async function saveAnOption(session) {
  const before = await session.storedState();
  await sleep(2000);  // the title has slid in
  await session.clickAt(38, 416);
  await sleep(1200);  // the options have slid in
  await session.clickAt(200, 140);
  await sleep(300);
  await session.clickAt(100, 60);
  for (let tries = 0; tries < 50 && (await session.storedState()) === before; ++tries) await sleep(100);
  return session.storedState();
}

// A copy of the built page as the next build: one byte of the page changed, its worker written again.
function nextBuild() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'quarzel-next-build-'));
  fs.cpSync(site, folder, {recursive: true});
  const page = path.join(folder, 'index.html');
  fs.writeFileSync(page, fs.readFileSync(page, 'utf8').replace('<title>Quarzel<', '<title>Quarzel!<'));
  execFileSync('cmake', [`-DSITE=${folder}`, `-DTEMPLATE=${web}/service_worker.js.in`, '-DVERSION=1.0.0',
                         '-P', `${web}/site_cache.cmake`]);
  const worker = fs.readFileSync(path.join(folder, 'service_worker.js'), 'utf8');
  return {folder, cacheName: /kCacheName = '([^']+)'/.exec(worker)[1]};
}

test('after one visit the page plays with the network off, with its saved state', {timeout: 120000}, async () => {
  const session = await PageSession.open({query: 'stats=6'});
  try {
    assert.ok(await session.waitForStats((stats) => stats.mode === 1, 20), 'the title runs');
    assert.equal((await session.serviceWorkerActive()).length, 1, 'one cache, filled');
    const saved = await saveAnOption(session);
    assert.ok(saved, 'the option was saved');

    await session.page.setOfflineMode(true);
    await session.server.close();
    await session.reload();
    assert.ok(await session.waitForStats((stats) => stats.mode === 1, 20), 'the title runs offline');
    assert.deepEqual(await missingFeatures(session, titleFeatures), [], 'the title as online');
    assert.ok(session.lines.includes('Highscores Loaded'), 'the game loaded its state');
    assert.equal(await session.storedState(), saved, 'the state saved online');
    assert.deepEqual(session.errors, [], 'no error in the console');
  } finally {
    await session.close();
  }
});

test('the browser finds the page installable as an app', {timeout: 60000}, async () => {
  const session = await PageSession.open();
  try {
    await session.serviceWorkerActive();
    const browser = await session.page.createCDPSession();
    assert.deepEqual((await browser.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  } finally {
    await session.close();
  }
});

test('a new build on the server replaces the cache of the old one', {timeout: 120000}, async () => {
  const session = await PageSession.open({query: 'stats=6'});
  const next = nextBuild();
  try {
    const [oldCache] = await session.serviceWorkerActive();
    session.server.serveFrom(next.folder);
    await session.reload();  // the old build runs, from its cache; the new one downloads beside it and waits
    assert.equal(await session.page.title(), 'Quarzel', 'the old build while its page is open');
    await session.page.waitForFunction(() => navigator.serviceWorker.getRegistration().then((r) => !!r.waiting),
                                       {polling: 100, timeout: 30000});
    assert.deepEqual(await session.page.evaluate(() => caches.keys()), [oldCache, next.cacheName]);

    // The old build's page closes; with no page of the old build left, the new worker takes over, and the next
    // visit runs the new build.
    const blank = await session.browser.newPage();
    await session.page.close();
    session.page = blank;
    await sleep(1500);
    await session.newTab();
    assert.equal(await session.page.title(), 'Quarzel!', 'the new build');
    assert.ok(await session.waitForStats((stats) => stats.mode === 1, 20), 'the new build runs');
    assert.deepEqual(await session.page.evaluate(() => caches.keys()), [next.cacheName], 'the old cache is gone');
    assert.deepEqual(session.errors, [], 'no error in the console');
  } finally {
    await session.close();
    fs.rmSync(next.folder, {recursive: true, force: true});
  }
});
