// The browser build's figures for bench/README.md, all in one run:
//   - the bytes a player downloads before the menu, gzipped as a server would send them;
//   - the time from the page's navigation to its first menu frame, on the loopback;
//   - calls per second and CPU per call in play, in headless Chromium (SwiftShader) and in the
//     native game on llvmpipe under Xvfb, each played the same way for the same time;
//   - the node replay tool's speed against the native tool's.
//
//   node bench/web/measure_web.mjs SITE NODE_MODULES NATIVE_BUILD [SECONDS]
// NATIVE_BUILD holds glimmerwake and glimmerwake-replay; SITE and the node tool come from
// scripts/build-web.sh (the tool beside SITE). Needs Xvfb and xdotool for the native game.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';

import { serveFolder } from '../../tools/web/serve.mjs';

const [siteArgument, modules, nativeBuild, secondsArgument] = process.argv.slice(2);
const site = resolve(siteArgument);
const seconds = Number(secondsArgument || 10);
const top = resolve(dirname(new URL(import.meta.url).pathname), '../..');
const puppeteer = createRequire(join(resolve(modules), 'x.js'))('puppeteer-core');
const kRuns = 5;
const kFlags = ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
  '--no-first-run', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--use-angle=swiftshader', '--enable-unsafe-swiftshader'];
const clockTicks = Number(execFileSync('getconf', ['CLK_TCK']).toString());
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// User and system CPU seconds of these processes and all their descendants.
function cpuSeconds(rootPids) {
  const parents = new Map();
  const cpu = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const fields = readFileSync(`/proc/${entry}/stat`, 'utf8').replace(/^.*\) /, '').split(' ');
      parents.set(Number(entry), Number(fields[1]));
      cpu.set(Number(entry), (Number(fields[11]) + Number(fields[12])) / clockTicks);
    } catch {
      // Gone while we looked.
    }
  }
  let total = 0;
  for (const [pid, seconds] of cpu) {
    for (let at = pid; at > 1; at = parents.get(at)) {
      if (rootPids.includes(at)) {
        total += seconds;
        break;
      }
    }
  }
  return total;
}

function downloadBytes() {
  let total = 0;
  const sizes = {};
  for (const file of ['index.html', 'page.css', 'page.js', 'glimmerwake.js', 'glimmerwake.wasm',
    'glimmerwake.data']) {
    sizes[file] = gzipSync(readFileSync(join(site, file)), { level: 9 }).length;
    total += sizes[file];
  }
  return { sizes, total };
}

async function untilTwoCalls(page) {
  const calls = () => { try { return window.glimmerwake.calls(); } catch { return 0; } };
  while ((await page.evaluate(calls)) < 2) {
    await sleep(5);
  }
}

async function browserFigures() {
  const server = await serveFolder(site);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const work = mkdtempSync(join(tmpdir(), 'glimmerwake-bench-'));
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium',
    userDataDir: join(work, 'profile'), args: kFlags });
  // One tab, loaded anew each time: only the tab in front gets animation frames.
  const page = await browser.newPage();
  await page.bringToFront();
  await page.setViewport({ width: 1024, height: 860 });
  const loads = [];
  for (let run = 0; run < kRuns; run++) {
    await page.goto(url);
    // The menu is drawn by the second call: the first sets OpenGL up.
    await untilTwoCalls(page);
    loads.push(await page.evaluate(() => performance.now()));
  }
  await page.goto(url);
  await untilTwoCalls(page);
  await page.keyboard.press('Enter');
  await page.keyboard.down('Space');
  const browserPid = browser.process().pid;
  const callsBefore = await page.evaluate(() => window.glimmerwake.calls());
  const cpuBefore = cpuSeconds([browserPid]);
  const started = Date.now();
  for (let i = 0; Date.now() - started < seconds * 1000; i++) {
    const key = i % 2 === 0 ? 'ArrowLeft' : 'ArrowRight';
    await page.keyboard.down(key);
    await sleep(700);
    await page.keyboard.up(key);
  }
  const wall = (Date.now() - started) / 1000;
  const calls = (await page.evaluate(() => window.glimmerwake.calls())) - callsBefore;
  const cpu = cpuSeconds([browserPid]) - cpuBefore;
  await browser.close();
  server.close();
  rmSync(work, { recursive: true, force: true });
  return { loadMs: median(loads), loads, callsPerSecond: calls / wall, cpuPerCallMs: cpu / calls * 1000,
    cpuPerSecond: cpu / wall };
}

