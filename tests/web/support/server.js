// A static web server for the page on 127.0.0.1, on a port of the system's choosing: the page must come over HTTP
// (the toolchain's loader fetches its files), and from a server of our own the tests can count what it sent.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',  // the browser compiles it while it downloads only with this type
  '.data': 'application/octet-stream',
  '.png': 'image/png',
};

// Serves `root`; resolves to {url, bytesSent(), close()} once listening.
function serve(root) {
  let bytesSent = 0;
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(root, name === '/' ? 'index.html' : name);
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    const body = fs.readFileSync(file);
    bytesSent += body.length;
    response.writeHead(200, {'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream',
                             'Content-Length': body.length, 'Cache-Control': 'no-store'});
    response.end(body);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        bytesSent: () => bytesSent,
        resetCount: () => { bytesSent = 0; },
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}

module.exports = {serve};
