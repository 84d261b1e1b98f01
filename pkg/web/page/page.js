// The page around the game: the options form, the files a game needs, a
// teacher's own board (picked as a folder or a zip, kept in IndexedDB), the
// canvas's scale, the sound line and the live region that a screen reader
// reads. Each game is a fresh instance of the game's module (createBoardgame),
// started with the command line that the form stands for.
'use strict';

const $ = (id) => document.getElementById(id);
const form = $('options');
const live = $('live');
const canvas = $('canvas');
const manifestReady = fetch('manifest.json').then((r) => r.json());
let game = null; // the running instance, null between games

// --- What the game says, for a screen reader -------------------------------

function announce(text) {
  const line = document.createElement('p');
  line.textContent = text;
  live.append(line);
  while (live.childElementCount > 40) live.firstElementChild.remove();
  live.scrollTop = live.scrollHeight;
}

// Every line the game writes on its standard output: the "Says:" lines of a
// speaking game and the winner's line are read out.
// Whether the game running now printed its win: its status alone cannot
// tell a win from a board that could not be read (both end with 1).
let gameWon = false;
// The game's last line on its standard error: why it ended, when it failed.
let lastFault = '';

function gameOutput(line) {
  console.log(line);
  if (line.startsWith('Says: ')) announce(line.slice(6));
  else if (/^Player \d wins/.test(line)) {
    gameWon = true;
    announce(line);
  }
}

// --- The boards --------------------------------------------------------------

const DB_NAME = 'varnowick';
function openBoards() {
  return new Promise((resolve, reject) => {
    const req = indexedDB.open(DB_NAME, 1);
    req.onupgradeneeded = () => req.result.createObjectStore('boards', { keyPath: 'name' });
    req.onsuccess = () => resolve(req.result);
    req.onerror = () => reject(req.error);
  });
}
// A write is done only when its transaction is: a browser short of room
// aborts it after the request itself has succeeded.
async function boardStore(mode, action) {
  const db = await openBoards();
  try {
    return await new Promise((resolve, reject) => {
      const tx = db.transaction('boards', mode);
      const req = action(tx.objectStore('boards'));
      tx.oncomplete = () => resolve(req.result);
      tx.onabort = tx.onerror = () => reject(tx.error || req.error);
    });
  } finally {
    db.close();
  }
}
const savedBoards = () => boardStore('readonly', (s) => s.getAll());
const saveBoard = (board) => boardStore('readwrite', (s) => s.put(board));

async function listBoards(selected) {
  const manifest = await manifestReady;
  const select = $('board');
  select.replaceChildren();
  const shipped = document.createElement('optgroup');
  shipped.label = 'Shipped boards';
  for (const name of manifest.boards) shipped.append(new Option(name, name));
  select.append(shipped);
  let own = [];
  try { own = await savedBoards(); } catch (e) { /* no IndexedDB: no own boards */ }
  own = own.filter((b) => typeof b?.name === 'string');
  if (own.length) {
    const group = document.createElement('optgroup');
    group.label = 'Your boards';
    for (const b of own) group.append(new Option(b.name, 'own:' + b.name));
    select.append(group);
  }
  if (selected && [...select.options].some((o) => o.value === selected)) select.value = selected;
}

