// The browser build in headless chromium, driven with puppeteer-core: the
// start screen, a roll by the space bar, a self-played game to the win, and a
// board picked as a folder, kept for the next visit and played speaking.
// web_e2e.sh serves the page and compares the start screen with the Linux
// game's; this writes what it measured to OUT_DIR/measures.json.
//   WEB_E2E_MODULES=NODE_MODULES node web_e2e.mjs URL OUT_DIR BOARD_DIR
import { createRequire } from 'module';
import fs from 'fs';
import os from 'os';
import path from 'path';

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
