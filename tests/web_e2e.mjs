// The browser build in headless chromium, driven with puppeteer-core: the
// start screen, a roll by the space bar, hostile boards and the keyboard
// alone, a self-played game to the win, and a board picked as a folder, kept
// for the next visit and played speaking.
// web_e2e.sh serves the page and compares the start screen with the Linux
// game's; this writes what it measured to OUT_DIR/measures.json.
//   WEB_E2E_MODULES=NODE_MODULES node web_e2e.mjs URL OUT_DIR BOARD_DIR
import { createRequire } from 'module';
import fs from 'fs';
import os from 'os';
import path from 'path';
import crypto from 'crypto';
import zlib from 'zlib';

const require = createRequire(process.env.WEB_E2E_MODULES + '/');
const puppeteer = require('puppeteer-core');
const [url, outDir, boardDir] = process.argv.slice(2);

function fail(what) {
  console.error('FAIL: ' + what);
  process.exit(1);
}

const userData = fs.mkdtempSync(path.join(os.tmpdir(), 'web-e2e-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  protocolTimeout: 900000,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--user-data-dir=' + userData,
    // No sound until a key or click, as in a browser out of the box: a game
    // started from its address and played by the computer then stays quiet,
    // and its sounds last as long as the page's (quickened) timers say.
    '--autoplay-policy=user-gesture-required'],
});
const measures = {};
const began = Date.now();
const say = (text) => console.log(`[${((Date.now() - began) / 1000).toFixed(1)} s] ${text}`);
let page;

// The page's canvas as PNG bytes, the game's 640 by 480 pixels whatever its scale.
async function canvasPng(file) {
  const data = await page.evaluate(() => document.getElementById('canvas').toDataURL('image/png'));
  fs.writeFileSync(path.join(outDir, file), Buffer.from(data.split(',')[1], 'base64'));
}
// Where the page's own timers are quickened, waits are timed from node.
const within = (seconds, promise) => Promise.race([promise,
  new Promise((resolve, reject) => setTimeout(() => reject(new Error('timeout')), seconds * 1000))]);
// The text of the live region, one line for each thing said.
const liveText = () => page.$eval('#live', (e) => [...e.children].map((p) => p.textContent).join('\n'));
async function waitLive(text, seconds, what) {
  try {
    await page.waitForFunction((t) => document.getElementById('live').innerText.includes(t),
      { timeout: seconds * 1000, polling: 100 }, text);
  } catch (e) {
    fail(`${what}: no "${text}" in the live region within ${seconds} s; it holds:\n${await liveText()}`);
  }
}
// How many of the canvas's pixels in a rectangle differ from a frame taken before.
async function grabRect(x, y, w, h) {
  return page.evaluate((x, y, w, h) => Array.from(document.getElementById('canvas')
    .getContext('2d').getImageData(x, y, w, h).data), x, y, w, h);
}

async function newPage(speedUp) {
  page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 1024 });
  page.on('pageerror', (e) => console.error('page error: ' + e.message));
  if (speedUp) {
    // Every wait of the game is a timer of the page (ASYNCIFY's sleep, and
    // the sound's clock while the browser holds the sound back): shortened
    // here, as tests/steady_shim.cpp shortens SDL_Delay for the Linux game.
    await page.evaluateOnNewDocument((n) => {
      const later = window.setTimeout, every = window.setInterval;
      window.setTimeout = (f, ms, ...a) => later(f, (ms || 0) / n, ...a);
      window.setInterval = (f, ms, ...a) => every(f, Math.max(1, (ms || 0) / n), ...a);
    }, speedUp);
  }
}

// --- The start screen, and the space bar rolls ---------------------------------
await newPage(0);
const t0 = Date.now();
await page.goto(url + '?board=mivo&play=1');
// The first frame of the board: its top left square is drawn.
await page.waitForFunction(() => {
  const c = document.getElementById('canvas');
  const p = c.getContext('2d').getImageData(10, 10, 1, 1).data;
  return p[0] + p[1] + p[2] > 0;
}, { timeout: 30000, polling: 10 }).catch(() => fail('no board drawn within 30 s'));
measures.first_board_frame_s = (Date.now() - t0) / 1000;
await waitLive('Player 1 - Roll the die', 30, 'the start');
measures.first_prompt_s = (Date.now() - t0) / 1000;
await new Promise((r) => setTimeout(r, 500));
await canvasPng('start-web.png');
const square0 = await grabRect(0, 432, 48, 48);
await page.focus('#canvas');
await page.keyboard.down('Space');
await new Promise((r) => setTimeout(r, 300));
await page.keyboard.up('Space');
await waitLive('Player 2 - Roll the die', 40, 'the first roll');
const after = await grabRect(0, 432, 48, 48);
const changed = after.filter((v, i) => v !== square0[i]).length;
if (changed === 0) fail('the space bar rolled, but the red token never left square 0');
await canvasPng('after-roll-web.png');
const sound = await page.$eval('#sound-line', (e) => e.textContent);
if (!/^Sound (starts at your first key|is on)/.test(sound)) fail('the sound line says: ' + sound);
await page.close();
say(`start screen drawn in ${measures.first_board_frame_s} s; Space rolled and the token walked`);

