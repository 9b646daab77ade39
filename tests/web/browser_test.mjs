// The browser build as a player meets it, in the system's headless Chromium: the page loads and
// draws, a game played with real key events and a recording watched on the page end in the
// state the native replay tool gives for the same keys, the page's recording replays natively,
// and its pictures are the desktop's within a stated tolerance.
//
// Run by tests/web/run.sh, which builds everything it needs and sets:
//   GLIMMERWAKE_WEB_SITE       the site folder (build-web/site)
//   GLIMMERWAKE_WEB_MODULES    the node_modules folder that holds puppeteer-core
//   GLIMMERWAKE_NATIVE_REPLAY  the native glimmerwake-replay
//   GLIMMERWAKE_SOURCE         the top of the source tree (its Data/ and committed replays)
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { serveFolder } from '../../tools/web/serve.mjs';
import { decodePng } from './png.mjs';

const site = process.env.GLIMMERWAKE_WEB_SITE;
const nativeReplay = process.env.GLIMMERWAKE_NATIVE_REPLAY;
const source = process.env.GLIMMERWAKE_SOURCE;
const puppeteer = createRequire(join(process.env.GLIMMERWAKE_WEB_MODULES, 'x.js'))('puppeteer-core');

const kChromiumFlags = ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
  '--no-first-run', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--use-angle=swiftshader', '--enable-unsafe-swiftshader'];
const kWidth = 1024;
const kHeight = 768;
// SwiftShader and llvmpipe round some edges and texel lookups apart: a pixel counts as different
// when a channel is more than this far off, and a picture as the desktop's while at most this
// share of its pixels differ.
const kChannelTolerance = 64;
const kDifferingShare = 0.02;
// The whole-level game's frames with lines wider than a pixel: the boss bar's ticks (2 pixels),
// the rings (4) and the splitters (6), each with its colour.
const kWideLineFrames = [
  { call: 7000, what: 'boss bar', colour: [179, 77, 51] },
  { call: 8500, what: 'rings', colour: [77, 128, 51] },
  { call: 9800, what: 'splitters', colour: [38, 77, 179] },
];

let server;
let browser;
// A score board beside the page, as a test sets it; with none, every /api/ request is a 404.
let standInBoard = null;
let work;
let base;

// A committed replay cut after `call`, ended there.
function cutReplay(file, lastCall) {
  const kept = readFileSync(join(source, 'tests/tools', file), 'utf8').split('\n').filter((line) => {
    const call = Number.parseInt(line, 10);
    return Number.isNaN(call) ? !line.startsWith('end') : call <= lastCall;
  });
  return `${kept.join('\n')}\nend ${lastCall + 1}\n`;
}

function nativeTrace(scriptFile) {
  return execFileSync(nativeReplay, [scriptFile], { cwd: source, maxBuffer: 1 << 30 }).toString();
}

function lastLine(trace) {
  const lines = trace.trimEnd().split('\n');
  return `${lines[lines.length - 1]}\n`;
}

// The native tool's frames of these calls, taken in one run: with shots to take it draws every
// call, which on llvmpipe is most of these tests' time.
function nativeShots(script, calls) {
  const scriptFile = join(work, `shots-${calls.join('-')}.replay`);
  const pngs = calls.map((call) => join(work, `native-${call}.png`));
  // Each shot line among the others in call order, as a script must have them.
  const lines = script.trimEnd().split('\n');
  calls.forEach((call, i) => {
    const at = lines.findIndex((line) => line.startsWith('end ') || Number.parseInt(line, 10) > call);
    lines.splice(at, 0, `shot ${call} ${pngs[i]}`);
  });
  writeFileSync(scriptFile, `${lines.join('\n')}\n`);
  nativeTrace(scriptFile);
  return pngs.map((png) => decodePng(readFileSync(png)).rgba);
}