// A picked board: [path, bytes] pairs with paths relative to the picked top.
// Its root is the folder of its only <name>.config at the top or one level
// down; the board's name is the config's. Names of the game's own files are
// refused, as the game's launcher refuses them.
async function adoptBoard(entries) {
  const manifest = await manifestReady;
  const configs = entries.filter(([p]) => /^([^/]+\/)?[^/]+\.config$/.test(p));
  if (configs.length !== 1)
    throw new Error(configs.length ? 'it holds more than one .config file: ' + configs.map(([p]) => p).join(', ')
      : 'it holds no <name>.config file, at its top or in its one folder');
  const path = configs[0][0];
  const root = path.includes('/') ? path.slice(0, path.indexOf('/') + 1) : '';
  const name = path.slice(root.length, -'.config'.length);
  const fixed = new Set(manifest.packages.game.files.map(([p]) => p.split('/')[0]));
  if (fixed.has(name) || name === 'temp.wav' || !/^[^./][^/]*$/.test(name))
    throw new Error(`a board may not be called "${name}"`);
  if (manifest.boards.includes(name))
    throw new Error(`"${name}" is the name of a shipped board: rename your board`);
  const files = entries.filter(([p]) => p.startsWith(root))
    .map(([p, bytes]) => [name + '/' + p.slice(root.length), bytes]);
  try {
    await saveBoard({ name, files });
  } catch (e) {
    throw new Error(e?.name === 'QuotaExceededError'
      ? 'this browser has no room left to keep it (make the board smaller, or free some space)'
      : `this browser would not keep it (${e?.message || e})`);
  }
  await listBoards('own:' + name);
  // Kept boards stay unless the browser is short of room; asked to keep
  // them for good, a browser may say no, and the teacher should know.
  const lasting = await navigator.storage?.persist?.().catch(() => false);
  return `${name}: ${files.length} ${files.length === 1 ? 'file' : 'files'}, kept in this browser` +
    (lasting ? '' : '; the browser may still clear it when short of room, as it did not grant lasting storage');
}

// What a picked board may hold: no file larger than the largest the game
// reads (a picture, 96 MB), and no more than a browser is sure to keep.
const FILE_MAX = 96 << 20, BOARD_MAX = 256 << 20, FILES_MAX = 2000;
const megabytes = (n) => `${Math.ceil(n / (1 << 20))} MB`;
function checkSizes(sizes) { // [path, size] pairs, before anything is read
  if (sizes.length > FILES_MAX) throw new Error(`it holds ${sizes.length} files; a board may hold at most ${FILES_MAX}`);
  let total = 0;
  for (const [p, size] of sizes) {
    if (size > FILE_MAX) throw new Error(`"${p}" is ${megabytes(size)}; a file of a board may be at most ${megabytes(FILE_MAX)}`);
    total += size;
  }
  if (total > BOARD_MAX) throw new Error(`its files come to ${megabytes(total)}; a board may hold at most ${megabytes(BOARD_MAX)}`);
}

async function readFolder(fileList) {
  const entries = [];
  checkSizes([...fileList].map((f) => [f.webkitRelativePath || f.name, f.size]));
  for (const f of fileList) {
    const rel = f.webkitRelativePath || f.name;
    // The picked folder's own name comes first: dropped, so the board's
    // folder is found by its .config as in a zip.
    const inside = rel.includes('/') ? rel.slice(rel.indexOf('/') + 1) : rel;
    entries.push([inside, new Uint8Array(await f.arrayBuffer())]);
  }
  // The picked folder itself may be the board: its config is then at the top.
  return entries;
}

