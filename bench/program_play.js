// Playing the real program from outside for the figures scripts: its statistics line read from its output, keys
// from xdotool on a private Xvfb, a player who holds fire, goes for pickups and starts each wave at the marker
// until the seventh wave; and figures_bench's start to title. Used by web_figures.js and windows_figures.js.
'use strict';
const {execFileSync, spawn} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const repository = path.resolve(__dirname, '..');
const sleep = (milliseconds) => new Promise((resolve) => setTimeout(resolve, milliseconds));
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

// The rates at wave 7 of a program started by `command` (its arguments after the first) with `env` added, under
// a private Xvfb, driven by xdotool, its statistics read from its output.
async function programRates(command, extraEnv = {}) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'quarzel-web-figures-'));
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-noreset', '-nolisten', 'tcp', '-screen', '0', '1280x1024x24'],
                     {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  const display = await new Promise((resolve) => xvfb.stdio[3].once('data', (data) => resolve(`:${String(data).trim()}`)));
  const env = {...process.env, ...extraEnv, DISPLAY: display, QUARZEL_STATS: '6', ALSOFT_DRIVERS: 'null'};
  delete env.QUARZEL_PING_URL;
  const game = spawn(command[0], command.slice(1), {cwd: folder, env, stdio: ['ignore', 'pipe', 'ignore']});
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

// figures_bench's start to title: of this build's program, or of `program` (a file to execute).
function startFigures(program, runs = 3) {
  const figures = execFileSync(path.join(repository, 'build/bench/figures_bench'), ['start', String(runs), ...program],
                               {encoding: 'utf8'});
  return figures.split('\n').filter((line) => /exec to the title/.test(line)).join('\n');
}

module.exports = {median, parseStats, programRates, ratesAtWaveSeven, sleep, startFigures};