// One tab for every test, each loading the page anew: only the tab in front gets animation frames,
// and a tab opened as another closes does not always come to the front. Without WebGL is a tab
// of its own, which the browser is left with.
let tab;
async function openPage(query, options = {}) {
  if (!tab || options.withoutWebGl) {
    await tab?.close();
    tab = await browser.newPage();
    await tab.setViewport({ width: 1100, height: 900 });
  }
  const page = tab;
  await page.bringToFront();
  if (options.withoutWebGl) {
    await page.evaluateOnNewDocument(() => {
      const getContext = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
        return /webgl/.test(kind) ? null : getContext.call(this, kind, ...rest);
      };
    });
  }
  await page.goto(`${base}/?test${query}`);
  return page;
}

// Asks the page every 50 ms, from here: a predicate that throws (the game not loaded yet) counts
// as false.
async function waitFor(page, predicate) {
  const kTimeoutMs = 120000;
  const started = Date.now();
  for (;;) {
    const holds = await page.evaluate(`(() => { try { return !!(${predicate})(); } ` +
      'catch { return false; } })()');
    if (holds) return;
    assert.ok(Date.now() - started < kTimeoutMs, `waited ${kTimeoutMs} ms for ${predicate}`);
    await new Promise((done) => setTimeout(done, 50));
  }
}

async function waitUntil(holds) {
  const kTimeoutMs = 30000;
  const started = Date.now();
  while (!holds()) {
    assert.ok(Date.now() - started < kTimeoutMs, `waited ${kTimeoutMs} ms`);
    await new Promise((done) => setTimeout(done, 50));
  }
}

async function messageOf(page) {
  await waitFor(page, () => !document.getElementById('message').hidden);
  return page.$eval('#message-text', (element) => element.textContent);
}

// The canvas as RGBA rows, top first, as the native tool's PNG has them.
async function readCanvas(page) {
  const base64 = await page.evaluate(() => {
    const copy = document.createElement('canvas');
    copy.width = 1024;
    copy.height = 768;
    const context = copy.getContext('2d');
    context.drawImage(document.getElementById('game'), 0, 0);
    const bytes = new Uint8Array(context.getImageData(0, 0, 1024, 768).data.buffer);
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    }
    return btoa(text);
  });
  return Buffer.from(base64, 'base64');
}

function differingShare(a, b) {
  let differing = 0;
  for (let i = 0; i < kWidth * kHeight; i++) {
    for (let c = 0; c < 3; c++) {
      if (Math.abs(a[i * 4 + c] - b[i * 4 + c]) > kChannelTolerance) {
        differing++;
        break;
      }
    }
  }
  return differing / (kWidth * kHeight);
}

function pixelsOfColour(rgba, colour) {
  let count = 0;
  for (let i = 0; i < kWidth * kHeight; i++) {
    if (colour.every((value, c) => Math.abs(rgba[i * 4 + c] - value) <= 12)) count++;
  }
  return count;
}

async function watchToTheEnd(script, name, fast) {
  writeFileSync(join(work, name), script);
  const page = await openPage(`&watch=/fixtures/${name}`);
  await waitFor(page, () => window.glimmerwake && window.glimmerwake.watching);
  if (fast) {
    await page.keyboard.down('KeyF');
  }
  await waitFor(page, () => window.glimmerwake.ended);
  return page;
}

before(async () => {
  work = mkdtempSync(join(tmpdir(), 'glimmerwake-web-'));
  server = await serveFolder(site, 0, { '/fixtures/': work },
    (request, response) => (standInBoard ? standInBoard(request, response) : response.writeHead(404).end()));
  base = `http://127.0.0.1:${server.address().port}`;
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    userDataDir: join(work, 'chromium'),
    args: kChromiumFlags,
  });
});

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(work, { recursive: true, force: true });
});

