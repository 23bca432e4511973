// Figures of the web page in headless Chromium (SwiftShader: no GPU) beside the native program on this machine:
//   - page weight: the bytes the server sent from navigation until the title showed, on a first visit and on the
//     visits the service worker's cache serves;
//   - load to title: milliseconds from navigation to the first frame showing the title's blue ground, and to the
//     first frame the tests' title recognition accepts (screenshots taken back to back: about 60 ms apart), on a
//     first visit in a fresh browser profile and on cached second visits;
//   - updates and renders per second in play in phone emulation (915 x 412, a pixel ratio of 2, touch);
//   - updates and renders per second in play at wave 7 at 640 x 480, as the game's statistics line reports them,
//     once a player (the tests' steering: fire held, going for pickups, a fresh press at the marker between
//     waves) has reached the seventh wave; the median of ten seconds of lines.
// The native program is measured the same way for the rates (its own Xvfb, keys from xdotool); its start to title
// is figures_bench's, run alongside. Usage, after tools/build-web.sh and a native build:
//   node bench/web_figures.js [RUNS]
// Prints figures; asserts nothing.
'use strict';
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {PageSession, sleep, site} = require('../tests/web/support/browser');
const {median, programRates, ratesAtWaveSeven, startFigures} = require('./program_play');
const {titleFeatures} = require('../tests/web/support/screens');

const repository = path.resolve(__dirname, '..');
// Times to the title from `began` and the bytes served until it was recognised.
async function timesToTitle(session, began) {
  let blue = -1, recognised = -1, weight = -1;
  for (const until = Date.now() + 20000; Date.now() < until && recognised < 0; await sleep(10)) {
    const features = titleFeatures(await session.canvas());
    if (blue < 0 && features[0][1] > features[0][2]) blue = Date.now() - began;  // the blue ground
    if (features.every(([, count, threshold]) => count > threshold)) {
      recognised = Date.now() - began;
      weight = session.server.bytesSent();
    }
  }
  return {blue, recognised, weight};
}

// A visit of the page in a fresh tab, from the service worker's cache: weight and times to the title, then, on
// the first such visit, the rates in play at wave 7.
async function visitPage(session, withPlay) {
  session.server.resetCount();
  const navigation = session.newTab('stats=6');
  const began = Date.now();
  await navigation;
  const {blue, recognised, weight} = await timesToTitle(session, began);
  let rates = null;
  if (withPlay) {
    const keys = {Right: 'ArrowRight', Left: 'ArrowLeft', Up: 'ArrowUp', Down: 'ArrowDown', z: 'z', Enter: 'Enter'};
    rates = await ratesAtWaveSeven({
      stats: () => session.stats,
      lines: () => session.statsLines,
      key: (name, down) => (down ? session.page.keyboard.down(keys[name]) : session.page.keyboard.up(keys[name])),
    });
  }
  return {blue, recognised, weight, rates};
}

// Rates in play in phone emulation (915 x 412 at a pixel ratio of 2, touch): a round started by keys and ten
// seconds of statistics lines with fire held.
async function phoneRates() {
  const viewport = {width: 915, height: 412, deviceScaleFactor: 2, isMobile: true, hasTouch: true};
  const session = await PageSession.open({query: 'stats=6', viewport});
  const keys = {Right: 'ArrowRight', Up: 'ArrowUp', Down: 'ArrowDown', Enter: 'Enter'};
  await timesToTitle(session, session.navigatedAt);
  await sleep(1500);  // the title slides in
  for (const key of ['Right', 'Up', 'Down', 'Enter']) {
    await session.page.keyboard.down(keys[key]);
    await sleep(120);
    await session.page.keyboard.up(keys[key]);
    await sleep(250);
  }
  await session.page.keyboard.down('z');
  const rates = [];
  let firstLine = null;
  for (const until = Date.now() + 10000; Date.now() < until; await sleep(100)) {
    if (!session.stats || session.stats.mode !== 10) continue;
    if (!firstLine) firstLine = {lines: session.statsLines, at: Date.now()};
    rates.push([session.stats.updates, session.stats.renders]);
  }
  const counted = firstLine && ((session.statsLines - firstLine.lines) * 6 * 1000) / (Date.now() - firstLine.at);
  await session.close();
  if (rates.length === 0) return null;
  return {counted: Math.round(counted), updates: median(rates.map(([u]) => u)),
          renders: median(rates.map(([, r]) => r))};
}

