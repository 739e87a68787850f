// The player's own maps on the page. "Přidat mapu" (a file chooser) or a file
// dropped onto the page adds map files; the game's menu lists them beside the
// shipped maps, as the maps folder does elsewhere. The shipped maps stay in
// /mapy of the game's in-memory file system; the player's maps are files of
// /moje-mapy there, each with a link in /mapy.
//
// They are kept in the browser's storage for this site (IndexedDB), one
// record per map: {name, bytes, stamp}, keyed by the name, where stamp is
// new with every version of the map. A change stores or deletes that one
// record, in a transaction of its own; the game's folder changes only once
// the transaction has completed, and the page says a map was added only
// then. When the browser refuses or aborts it, the page says why, and the
// game's folder and the list keep what they had. Each tab first brings its
// folder up to what the storage holds (comparing stamps) before it changes
// anything, and after a change tells the page's other tabs
// (BroadcastChannel), which do the same: adding, replacing and removing in
// several tabs in any order loses nothing and brings nothing back.
//
// With no storage (none offered, or it cannot be opened, as in some private
// windows) the maps stay in the game's folder until the page is closed, and
// the page says so.
//
// A file is taken as its bytes, whatever they are (a file that is not a map
// plays as its bytes, as in the maps folder elsewhere). Refused, with the
// reason in Czech: a file over 1 MiB (the map editor's limit too) and a name
// no file system takes. A name that a shipped map has gets " (2)" (or the
// next free number) so that it never hides the shipped map; a name one of the
// player's maps has replaces that map.
'use strict';