// The files of a zip (stored or deflated), from its central directory. Its
// sizes are checked before anything is unpacked, and no file unpacks to more
// than the zip says (a zip bomb is refused, not unpacked).
async function readZip(file) {
  const buf = new Uint8Array(await file.arrayBuffer());
  const view = new DataView(buf.buffer);
  let end = buf.length - 22;
  while (end >= 0 && view.getUint32(end, true) !== 0x06054b50) end--;
  if (end < 0) throw new Error('it is not a zip file');
  const listed = [];
  try {
    const count = view.getUint16(end + 10, true);
    let at = view.getUint32(end + 16, true);
    for (let i = 0; i < count; i++) {
      if (view.getUint32(at, true) !== 0x02014b50) throw new RangeError();
      const nameLen = view.getUint16(at + 28, true);
      const local = view.getUint32(at + 42, true);
      listed.push({
        flags: view.getUint16(at + 8, true),
        method: view.getUint16(at + 10, true),
        packedSize: view.getUint32(at + 20, true),
        size: view.getUint32(at + 24, true),
        name: new TextDecoder().decode(buf.subarray(at + 46, at + 46 + nameLen)),
        dataAt: local + 30 + view.getUint16(local + 26, true) + view.getUint16(local + 28, true),
      });
      at += 46 + nameLen + view.getUint16(at + 30, true) + view.getUint16(at + 32, true);
    }
  } catch (e) {
    if (e instanceof RangeError) throw new Error('its list of files is damaged');
    throw e;
  }
  const files = listed.filter(({ name }) => !name.endsWith('/') && !name.startsWith('__MACOSX/'));
  for (const { name } of files)
    if (name.split('/').some((part) => part === '..' || part === '')) throw new Error(`"${name}" leaves the zip`);
  checkSizes(files.map(({ name, size }) => [name, size]));
  const entries = [];
  for (const { flags, method, packedSize, size, name, dataAt } of files) {
    if (flags & 1) throw new Error(`"${name}" is locked with a password`);
    const packed = buf.subarray(dataAt, dataAt + packedSize);
    let bytes;
    if (method === 0) bytes = packed.slice();
    else if (method === 8) bytes = await inflate(packed, size, name);
    else throw new Error(`"${name}" is packed in a way this page cannot read`);
    if (bytes.length !== size) throw new Error(`"${name}" is damaged`);
    entries.push([name, bytes]);
  }
  return entries;
}

// A deflated file, unpacked no further than the `size` the zip gives it.
async function inflate(packed, size, name) {
  const reader = new Blob([packed]).stream().pipeThrough(new DecompressionStream('deflate-raw')).getReader();
  const bytes = new Uint8Array(size);
  let got = 0;
  for (;;) {
    let chunk;
    try {
      chunk = await reader.read();
    } catch (e) {
      throw new Error(`"${name}" is damaged`);
    }
    if (chunk.done) return bytes.subarray(0, got);
    if (got + chunk.value.length > size) {
      reader.cancel().catch(() => {});
      throw new Error(`"${name}" unpacks to more than the zip says: it is damaged, or made to fill the memory`);
    }
    bytes.set(chunk.value, got);
    got += chunk.value.length;
  }
}

// `picked` is what the teacher picked (the folder's or the zip's name), said
// with whatever is wrong with it.
async function pickBoard(picked, read) {
  const status = $('board-status');
  status.textContent = `Reading your board from "${picked}"…`;
  try {
    status.textContent = await adoptBoard(await read());
  } catch (e) {
    status.textContent = `The board in "${picked}" cannot be used: ${e.message}.`;
  }
}
$('folder').addEventListener('change', (e) => {
  const files = e.target.files;
  if (files.length) pickBoard((files[0].webkitRelativePath || files[0].name).split('/')[0], () => readFolder(files));
});
$('zip').addEventListener('change', (e) => {
  const file = e.target.files[0];
  if (file) pickBoard(file.name, () => readZip(file));
});

// --- The files of one game -----------------------------------------------------

async function fetchPackage(manifest, name) {
  const pkg = manifest.packages[name];
  const response = await fetch(pkg.file);
  if (!response.ok) throw new Error(`${pkg.file}: ${response.status}`);
  const bytes = new Uint8Array(await response.arrayBuffer());
  let at = 0;
  return pkg.files.map(([path, size]) => [path, bytes.subarray(at, (at += size))]);
}

// The board's language for its spoken clips: the first part of the tag in
// its language file, English without one.
function boardLanguage(files, board) {
  const file = files.find(([p]) => p === board + '/language');
  if (!file) return 'en';
  const tag = new TextDecoder().decode(file[1]).trim().split(/\s/)[0];
  return tag.split('-')[0].toLowerCase();
}