// A private X screen on a number the server picks itself (-displayfd): on a shared machine a
// fixed number may be someone else's.
function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1024x768x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  return new Promise((done, fail) => {
    let text = '';
    xvfb.stdio[3].on('data', (chunk) => {
      text += chunk;
      if (text.includes('\n')) done({ xvfb, display: `:${text.trim()}` });
    });
    xvfb.on('exit', () => fail(new Error('Xvfb did not start')));
  });
}

// The native game on a private Xvfb screen, played as the page was; its recording's `end` line
// counts the calls.
async function nativeFigures() {
  const work = mkdtempSync(join(tmpdir(), 'glimmerwake-bench-native-'));
  const { xvfb, display } = await startXvfb();
  // A home of its own: the games measured enter no player's high scores.
  const env = { ...process.env, DISPLAY: display, HOME: work, XDG_DATA_HOME: join(work, 'data') };
  const recording = join(work, 'native.replay');
  const game = spawn(join(nativeBuild, 'glimmerwake'), ['--window', '--mute', '--record', recording],
    { cwd: top, env, stdio: 'ignore' });
  await sleep(2000);
  const xdotool = (...args) => execFileSync('xdotool', args, { env });
  const window = xdotool('search', '--sync', '--name', '^Glimmerwake$').toString().split('\n')[0];
  xdotool('windowfocus', '--sync', window);
  // The game polls its keys once a call: a press must last a few calls.
  xdotool('keydown', 'Return');
  await sleep(150);
  xdotool('keyup', 'Return');
  await sleep(300);
  xdotool('keydown', 'space');
  const ended = new Promise((done) => game.on('exit', done));
  let wall;
  let cpu;
  try {
    const cpuBefore = cpuSeconds([game.pid]);
    const started = Date.now();
    for (let i = 0; Date.now() - started < seconds * 1000; i++) {
      const key = i % 2 === 0 ? 'Left' : 'Right';
      xdotool('keydown', key);
      await sleep(700);
      xdotool('keyup', key);
    }
    wall = (Date.now() - started) / 1000;
    cpu = cpuSeconds([game.pid]) - cpuBefore;
  } finally {
    // However the measuring ended, the game and its screen go with it.
    game.kill('SIGTERM');
    await ended;
    xvfb.kill();
  }
  const text = readFileSync(recording, 'utf8');
  const lines = text.trim().split('\n');
  const total = Number(/^end (\d+)$/.exec(lines[lines.length - 1])[1]);
  // The calls of the measured span: those after the first Space down.
  const fire = /^(\d+) down SPACE$/m.exec(text);
  if (!fire) throw new Error(`the native game saw no fire key:\n${text.slice(0, 400)}`);
  const firstFire = Number(fire[1]);
  rmSync(work, { recursive: true, force: true });
  const calls = total - firstFire;
  return { callsPerSecond: calls / wall, cpuPerCallMs: cpu / calls * 1000, cpuPerSecond: cpu / wall };
}

function replaySpeed() {
  const scripts = ['complete_game', 'whole_level_1', 'whole_level_2', 'whole_level_3'];
  const time = (command, args) => {
    const runs = [];
    for (let run = 0; run < 3; run++) {
      const started = process.hrtime.bigint();
      execFileSync(command, args, { cwd: top, maxBuffer: 1 << 30 });
      runs.push(Number(process.hrtime.bigint() - started) / 1e9);
    }
    return median(runs);
  };
  return scripts.map((name) => {
    const script = join(top, 'tests/tools', `${name}.replay`);
    const calls = Number(/^end (\d+)$/m.exec(readFileSync(script, 'utf8'))[1]);
    const node = time(process.execPath, [join(site, '..', 'glimmerwake-replay.js'), script]);
    const native = time(join(nativeBuild, 'glimmerwake-replay'), [script]);
    return { name, calls, nodeSeconds: node, nativeSeconds: native, ratio: node / native };
  });
}

const results = {
  download: downloadBytes(),
  browser: await browserFigures(),
  native: await nativeFigures(),
  replay: replaySpeed(),
};
console.log(JSON.stringify(results, null, 2));