async function main() {
  if (process.argv[2] === 'phone') {  // the phone's rates alone
    const phone = await phoneRates();
    console.log(phone ? `play in phone emulation: ${phone.counted} updates/s counted; the game's readings ` +
                        `${phone.updates} updates/s, ${phone.renders} renders/s` : 'play in phone emulation: not reached');
    return;
  }
  const runs = Number(process.argv[2] || 3);
  // The first visit in a fresh browser profile fetches everything; it leaves the build in the worker's cache.
  const session = await PageSession.open({query: 'stats=6'});
  const first = await timesToTitle(session, session.navigatedAt);
  await session.serviceWorkerActive();
  const visits = [];
  for (let run = 0; run < runs; ++run) visits.push(await visitPage(session, run === 0));
  await session.close();
  const phone = await phoneRates();
  const bytes = (name) => fs.statSync(path.join(site, name)).size;
  const onDisk = fs.readdirSync(site).map(bytes).reduce((a, b) => a + b, 0);  // every art set among them
  console.log(`web page (${site}): headless Chromium with SwiftShader, ${runs} visits, load average ${os.loadavg()[0].toFixed(2)}`);
  console.log(`  page weight before the title, first visit: ${(first.weight / 1048576).toFixed(2)} MiB` +
              ` (the site's files: ${(onDisk / 1048576).toFixed(2)} MiB); cached visits: ` +
              `${(median(visits.map((v) => v.weight)) / 1048576).toFixed(2)} MiB from the server`);
  console.log(`  first visit, navigation to the title's first frame ${first.blue} ms, to the title recognised ` +
              `${first.recognised} ms`);
  console.log(`  cached visits, navigation to the title's first frame: ${median(visits.map((v) => v.blue))} ms median` +
              ` (${visits.map((v) => v.blue).join(', ')})`);
  console.log(`  cached visits, navigation to the title recognised: ${median(visits.map((v) => v.recognised))} ms ` +
              `median (${visits.map((v) => v.recognised).join(', ')})`);
  const play = visits[0].rates;
  console.log(play ? `  play at wave 7, 640 x 480: ${play.counted} updates/s counted; the game's readings ` +
                     `${play.updates} updates/s, ${play.renders} renders/s (median)` : '  play at wave 7: not reached');
  console.log(phone ? `  play in phone emulation (915 x 412, pixel ratio 2, touch): ${phone.counted} updates/s ` +
                      `counted; the game's readings ` +
                      `${phone.updates} updates/s, ${phone.renders} renders/s (median)` : '  play in phone emulation: not reached');
  const native = await programRates([path.join(repository, 'build/quarzel')]);
  const nativeDisk = fs.statSync(path.join(repository, 'build/quarzel')).size +
                     Number(execFileSync('du', ['-sb', path.join(repository, 'build/data')], {encoding: 'utf8'}).split('\t')[0]);
  console.log(`native program (build/quarzel): Xvfb with Mesa llvmpipe`);
  console.log(`  program and data folder on disk: ${(nativeDisk / 1048576).toFixed(2)} MiB`);
  console.log(startFigures([]));
  console.log(native ? `  play at wave 7, 640 x 480: ${native.counted} updates/s counted; the game's readings ` +
                       `${native.updates} updates/s, ${native.renders} renders/s (median)` : '  play at wave 7: not reached');
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