test('the page loads and draws the menu as the desktop does', async (t) => {
  const page = await openPage('');
  await waitFor(page, () => window.glimmerwake && window.glimmerwake.calls() > 20);
  const shown = await readCanvas(page);
  // Read back, not a black canvas: the menu's title and backdrop are there.
  let lit = 0;
  for (let i = 0; i < kWidth * kHeight; i++) {
    if (shown[i * 4] + shown[i * 4 + 1] + shown[i * 4 + 2] > 0) lit++;
  }
  assert.ok(lit > kWidth * kHeight / 100, `only ${lit} pixels of the menu are lit`);
  const [native] = nativeShots('epoch 1000000000\nend 30\n', [29]);
  const share = differingShare(shown, native);
  t.diagnostic(`menu: ${(share * 100).toFixed(3)}% of the pixels differ`);
  assert.ok(share <= kDifferingShare, `${(share * 100).toFixed(2)}% of the menu's pixels differ`);
});

async function press(page, key, milliseconds = 120) {
  await page.keyboard.down(key);
  await new Promise((done) => setTimeout(done, milliseconds));
  await page.keyboard.up(key);
  await new Promise((done) => setTimeout(done, milliseconds));
}

test('a game played with real keys ends where its recording replays natively', async () => {
  const page = await openPage('');
  await waitFor(page, () => window.glimmerwake && window.glimmerwake.calls() > 10);
  await press(page, 'Enter');
  await page.keyboard.down('Space');
  await press(page, 'ArrowLeft', 400);
  await press(page, 'ArrowRight', 400);
  for (const key of ['Digit1', 'Digit2', 'Digit3']) {
    await press(page, key);
  }
  await page.keyboard.up('Space');
  // Pause and go on; pause and start again; pause, back to the menu, play; pause and quit.
  for (const key of ['Escape', 'Escape', 'Escape', 'F2', 'Escape', 'F3', 'Enter', 'Escape', 'F4']) {
    await press(page, key);
  }
  await waitFor(page, () => window.glimmerwake.ended);
  const recording = await page.evaluate(() => window.glimmerwake.recording());
  const pageState = await page.evaluate(() => window.glimmerwake.traceLine());
  for (const key of ['LEFT', 'RIGHT', 'SPACE', 'RETURN', 'ESCAPE', '1', '2', '3', 'F2', 'F3', 'F4']) {
    assert.match(recording, new RegExp(`^\\d+ down ${key}$`, 'm'), `the recording has ${key}`);
  }
  const file = join(work, 'played.replay');
  writeFileSync(file, recording);
  const replayed = lastLine(nativeTrace(file));
  assert.equal(pageState, replayed);
  assert.match(pageState, /"state":"Quit"/);

  // The game's download is that very recording, under the name the high scores give it.
  const downloads = join(work, 'downloads');
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.click('#download');
  await waitUntil(() => existsSync(downloads) &&
    readdirSync(downloads).some((name) => name.endsWith('.replay')));
  const [name] = readdirSync(downloads).filter((entry) => entry.endsWith('.replay'));
  assert.match(name, /^glimmerwake-\d{8}-\d{6}-\d+\.replay$/);
  assert.equal(readFileSync(join(downloads, name), 'utf8'), recording);
});

// Plays on the page until a game scores, and waits for what the score board was told of it. Fire
// held while steering to and fro hits an early enemy and loses the ship within seconds; the
// enemies come where the calendar second sends them, so a game that ended without a point is
// restarted (F2 in the game-over overlay).
async function playScoringGame(page, boardSays) {
  const kGames = 6;
  await press(page, 'Enter');
  for (let game = 0; game < kGames; game++) {
    await page.keyboard.down('Space');
    let state;
    for (let step = 0; ; step++) {
      await press(page, step % 2 === 0 ? 'ArrowLeft' : 'ArrowRight', 150);
      state = JSON.parse(await page.evaluate(() => window.glimmerwake.traceLine()));
      if (state.over) break;
    }
    await page.keyboard.up('Space');
    if (state.ship.score > 0) {
      await waitFor(page, `() => ${boardSays}.test(document.getElementById('board-note').textContent)`);
      return;
    }
    await press(page, 'F2');
  }
  assert.fail(`no game of ${kGames} scored`);
}