var PlayerMaps = (function () {
  var FOLDER = '/moje-mapy';
  var GAME_FOLDER = '/mapy';
  var LARGEST = 1048576;
  var NAME_BYTES = 255;
  var SAVE_TEMP_PREFIX = '.mapkit-';  // the map tools' temporary files, left out of the menu

  var DB_NAME = 'hledani-pokladu';
  var DB_VERSION = 1;
  var MAPS = 'maps';          // the maps: {name, bytes, stamp}, keyed by name
  var STAMPS = 'stamps';      // an index of MAPS by stamp: names and versions without the bytes
  var NOTES = 'notes';        // the page's own notes: what was taken over from the old layout
  var MIGRATED = 'migrated';  // in NOTES: {name: time} of each map taken over
  // Earlier versions of the page kept the maps with emscripten's IDBFS: a
  // database named after the folder, records keyed by path, {timestamp, mode, contents}.
  var OLD_DB = '/moje-mapy';
  var OLD_STORE = 'FILE_DATA';
  var CHANNEL = 'hledani-pokladu-mapy';
  var OPEN_MS = 5000;         // a browser that never answers the opening counts as having no storage

  var FS = null;
  var db = null;              // the open database
  var noStorage = '';         // why there is no storage, in Czech ('' while there is)
  var memory = Object.create(null);   // the game folder's maps: name -> stamp ('' when not stored)
  var loaded = [];            // the stored maps, read before the game's files are in place
  var shipped = Object.create(null);  // the shipped maps' names
  var channel = null;
  var askedToKeep = false;
  var refusalUntold = false;  // the browser refused to keep the data while the page was busy
  var whenReady, becomeReady;
  var queue;                  // the tab's storage work, one step after another
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

  function names(folder) {
    try {
      return FS.readdir(folder).filter(function (n) { return n !== '.' && n !== '..'; });
    } catch (e) {
      return [];
    }
  }

  // The player's maps the game offers, in the menu's order.
  function mine() {
    return Object.keys(memory).filter(function (n) { return !shipped[n]; }).sort(byBytes);
  }

  // The name under which a player's map called name is kept: its own, or
  // "name (2)", "name (3)"... while a shipped map or another of the
  // player's maps (taken) has that one.
  function freeName(name, taken) {
    if (!shipped[name])
      return name;
    for (var n = 2; ; n++) {
      var candidate = name + ' (' + n + ')';
      if (!shipped[candidate] && !(candidate in taken))
        return candidate;
    }
  }

  function unlinkQuietly(path) {
    try {
      FS.unlink(path);
    } catch (e) { /* already gone */ }
  }

  // --- the game's folder

  // Puts a map into the game's folder (a shipped map's name stays the
  // shipped map's: such a stored map is renamed when the page starts).
  function putInMemory(name, bytes, stamp) {
    memory[name] = stamp;
    if (shipped[name])
      return;
    FS.writeFile(FOLDER + '/' + name, bytes);
    try {
      FS.lstat(GAME_FOLDER + '/' + name);
    } catch (e) {
      FS.symlink(FOLDER + '/' + name, GAME_FOLDER + '/' + name);
    }
  }

  function dropFromMemory(name) {
    delete memory[name];
    if (shipped[name])
      return;
    unlinkQuietly(GAME_FOLDER + '/' + name);
    unlinkQuietly(FOLDER + '/' + name);
  }

  function newStamp() {
    return Date.now().toString(36) + '-' + Math.random().toString(36).slice(2, 10);
  }

  // --- the browser's storage

  // Why the storage failed, in Czech, from the error the browser gave (or a text).
  function reasonOf(error) {
    if (typeof error === 'string')
      return error;
    var name = error && error.name || '';
    if (name === 'QuotaExceededError')
      return 'v úložišti prohlížeče už pro tuto stránku není místo';
    if (!name || name === 'AbortError')
      return 'prohlížeč ukládání přerušil';
    if (name === 'InvalidStateError')
      return 'úložiště prohlížeče se zavřelo (třeba smazáním dat stránky)';
    if (name === 'UnknownError')
      return 'úložiště prohlížeče selhalo (třeba pro plný disk)';
    var detail = error.message ? name + ': ' + error.message : name;
    return 'prohlížeč zápis odmítl (' + detail + ')';
  }

  // Resolves with the request's result, or rejects when it fails or has
  // not answered within OPEN_MS (then whatever it opens later is closed).
  function opened(request) {
    return new Promise(function (resolve, reject) {
      var timer = setTimeout(function () {
        timer = 0;
        reject('úložiště se neotevřelo ani za ' + OPEN_MS / 1000 + ' s');
      }, OPEN_MS);
      request.onsuccess = function () {
        if (timer) {
          clearTimeout(timer);
          resolve(request.result);
        } else if (request.result && request.result.close) {
          request.result.close();
        }
      };
      request.onerror = function (event) {
        event.preventDefault();
        if (timer) {
          clearTimeout(timer);
          reject(request.error);
        }
      };
    });
  }

  function factory() {
    try {
      return window.indexedDB || null;
    } catch (e) {
      return null;  // some browsers throw where the site may not store data
    }
  }

  // The open database (opened again after the browser closed it).
  function database() {
    if (db)
      return Promise.resolve(db);
    var idb = factory();
    if (!idb)
      return Promise.reject('úložiště stránkám nenabízí, například v anonymním okně');
    var request;
    try {
      request = idb.open(DB_NAME, DB_VERSION);
    } catch (e) {
      return Promise.reject(e);
    }
    request.onupgradeneeded = function () {
      var d = request.result;
      if (!d.objectStoreNames.contains(MAPS))
        d.createObjectStore(MAPS, { keyPath: 'name' }).createIndex(STAMPS, 'stamp');
      if (!d.objectStoreNames.contains(NOTES))
        d.createObjectStore(NOTES);
    };
    return opened(request).then(function (d) {
      // A newer page that changes the database's layout, or the player
      // clearing the site's data, closes it here.
      d.onversionchange = function () {
        d.close();
        if (db === d)
          db = null;
      };
      d.onclose = function () {
        if (db === d)
          db = null;
      };
      db = d;
      return d;
    });
  }

  // Runs work(tx) in one transaction over the maps and the notes. Resolves
  // once the transaction has completed (its changes are stored); rejects
  // with the reason when a request fails, the transaction aborts, or work
  // throws (the transaction is then aborted: nothing of it is stored).
  function transaction(mode, work) {
    return database().then(function (d) {
      return new Promise(function (resolve, reject) {
        var tx, failure = null;
        try {
          tx = d.transaction([MAPS, NOTES], mode);
        } catch (e) {
          db = null;  // closed under us: opened again next time
          return reject(e);
        }
        tx.oncomplete = function () { resolve(); };
        tx.onerror = function (event) {  // a request's error: the transaction aborts after it
          failure = failure || event.target.error;
        };
        tx.onabort = function () { reject(tx.error || failure); };
        try {
          work(tx);
        } catch (e) {
          failure = e;
          try {
            tx.abort();
          } catch (ignored) { /* finished already */ }
        }
      });
    });
  }

  function tellOtherTabs() {
    if (channel)
      channel.postMessage('changed');
  }

  // Brings the game's folder up to what the storage holds: maps another tab
  // added or replaced are read, maps it removed are dropped.
  function resync() {
    if (noStorage)
      return Promise.resolve();
    var stamps = {}, records = [];
    return transaction('readonly', function (tx) {
      var maps = tx.objectStore(MAPS);
      maps.index(STAMPS).openKeyCursor().onsuccess = function (event) {
        var cursor = event.target.result;
        if (cursor) {
          stamps[cursor.primaryKey] = cursor.key;
          cursor.continue();
          return;
        }
        Object.keys(stamps).forEach(function (name) {
          if (memory[name] !== stamps[name])
            maps.get(name).onsuccess = function (e) {
              if (e.target.result)
                records.push(e.target.result);
            };
        });
      };
    }).then(function () {
      Object.keys(memory).forEach(function (name) {
        if (!(name in stamps))
          dropFromMemory(name);
      });
      records.forEach(function (r) { putInMemory(r.name, r.bytes, r.stamp); });
      showList();
    }, function () { /* the change that follows says what failed */ });
  }

  // The maps an earlier version of the page kept (IDBFS's layout), as
  // [{name, bytes, time}]; null when there is no such database (none is
  // created) or it cannot be read (it is then left for the next visit).
  function readOldLayout() {
    var idb = factory(), request;
    try {
      request = idb.open(OLD_DB);
    } catch (e) {
      return Promise.resolve(null);
    }
    request.onupgradeneeded = function () { request.transaction.abort(); };  // none there
    return opened(request).then(function (old) {
      if (!old.objectStoreNames.contains(OLD_STORE)) {
        old.close();
        return [];
      }
      return new Promise(function (resolve) {
        var found = [], tx = old.transaction(OLD_STORE, 'readonly');
        tx.objectStore(OLD_STORE).openCursor().onsuccess = function (event) {
          var cursor = event.target.result;
          if (!cursor)
            return;
          var key = String(cursor.key), value = cursor.value, name = key.slice(OLD_DB.length + 1);
          var isFile = value && (value.mode & 61440) === 32768;  // S_IFMT, S_IFREG
          if (key.indexOf(OLD_DB + '/') === 0 && name && name.indexOf('/') < 0 && isFile && value.contents)
            found.push({ name: name, bytes: new Uint8Array(value.contents), time: Number(new Date(value.timestamp)) });
          cursor.continue();
        };
        tx.oncomplete = function () { old.close(); resolve(found); };
        tx.onabort = function () { old.close(); resolve(null); };
      });
    }, function () {
      return null;
    });
  }

  // Takes over the maps an earlier version kept, once each (the notes
  // remember each one's name and time): a map the player has since replaced
  // or removed is not brought back. The old database is deleted after;
  // when the taking over fails, it stays for the next visit.
  function migrate(old) {
    if (!old)
      return Promise.resolve();
    return transaction('readwrite', function (tx) {
      var maps = tx.objectStore(MAPS), notes = tx.objectStore(NOTES);
      notes.get(MIGRATED).onsuccess = function (event) {
        var done = event.target.result || Object.create(null);
        old.forEach(function (map) {
          if (done[map.name] === map.time || nameProblem(map.name))
            return;
          done[map.name] = map.time;
          maps.put({ name: map.name, bytes: map.bytes, stamp: newStamp() });
        });
        notes.put(done, MIGRATED);
      };
    }).then(function () {
      try {
        factory().deleteDatabase(OLD_DB);
      } catch (e) { /* left: its maps are taken over already */ }
    }, function (error) {
      console.warn('Mapy hráče: mapy uložené dřívější verzí stránky se nepodařilo převzít (' + reasonOf(error) + ').');
    });
  }

  // Reads every stored map.
  function readAll() {
    var all = [];
    return transaction('readonly', function (tx) {
      tx.objectStore(MAPS).openCursor().onsuccess = function (event) {
        var cursor = event.target.result;
        if (cursor) {
          all.push(cursor.value);
          cursor.continue();
        }
      };
    }).then(function () { return all; });
  }

  // --- before the game starts

  // Reads the player's maps from the browser's storage before the game's
  // main runs (Module.preRun); the game's files come after.
  function mount(Module) {
    Module.FS.mkdir(FOLDER);
    Module.addRunDependency('moje-mapy');
    database().then(readOldLayout).then(migrate).then(readAll).then(function (all) {
      loaded = all;
    }, function (error) {
      noStorage = typeof error === 'string' ? error : 'úložiště nejde otevřít: ' +
        (error && error.name ? error.name + (error.message ? ' – ' + error.message : '') : String(error));
      console.warn('Mapy hráče: bez úložiště prohlížeče (' + noStorage + ').');
    }).then(function () {
      if (!noStorage && window.BroadcastChannel) {
        channel = new BroadcastChannel(CHANNEL);
        channel.onmessage = function () { later(resync); };
      }
      Module.removeRunDependency('moje-mapy');
    });
  }

  // The game's files are in place (Module.onRuntimeInitialized): puts the
  // player's maps into the game's folder. A stored map that a newer version
  // of the game now ships under the same name is renamed first, as on adding.
  function ready(fs) {
    FS = fs;
    shipped = Object.create(null);
    names(GAME_FOLDER).forEach(function (n) { shipped[n] = true; });
    var clashes = [];
    loaded.forEach(function (r) {
      putInMemory(r.name, r.bytes, r.stamp);
      if (shipped[r.name])
        clashes.push(r);
    });
    loaded = [];
    showList();
    showKeeping();
    becomeReady();
    if (clashes.length)
      later(function () { return renameClashes(clashes); });
    // A tab brought back from the browser's page cache has missed the others' news.
    window.addEventListener('pageshow', function (event) {
      if (event.persisted)
        later(resync);
    });
  }

  function renameClashes(clashes) {
    var renamed = [];
    return transaction('readwrite', function (tx) {
      var maps = tx.objectStore(MAPS);
      maps.getAllKeys().onsuccess = function (event) {
        var taken = Object.create(null);
        event.target.result.forEach(function (n) { taken[n] = true; });
        clashes.forEach(function (r) {
          var as = freeName(r.name, taken);
          taken[as] = true;
          renamed.push({ from: r.name, name: as, bytes: r.bytes, stamp: newStamp() });
          maps.put({ name: as, bytes: r.bytes, stamp: renamed[renamed.length - 1].stamp });
          maps.delete(r.name);
        });
      };
    }).then(function () {
      say(renamed.map(function (r) {
        dropFromMemory(r.from);
        putInMemory(r.name, r.bytes, r.stamp);
        return 'Hra teď má vlastní mapu ' + quoted(r.from) + ', a tak se vaše mapa jmenuje ' + quoted(r.name) + '.';
      }));
      showList();
      tellOtherTabs();
    }, function (error) {
      say(['Hra teď má vlastní mapy ' + clashes.map(function (r) { return quoted(r.name); }).join(', ') +
        ' a vaše stejnojmenné mapy se nepodařilo přejmenovat (' + reasonOf(error) +
        '). Jsou dál uložené; načtěte stránku znovu.']);
    });
  }

  // --- adding and removing

  // Runs step (returning a promise) after every earlier one.
  function later(step) {
    var done = queue.then(step);
    queue = done.catch(function () {});
    return done;
  }

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
      return later(function () {
        return resync().then(function () { return store(name, new Uint8Array(buffer)); });
      }).catch(function (e) {
        return 'Mapu ' + quoted(name) + ' se nepodařilo přidat (' + (e && e.message || e) + ').';
      });
    }, function () {
      return 'Soubor ' + quoted(name) + ' se nepodařilo přečíst.';
    });
  }

  function tooLong(name) {
    return 'Soubor ' + quoted(name) + ' nelze přidat: jméno s číslem by bylo delší než ' + NAME_BYTES + ' bajtů.';
  }

  function addedText(name, as, replaced) {
    if (as !== name)
      return 'Mapa ' + quoted(name) + ' se jmenuje stejně jako mapa dodaná se hrou, a tak je přidána jako ' +
        quoted(as) + '.';
    return replaced ? 'Mapa ' + quoted(name) + ' je nahrazena novou verzí.'
      : 'Mapa ' + quoted(name) + ' je přidána; hra ji nabízí v menu.';
  }

  // Stores the map under its free name; resolves to what the page says.
  function store(name, bytes) {
    if (noStorage) {
      var as = freeName(name, memory);
      if (utf8(as).length > NAME_BYTES)
        return tooLong(name);
      var replaced = as in memory;
      putInMemory(as, bytes, '');
      showList();
      return addedText(name, as, replaced) + ' Prohlížeč ji ale nemůže uložit (' + noStorage +
        '), a tak tu zůstane jen do zavření stránky.';
    }
    var seen = { as: '', replaced: false, tooLong: false }, stamp = newStamp();
    return transaction('readwrite', function (tx) {
      var maps = tx.objectStore(MAPS);
      maps.getAllKeys().onsuccess = function (event) {
        var taken = Object.create(null);
        event.target.result.forEach(function (n) { taken[n] = true; });
        seen.as = freeName(name, taken);
        seen.replaced = !!taken[seen.as];
        if (utf8(seen.as).length > NAME_BYTES) {
          seen.tooLong = true;
          tx.abort();
          return;
        }
        maps.put({ name: seen.as, bytes: bytes, stamp: stamp });
      };
    }).then(function () {
      putInMemory(seen.as, bytes, stamp);
      showList();
      tellOtherTabs();
      askToKeep();
      return addedText(name, seen.as, seen.replaced);
    }, function (error) {
      if (seen.tooLong)
        return tooLong(name);
      var reason = reasonOf(error);
      var text = seen.replaced ?
        'Mapa ' + quoted(seen.as) + ' není nahrazena: ' + reason + '. Hra má dál její dosavadní verzi.' :
        'Mapa ' + quoted(name) + ' není uložena ani přidána do hry: ' + reason + '.';
      if (error && error.name === 'QuotaExceededError')
        return text + ' Uvolněte místo (odeberte jiné mapy nebo smažte data jiných stránek) a zkuste to znovu.';
      return text + ' Zkuste to znovu.';
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
      step = step.then(function () { return addFile(file); }).then(function (text) { said.push(text); },
        function (e) { said.push('Soubor ' + quoted(file.name) + ' se nepodařilo přidat (' + (e && e.message || e) + ').'); });
    });
    return step.then(function () {
      if (refusalUntold)
        said.push(NOT_FOR_GOOD);
      refusalUntold = false;
      say(said);
    });
  }

  function remove(name) {
    return later(function () {
      return resync().then(function () {
        if (noStorage || !(name in memory)) {
          dropFromMemory(name);  // gone already, or only in this page
          return '';
        }
        return transaction('readwrite', function (tx) {
          tx.objectStore(MAPS).delete(name);
        }).then(function () {
          dropFromMemory(name);
          tellOtherTabs();
          return '';
        }, reasonOf);
      }).then(function (failed) {
        showList();
        say([failed ? 'Mapu ' + quoted(name) + ' se nepodařilo odebrat: ' + failed +
          '. Mapa zůstává uložená a ve hře; zkuste to znovu.' : 'Mapa ' + quoted(name) + ' je odebrána.']);
      });
    });
  }

  var NOT_FOR_GOOD = 'Prohlížeč nepřislíbil, že data stránky uchová natrvalo: když mu dojde místo (Safari ' +
    'i po týdnu bez návštěvy), smí vaše mapy smazat. Soubory map si proto schovejte.';

  // Asks the browser, once a map is stored, to keep the site's data even
  // when it runs short of room (Safari otherwise deletes it after 7 days
  // without a visit); says so where it refuses.
  function askToKeep() {
    var storage = navigator.storage;
    if (askedToKeep || !storage || !storage.persist)
      return;
    askedToKeep = true;
    storage.persisted().then(function (already) {
      return already || storage.persist();
    }).then(function (kept) {
      showKeeping(kept);
      if (kept)
        return;
      if (ui.status.getAttribute('aria-busy') === 'true')
        refusalUntold = true;  // told with the outcome
      else if (!ui.status.hidden)
        ui.status.textContent += '\n' + NOT_FOR_GOOD;
    }, function () {});
  }

  // The "Moje mapy" panel's promise, as far as it holds: with no storage
  // the maps last until the page is closed; the browser may delete stored
  // data it has not promised to keep (kept: the promise's answer, if known).
  function showKeeping(kept) {
    if (!ui.keeping)
      return;
    if (noStorage) {
      ui.keeping.textContent = 'Prohlížeč je ale nemůže uložit (' + noStorage +
        '), a tak tu zůstanou jen do zavření stránky.';
      return;
    }
    var always = 'Prohlížeč je uchová i po zavření; smazáním dat této stránky zmizí.';
    if (kept !== undefined) {
      ui.keeping.textContent = kept ? always : always + ' ' + NOT_FOR_GOOD;
      return;
    }
    ui.keeping.textContent = always;
    if (navigator.storage && navigator.storage.persisted)
      navigator.storage.persisted().then(function (yes) {
        if (!yes)
          showKeeping(false);
      }, function () {});
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
    ui.keeping = document.getElementById('my-maps-keeping');
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
