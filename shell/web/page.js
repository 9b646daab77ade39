// The page around the game: loading, keys, pads, touch buttons, sound, full screen, and the
// recordings a player downloads or watches. The game itself is glimmerwake.js (shell/web/).
'use strict';

(function () {
  const kKeyboard = 0;
  const kPad = 1;
  const kTouch = 2;
  const kEscape = 0x1b;
  const kReturn = 0x0d;
  // The most a recording can hold: the game's own reader stops there too.
  const kMaxRecordingBytes = 64 << 20;
  const kSampleRate = 22050;
  const kAudioFrames = 1024;
  // A recording dropped while a game runs is handed over a reload of the page in the tab's
  // session storage, which holds a few megabytes: hours of play.
  const kDroppedKey = 'glimmerwake-dropped-recording';
  const kMaxDroppedBytes = 4 << 20;
  // The high scores, in the scores file's own format, and the settings, in the browser's storage.
  // A table the game cannot read is set aside under a key of its own, never dropped.
  const kScoresKey = 'glimmerwake-scores';
  const kScoresAsideKey = 'glimmerwake-scores-set-aside';
  const kSettingsKey = 'glimmerwake-settings';
  // A score board serving the page (the game's own, at /api/ beside it) takes finished games as
  // their recordings. A board that does not answer is tried again a few times, a while apart.
  const kBoardHealth = '/api/health';
  const kBoardGames = '/api/games';
  const kBoardNameKey = 'glimmerwake-board-name';
  const kBoardName = /^[A-Za-z0-9 _.-]{1,16}$/;
  const kBoardTries = 6;
  const kBoardRetryMs = 5000;
  // How far a stick must leave its centre to count as an arrow, as on the desktop.
  const kStickDeadZone = 0.25;

  // KeyboardEvent.code to the game's virtual keys; the keypad's arrows (Num Lock off) and Enter
  // count as the arrows and Return, as on the desktop.
  const kKeys = {
    Enter: 0x0d, NumpadEnter: 0x0d, Escape: 0x1b, Space: 0x20,
    ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
    Digit1: 0x31, Digit2: 0x32, Digit3: 0x33, F2: 0x71, F3: 0x72, F4: 0x73,
    // Not the game's: F runs a recording watched fast while held, Q stops watching it.
    KeyF: 0x46, KeyQ: 0x51,
  };
  const kKeypadArrows = { ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28 };

  // The standard gamepad layout, mapped as the desktop maps SDL's controllers.
  const kPadButtons = [
    { button: 14, key: 0x25 }, { button: 15, key: 0x27 }, { button: 12, key: 0x26 },
    { button: 13, key: 0x28 }, { button: 0, key: 0x20 },
    { button: 2, key: 0x31, back: false }, { button: 3, key: 0x32, back: false },
    { button: 1, key: 0x33, back: false }, { button: 2, key: 0x71, back: true },
    { button: 3, key: 0x72, back: true }, { button: 1, key: 0x73, back: true },
  ];
  const kPadBack = 8;
  const kPadStart = 9;

  const params = new URLSearchParams(location.search);
  // Tests read the canvas back, which needs the drawing buffer kept between frames.
  const keepDrawingBuffer = params.has('test');
  const $ = (id) => document.getElementById(id);
  const canvas = $('game');

  const page = {
    started: false,
    ended: false,
    watching: false,
    audio: null,
    padKeys: new Set(),
    padStartKey: 0,
    settings: readSettings(),
    board: false,
  };
  // What the tests (and a curious player's console) can read of the game.
  window.glimmerwake = {
    get ended() { return page.ended; },
    get watching() { return page.watching; },
    traceLine: () => Module.UTF8ToString(Module._webTraceLine()),
    recording: () => Module.UTF8ToString(Module._webRecording()),
    calls: () => Module._webCalls(),
    scores: () => JSON.parse(Module.UTF8ToString(Module._webScoresJson())),
  };

  // The browser's storage may be switched off, full, or shared with another tab: the game plays
  // on without it.
  function stored(key) {
    try {
      return localStorage.getItem(key);
    } catch {
      return null;
    }
  }

  function store(key, text) {
    try {
      localStorage.setItem(key, text);
      return true;
    } catch {
      return false;
    }
  }

  // The sound's switches as the player last left them; anything else in the storage is ignored.
  function readSettings() {
    const settings = { mute: false, music: true };
    try {
      const kept = JSON.parse(stored(kSettingsKey));
      for (const name of Object.keys(settings)) {
        if (kept && typeof kept[name] === 'boolean') settings[name] = kept[name];
      }
    } catch {
      // Unreadable settings are the defaults.
    }
    return settings;
  }

  function applySettings() {
    Module._webSetSound(page.settings.mute ? 1 : 0, page.settings.music ? 1 : 0);
    $('mute').setAttribute('aria-pressed', String(page.settings.mute));
    $('mute').textContent = page.settings.mute ? 'Unmute (M)' : 'Mute (M)';
    store(kSettingsKey, JSON.stringify(page.settings));
  }

  function showScores() {
    const list = $('scores-list');
    list.replaceChildren();
    for (const entry of window.glimmerwake.scores()) {
      const item = document.createElement('li');
      item.textContent = `${entry.score}  ${entry.when}  ${entry.milestones}`;
      list.appendChild(item);
    }
    $('scores-empty').hidden = list.children.length > 0;
  }

  // The table kept in the browser goes to the game, which reads it as strictly as the desktop
  // reads its file.
  function loadScores() {
    const text = stored(kScoresKey);
    if (text !== null) {
      const bytes = new TextEncoder().encode(text);
      const address = Module._malloc(Math.max(1, bytes.length));
      Module.HEAPU8.set(bytes, address);
      const problem = Module.UTF8ToString(Module._webLoadScores(address, bytes.length));
      Module._free(address);
      if (problem !== '') {
        store(kScoresAsideKey, text);
        try {
          localStorage.removeItem(kScoresKey);
        } catch {
          // Left where it is: it is read again, and set aside again, next time.
        }
        $('scores-note').textContent = `The high scores kept here could not be read (${problem}); ` +
          `they are kept aside under ${kScoresAsideKey} and a new table is started.`;
      }
    }
    showScores();
  }

  function showMessage(text, playAgain) {
    $('message-text').textContent = text;
    $('play-again').hidden = !playAgain;
    $('message').hidden = false;
  }

  // The canvas keeps 4:3 and fills what the window (or the screen, in full screen) leaves it.
  function fitCanvas() {
    const full = document.fullscreenElement === $('stage');
    const width = window.innerWidth;
    const height = window.innerHeight - (full ? 0 : $('bar').offsetHeight);
    const scale = Math.max(1, Math.min(width / 4, height / 3));
    canvas.style.width = `${Math.floor(scale * 4)}px`;
    canvas.style.height = `${Math.floor(scale * 3)}px`;
    $('stage').style.width = full ? '100%' : canvas.style.width;
    $('stage').style.height = full ? '100%' : canvas.style.height;
  }

  function virtualKey(event) {
    if (event.code.startsWith('Numpad') && event.key in kKeypadArrows) {
      return kKeypadArrows[event.key];
    }
    return kKeys[event.code];
  }

  // Browsers let a page make sound only after the player did something on it.
  function startAudio() {
    if (page.audio || !page.started) {
      return;
    }
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) {
      return;
    }
    Module._webLoadSounds();
    const audio = new Context({ sampleRate: kSampleRate });
    const samples = Module._malloc(kAudioFrames * 2);
    const node = audio.createScriptProcessor(kAudioFrames, 0, 1);
    node.onaudioprocess = (event) => {
      const out = event.outputBuffer.getChannelData(0);
      Module._webMixSound(samples, out.length);
      const mixed = new Int16Array(Module.HEAPU8.buffer, samples, out.length);
      for (let i = 0; i < out.length; i++) {
        out[i] = mixed[i] / 32768;
      }
    };
    node.connect(audio.destination);
    page.audio = audio;
  }

  function toggleMute() {
    page.settings.mute = !page.settings.mute;
    applySettings();
  }

  function onKey(event, down) {
    // What is typed into the page's own fields (the score board's name) is not the game's.
    if (!page.started || event.target instanceof HTMLInputElement) {
      return;
    }
    if (down && event.code === 'KeyM' && !event.repeat) {
      toggleMute();
    }
    // N turns the music off and on, as on the desktop.
    if (down && event.code === 'KeyN' && !event.repeat) {
      page.settings.music = !page.settings.music;
      applySettings();
    }
    const key = virtualKey(event);
    if (key === undefined) {
      return;
    }
    // Arrows and Space would scroll the page, F3 would search it.
    event.preventDefault();
    if (down) {
      startAudio();
    }
    Module._webSetKey(kKeyboard, key, down ? 1 : 0);
  }

  // Pads are read by state once an animation frame, as the desktop reads them once a frame.
  function pollPads() {
    const held = new Set();
    let startHeld = false;
    for (const pad of navigator.getGamepads ? navigator.getGamepads() : []) {
      if (!pad || pad.mapping !== 'standard') {
        continue;
      }
      const pressed = (i) => pad.buttons[i] && pad.buttons[i].pressed;
      const back = pressed(kPadBack);
      for (const binding of kPadButtons) {
        if (pressed(binding.button) && (binding.back === undefined || binding.back === back)) {
          held.add(binding.key);
        }
      }
      const [x, y] = pad.axes;
      if (x < -kStickDeadZone) held.add(0x25);
      if (x > kStickDeadZone) held.add(0x27);
      if (y < -kStickDeadZone) held.add(0x26);
      if (y > kStickDeadZone) held.add(0x28);
      startHeld = startHeld || pressed(kPadStart);
    }
    // Start pauses a game in play and confirms elsewhere; what it stands for is chosen when it
    // goes down, so a Start that began the game does not go on to pause it.
    if (!startHeld) {
      page.padStartKey = 0;
    } else {
      if (page.padStartKey === 0) {
        page.padStartKey = Module._webInPlay() ? kEscape : kReturn;
      }
      held.add(page.padStartKey);
    }
    for (const key of page.padKeys) {
      if (!held.has(key)) Module._webSetKey(kPad, key, 0);
    }
    for (const key of held) {
      if (!page.padKeys.has(key)) Module._webSetKey(kPad, key, 1);
    }
    if (held.size > 0) startAudio();
    page.padKeys = held;
    if (!page.ended) requestAnimationFrame(pollPads);
  }

  function setUpTouch() {
    if (!('ontouchstart' in window) && !(navigator.maxTouchPoints > 0)) {
      return;
    }
    $('touch').hidden = false;
    for (const button of $('touch').querySelectorAll('button')) {
      let key = 0;
      const press = (event) => {
        event.preventDefault();
        button.setPointerCapture(event.pointerId);
        const pause = button.dataset.key === 'pause';
        key = pause ? (Module._webInPlay() ? kEscape : kReturn) : Number(button.dataset.key);
        startAudio();
        Module._webSetKey(kTouch, key, 1);
      };
      const release = () => {
        if (key !== 0) Module._webSetKey(kTouch, key, 0);
        key = 0;
      };
      button.addEventListener('pointerdown', press);
      button.addEventListener('pointerup', release);
      button.addEventListener('pointercancel', release);
    }
  }

  function downloadRecording() {
    if (!page.started) {
      return;
    }
    const blob = new Blob([window.glimmerwake.recording()], { type: 'text/plain' });
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    // The name the high scores give the game's recording.
    link.download = Module.UTF8ToString(Module._webRecordingName());
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
  }

  // Hands the game a recording's bytes; false (with the reason shown) when it is no recording.
  function watchBytes(bytes, name) {
    const address = Module._malloc(Math.max(1, bytes.length));
    Module.HEAPU8.set(bytes, address);
    const problem = Module.UTF8ToString(Module._webWatch(address, bytes.length));
    Module._free(address);
    if (problem !== '') {
      showMessage(`${name} cannot be watched: ${problem}.`, true);
      return false;
    }
    page.watching = true;
    return true;
  }

  // Only a recording beside the page, named by a relative address: a link to the page cannot make
  // it fetch from anywhere else.
  function recordingAddress(url) {
    if (/^[a-z][a-z0-9+.-]*:|^[/\\]{2}/i.test(url.trim())) {
      throw new Error('only an address relative to this page can be watched');
    }
    const address = new URL(url, location.href);
    if (address.origin !== location.origin) {
      throw new Error('only an address relative to this page can be watched');
    }
    return address;
  }

  // Reads at most kMaxRecordingBytes of the answer: a larger one is refused, however it came.
  async function fetchRecording(url) {
    const response = await fetch(recordingAddress(url), { credentials: 'omit' });
    if (!response.ok) {
      throw new Error(`the server answered ${response.status}`);
    }
    const reader = response.body.getReader();
    const chunks = [];
    let size = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      size += value.length;
      if (size > kMaxRecordingBytes) {
        reader.cancel();
        throw new Error('it is larger than any recording');
      }
      chunks.push(value);
    }
    const bytes = new Uint8Array(size);
    let at = 0;
    for (const chunk of chunks) {
      bytes.set(chunk, at);
      at += chunk.length;
    }
    return bytes;
  }

  async function watchFile(file) {
    if (file.size > kMaxRecordingBytes) {
      showMessage(`${file.name} cannot be watched: it is larger than any recording.`, true);
      return;
    }
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (!page.started) {
      if (watchBytes(bytes, file.name)) start();
      return;
    }
    // The game under way cannot be swapped for the recording: the page starts anew with it.
    if (bytes.length > kMaxDroppedBytes) {
      showMessage(`${file.name} is too large to hand over: put it on a web server and open ` +
        'this page with ?watch= and its address.', true);
      return;
    }
    try {
      // One character a byte, whatever the bytes are: the game's reader judges them.
      let text = '';
      for (let i = 0; i < bytes.length; i += 0x8000) {
        text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
      }
      sessionStorage.setItem(kDroppedKey, text);
    } catch (error) {
      showMessage(`${file.name} cannot be handed over: ${error.message}.`, true);
      return;
    }
    location.assign(location.pathname + (keepDrawingBuffer ? '?test' : ''));
  }

  // Whether a score board serves this page; without one the page is all there is.
  async function findBoard() {
    try {
      const response = await fetch(kBoardHealth, { credentials: 'omit', cache: 'no-store' });
      page.board = response.ok;
    } catch {
      page.board = false;
    }
    $('board').hidden = !page.board;
    $('board-name').value = stored(kBoardNameKey) || '';
  }

  function boardNote(text) {
    $('board-note').textContent = text;
  }

  // Sends the run's recording, which proves the game that just ended, to the board: "sent" once
  // taken, "refused" when the board says no, "waiting" while it cannot be reached.
  async function sendToBoard(score) {
    const name = $('board-name').value.trim();
    if (!kBoardName.test(name)) {
      boardNote(`Not sent: give the score board a name of 1 to 16 letters, digits, spaces, ` +
        `'.', '_' or '-'.`);
      return;
    }
    store(kBoardNameKey, name);
    const recording = window.glimmerwake.recording();
    for (let attempt = 1; attempt <= kBoardTries; attempt++) {
      let status = 0;
      try {
        const response = await fetch(`${kBoardGames}?name=${encodeURIComponent(name)}`, {
          method: 'POST', body: recording, credentials: 'omit',
          headers: { 'Content-Type': 'text/plain' },
        });
        status = response.status;
      } catch {
        // Not reached: tried again below.
      }
      if (status >= 200 && status < 300) {
        boardNote(`Score board: ${score} sent.`);
        return;
      }
      if (status >= 400 && status < 500) {
        boardNote(`Score board: ${score} refused (${status}).`);
        return;
      }
      boardNote(`Score board: ${score} waiting for the board (try ${attempt} of ${kBoardTries}).`);
      await new Promise((done) => setTimeout(done, kBoardRetryMs));
    }
    boardNote(`Score board: ${score} not sent; the board did not answer. Download the game to ` +
      'keep it.');
  }

  function start() {
    if (page.started) {
      return;
    }
    if (!Module._webStart(keepDrawingBuffer ? 1 : 0)) {
      showMessage('Glimmerwake needs WebGL, which this browser does not offer (or has turned ' +
        'off). Turn on hardware acceleration or WebGL in its settings, or try another browser.');
      return;
    }
    page.started = true;
    applySettings();
    loadScores();
    findBoard();
    canvas.focus();
    requestAnimationFrame(pollPads);
  }

  // A recording dropped before the page started anew, taken once.
  function droppedRecording() {
    const text = sessionStorage.getItem(kDroppedKey);
    sessionStorage.removeItem(kDroppedKey);
    return text === null ? null : Uint8Array.from(text, (c) => c.charCodeAt(0));
  }

  async function begin() {
    $('loading').hidden = true;
    const dropped = droppedRecording();
    if (dropped !== null) {
      if (watchBytes(dropped, 'The recording dropped')) start();
      return;
    }
    const url = params.get('watch');
    if (url !== null) {
      try {
        if (!watchBytes(await fetchRecording(url), 'The recording')) return;
      } catch (error) {
        showMessage(`The recording cannot be watched: ${error.message}.`, true);
        return;
      }
    }
    start();
  }

  window.Module = {
    canvas,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    // Emscripten reports the download of the .data file as "… (done/total)".
    setStatus: (text) => {
      const match = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text);
      if (match) {
        $('loading-bar').value = Number(match[1]) / Number(match[2]);
      }
    },
    onRuntimeInitialized: () => { begin(); },
    // A game of the player's ended, proved by its recording.
    gameProved: (score) => {
      if (page.board && score > 0) sendToBoard(score);
    },
    // A game the game proved entered the table: kept in the browser's storage.
    scoresChanged: (tables, rank) => {
      const kept = store(kScoresKey, tables);
      $('scores-note').textContent = `Your score entered the high scores at place ${rank}` +
        (kept ? '.' : ', but this browser does not let the page keep it.');
      showScores();
    },
    // Called by the game when it ended, or when the recording watched came to its end.
    gameEnded: (watched) => {
      page.ended = true;
      showMessage(watched ? 'The recording has ended.' :
        'The game has ended. Download it as a recording below, or play again.', true);
    },
  };

  window.addEventListener('keydown', (event) => onKey(event, true));
  window.addEventListener('keyup', (event) => onKey(event, false));
  window.addEventListener('blur', () => page.started && Module._webFocusLost());
  document.addEventListener('visibilitychange', () => {
    if (document.hidden && page.started) Module._webFocusLost();
  });
  window.addEventListener('resize', fitCanvas);
  document.addEventListener('fullscreenchange', fitCanvas);
  $('fullscreen').addEventListener('click', () => {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else if ($('stage').requestFullscreen) {
      $('stage').requestFullscreen().then(() => canvas.focus(), () => {});
    }
  });
  $('mute').addEventListener('click', () => { if (page.started) toggleMute(); canvas.focus(); });
  $('download').addEventListener('click', downloadRecording);
  $('play-again').addEventListener('click', () => {
    location.assign(location.pathname + (keepDrawingBuffer ? '?test' : ''));
  });
  $('watch-file').addEventListener('change', (event) => {
    if (event.target.files.length > 0) watchFile(event.target.files[0]);
  });
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    document.body.classList.add('dragging');
  });
  document.addEventListener('dragleave', () => document.body.classList.remove('dragging'));
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    document.body.classList.remove('dragging');
    if (event.dataTransfer.files.length > 0) watchFile(event.dataTransfer.files[0]);
  });
  setUpTouch();
  fitCanvas();

  const script = document.createElement('script');
  script.src = 'glimmerwake.js';
  script.onerror = () => showMessage('The game could not be loaded. Reload the page to try again.');
  document.body.appendChild(script);
})();