// --- Hostile boards, the keyboard, and the canvas's scale ----------------------
// A zip of [name, bytes, packed, declared size] entries, deflated unless packed is given.
function makeZip(entries) {
  const parts = [], list = [];
  let offset = 0;
  for (const [name, bytes, packed = zlib.deflateRawSync(bytes), size = bytes.length] of entries) {
    const nameBytes = Buffer.from(name);
    // The local header and the central one hold the same fields, the central two bytes on.
    const head = (sig, length, shift) => {
      const b = Buffer.alloc(length);
      b.writeUInt32LE(sig, 0);
      b.writeUInt16LE(8, 8 + shift); // deflated
      b.writeUInt32LE(packed.length, 18 + shift);
      b.writeUInt32LE(size, 22 + shift);
      b.writeUInt16LE(nameBytes.length, 26 + shift);
      return b;
    };
    const local = head(0x04034b50, 30, 0), central = head(0x02014b50, 46, 2);
    central.writeUInt32LE(offset, 42);
    parts.push(local, nameBytes, packed);
    list.push(central, nameBytes);
    offset += 30 + nameBytes.length + packed.length;
  }
  const cd = Buffer.concat(list), end = Buffer.alloc(22);
  end.writeUInt32LE(0x06054b50, 0);
  end.writeUInt16LE(entries.length, 8);
  end.writeUInt16LE(entries.length, 10);
  end.writeUInt32LE(cd.length, 12);
  end.writeUInt32LE(offset, 16);
  return Buffer.concat([...parts, cd, end]);
}
// `mb` megabytes of zeros deflated: one flushed megabyte, repeated, then an empty last block.
const oneMb = zlib.deflateRawSync(Buffer.alloc(1 << 20), { finishFlush: zlib.constants.Z_SYNC_FLUSH });
const zeros = (mb) => Buffer.concat([...Array(mb).fill(oneMb), Buffer.from([3, 0])]);
const config = Buffer.from('1 99 up\n');
const twoConfigs = makeZip([['b/b.config', config], ['b/c.config', config]]);
const hostile = [ // zip, what the board's line must say
  [makeZip([['b/b.config', config], ['../x', config]]), /"\.\.\/x" leaves the zip/],
  [makeZip([['b/b.config', config], ...Array.from({ length: 2001 }, (_, i) => [`b/${i}.wav`, config])]), /holds 2002 files; a board may hold at most 2000/],
  [makeZip([['b/b.config', config], ['b/big.wav', Buffer.alloc(0), zeros(100), 100 << 20]]), /"b\/big.wav" is 100 MB; a file of a board may be at most 96 MB/],
  [makeZip([['b/b.config', config], ['b/big.wav', Buffer.alloc(0), zeros(100), 1000]]), /"b\/big.wav" unpacks to more than the zip says/],
  [twoConfigs.subarray(twoConfigs.length - 40), /its list of files is damaged/],
  [twoConfigs, /more than one .config file: b\/b.config, b\/c.config/],
];
const zipDir = fs.mkdtempSync(path.join(os.tmpdir(), 'web-e2e-zips-'));
async function pickZip(name, bytes) {
  fs.writeFileSync(path.join(zipDir, name), bytes);
  await page.$eval('#board-status', (e) => { e.textContent = ''; });
  await (await page.$('#zip')).uploadFile(path.join(zipDir, name));
  await page.waitForFunction(() => /kept in|cannot be used/.test(document.getElementById('board-status').textContent),
    { timeout: 60000 }).catch(() => fail(`picking ${name} said nothing`));
  await page.$eval('#zip', (e) => { e.value = ''; });
  return page.$eval('#board-status', (e) => e.textContent);
}
await newPage(0);
// The browser refuses lasting storage; then its room runs out.
await page.evaluateOnNewDocument(() => { navigator.storage.persist = async () => false; });
await page.goto(url);
await page.waitForSelector('#board option');
// No room left: the board is not said to be kept, nor offered.
const cdp = await page.createCDPSession();
await cdp.send('Storage.overrideQuotaForOrigin', { origin: new URL(url).origin, quotaSize: 1 << 20 });
let line = await pickZip('roomy.zip', makeZip([['roomy/roomy.config', config], ['roomy/1.wav', crypto.randomBytes(3 << 20)]]));
if (!line.includes('this browser has no room left to keep it') || await page.$('option[value="own:roomy"]'))
  fail('a board with no room left to keep it: ' + line);