test('a game that scores enters the high scores and goes to the score board, proved', async () => {
  // The board is away at first (503), then takes the game; the next game it refuses.
  const posts = [];
  const answers = [503, 201, 422];
  standInBoard = (request, response) => {
    const url = new URL(request.url, 'http://host');
    if (url.pathname === '/api/health') {
      response.writeHead(200).end('ok');
      return;
    }
    let body = '';
    request.on('data', (chunk) => { body += chunk; });
    request.on('end', () => {
      posts.push({ method: request.method, path: url.pathname, name: url.searchParams.get('name'), body });
      response.writeHead(answers.shift()).end();
    });
  };
  try {
    let page = await openPage('');
    await page.evaluate(() => localStorage.clear());
    page = await openPage('');
    await waitFor(page, () => window.glimmerwake && window.glimmerwake.calls() > 10);
    await waitFor(page, () => !document.getElementById('board').hidden);
    // What is typed into the name is not the game's: no weapon, no mute.
    await page.type('#board-name', 'Ada 1m');
    await page.focus('#game');
    assert.equal(await page.$eval('#mute', (button) => button.getAttribute('aria-pressed')), 'false');
    await playScoringGame(page, '/sent/');

    const [entry] = await page.evaluate(() => window.glimmerwake.scores());
    assert.ok(entry.score > 0);
    assert.match(await page.$eval('#scores-note', (element) => element.textContent), /place 1/);
    const recordingName = await page.evaluate(() => Module.UTF8ToString(Module._webRecordingName()));
    assert.equal(entry.recording, recordingName);
    assert.equal(posts.length, 2, 'tried again after the board was away');
    for (const post of posts) {
      assert.deepEqual([post.method, post.path, post.name], ['POST', '/api/games', 'Ada 1m']);
    }
    assert.equal(posts[1].body, posts[0].body);
    // What was sent proves the entry natively too.
    const file = join(work, 'scored.replay');
    writeFileSync(file, posts[1].body);
    assert.match(execFileSync(nativeReplay, ['--verify', file]).toString(),
      new RegExp(`"game":${entry.game},.*"score":${entry.score},`));

    // Both stay with the browser; the board's refusal is said.
    page = await openPage('');
    await waitFor(page, () => window.glimmerwake && window.glimmerwake.calls() > 10);
    assert.deepEqual(await page.evaluate(() => window.glimmerwake.scores()), [entry]);
    assert.equal(await page.$$eval('#scores-list li', (items) => items.length), 1);
    assert.equal(await page.$eval('#board-name', (input) => input.value), 'Ada 1m');
    await playScoringGame(page, '/refused/');
    assert.equal(posts.length, 3);
  } finally {
    standInBoard = null;
  }

  // A table the game cannot read is set aside, not dropped, and a new one started.
  let page = await openPage('');
  await page.evaluate(() => localStorage.setItem('glimmerwake-scores', 'not a table\n'));
  page = await openPage('');
  await waitFor(page, () => window.glimmerwake && window.glimmerwake.calls() > 10);
  assert.deepEqual(await page.evaluate(() => window.glimmerwake.scores()), []);
  assert.equal(await page.evaluate(() => localStorage.getItem('glimmerwake-scores-set-aside')),
    'not a table\n');
  assert.match(await page.$eval('#scores-note', (element) => element.textContent),
    /could not be read/);
  // With no board there, the page says nothing of one.
  assert.equal(await page.$eval('#board', (element) => element.hidden), true);
});

