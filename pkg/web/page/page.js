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
async function boardStore(mode, action) {
  const db = await openBoards();
  return new Promise((resolve, reject) => {
    const req = action(db.transaction('boards', mode).objectStore('boards'));
    req.onsuccess = () => resolve(req.result);
    req.onerror = () => reject(req.error);
  });
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
    throw new Error(configs.length ? 'it holds more than one .config file'
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
  await saveBoard({ name, files });
  await listBoards('own:' + name);
  return `${name}: ${files.length} files, kept in this browser`;
}

async function readFolder(fileList) {
  const entries = [];
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

// The files of a zip (stored or deflated), from its central directory.
async function readZip(file) {
  const buf = new Uint8Array(await file.arrayBuffer());
  const view = new DataView(buf.buffer);
  let end = buf.length - 22;
  while (end >= 0 && view.getUint32(end, true) !== 0x06054b50) end--;
  if (end < 0) throw new Error('it is not a zip file');
  const count = view.getUint16(end + 10, true);
  let at = view.getUint32(end + 16, true);
  const entries = [];
  for (let i = 0; i < count; i++) {
    if (view.getUint32(at, true) !== 0x02014b50) throw new Error('its list of files is damaged');
    const method = view.getUint16(at + 10, true);
    const packedSize = view.getUint32(at + 20, true);
    const size = view.getUint32(at + 24, true);
    const nameLen = view.getUint16(at + 28, true);
    const extraLen = view.getUint16(at + 30, true);
    const commentLen = view.getUint16(at + 32, true);
    const local = view.getUint32(at + 42, true);
    const name = new TextDecoder().decode(buf.subarray(at + 46, at + 46 + nameLen));
    at += 46 + nameLen + extraLen + commentLen;
    if (name.endsWith('/') || name.startsWith('__MACOSX/')) continue;
    if (name.split('/').some((part) => part === '..' || part === '')) throw new Error(`"${name}" leaves the zip`);
    const dataAt = local + 30 + view.getUint16(local + 26, true) + view.getUint16(local + 28, true);
    const packed = buf.subarray(dataAt, dataAt + packedSize);
    let bytes;
    if (method === 0) bytes = packed.slice();
    else if (method === 8) {
      const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
      bytes = new Uint8Array(await new Response(stream).arrayBuffer());
    } else throw new Error(`"${name}" is packed in a way this page cannot read`);
    if (bytes.length !== size) throw new Error(`"${name}" is damaged`);
    entries.push([name, bytes]);
  }
  return entries;
}

async function pickBoard(read) {
  const status = $('board-status');
  status.textContent = 'Reading your board…';
  try {
    status.textContent = await adoptBoard(await read());
  } catch (e) {
    status.textContent = 'This board cannot be used: ' + e.message + '.';
  }
}
$('folder').addEventListener('change', (e) => pickBoard(() => readFolder(e.target.files)));
$('zip').addEventListener('change', (e) => e.target.files[0] && pickBoard(() => readZip(e.target.files[0])));

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
      if (!b) throw new Error(`your board "${name}" is no longer kept in this browser; pick it again`);
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
  if (q.has('players')) form.querySelector(`[name=players][value="${q.get('players')}"]`)?.click();
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
  fitCanvas();
  canvas.focus();
  const instance = {
    canvas,
    arguments: commandLine(choice),
    print: gameOutput,
    printErr: (line) => { console.warn(line); announce(line); },
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

function gameEnded(status, error) {
  if (error && !(error.name === 'ExitStatus')) announce('The game stopped: ' + error);
  game = null;
  $('game').hidden = true;
  form.hidden = false;
  $('form-status').textContent = gameWon ? 'The game is won. Play again?'
    : status === 0 ? 'The game has ended.' : 'The game ended with a fault (status ' + status + ').';
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

// --- The canvas's scale --------------------------------------------------------

// A whole multiple of 640 by 480 where the window has room for it, so every
// game pixel is the same number of screen pixels; smaller windows shrink it.
function fitCanvas() {
  const room = Math.min((window.innerWidth - 32) / 640, (window.innerHeight - 180) / 480);
  const scale = room >= 1 ? Math.floor(room * devicePixelRatio) / devicePixelRatio : Math.max(room, 0.25);
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
