// What the page's tests look for on the canvas, the same features the desktop's end-to-end tests look for in the
// window (tests/e2e/screens.cpp): counts of pixels by colour in regions of the game's 640 x 480 design.
'use strict';
const {countNear, sleep} = require('./browser');

const countBright = (pixels, sum = 500) => pixels.filter(([r, g, b]) => r + g + b > sum).length;

function titleFeatures(canvas) {
  const ground = canvas.region(150, 300, 300, 100), strip = canvas.region(520, 280, 100, 150);
  return [
    ['the blue ground', countNear(ground, [20, 80, 160], 20), ground.length / 2],
    ['the title', countBright(canvas.region(60, 50, 380, 130)), 300],
    ['the dark strip', countNear(strip, [11, 44, 88], 15), strip.length / 3],
    ['its "Top 10" title', countNear(canvas.region(510, 50, 130, 30), [255, 200, 100]), 15],
    ['the gear', countBright(canvas.region(0, 380, 100, 100)), 100],
  ];
}

function playFeatures(canvas) {
  return [
    ['four turrets\' yellow bars', countNear(canvas.region(150, 170, 340, 150), [255, 255, 0], 30), 4 * 40 - 1],
    ['the eight-digit score', countNear(canvas.region(250, 15, 140, 25), [100, 255, 100]), 100],
    ['the money', countNear(canvas.region(580, 10, 60, 50), [255, 255, 0], 30), 200],
  ];
}

function pauseFeatures(canvas) {
  return [
    ['"PAUSED"', countBright(canvas.region(340, 220, 190, 40), 600), 300],
    ['the red end-round button', countNear(canvas.region(30, 60, 80, 80), [230, 40, 60]), 100],
    ['the green resume button', countNear(canvas.region(30, 160, 80, 80), [60, 230, 80]), 100],
  ];
}

// Looks until every feature shows or `seconds` pass; resolves with the names of those still missing.
async function missingFeatures(session, features, seconds = 5) {
  let missing = [];
  for (const until = Date.now() + seconds * 1000; Date.now() < until; await sleep(100)) {
    const canvas = await session.canvas();
    missing = features(canvas).filter(([, count, threshold]) => !(count > threshold)).map(([name]) => name);
    if (missing.length === 0) break;
  }
  return missing;
}

module.exports = {titleFeatures, playFeatures, pauseFeatures, missingFeatures};
