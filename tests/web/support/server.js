// A static web server for the page on 127.0.0.1, on a port of the system's choosing: the page must come over HTTP
// (the toolchain's loader fetches its files), and from a server of our own the tests can count what it sent, serve
// another build at the same address (serveFrom), and stop it as a network that goes away does.
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
  '.webmanifest': 'application/manifest+json',
  '.json': 'application/json',
};

// Serves `root`; resolves to {url, bytesSent(), resetCount(), serveFrom(folder), close()} once listening.
function serve(root) {
  let bytesSent = 0;
  let servedRoot = root;
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(servedRoot, name === '/' ? 'index.html' : name);
    if (!file.startsWith(servedRoot + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
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
        serveFrom: (folder) => { servedRoot = path.resolve(folder); },
        close: () => new Promise((done) => {
          server.close(done);
          server.closeAllConnections();  // a browser's kept-alive connections too: nothing answers any more
        }),
      });
    });
  });
}

module.exports = {serve};
