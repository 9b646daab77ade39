// Serves a folder (the browser build's site) on 127.0.0.1 only, as any static host would:
//   node tools/web/serve.mjs FOLDER [PORT]     PORT 0 (the default) takes any free one
// Prints the address once it listens. Only GET and HEAD of files inside the folder (or, for the
// tests, inside further folders mounted at paths of their own, and a stand-in score board's
// requests under /api/ handed to a function of theirs).
import { createReadStream } from 'node:fs';
import { stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve, sep } from 'node:path';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.txt': 'text/plain; charset=utf-8',
  '.replay': 'text/plain; charset=utf-8',
};

// The folder a request's path falls in, and the path left within it.
function place(path, root, mounts) {
  for (const [prefix, folder] of Object.entries(mounts)) {
    if (path.startsWith(prefix)) {
      return [resolve(folder), path.slice(prefix.length - 1)];
    }
  }
  return [root, path];
}

export function serveFolder(folder, port = 0, mounts = {}, board = null) {
  const server = createServer(async (request, response) => {
    if (board && request.url.startsWith('/api/')) {
      board(request, response);
      return;
    }
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      response.writeHead(405).end();
      return;
    }
    let root;
    let path;
    try {
      [root, path] = place(decodeURIComponent(new URL(request.url, 'http://host').pathname),
        resolve(folder), mounts);
    } catch {
      response.writeHead(400).end();
      return;
    }
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    if (file !== root && !file.startsWith(root + sep)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const info = await stat(file);
      if (!info.isFile()) throw new Error('not a file');
      response.writeHead(200, {
        'Content-Type': kTypes[extname(file)] || 'application/octet-stream',
        'Content-Length': info.size,
        'Cache-Control': 'no-cache',
      });
      if (request.method === 'HEAD') {
        response.end();
      } else {
        createReadStream(file).pipe(response);
      }
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((done) => {
    server.listen(port, '127.0.0.1', () => done(server));
  });
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const [folder, port] = process.argv.slice(2);
  if (!folder) {
    console.error('usage: node tools/web/serve.mjs FOLDER [PORT]');
    process.exit(2);
  }
  const server = await serveFolder(folder, Number(port || 0));
  console.log(`Glimmerwake is served at http://127.0.0.1:${server.address().port}/`);
}
