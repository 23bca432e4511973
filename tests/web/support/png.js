// Reads the PNG screenshots the browser gives: 8-bit RGB or RGBA, not interlaced (what Chromium writes). Returns
// {width, height, pixel(x, y) -> [r, g, b]}; throws on anything else, so a test never reads a wrong picture.
'use strict';
const zlib = require('node:zlib');

function decodePng(buffer) {
  if (buffer.readUInt32BE(0) !== 0x89504e47) throw new Error('not a PNG');
  let width = 0, height = 0, channels = 0;
  const compressed = [];
  for (let at = 8; at < buffer.length;) {
    const length = buffer.readUInt32BE(at);
    const type = buffer.toString('latin1', at + 4, at + 8);
    const body = buffer.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const depth = body[8], colour = body[9], interlace = body[12];
      channels = {2: 3, 6: 4}[colour];
      if (depth !== 8 || !channels || interlace !== 0) throw new Error('an unexpected PNG layout');
    } else if (type === 'IDAT') {
      compressed.push(body);
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(compressed));
  const stride = width * channels;
  const pixels = Buffer.alloc(height * stride);
  for (let y = 0; y < height; ++y) unfilterRow(raw, y, stride, channels, pixels);
  return {
    width, height,
    pixel: (x, y) => {
      const at = y * stride + x * channels;
      return [pixels[at], pixels[at + 1], pixels[at + 2]];
    },
  };
}

function unfilterRow(raw, y, stride, channels, out) {
  const filter = raw[y * (stride + 1)];
  const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
  const row = y * stride, previous = row - stride;
  for (let x = 0; x < stride; ++x) {
    const left = x >= channels ? out[row + x - channels] : 0;
    const up = y > 0 ? out[previous + x] : 0;
    const upLeft = y > 0 && x >= channels ? out[previous + x - channels] : 0;
    let value = line[x];
    if (filter === 1) value += left;
    else if (filter === 2) value += up;
    else if (filter === 3) value += (left + up) >> 1;
    else if (filter === 4) value += paeth(left, up, upLeft);
    out[row + x] = value & 0xff;
  }
}

function paeth(a, b, c) {
  const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

module.exports = {decodePng};
