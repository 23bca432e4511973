// Figures of the Windows build under wine beside the native program, in one run on this machine:
//   - sizes: quarzel.exe as built (with its debugging information) and as shipped (stripped, in the zip), the zip
//     and the installer;
//   - start to title: figures_bench's milliseconds from exec to the title's first frame and to the title the tests
//     recognise, for build/quarzel and for build-win/quarzel.exe started by wine (a fresh prefix of its own, made
//     before the clock starts);
//   - updates and renders per second in play at wave 7 at 640 x 480 under wine, as the game's statistics line
//     reports them, played to the seventh wave by the figures' player (program_play.js), beside the native
//     program's.
// Usage, after tools/build-windows.sh and a native build (build/bench/figures_bench):
//   node bench/windows_figures.js [RUNS]
// Prints figures; asserts nothing.
'use strict';
const {execFileSync, spawnSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {programRates, startFigures} = require('./program_play');

const repository = path.resolve(__dirname, '..');
const tree = path.join(repository, 'build-win');
const mib = (bytes) => `${(bytes / 1048576).toFixed(2)} MiB`;

function sizes() {
  const exe = fs.statSync(path.join(tree, 'quarzel.exe')).size;
  const zip = fs.readdirSync(tree).find((name) => /^quarzel-.*-windows-x64\.zip$/.test(name));
  const setup = fs.readdirSync(tree).find((name) => /^quarzel-.*-setup\.exe$/.test(name));
  const listing = execFileSync('unzip', ['-l', path.join(tree, zip)], {encoding: 'utf8'});
  const shipped = Number(/^\s*(\d+)\s.*\/quarzel\.exe$/m.exec(listing)[1]);
  console.log(`  quarzel.exe: ${mib(exe)} as built, ${mib(shipped)} stripped as shipped`);
  console.log(`  ${zip}: ${mib(fs.statSync(path.join(tree, zip)).size)}; ${setup}: ${mib(fs.statSync(path.join(tree, setup)).size)}`);
}

function rateLine(rates) {
  if (!rates) return '  play at wave 7: not reached';
  return `  play at wave 7, 640 x 480: ${rates.counted} updates/s counted; the game's readings ` +
         `${rates.updates} updates/s, ${rates.renders} renders/s (median)`;
}

async function main() {
  const runs = Number(process.argv[2] || 3);
  const prefix = fs.mkdtempSync(path.join(os.tmpdir(), 'quarzel-wine-figures-'));
  const wine = {WINEPREFIX: prefix, WINEDEBUG: '-all'};
  execFileSync('wineboot', ['-i'], {env: {...process.env, ...wine}, stdio: 'ignore'});
  // The prefix's server and desktop stay a moment, on the display wineboot had (none): end them, so the program
  // starts them afresh on its own Xvfb.
  spawnSync('wineserver', ['-k'], {env: {...process.env, ...wine}});
  // figures_bench runs one file: a script that starts the program under wine in the prefix.
  const launcher = path.join(prefix, 'quarzel-under-wine');
  fs.writeFileSync(launcher, `#!/bin/sh\nexport WINEPREFIX='${prefix}' WINEDEBUG=-all\n` +
                             `exec wine '${path.join(tree, 'quarzel.exe')}' "$@"\n`, {mode: 0o755});
  console.log(`Windows build (${tree}) under wine, load average ${os.loadavg()[0].toFixed(2)}`);
  sizes();
  console.log(startFigures([launcher], runs));
  console.log(rateLine(await programRates(['wine', path.join(tree, 'quarzel.exe')], wine)));
  console.log('native program (build/quarzel)');
  console.log(startFigures([], runs));
  console.log(rateLine(await programRates([path.join(repository, 'build/quarzel')])));
  spawnSync('wineserver', ['-k'], {env: {...process.env, ...wine}});  // fails when none runs any more
  fs.rmSync(prefix, {recursive: true, force: true});
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
