// Figures of the web page in headless Chromium (SwiftShader: no GPU) beside the native program on this machine:
//   - page weight: the bytes the server sent from navigation until the title showed;
//   - load to title: milliseconds from navigation to the first frame showing the title's blue ground, and to the
//     first frame the tests' title recognition accepts (screenshots taken back to back: about 60 ms apart);
//   - updates and renders per second in play at wave 7 at 640 x 480, as the game's statistics line reports them,
//     once a player (the tests' steering: fire held, going for pickups, a fresh press at the marker between
//     waves) has reached the seventh wave; the median of ten seconds of lines.
// The native program is measured the same way for the rates (its own Xvfb, keys from xdotool); its start to title
// is figures_bench's, run alongside. Usage, after tools/build-web.sh and a native build:
//   node bench/web_figures.js [RUNS]
// Prints figures; asserts nothing.
'use strict';
const {execFileSync, spawn} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {PageSession, sleep, site} = require('../tests/web/support/browser');
const {titleFeatures} = require('../tests/web/support/screens');

const repository = path.resolve(__dirname, '..');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The statistics line, from the page's console or the program's standard output.
function parseStats(line) {
  const found = /Stats mode (-?\d+) score (-?\d+) updates\/s (-?\d+) renders\/s (-?\d+) wave (-?\d+) cursor (-?\d+) (-?\d+) pickup (-?\d+) (-?\d+)/.exec(line);
  if (!found) return null;
  const [mode, score, updates, renders, wave, cursorX, cursorY, pickupX, pickupY] = found.slice(1).map(Number);
  return {mode, score, updates, renders, wave, cursorX, cursorY, pickupX, pickupY};
}

// Plays to the seventh wave (the first is running at once; each fresh start at the marker begins the next), then
// collects ten seconds of rates. `player` gives stats(), lines() (statistics lines so far) and key(name, down)
// for the names Right Left Up Down z Enter.
async function ratesAtWaveSeven(player) {
  for (const key of ['Right', 'Up', 'Down', 'Enter']) {
    await player.key(key, true);
    await sleep(120);
    await player.key(key, false);
    await sleep(250);
  }
  const corners = [[480, 400], [800, 400], [800, 560], [480, 560]];
  const held = {};
  const set = async (key, down) => {
    if (!!held[key] !== down) await player.key(key, down);
    held[key] = down;
  };
  let wave = 1, lastState = 2, fresh = false, firstLine = null;
  const rates = [];
  for (const start = Date.now(); Date.now() - start < 600000; await sleep(100)) {
    const now = player.stats();
    if (!now || now.mode !== 10) continue;
    if (lastState === 1 && now.wave === 2) wave += 1;
    lastState = now.wave;
    if (wave >= 7) {
      if (!firstLine) firstLine = {lines: player.lines(), at: Date.now()};
      rates.push([now.updates, now.renders]);
      if (rates.length >= 100) break;  // ten seconds
    }
    const seconds = (Date.now() - start) / 1000;
    let [x, y] = corners[Math.floor(seconds) % 4];
    if (now.pickupX >= 0) [x, y] = [now.pickupX, now.pickupY];
    else if (now.wave === 1) [x, y] = [640, 480];
    await set('Right', x - now.cursorX > 8);
    await set('Left', x - now.cursorX < -8);
    await set('Down', y - now.cursorY > 8);
    await set('Up', y - now.cursorY < -8);
    const atMarker = now.wave === 1 && Math.abs(now.cursorX - 640) < 30 && Math.abs(now.cursorY - 480) < 30;
    await set('z', !(atMarker && !fresh));
    fresh = atMarker && !fresh;
  }
  for (const key of Object.keys(held)) await set(key, false);
  if (rates.length === 0) return null;
  // A line every six updates: counting them gives the true rate; the game's own readings are smoothed over
  // whole milliseconds and read a little low.
  const counted = ((player.lines() - firstLine.lines) * 6 * 1000) / (Date.now() - firstLine.at);
  return {counted: Math.round(counted), updates: median(rates.map(([u]) => u)), renders: median(rates.map(([, r]) => r))};
}