async function gameFiles(choice) {
  const manifest = await manifestReady;
  const wanted = [fetchPackage(manifest, 'game')];
  let board;
  if (choice.board.startsWith('own:')) {
    const name = choice.board.slice(4);
    board = boardStore('readonly', (s) => s.get(name)).then((b) => {
      if (!b) throw new Error(`your board "${name}" is no longer kept in this browser; pick it again.`);
      // A record the browser damaged, or another page wrote, is not unpacked.
      const whole = Array.isArray(b.files) && b.files.every((f) => Array.isArray(f) &&
        typeof f[0] === 'string' && f[0].startsWith(name + '/') && !f[0].split('/').includes('..') &&
        f[1] instanceof Uint8Array);
      if (!whole) throw new Error(`your board "${name}" is damaged in this browser's storage; pick it again.`);
      return b.files;
    });
  } else {
    board = fetchPackage(manifest, 'board-' + choice.board);
  }
  const files = (await Promise.all([...wanted, board])).flat();
  const lang = boardLanguage(files, choice.board.replace(/^own:/, ''));
  if (choice.speak && manifest.languages.includes(lang))
    files.push(...await fetchPackage(manifest, 'say-' + lang));
  return files;
}

// --- The options and the game ------------------------------------------------

function readForm() {
  const data = new FormData(form);
  return {
    board: data.get('board') || 'mivo',
    players: Number(data.get('players') || 2),
    computer: data.getAll('computer').map(Number),
    speak: data.has('speak'),
    oneButton: data.has('one-button'),
  };
}

// The game's command line for these options.
function commandLine(choice) {
  const args = ['--players', String(choice.players)];
  const computer = choice.computer.filter((n) => n <= choice.players);
  if (computer.length) args.push('--computer', computer.join(','));
  if (choice.speak) args.push('--speak');
  if (choice.oneButton) args.push('--one-button');
  args.push(choice.board.replace(/^own:/, ''));
  return args;
}

// The options in the page's address, so that a bookmark or a reload keeps them.
function choiceToQuery(choice) {
  const q = new URLSearchParams({ board: choice.board, players: choice.players });
  if (choice.computer.length) q.set('computer', choice.computer.join(','));
  if (choice.speak) q.set('speak', '1');
  if (choice.oneButton) q.set('one-button', '1');
  return q;
}
function queryToForm(q) {
  for (const radio of form.querySelectorAll('[name=players]')) if (radio.value === q.get('players')) radio.checked = true;
  const computer = (q.get('computer') || '').split(',');
  for (const box of form.querySelectorAll('[name=computer]')) box.checked = computer.includes(box.value);
  $('speak').checked = q.get('speak') === '1';
  $('one-button').checked = q.get('one-button') === '1';
}

async function play(choice) {
  if (game) return;
  game = 'starting';
  $('form-status').textContent = 'Loading the game…';
  let files;
  try {
    files = await gameFiles(choice);
  } catch (e) {
    $('form-status').textContent = 'The game cannot start: ' + e.message;
    game = null;
    return;
  }
  $('form-status').textContent = '';
  form.hidden = true;
  $('game').hidden = false;
  live.replaceChildren();
  gameWon = false;
  lastFault = '';
  fitCanvas();
  canvas.focus();
  const instance = {
    canvas,
    arguments: commandLine(choice),
    print: gameOutput,
    printErr: (line) => { console.warn(line); announce(line); lastFault = line; },
    announce,
    preRun: [(m) => {
      m.FS.mkdir('/game');
      for (const [path, bytes] of files) {
        const parts = path.split('/');
        for (let i = 1; i < parts.length; i++) {
          const dir = '/game/' + parts.slice(0, i).join('/');
          if (!m.FS.analyzePath(dir).exists) m.FS.mkdir(dir);
        }
        m.FS.writeFile('/game/' + path, bytes);
      }
      m.FS.chdir('/game');
    }],
    onExit: (status) => gameEnded(status),
  };
  window.varnowickGame = instance; // for the tests and the curious
  createBoardgame(instance).catch((e) => gameEnded(-1, e));
  watchSound(instance);
}

