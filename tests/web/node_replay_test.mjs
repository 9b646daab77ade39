// The replay tool built for node traces every committed replay byte for byte as the native tool
// does, and the whole-level games to their committed digests.
//   GLIMMERWAKE_NODE_REPLAY    build-web/glimmerwake-replay.js
//   GLIMMERWAKE_NATIVE_REPLAY  the native glimmerwake-replay
//   GLIMMERWAKE_SOURCE         the top of the source tree
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';

const source = process.env.GLIMMERWAKE_SOURCE;
const replays = join(source, 'tests/tools');

function trace(command, args) {
  return execFileSync(command, args, { cwd: source, maxBuffer: 1 << 30 });
}

// Each script is traced by node once in the run.
const nodeTraces = new Map();
function nodeTrace(file) {
  if (!nodeTraces.has(file)) {
    nodeTraces.set(file, trace(process.execPath, [process.env.GLIMMERWAKE_NODE_REPLAY, file]));
  }
  return nodeTraces.get(file);
}

test('node and native traces of every committed replay are the same bytes', () => {
  const scripts = readdirSync(replays).filter((name) => name.endsWith('.replay'));
  assert.ok(scripts.length >= 4);
  for (const name of scripts) {
    const file = join(replays, name);
    const web = nodeTrace(file);
    const native = trace(process.env.GLIMMERWAKE_NATIVE_REPLAY, [file]);
    assert.ok(web.equals(native), `${name}: the traces differ`);
  }
});

test('node traces the whole-level games to their committed digests', () => {
  const digests = readFileSync(join(replays, 'whole_level.sha256'), 'utf8').trim().split('\n');
  for (const line of digests) {
    const [digest, traceName] = line.split(/\s+/);
    const script = join(replays, traceName.replace(/\.trace$/, '.replay'));
    const web = nodeTrace(script);
    assert.equal(createHash('sha256').update(web).digest('hex'), digest, traceName);
  }
});

test('node refuses a malformed script and a shot as the native tool does', () => {
  const folder = mkdtempSync(join(tmpdir(), 'glimmerwake-node-replay-'));
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
  rmSync(folder, { recursive: true, force: true });
});