test('the sound switches stay as the player left them', async () => {
  let page = await openPage('');
  await page.evaluate(() => localStorage.clear());
  page = await openPage('');
  await waitFor(page, () => window.glimmerwake && window.glimmerwake.calls() > 10);
  assert.equal(await page.$eval('#mute', (button) => button.getAttribute('aria-pressed')), 'false');
  await press(page, 'KeyM');
  await press(page, 'KeyN');
  page = await openPage('');
  await waitFor(page, () => window.glimmerwake && window.glimmerwake.calls() > 10);
  assert.equal(await page.$eval('#mute', (button) => button.getAttribute('aria-pressed')), 'true');
  assert.deepEqual(JSON.parse(await page.evaluate(() => localStorage.getItem('glimmerwake-settings'))),
    { mute: true, music: false });
});

test('a recording watched on the page ends in the replay\'s final state', async () => {
  const script = cutReplay('complete_game.replay', 599);
  const page = await watchToTheEnd(script, 'short.replay', false);
  const file = join(work, 'short.replay');
  assert.equal(await page.evaluate(() => window.glimmerwake.traceLine()), lastLine(nativeTrace(file)));
  assert.match(await messageOf(page), /recording has ended/);
});

test('a recording picked during a game is watched from a fresh start', async () => {
  const file = join(work, 'picked.replay');
  writeFileSync(file, cutReplay('complete_game.replay', 299));
  const page = await openPage('');
  await waitFor(page, () => window.glimmerwake.calls() > 10);
  const input = await page.$('#watch-file');
  await Promise.all([page.waitForNavigation(), input.uploadFile(file)]);
  await waitFor(page, () => window.glimmerwake.watching);
  await waitFor(page, () => window.glimmerwake.ended);
  assert.equal(await page.evaluate(() => window.glimmerwake.traceLine()), lastLine(nativeTrace(file)));
});

test('the game\'s frames are the desktop\'s, wide lines as wide', async (t) => {
  const lastCall = kWideLineFrames[kWideLineFrames.length - 1].call;
  const natives = nativeShots(cutReplay('whole_level_1.replay', lastCall),
    kWideLineFrames.map((frame) => frame.call));
  for (const [i, frame] of kWideLineFrames.entries()) {
    const script = cutReplay('whole_level_1.replay', frame.call);
    const page = await watchToTheEnd(script, `level-${frame.call}.replay`, true);
    const shown = await readCanvas(page);
    const native = natives[i];
    const share = differingShare(shown, native);
    const nativeLines = pixelsOfColour(native, frame.colour);
    const shownLines = pixelsOfColour(shown, frame.colour);
    t.diagnostic(`${frame.what}: ${(share * 100).toFixed(3)}% of the pixels differ; ` +
      `${shownLines} pixels of their colour against the desktop's ${nativeLines}`);
    assert.ok(share <= kDifferingShare,
      `${frame.what}: ${(share * 100).toFixed(2)}% of the pixels differ`);
    assert.ok(nativeLines > 0, `${frame.what}: the desktop's frame shows them`);
    const ratio = shownLines / nativeLines;
    assert.ok(ratio > 0.8 && ratio < 1.25,
      `${frame.what}: ${shownLines} pixels of their colour against the desktop's ${nativeLines}`);
  }
});

test('a browser without WebGL, a broken recording and one from elsewhere are told so', async () => {
  writeFileSync(join(work, 'broken.replay'), 'epoch 1000000000\n5 down NOSUCHKEY\nend 10\n');
  const broken = await openPage('&watch=/fixtures/broken.replay');
  assert.match(await messageOf(broken), /cannot be watched: line 2: /);
  for (const elsewhere of ['http://127.0.0.2/x.replay', '//example.invalid/x.replay']) {
    const page = await openPage(`&watch=${encodeURIComponent(elsewhere)}`);
    assert.match(await messageOf(page), /only an address relative to this page/);
  }
  const plain = await openPage('', { withoutWebGl: true });
  assert.match(await messageOf(plain), /needs WebGL/);
});