// The live region goes with the game, so the reason of a fault is said
// again beside the Play button.
function gameEnded(status, error) {
  if (error && !(error.name === 'ExitStatus')) lastFault = 'The game stopped: ' + error;
  game = null;
  $('game').hidden = true;
  form.hidden = false;
  $('form-status').textContent = gameWon ? 'The game is won. Play again?'
    : status === 0 ? 'The game has ended.'
      : `The game ended with a fault (status ${status})` + (lastFault ? ': ' + lastFault : '.');
  $('play').focus();
}

// The sound line says when the browser has let the sound start.
function watchSound(instance) {
  const line = $('sound-line');
  line.textContent = 'Sound starts at your first key press, click or touch: browsers ask for that.';
  const timer = setInterval(() => {
    const context = instance.SDL2 && instance.SDL2.audioContext;
    if (context && context.state === 'running') {
      line.textContent = 'Sound is on.';
      clearInterval(timer);
    }
    if (!game) clearInterval(timer);
  }, 300);
}

form.addEventListener('submit', (e) => {
  e.preventDefault();
  const choice = readForm();
  history.replaceState(null, '', '?' + choiceToQuery(choice));
  play(choice);
});

// --- Keys from the page's buttons (touch and pointer) -------------------------

function sendKey(type, key, code, keyCode) {
  window.dispatchEvent(new KeyboardEvent(type, { key, code, keyCode, which: keyCode, bubbles: true }));
}
const roll = $('roll');
roll.addEventListener('pointerdown', (e) => { e.preventDefault(); sendKey('keydown', ' ', 'Space', 32); });
for (const type of ['pointerup', 'pointercancel', 'pointerleave'])
  roll.addEventListener(type, () => sendKey('keyup', ' ', 'Space', 32));
// A screen reader's or keyboard's activation of the button is a click alone.
roll.addEventListener('click', (e) => {
  if (e.detail === 0) { sendKey('keydown', ' ', 'Space', 32); setTimeout(() => sendKey('keyup', ' ', 'Space', 32), 150); }
});
$('quit').addEventListener('click', () => {
  sendKey('keydown', 'Escape', 'Escape', 27);
  sendKey('keyup', 'Escape', 'Escape', 27);
});

// --- Keys that are the page's, not the game's ---------------------------------

// The game takes every key the window gets and keeps the browser from
// acting on it. These stay the page's: Tab and Shift+Tab, which move between
// the page's parts (the game's answers move with the arrow keys too), keys
// held with Ctrl, Alt or Meta (the browser's zoom, find...), and a key
// pressed on a button or link, which works that control. The page's own
// buttons send theirs untrusted, and those go to the game.
function keepKey(e) {
  if (!game || !e.isTrusted) return;
  const onControl = e.target instanceof Element && e.target.closest('button, a, input, select, textarea');
  if (e.key === 'Tab' || e.ctrlKey || e.altKey || e.metaKey || onControl) e.stopImmediatePropagation();
}
for (const type of ['keydown', 'keypress', 'keyup']) window.addEventListener(type, keepKey, true);

// --- The canvas's scale --------------------------------------------------------

// A whole multiple of 640 by 480 in the screen's own pixels where the window
// has room for it, so every game pixel is the same square of screen pixels.
// A window with less room than one screen pixel for each game pixel shrinks
// the picture smoothly: a sharp shrink would drop whole lines of the board.
function fitCanvas() {
  const room = Math.min((window.innerWidth - 32) / 640, (window.innerHeight - 180) / 480) * devicePixelRatio;
  const sharp = room >= 1;
  const scale = (sharp ? Math.floor(room) : Math.max(room, 0.25)) / devicePixelRatio;
  canvas.classList.toggle('shrunk', !sharp);
  canvas.style.width = 640 * scale + 'px';
  canvas.style.height = 480 * scale + 'px';
}
window.addEventListener('resize', fitCanvas);

// --- Start ---------------------------------------------------------------------

(async () => {
  const q = new URLSearchParams(location.search);
  await listBoards(q.get('board'));
  queryToForm(q);
  if (q.has('play')) play(readForm());
})();