await cdp.send('Storage.overrideQuotaForOrigin', { origin: new URL(url).origin });
for (const [i, [bytes, want]] of hostile.entries()) {
  const said = await pickZip(`hostile-${i}.zip`, bytes);
  if (!said.startsWith(`The board in "hostile-${i}.zip" cannot be used: `) || !want.test(said))
    fail(`hostile-${i}.zip: the board's line says "${said}", not ${want}`);
}
// A config the game cannot read: why, beside the Play button once the game has ended.
line = await pickZip('huge.zip', makeZip([['huge/huge.config', Buffer.alloc(1100000, 32)]]));
if (!/1 file, kept in this browser; the browser may still clear it .* did not grant lasting storage/.test(line))
  fail('a kept board whose lasting storage was refused: ' + line);
await page.select('#board', 'own:huge');
await page.click('#play');
await page.waitForFunction(() => /ended/.test(document.getElementById('form-status').textContent), { timeout: 30000 })
  .catch(() => fail('the game on a board it cannot read did not end'));
line = await page.$eval('#form-status', (e) => e.textContent);
if (!line.includes('./huge/huge.config: it is larger than 1048576 bytes')) fail('the game on a board it cannot read: ' + line);
// A kept board damaged in the browser's storage.
await page.evaluate(() => new Promise((resolve) => {
  indexedDB.open('varnowick', 1).onsuccess = (e) => {
    const tx = e.target.result.transaction('boards', 'readwrite');
    tx.objectStore('boards').put({ name: 'broken', files: [['../../x', 'junk']] });
    tx.oncomplete = resolve;
  };
}));
await page.reload();
await page.waitForSelector('option[value="own:broken"]');
await page.select('#board', 'own:broken');
await page.click('#play');
await page.waitForFunction(() => /cannot start|ended/.test(document.getElementById('form-status').textContent), { timeout: 30000 });
line = await page.$eval('#form-status', (e) => e.textContent);
if (!line.includes('your board "broken" is damaged in this browser\'s storage')) fail('a damaged kept board: ' + line);
await page.close();

// The keyboard alone: Tab leaves the canvas for the buttons, Enter on Roll rolls.
await newPage(0);
await page.goto(url + '?board=mivo&play=1');
await waitLive('Player 1 - Roll the die', 30, 'the keyboard');
const tabs = [];
for (let i = 0; i < 2; i++) {
  await page.keyboard.press('Tab');
  tabs.push(await page.evaluate(() => document.activeElement.id));
}
if (tabs.join() !== 'roll,quit') fail(`Tab from the canvas went to ${tabs.join(', then ')}, not to Roll, then End`);
await page.keyboard.down('Shift');
await page.keyboard.press('Tab');
await page.keyboard.up('Shift');
await page.keyboard.press('Enter');
await waitLive('Player 2 - Roll the die', 40, 'Enter on the Roll button');
const canvasNode = await page.accessibility.snapshot({ root: await page.$('#canvas') });
if (!/^Sound (starts at your first key press|is on)/.test(canvasNode?.description)) fail('a screen reader on the canvas does not hear the sound line: ' + JSON.stringify(canvasNode));
// Odd window sizes: the canvas on the screen is the game's pixels, each a
// whole square of screen pixels (the die, spinning, aside).
for (const [width, height, deviceScaleFactor] of [[1001, 777, 1], [1500, 1237, 1]]) {
  await page.setViewport({ width, height, deviceScaleFactor });
  await new Promise((r) => setTimeout(r, 300));
  const box = await (await page.$('#canvas')).boundingBox();
  const shot = await page.screenshot({ encoding: 'base64', clip: box, captureBeyondViewport: false });
  fs.writeFileSync(path.join(outDir, `scaled-${width}x${height}@${deviceScaleFactor}.png`), Buffer.from(shot, 'base64'));
  const fault = await page.evaluate(async (png) => {
    const game = document.getElementById('canvas').getContext('2d').getImageData(0, 0, 640, 480).data;
    const img = await createImageBitmap(await (await fetch('data:image/png;base64,' + png)).blob());
    const k = img.width / 640;
    if (k !== Math.round(k) || img.height !== 480 * k) return `it is ${img.width} by ${img.height} screen pixels`;
    const ctx = new OffscreenCanvas(img.width, img.height).getContext('2d');
    ctx.drawImage(img, 0, 0);
    const shown = ctx.getImageData(0, 0, img.width, img.height).data;
    let off = 0;
    for (let y = 0; y < img.height; y++) for (let x = 0; x < img.width; x++) {
      const gx = Math.floor(x / k), gy = Math.floor(y / k);
      if (gx >= 536 && gx < 584 && gy >= 160 && gy < 208) continue;
      const a = (y * img.width + x) * 4, b = (gy * 640 + gx) * 4;
      if (shown[a] !== game[b] || shown[a + 1] !== game[b + 1] || shown[a + 2] !== game[b + 2]) off++;
    }
    return off ? `${off} of its screen pixels are not the game's` : '';
  }, shot);
  if (fault) fail(`the canvas in a ${width} by ${height} window at ${deviceScaleFactor} screen pixels to the pixel: ${fault}`);
}
await page.close();
fs.rmSync(zipDir, { recursive: true, force: true });
say('hostile zips refused by name, a fault and a damaged kept board said, no room said; Tab, Enter and the scale at odd sizes');

