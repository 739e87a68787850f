// The page's side of the game: loads the program (hledani-pokladu.js and
// its .wasm and .data beside this page, by relative addresses), shows a
// loading indicator until the first picture, scales the picture to the
// window, offers full screen, lays the page out for a touch screen (the
// rail with "Zpět", the folded title bar, the request to turn a phone held
// upright), and says in Czech what went wrong when the
// browser cannot run the game, its files do not arrive or the game stops
// with a message of its own. The program's Module is set up here alone.
'use strict';

(function () {
  var canvas = document.getElementById('game');
  var stage = document.getElementById('stage');
  var loading = document.getElementById('loading');
  var progress = document.getElementById('loading-progress');
  var messageBox = document.getElementById('message');
  var messageText = document.getElementById('message-text');
  var playAgain = document.getElementById('play-again');
  var fullScreen = document.getElementById('full-screen');
  var play = document.getElementById('play');
  var root = document.documentElement;
  var stopped = false;

  var TEXTS = {
    noWasm: 'Tento prohlížeč neumí WebAssembly, a tak v něm hra nepoběží. ' +
      'Zkuste novější Chrome, Edge, Firefox nebo Safari.',
    noFiles: 'Soubory hry se nepodařilo načíst. Zkontrolujte připojení k síti a načtěte stránku znovu.',
    crashed: 'Hra nečekaně skončila chybou. Načtěte stránku znovu.',
    gameSays: 'Hra hlásí chybu:',
    ended: 'Hra skončila. Díky za hru!'
  };

  function showMessage(text, canRestart) {
    loading.hidden = true;
    messageText.textContent = text;
    playAgain.hidden = !canRestart;
    messageBox.hidden = false;
  }

  // The largest size with the picture's aspect that fits the stage, counted
  // in the screen's own pixels: a whole multiple of 800 x 600 where one comes
  // close (within a fifth), so that every pixel of the game stays square and
  // sharp; otherwise the largest uneven scale, so that a big screen is filled
  // and a small window still shows the whole picture.
  function fitPicture() {
    var ratio = window.devicePixelRatio || 1;
    var w = stage.clientWidth * ratio, h = stage.clientHeight * ratio;
    var scale = Math.min(w / canvas.width, h / canvas.height);
    var whole = Math.floor(scale);
    if (whole >= 1 && whole >= 0.8 * scale)
      scale = whole;
    if (!(scale > 0))
      scale = 1;
    canvas.style.width = Math.floor(canvas.width * scale) / ratio + 'px';
    canvas.style.height = Math.floor(canvas.height * scale) / ratio + 'px';
    PictureZoom.refit();
  }
  // A touch screen: told by the browser, or by the first finger on the page.
  function useTouch() {
    if (root.classList.contains('touch'))
      return;
    root.classList.add('touch');
    document.getElementById('touch-tip').hidden = false;
    GamePointer.away();  // no finger yet: the game's pointer hides nothing
    fitPicture();
  }
  if (navigator.maxTouchPoints > 0 || (window.matchMedia && matchMedia('(any-pointer: coarse)').matches))
    useTouch();
  document.addEventListener('pointerdown', function (e) {
    if (e.pointerType === 'touch')
      useTouch();
    if (e.target === canvas || e.target === stage)
      document.getElementById('touch-tip').hidden = true;
  }, true);
  window.addEventListener('resize', fitPicture);
  // The stage also changes with the page around it (its title bar).
  if (window.ResizeObserver)
    new ResizeObserver(fitPicture).observe(stage);
  document.addEventListener('fullscreenchange', fitPicture);
  fitPicture();

  // Full screen: the picture and the rail beside it.
  fullScreen.addEventListener('click', function () {
    if (document.fullscreenElement)
      document.exitFullscreen();
    else if (play.requestFullscreen)
      play.requestFullscreen().catch(function () {});
  });
  if (!document.fullscreenEnabled)
    fullScreen.hidden = true;
  document.getElementById('leave-full').addEventListener('click', function () {
    if (document.fullscreenElement)
      document.exitFullscreen();
  });

  // The folded title bar: the corner button opens it over the picture; a
  // control of its own folds it again, and so does a touch anywhere else,
  // which does nothing more (it plays no cell under the open bar).
  var barButton = document.getElementById('bar-button');
  function openBar(open) {
    root.classList.toggle('bar-open', open);
    barButton.setAttribute('aria-expanded', String(open));
  }
  barButton.addEventListener('click', function () { openBar(!root.classList.contains('bar-open')); });
  document.addEventListener('pointerdown', function (e) {
    if (!root.classList.contains('bar-open') || document.getElementById('bar').contains(e.target) ||
        barButton.contains(e.target))
      return;
    openBar(false);
    e.stopPropagation();
  }, true);
  document.getElementById('controls').addEventListener('click', function () { openBar(false); });

  // The game's right button, for a touch screen.
  document.getElementById('back').addEventListener('click', GamePointer.rightClick);
  document.getElementById('turn-skip').addEventListener('click', function () {
    root.classList.add('upright');
  });

  playAgain.addEventListener('click', function () { location.reload(); });
  PictureZoom.attach(canvas, stage);
  GamePointer.attach(canvas, stage);
  PlayerMaps.attach();
  stage.addEventListener('contextmenu', function (e) { e.preventDefault(); });

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    showMessage(TEXTS.noWasm, false);
    return;
  }

  var Module = {
    canvas: canvas,
    webInput: { queue: GamePointer.queue, x: 0, y: 0, b: 0 },
    // The loader's progress while the program and its data arrive.
    setStatus: function (text) {
      var m = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text || '');
      if (m) {
        progress.max = Number(m[2]);
        progress.value = Number(m[1]);
      }
    },
    // The player's maps are read back from the browser's storage first.
    preRun: [function () { PlayerMaps.mount(Module); }],
    // The files are in place and main is about to run: the moment to change
    // the in-memory file system (window.onGameFilesReady(FS), if defined).
    onRuntimeInitialized: function () {
      PlayerMaps.ready(Module.FS);
      if (window.onGameFilesReady)
        window.onGameFilesReady(Module.FS);
    },
    onFirstFrame: function () {
      loading.hidden = true;
      document.body.classList.add('playing');
      if (window.onGameFirstFrame)
        window.onGameFirstFrame();
    },
    // The game's own fatal messages (a damaged image set): the game then ends.
    onGameMessage: function (text) {
      stopped = true;
      showMessage(TEXTS.gameSays + '\n' + text, true);
    },
    onExit: function (status) {
      document.body.dataset.exitStatus = status;
      if (!stopped)
        showMessage(status === 0 ? TEXTS.ended : TEXTS.crashed, true);
      stopped = true;
    },
    onAbort: function () {
      if (!stopped)
        showMessage(Module.calledRun ? TEXTS.crashed : TEXTS.noFiles, true);
      stopped = true;
    },
    print: function (text) { console.log(text); },
    printErr: function (text) { console.warn(text); }
  };
  window.Module = Module;

  // The data package reports a failed download by throwing, outside the
  // program: before the first picture, anything thrown means the game
  // cannot start.
  function failedToStart() {
    if (!stopped && !Module.webShown) {
      stopped = true;
      showMessage(Module.calledRun ? TEXTS.crashed : TEXTS.noFiles, true);
    }
  }
  window.addEventListener('error', failedToStart);
  window.addEventListener('unhandledrejection', failedToStart);

  var program = document.createElement('script');
  program.src = 'hledani-pokladu.js';
  program.onerror = function () {
    stopped = true;
    showMessage(TEXTS.noFiles, true);
  };
  document.body.appendChild(program);
})();