// One visit of the page in a fresh tab: weight and times to the title, then, on the first visit, the rates in
// play. The browser has shown the page once before, as a player's browser has started up before a visit.
async function visitPage(session, withPlay) {
  session.server.resetCount();
  const navigation = session.newTab('stats=6');
  const began = Date.now();
  await navigation;
  let blue = -1, recognised = -1, weight = -1;
  for (const until = Date.now() + 20000; Date.now() < until && recognised < 0; await sleep(10)) {
    const features = titleFeatures(await session.canvas());
    if (blue < 0 && features[0][1] > features[0][2]) blue = Date.now() - began;  // the blue ground
    if (features.every(([, count, threshold]) => count > threshold)) {
      recognised = Date.now() - began;
      weight = session.server.bytesSent();
    }
  }
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

// The native program under a private Xvfb, driven by xdotool, its statistics read from its output.
async function nativeRates() {
  const program = path.join(repository, 'build/quarzel');
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'quarzel-web-figures-'));
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-noreset', '-nolisten', 'tcp', '-screen', '0', '1280x1024x24'],
                     {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  const display = await new Promise((resolve) => xvfb.stdio[3].once('data', (data) => resolve(`:${String(data).trim()}`)));
  const env = {...process.env, DISPLAY: display, QUARZEL_STATS: '6', ALSOFT_DRIVERS: 'null'};
  delete env.QUARZEL_PING_URL;
  const game = spawn(program, [], {cwd: folder, env, stdio: ['ignore', 'pipe', 'ignore']});
  let last = null, lines = 0;
  game.stdout.on('data', (data) => {
    for (const line of String(data).split('\n')) {
      const stats = parseStats(line);
      if (stats) lines += 1;
      last = stats || last;
    }
  });
  const keys = {Right: 'Right', Left: 'Left', Up: 'Up', Down: 'Down', z: 'z', Enter: 'Return'};
  for (const until = Date.now() + 15000; Date.now() < until && !(last && last.mode === 1); await sleep(100));
  await sleep(1500);  // the title slides in; the window has the keyboard
  const rates = await ratesAtWaveSeven({
    stats: () => last,
    lines: () => lines,
    key: async (name, down) => execFileSync('xdotool', [down ? 'keydown' : 'keyup', keys[name]], {env}),
  });
  game.kill();
  xvfb.kill();
  fs.rmSync(folder, {recursive: true, force: true});
  return rates;
}

function nativeStartFigures() {
  const figures = execFileSync(path.join(repository, 'build/bench/figures_bench'), ['start', '3'], {encoding: 'utf8'});
  return figures.split('\n').filter((line) => /exec to the title/.test(line)).join('\n');
}

async function main() {
  const runs = Number(process.argv[2] || 3);
  const session = await PageSession.open();
  const visits = [];
  for (let run = 0; run < runs; ++run) visits.push(await visitPage(session, run === 0));
  await session.close();
  const bytes = (name) => fs.statSync(path.join(site, name)).size;
  const onDisk = ['index.html', 'index.js', 'index.wasm', 'index.data'].map(bytes).reduce((a, b) => a + b, 0);
  console.log(`web page (${site}): headless Chromium with SwiftShader, ${runs} visits, load average ${os.loadavg()[0].toFixed(2)}`);
  console.log(`  page weight before the title: ${(median(visits.map((v) => v.weight)) / 1048576).toFixed(2)} MiB` +
              ` (the site's files: ${(onDisk / 1048576).toFixed(2)} MiB)`);
  console.log(`  navigation to the title's first frame: ${median(visits.map((v) => v.blue))} ms median` +
              ` (${visits.map((v) => v.blue).join(', ')})`);
  console.log(`  navigation to the title recognised: ${median(visits.map((v) => v.recognised))} ms median` +
              ` (${visits.map((v) => v.recognised).join(', ')})`);
  const play = visits[0].rates;
  console.log(play ? `  play at wave 7, 640 x 480: ${play.counted} updates/s counted; the game's readings ` +
                     `${play.updates} updates/s, ${play.renders} renders/s (median)` : '  play at wave 7: not reached');
  const native = await nativeRates();
  const nativeDisk = fs.statSync(path.join(repository, 'build/quarzel')).size +
                     Number(execFileSync('du', ['-sb', path.join(repository, 'build/data')], {encoding: 'utf8'}).split('\t')[0]);
  console.log(`native program (build/quarzel): Xvfb with Mesa llvmpipe`);
  console.log(`  program and data folder on disk: ${(nativeDisk / 1048576).toFixed(2)} MiB`);
  console.log(nativeStartFigures());
  console.log(native ? `  play at wave 7, 640 x 480: ${native.counted} updates/s counted; the game's readings ` +
                       `${native.updates} updates/s, ${native.renders} renders/s (median)` : '  play at wave 7: not reached');
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