// --- A self-played game reaches the win ------------------------------------------
await newPage(50);
const t1 = Date.now();
await page.goto(url + '?board=mivo&players=2&computer=1,2&play=1');
await within(600, page.waitForFunction(() => /Player \d wins/.test(document.getElementById('live').innerText),
  { timeout: 0, polling: 'mutation' })).catch(async (e) => fail(`the self-played game did not reach the win within 10 minutes (${e.message}):\n` + await liveText()));
const prompts = await liveText();
for (const line of ['Player 1 - Roll the die', 'Player 2 - Roll the die'])
  if (!prompts.includes(line)) fail(`the live region lacks the prompt "${line}":\n${prompts}`);
await within(30, page.waitForFunction(() => !document.getElementById('options').hidden, { timeout: 0, polling: 'mutation' }))
  .catch(() => fail('the options did not come back after the win'));
measures.self_played_game_s = (Date.now() - t1) / 1000;
await page.close();
say(`a self-played game won in ${measures.self_played_game_s} s (timers 50 times quicker)`);

// --- A board from a picked folder, kept for the next visit ---------------------
await newPage(0);
await page.goto(url);
await page.waitForSelector('#board option');
const picker = await page.$('#folder');
say('picking the folder');
await picker.uploadFile(boardDir);
await page.waitForFunction(() => /kept in this browser|cannot be used/.test(document.getElementById('board-status').textContent),
  { timeout: 20000 }).catch(() => fail('picking the folder said nothing'));
const status = await page.$eval('#board-status', (e) => e.textContent);
if (!status.includes('kept in this browser')) fail('the picked folder: ' + status);
await page.close();
// The next visit: the board is offered, and is played from the form, by clicks.
await newPage(20);
await page.goto(url);
await page.waitForSelector('option[value="own:upward"]', { timeout: 10000 })
  .catch(() => fail('the picked board was not kept for the next visit'));
await page.select('#board', 'own:upward');
await page.click('input[name=computer][value="1"]');
await page.click('#speak');
await page.click('#play');
await within(120, page.waitForFunction(() => document.getElementById('live').innerText.includes('Player 1 wins!'),
  { timeout: 0, polling: 'mutation' })).catch(async (e) => fail(`the picked board: no win (${e.message}):\n` + await liveText()));
// The speaking game's "Says:" lines, in the order spoken: the computer's
// turn, then the square it reached.
const said = (await liveText()).split('\n').filter((l) => l.trim());
const spoken = ['Player 1, the computer plays', 'now on square'].map((t) => said.findIndex((l) => l.startsWith(t)));
if (spoken.some((i) => i < 0) || spoken[0] > spoken[1]) fail('the live region lacks the spoken lines:\n' + said.join('\n'));
await page.close();
say('a board picked as a folder was kept, offered on the next visit, and played to the win, its speech in the live region');

// Closing can hang in headless chromium: it is given 5 s, then ended.
await Promise.race([browser.close(), new Promise((r) => setTimeout(r, 5000))]);
browser.process()?.kill('SIGKILL');
fs.rmSync(userData, { recursive: true, force: true });
fs.writeFileSync(path.join(outDir, 'measures.json'), JSON.stringify(measures, null, 1) + '\n');
process.exit(0); // the driver's pipe to the ended browser would keep node waiting
