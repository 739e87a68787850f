// The player's own maps on the page. "Přidat mapu" (a file chooser) or a file
// dropped onto the page adds map files; the game's menu lists them beside the
// shipped maps, as the maps folder does elsewhere. They are kept in the
// browser's storage for this site: the folder /moje-mapy of the game's file
// system, mounted on IndexedDB (IDBFS) and saved with FS.syncfs. The shipped
// maps stay in /mapy in memory; each of the player's maps gets a link there.
// Links stay out of /moje-mapy, since saving follows them.
//
// A file is taken as its bytes, whatever they are (a file that is not a map
// plays as its bytes, as in the maps folder elsewhere). Refused, with the
// reason in Czech: a file over 1 MiB (the map editor's limit too) and a name
// no file system takes. A name that a shipped map has gets " (2)" (or the
// next free number) so that it never hides the shipped map; a name one of the
// player's maps has replaces that map. The page says a map was added only
// once the browser's storage has it.
'use strict';

var PlayerMaps = (function () {
  var FOLDER = '/moje-mapy';
  var GAME_FOLDER = '/mapy';
  var LARGEST = 1048576;
  var NAME_BYTES = 255;
  var SAVE_TEMP_PREFIX = '.mapkit-';  // the map tools' temporary files, left out of the menu

  var FS = null;
  var kept = false;        // the browser's storage is there (else maps last until the page closes)
  var shipped = {};        // the shipped maps' names
  var whenReady, becomeReady;
  var queue;               // storage work, one step after another
  whenReady = new Promise(function (resolve) { becomeReady = resolve; });
  queue = whenReady;

  var ui = {};

  function quoted(name) { return '„' + name + '“'; }

  // A name's UTF-8 bytes, the form file systems and the game's menu see.
  function utf8(name) { return new TextEncoder().encode(name); }

  // Orders names as the game's menu does: by their UTF-8 bytes.
  function byBytes(a, b) {
    var x = utf8(a), y = utf8(b);
    for (var i = 0; i < x.length && i < y.length; i++)
      if (x[i] !== y[i])
        return x[i] - y[i];
    return x.length - y.length;
  }

  // Why no file can have this name, or '' when it can.
  function nameProblem(name) {
    if (name === '')
      return 'Soubor bez jména nelze přidat.';
    var it = 'Soubor ' + quoted(name) + ' nelze přidat: ';
    if (name === '.' || name === '..')
      return it + 'takové jméno nemůže mít žádný soubor.';
    if (name.indexOf('/') >= 0)
      return it + 'jméno souboru nesmí obsahovat lomítko „/“.';
    if (/[\u0000-\u001f\u007f]/.test(name))
      return 'Soubor nelze přidat: jeho jméno obsahuje řídicí znak, který jméno souboru mít nesmí.';
    if (name.indexOf(SAVE_TEMP_PREFIX) === 0)
      return it + 'jména začínající ' + quoted(SAVE_TEMP_PREFIX) +
        ' mají dočasné soubory editoru map a hra je v menu nenabízí.';
    if (utf8(name).length > NAME_BYTES)
      return it + 'jméno je delší než ' + NAME_BYTES + ' bajtů, víc systém souborů nedovolí.';
    return '';
  }

  function sizeText(bytes) {
    return (bytes / 1048576).toFixed(1).replace('.', ',') + ' MiB';
  }

  function exists(path) {
    try {
      FS.lstat(path);
      return true;
    } catch (e) {
      return false;
    }
  }

  function names(folder) {
    try {
      return FS.readdir(folder).filter(function (n) { return n !== '.' && n !== '..'; });
    } catch (e) {
      return [];
    }
  }

  function mine() { return names(FOLDER).sort(byBytes); }

  // The name under which a player's map called name is kept: its own, or
  // "name (2)", "name (3)"... while a shipped map or another of the
  // player's maps has that one.
  function freeName(name) {
    if (!shipped[name])
      return name;
    for (var n = 2; ; n++) {
      var candidate = name + ' (' + n + ')';
      if (!shipped[candidate] && !exists(FOLDER + '/' + candidate))
        return candidate;
    }
  }

  function link(name) {
    if (!exists(GAME_FOLDER + '/' + name))
      FS.symlink(FOLDER + '/' + name, GAME_FOLDER + '/' + name);
  }

  function unlinkQuietly(path) {
    try {
      FS.unlink(path);
    } catch (e) { /* already gone */ }
  }

  // Writes the folder to the browser's storage; resolves to '' or the reason it failed.
  function save() {
    return new Promise(function (resolve) {
      if (!kept)
        return resolve('');
      FS.syncfs(false, function (error) {
        resolve(error ? String(error.message || error.name || error) : '');
      });
    });
  }

  // Runs step (returning a promise) after every earlier one.
  function later(step) {
    var done = queue.then(step);
    queue = done.catch(function () {});
    return done;
  }

  // --- before the game starts

  // Mounts the player's folder and reads it back from the browser's storage
  // before the game's main runs (Module.preRun).
  function mount(Module) {
    var fs = Module.FS;
    Module.addRunDependency('moje-mapy');
    try {
      fs.mkdir(FOLDER);
      fs.mount(fs.filesystems.IDBFS, {}, FOLDER);
    } catch (e) {
      Module.removeRunDependency('moje-mapy');
      return;
    }
    fs.syncfs(true, function (error) {
      kept = !error;
      Module.removeRunDependency('moje-mapy');
    });
  }

  // The game's files are in place (Module.onRuntimeInitialized): links the
  // player's maps into the game's folder. A kept map that a newer version of
  // the game now ships under the same name is renamed first, as on adding.
  function ready(fs) {
    FS = fs;
    shipped = {};
    names(GAME_FOLDER).forEach(function (n) { shipped[n] = true; });
    var said = [];
    mine().forEach(function (name) {
      var kept_as = freeName(name);
      if (kept_as !== name) {
        FS.rename(FOLDER + '/' + name, FOLDER + '/' + kept_as);
        said.push('Hra teď má vlastní mapu ' + quoted(name) + ', a tak se vaše mapa jmenuje ' +
          quoted(kept_as) + '.');
      }
      link(kept_as);
    });
    showList();
    becomeReady();
    if (said.length)
      later(function () { return save().then(function () { say(said); }); });
  }

  // --- adding and removing

  function readBytes(file) {
    if (file.arrayBuffer)
      return file.arrayBuffer();
    return new Response(file).arrayBuffer();
  }

  // Adds one file; resolves to what the page says about it.
  function addFile(file) {
    var name = file.name;
    var problem = nameProblem(name);
    if (problem)
      return Promise.resolve(problem);
    if (file.size > LARGEST)
      return Promise.resolve('Soubor ' + quoted(name) + ' nelze přidat: má ' + sizeText(file.size) +
        ' a mapa smí mít nejvýš 1 MiB.');
    return readBytes(file).then(function (buffer) {
      if (buffer.byteLength > LARGEST)
        return 'Soubor ' + quoted(name) + ' nelze přidat: mapa smí mít nejvýš 1 MiB.';
      return later(function () { return store(name, new Uint8Array(buffer)); }).catch(function (e) {
        return 'Mapu ' + quoted(name) + ' se nepodařilo přidat (' + (e && e.message || e) + ').';
      });
    }, function () {
      return 'Soubor ' + quoted(name) + ' se nepodařilo přečíst.';
    });
  }

  function store(name, bytes) {
    var as = freeName(name);
    var path = FOLDER + '/' + as;
    var before = exists(path) ? FS.readFile(path) : null;
    if (utf8(as).length > NAME_BYTES)
      return 'Soubor ' + quoted(name) + ' nelze přidat: jméno s číslem by bylo delší než ' +
        NAME_BYTES + ' bajtů.';
    FS.writeFile(path, bytes);
    link(as);
    return save().then(function (failed) {
      if (failed) {
        // Back to what was there, so that the menu and the storage agree.
        if (before)
          FS.writeFile(path, before);
        else {
          unlinkQuietly(GAME_FOLDER + '/' + as);
          unlinkQuietly(path);
        }
        showList();
        return 'Mapu ' + quoted(name) + ' se nepodařilo uložit v prohlížeči (' + failed +
          '). Uvolněte místo nebo povolte stránce ukládat data a zkuste to znovu.';
      }
      showList();
      if (as !== name)
        return 'Mapa ' + quoted(name) + ' se jmenuje stejně jako mapa dodaná se hrou, a tak je přidána jako ' +
          quoted(as) + '.';
      var text = before ? 'Mapa ' + quoted(name) + ' je nahrazena novou verzí.'
        : 'Mapa ' + quoted(name) + ' je přidána; hra ji nabízí v menu.';
      if (!kept)
        text += ' Prohlížeč nedovoluje stránce ukládat data, a tak tu mapa zůstane jen do zavření stránky.';
      return text;
    });
  }

  function addFiles(list) {
    var files = Array.prototype.slice.call(list || []);
    if (!files.length)
      return Promise.resolve();
    say(['Přidávám…'], true);
    var said = [];
    var step = Promise.resolve();
    files.forEach(function (file) {
      step = step.then(function () { return addFile(file); }).then(function (text) { said.push(text); });
    });
    return step.then(function () { say(said); });
  }

  function remove(name) {
    return later(function () {
      var path = FOLDER + '/' + name;
      if (!exists(path))
        return;
      var bytes = FS.readFile(path);
      FS.unlink(path);
      unlinkQuietly(GAME_FOLDER + '/' + name);
      return save().then(function (failed) {
        if (failed) {
          FS.writeFile(path, bytes);
          link(name);
          say(['Mapu ' + quoted(name) + ' se nepodařilo odebrat z úložiště prohlížeče (' + failed + ').']);
        } else {
          say(['Mapa ' + quoted(name) + ' je odebrána.']);
        }
        showList();
      });
    });
  }

  // --- the page's controls

  // Shows texts in the status box; busy marks work still going on. The
  // outcome goes away after a while, or when the player next presses
  // anywhere (a press on the picture still reaches the game).
  var SHOWN_MS = 10000;
  var hideTimer = 0;
  function say(texts, busy) {
    clearTimeout(hideTimer);
    ui.status.textContent = texts.join('\n');
    ui.status.hidden = false;
    ui.status.setAttribute('aria-busy', busy ? 'true' : 'false');
    if (!busy)
      hideTimer = setTimeout(function () { ui.status.hidden = true; }, SHOWN_MS);
  }

  function showList() {
    if (!ui.list)
      return;
    var all = FS ? mine() : [];
    ui.list.textContent = '';
    all.forEach(function (name) {
      var item = document.createElement('li');
      var label = document.createElement('span');
      label.className = 'map-name';
      label.textContent = name;
      var button = document.createElement('button');
      button.type = 'button';
      button.textContent = 'Odebrat';
      button.setAttribute('aria-label', 'Odebrat mapu ' + name);
      button.addEventListener('click', function () { remove(name); });
      item.appendChild(label);
      item.appendChild(button);
      ui.list.appendChild(item);
    });
    ui.empty.hidden = all.length > 0;
    ui.count.textContent = all.length ? ' (' + all.length + ')' : '';
  }

  function hasFiles(event) {
    var types = event.dataTransfer && event.dataTransfer.types;
    return !!types && Array.prototype.indexOf.call(types, 'Files') >= 0;
  }

  function attach() {
    ui.add = document.getElementById('add-map');
    ui.chooser = document.getElementById('map-file');
    ui.toggle = document.getElementById('my-maps-button');
    ui.panel = document.getElementById('my-maps');
    ui.list = document.getElementById('my-maps-list');
    ui.empty = document.getElementById('my-maps-empty');
    ui.count = document.getElementById('my-maps-count');
    ui.status = document.getElementById('maps-status');

    ui.add.addEventListener('click', function () { ui.chooser.click(); });
    document.addEventListener('pointerdown', function () {
      if (ui.status.getAttribute('aria-busy') !== 'true')
        ui.status.hidden = true;
    }, true);
    ui.chooser.addEventListener('change', function () {
      var files = Array.prototype.slice.call(ui.chooser.files);
      ui.chooser.value = '';  // the same file can be chosen again
      addFiles(files);
    });
    ui.toggle.addEventListener('click', function () {
      ui.panel.hidden = !ui.panel.hidden;
      ui.toggle.setAttribute('aria-expanded', String(!ui.panel.hidden));
    });
    document.getElementById('my-maps-close').addEventListener('click', function () {
      ui.panel.hidden = true;
      ui.toggle.setAttribute('aria-expanded', 'false');
    });

    // A file dropped anywhere on the page is added; the browser never opens it instead.
    var depth = 0;
    document.addEventListener('dragenter', function (e) {
      if (!hasFiles(e))
        return;
      depth++;
      document.body.classList.add('dropping');
    });
    document.addEventListener('dragleave', function (e) {
      if (hasFiles(e) && --depth <= 0) {
        depth = 0;
        document.body.classList.remove('dropping');
      }
    });
    document.addEventListener('dragover', function (e) {
      if (!hasFiles(e))
        return;
      e.preventDefault();
      e.dataTransfer.dropEffect = 'copy';
    });
    document.addEventListener('drop', function (e) {
      if (!hasFiles(e))
        return;
      e.preventDefault();
      depth = 0;
      document.body.classList.remove('dropping');
      addFiles(e.dataTransfer.files);
    });
    showList();
  }

  return {
    mount: mount,
    ready: ready,
    attach: attach,
    addFiles: addFiles,
    remove: remove,
    nameProblem: nameProblem,
    whenReady: whenReady
  };
})();
