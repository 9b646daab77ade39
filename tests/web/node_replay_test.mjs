// The replay tool built for node traces every committed replay byte for byte as the native tool
// does, and the whole-level games to their committed digests.
//   GLIMMERWAKE_NODE_REPLAY    build-web/glimmerwake-replay.js
//   GLIMMERWAKE_NATIVE_REPLAY  the native glimmerwake-replay
//   GLIMMERWAKE_SOURCE         the top of the source tree
import assert from 'node:assert/strict';
import { execFile, execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, relative } from 'node:path';
import { after, test } from 'node:test';
import { promisify } from 'node:util';

const source = process.env.GLIMMERWAKE_SOURCE;
const replays = join(source, 'tests/tools');
const work = mkdtempSync(join(tmpdir(), 'glimmerwake-node-replay-'));
after(() => rmSync(work, { recursive: true, force: true }));

// Every replay script committed under tests/, found wherever it lies.
function committedScripts(folder = join(source, 'tests')) {
  return readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
    const path = join(folder, entry.name);
    if (entry.isDirectory()) return committedScripts(path);
    return entry.name.endsWith('.replay') ? [path] : [];
  });
}

// The script without its shot lines: shots are the native tool's alone, and the trace is the
// same without them.
function withoutShots(file) {
  const text = readFileSync(file, 'utf8');
  if (!/^shot /m.test(text)) return file;
  const copy = join(work, relative(source, file).replaceAll('/', '-'));
  writeFileSync(copy, text.split('\n').filter((line) => !line.startsWith('shot ')).join('\n'));
  return copy;
}

function trace(command, args) {
  return execFileSync(command, args, { cwd: source, maxBuffer: 1 << 30 });
}

const runFile = promisify(execFile);

// Each script is traced by node once in the run; the trace comes as a promise.
const nodeTraces = new Map();
function nodeTrace(file) {
  if (!nodeTraces.has(file)) {
    nodeTraces.set(file, runFile(process.execPath, [process.env.GLIMMERWAKE_NODE_REPLAY, file],
      { cwd: source, maxBuffer: 1 << 30, encoding: 'buffer' }).then(({ stdout }) => stdout));
  }
  return nodeTraces.get(file);
}

test('node and native traces of every committed replay are the same bytes', async () => {
  const scripts = committedScripts();
  assert.ok(scripts.length >= 7);
  // Two scripts at a time, one a core: the node tool is the slow one.
  for (let i = 0; i < scripts.length; i += 2) {
    await Promise.all(scripts.slice(i, i + 2).map(async (script) => {
      const file = withoutShots(script);
      const web = await nodeTrace(file);
      const native = trace(process.env.GLIMMERWAKE_NATIVE_REPLAY, [file]);
      assert.ok(web.equals(native), `${relative(source, script)}: the traces differ`);
    }));
  }
});

test('node traces the whole-level games to their committed digests', async () => {
  const digests = readFileSync(join(replays, 'whole_level.sha256'), 'utf8').trim().split('\n');
  for (const line of digests) {
    const [digest, traceName] = line.split(/\s+/);
    const script = join(replays, traceName.replace(/\.trace$/, '.replay'));
    const web = await nodeTrace(script);
    assert.equal(createHash('sha256').update(web).digest('hex'), digest, traceName);
  }
});

test('node verifies the committed games, and their sounds, as the native tool does', () => {
  for (const name of ['complete_game.replay', 'whole_level_1.replay']) {
    const file = join(replays, name);
    const verified = (tool, args) => trace(tool, [...args, '--verify', file]).toString();
    const web = verified(process.execPath, [process.env.GLIMMERWAKE_NODE_REPLAY]);
    assert.match(web, /"score":/);
    assert.equal(web, verified(process.env.GLIMMERWAKE_NATIVE_REPLAY, []), name);
    const sounds = (tool, args, out) => {
      trace(tool, [...args, '--sounds', out, file]);
      return readFileSync(out, 'utf8');
    };
    assert.equal(sounds(process.execPath, [process.env.GLIMMERWAKE_NODE_REPLAY], join(work, 'node.sounds')),
      sounds(process.env.GLIMMERWAKE_NATIVE_REPLAY, [], join(work, 'native.sounds')), name);
  }
});

test('node refuses a malformed script and a shot as the native tool does', () => {
  const folder = work;
  const status = (text) => {
    const file = join(folder, 'script.replay');
    writeFileSync(file, text);
    try {
      execFileSync(process.execPath, [process.env.GLIMMERWAKE_NODE_REPLAY, file],
        { cwd: folder, stdio: 'pipe' });
      return 0;
    } catch (error) {
      return error.status;
    }
  };
  assert.equal(status('epoch 5\n3 down NOSUCHKEY\nend 9\n'), 2);
  assert.equal(status('epoch 5\nshot 3 x.png\nend 9\n'), 3);
});
