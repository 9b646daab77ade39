// The few things the game's C++ asks of the browser that emscripten has no C function for.
mergeInto(LibraryManager.library, {
  // The fixed-function emulation starts only on a context made by Browser.createContext. The
  // canvas keeps its drawing buffer only when asked (the tests read its pixels back); without
  // alpha the page never shows through the cleared frame, and without antialiasing the edges
  // are the desktop's.
  webCreateContext__deps: ['$Browser'],
  webCreateContext: function (keepDrawingBuffer) {
    var attributes = {
      alpha: false,
      antialias: false,
      depth: true,
      stencil: false,
      preserveDrawingBuffer: keepDrawingBuffer !== 0,
    };
    try {
      return Browser.createContext(Module['canvas'], true, true, attributes) ? 1 : 0;
    } catch (error) {
      return 0;
    }
  },

  // A game its recording proved entered the high scores at `rank`: the page stores the tables'
  // text and shows them.
  webScoresChanged: function (tables, rank) {
    if (Module['scoresChanged']) {
      Module['scoresChanged'](UTF8ToString(tables), rank);
    }
  },

  // A game of the player's ended and its recording proved its score: the page may send the
  // recording to a score board.
  webGameProved: function (score) {
    if (Module['gameProved']) {
      Module['gameProved'](score);
    }
  },

  // Tells the page the game is over: it ended, or the recording watched came to its end.
  webGameEnded: function (watched) {
    if (Module['gameEnded']) {
      Module['gameEnded'](watched !== 0);
    }
  },
});
