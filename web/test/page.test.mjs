// The page in Debian's Chromium, headless, driven through real keys and
// clicks: offline from file://, the same state as the native driver, the
// drawing where the core has it, the copied picture, what a screen reader
// meets, the keyboard, the zoom and the menu, random input, and the app a web
// server lets a browser install.
//
//   TRANSISTOR_PAGE_DIR=build-wasm/page TRANSISTOR_SCRIPT=build/bin/transistor-script \
//     node --test web/test/page.test.mjs
//
// (those two are the defaults). TRANSISTOR_RANDOM_SEED and
// TRANSISTOR_RANDOM_ACTIONS play the random input again, or longer.
//
// Most sessions run on the page's manual clock (transistor-sim.html#manual-clock):
// time moves only when a test says so, and wakes the program at each
// deadline on time, as the driver's `wait` does.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import http from 'node:http';
import { extname, join } from 'node:path';
import { after, test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { readTranslations } from '../build.mjs';
import { browserPool, decodePng, pageDir, pageFile, root, watchErrors } from '../chromium.mjs';

const driver = process.env.TRANSISTOR_SCRIPT ?? join(root, 'build', 'bin', 'transistor-script');
const pageUrl = pathToFileURL(pageFile).href;
const translations = readTranslations();

const BUTTONS = { Start: 'Command1', Restart: 'Command3', Close: 'Command2' };
const TWIPS_PER_PX = 15;
const CARRIER = 105; // twips across

const { browserFor, closeAll } = browserPool();
after(closeAll);

/**
 * Opens the page in a fresh browser context, or in the browser's own
 * profile (installing an app wants one that is not off the record).
 * @param {{language?: string, manual?: boolean, dpr?: number, width?: number, height?: number,
 *   url?: string, profile?: boolean, before?: (page: import('puppeteer-core').Page) => Promise<void>,
 *   framed?: boolean}} options framed: the page is in a frame of the one opened
 */
async function open({ language = 'en-US', manual = true, dpr = 1, width = 700, height = 660,
  url = pageUrl, profile = false, before, framed = false } = {}) {
  const browser = await browserFor(language);
  const context = profile ? browser.defaultBrowserContext() : await browser.createBrowserContext();
  const page = await context.newPage();
  const errors = watchErrors(page);
  await page.setViewport({ width, height, deviceScaleFactor: dpr });
  const cdp = await page.createCDPSession();
  // Intl follows the language too; navigator.language comes from --accept-lang.
  await cdp.send('Emulation.setLocaleOverride', { locale: language });
  if (before) await before(page);
  await page.goto(url + (manual ? '#manual-clock' : ''));
  if (!framed) await page.waitForFunction(() => globalThis.transistorApp);
  return { page, errors, cdp, close: () => (profile ? page.close() : context.close()) };
}

/** A key with its modifiers: ['Control', '='], or 'F5'. */
async function press(page, key) {
  const keys = Array.isArray(key) ? key : [key];
  for (const k of keys.slice(0, -1)) await page.keyboard.down(k);
  await page.keyboard.press(keys[keys.length - 1]);
  for (const k of keys.slice(0, -1).reverse()) await page.keyboard.up(k);
}

/** Types text over what a box holds, as a user does: click in it, select all, type. */
async function typeInto(page, box, text) {
  await page.click(`#${box}`);
  await press(page, ['Control', 'a']);
  if (text === '') await press(page, 'Backspace');
  else await page.keyboard.type(text);
}

const advance = (page, ms) => page.evaluate((t) => transistorApp.clock.advance(t), ms);
const dump = async (page) => JSON.parse(await page.evaluate(() => transistorApp.core.dump()));
const rawDump = (page) => page.evaluate(() => transistorApp.core.dump());
const activeId = (page) => page.evaluate(() => document.activeElement?.id ?? '');

function runDriver(script) {
  return execFileSync(driver, ['-'], { input: `${script}\n`, env: { LC_ALL: 'C' } }).toString();
}

/** A text of the window in a language: its translation, or the text as designed. */
function tr(language, context, source) {
  return translations[language.split('-')[0]]?.[context]?.[source] ?? source;
}

test('from file:// it asks for nothing but itself, and animates with no error', async () => {
  const html = readFileSync(pageFile, 'latin1');
  /** @type {string[]} */
  const refused = [];
  const { page, errors, close } = await open({
    manual: false,
    before: async (p) => {
      await p.setRequestInterception(true);
      p.on('request', (request) => {
        const url = request.url();
        // The module's own bytes, written out in the page, are the page itself.
        const itself = url.split('#')[0] === pageUrl
          || (url.startsWith('data:') && html.includes(url));
        if (itself) request.continue();
        else {
          refused.push(url.slice(0, 120));
          request.abort();
        }
      });
    },
  });
  try {
    await press(page, 'Enter'); // Start has the focus as the page opens
    const diagram = await page.evaluate(() => {
      const r = document.getElementById('form').getBoundingClientRect();
      return { x: scrollX + r.left, y: scrollY + r.top, width: r.width, height: 3600 / 15 };
    });
    const first = await page.screenshot({ clip: diagram });
    await new Promise((r) => setTimeout(r, 400));
    const second = await page.screenshot({ clip: diagram });
    const a = decodePng(first), b = decodePng(second);
    let moved = 0;
    for (let i = 0; i < a.rgba.length; i += 4) if (a.rgba[i] !== b.rgba[i]) moved++;
    assert.ok(moved > 50, `the carriers moved: ${moved} pixels changed in 400 ms`);
    const ticks = (await dump(page)).vars.PlotX / 2;
    assert.ok(ticks >= 4, `the clock runs: ${ticks} ticks`);
    assert.deepEqual(refused, []);
    assert.deepEqual(errors, []);
  } finally {
    await close();
  }
});

// Each session is a list of what the user does in the page, each with the
// driver's line for it after '=' where that is not the same line: `type BOX
// TEXT` is `set BOX TEXT`, `key K` presses a key (Ctrl+=, F5), `click` is the
// mouse on a button, `wait` moves the manual clock.
const SESSIONS = [
  ['Enter on Start as the page opens', [
    'key Enter = click Start', 'wait 10000', 'dump', 'wait 2500', 'dump']],
  ['typed inputs, Enter in a box, F6 twice, F5', [
    'type Text1 2000', 'type Text4 0.3', 'key Enter = click Start', 'wait 3000',
    'key F6 = step', 'key F6 = step', 'dump', 'key F5 = resume', 'wait 10000', 'dump']],
  ['a clamped Restart before Start, then a refused Start', [
    'type Text8 9', 'click Restart', 'dump', 'type Text3 x', 'click Start', 'key Enter =', 'dump']],
  ['Pause, a minute paused, Enter restarts paused, F5 resumes', [
    'click Start', 'wait 1000', 'key Pause = pause', 'wait 60000', 'type Text8 0',
    'key Enter = click Restart', 'key F5 = resume', 'wait 20000', 'dump']],
  ['Space on Start, a step, then Close', [
    'key Space = click Start', 'wait 500', 'key F6 = step', 'wait 250', 'click Close', 'wait 1000',
    'dump']],
  ['a comma refused, typing into readouts, then a Start', [
    'type Text2 0,5', 'click Start', 'key Escape =', 'type Text7 abc', 'type Text5 12',
    'type Text2 0.85', 'click Start', 'wait 10000', 'dump']],
];

/**
 * Plays the steps of a session in the page: the driver's script for them,
 * and the page's dumps.
 * @param {import('puppeteer-core').Page} page
 * @param {string[]} steps
 */
async function play(page, steps) {
  const script = [];
  const dumps = [];
  for (const step of steps) {
    const [action, native = action] = step.split(/ = ?/);
    const [command, target, ...rest] = action.split(' ');
    if (command === 'click') await page.click(`#${BUTTONS[target]}`);
    else if (command === 'type') await typeInto(page, target, rest.join(' '));
    else if (command === 'key') await press(page, target.split('+').map((k) => k === 'Ctrl' ? 'Control' : k));
    else if (command === 'wait') await advance(page, Number(target));
    else if (command === 'dump') dumps.push(await rawDump(page));
    else if (command !== 'set' && command !== 'link') throw new Error(`no such step: ${step}`);
    const line = command === 'type' ? `set ${target} ${rest.join(' ')}` : native;
    if (line) script.push(line);
  }
  return { script, dumps };
}

test('scripted sessions give the native driver\'s state byte for byte', async () => {
  for (const [name, steps] of SESSIONS) {
    const { page, errors, close } = await open();
    try {
      const { script, dumps } = await play(page, steps);
      assert.equal(dumps.join('\n') + '\n', runDriver(script.join('\n')), name);
      assert.deepEqual(errors, [], name);
    } finally {
      await close();
    }
  }
});

/**
 * Where the carriers and the plot's points are, and what covers a part of
 * the form: every element on it but the canvases.
 */
function drawingState() {
  const app = transistorApp;
  const form = document.getElementById('form').getBoundingClientRect();
  const plot = document.getElementById('Picture1').getBoundingClientRect();
  const take = (holes) => {
    const { count, positions } = app.core.carriers(holes);
    return Array.from({ length: count }, (_, i) => [positions[2 * i + 2], positions[2 * i + 3]]);
  };
  const covers = [...document.getElementById('form').children]
    .filter((el) => el instanceof HTMLElement && el.tagName !== 'CANVAS' && !el.hidden
      && !el.classList.contains('for-screen-readers'))
    .map((el) => el.getBoundingClientRect())
    .map((r) => [r.left, r.top, r.right, r.bottom]);
  return { electrons: take(false), holes: take(true), plotPoints: [...app.core.plot()],
    form: [form.left, form.top], plot: [plot.left, plot.top, plot.width, plot.height], covers,
    zoom: app.zoom, dpr: devicePixelRatio };
}

const CARRIER_VIEWS = [
  // name, device pixel ratio, keys that zoom the page
  ['1x', 1, []],
  ['2x device pixels', 2, []],
  ['the page zoomed to 150 %', 1, [['Control', '='], ['Control', '=']]],
  ['the browser zoomed to 150 %, the page to 125 %', 1.5, [['Control', '=']]],
];

// Lines and shapes that never move, by their place in twips: the middle of
// a line, the middle of each side of a rectangle (a negative twip is the
// far edge of the box, whose outline lies inside it), the inside of a filled one.
const STILL = [
  ['Line1, the emitter conduction edge', [[2760, 2280]]],
  ['Line2, the emitter valence edge', [[2760, 3480]]],
  ['Line15, the left wire', [[1320, 5500]]],
  ['Line17, the wire between the batteries', [[2400, 6360]]],
  ['Shape3, the transistor body', [[2647, 5040], [1680, 5287], [-3615, 5287], [2647, -5535]]],
  ['Shape4, a battery plate, filled', [[1867, 6367]]],
];

const isDark = (...c) => Math.max(...c) <= 64;
const isLight = (...c) => Math.min(...c) >= 192;

test('after Start and a few steps everything is drawn where it is: carriers, plot points, lines', async () => {
  for (const [name, dpr, zoomKeys] of CARRIER_VIEWS) {
    const { page, errors, close } = await open({ dpr, width: 1100, height: 1000 });
    try {
      for (const key of zoomKeys) await press(page, key);
      await page.click('#Command1');
      await advance(page, 2000);
      for (let i = 0; i < 3; i++) await press(page, 'F6');
      const s = await page.evaluate(drawingState);
      const shot = decodePng(await page.screenshot());
      assert.equal(shot.width, Math.round(1100 * dpr), name);
      const px = s.zoom / TWIPS_PER_PX;
      const pixel = (cssX, cssY) => {
        const x = Math.floor(cssX * s.dpr), y = Math.floor(cssY * s.dpr);
        return x >= 0 && y >= 0 && x < shot.width && y < shot.height ? shot.at(x, y) : null;
      };
      const covered = (cx, cy) => s.covers.some(([l, t, r, b]) => cx >= l - 1 && cx <= r + 1 && cy >= t - 1 && cy <= b + 1);
      const wrong = [];

      const r = CARRIER / 2;
      const near = (a, b, d) => Math.hypot(a[0] - b[0], a[1] - b[1]) < d;
      const checked = { electrons: 0, holes: 0 };
      const look = (kind, p, i, want) => {
        const cx = s.form[0] + (p[0] + r) * px, cy = s.form[1] + (p[1] + r) * px;
        const c = covered(cx, cy) ? null : pixel(cx, cy);
        if (!c) return;
        checked[kind]++;
        if (!want(...c.slice(0, 3))) wrong.push(`${kind} ${i + 1} at (${p}) twips: rgb(${c.slice(0, 3)})`);
      };
      // A hole is drawn over everything: an electron under one is not seen,
      // nor a hole under the ring of a later hole.
      s.electrons.forEach((p, i) => {
        if (!s.holes.some((h) => near(p, h, r + TWIPS_PER_PX))) look('electrons', p, i, isDark);
      });
      s.holes.forEach((p, i) => {
        if (!s.holes.slice(i + 1).some((h) => near(p, h, r + TWIPS_PER_PX) && !near(p, h, r / 2)))
          look('holes', p, i, isLight);
      });
      assert.ok(checked.electrons >= 40 && checked.holes >= 5,
        `${name}: enough carriers in sight: ${JSON.stringify(checked)} of ${s.electrons.length}, ${s.holes.length}`);

      // A point of the plot is a square of one (scaled) pixel at its twips;
      // the plot's border covers its edges.
      const [pl, pt, pw, ph] = s.plot;
      const side = Math.max(1, Math.round(px * TWIPS_PER_PX * s.dpr)) / s.dpr;
      let points = 0;
      for (let i = 0; i < s.plotPoints.length; i += 2) {
        const x = pl + Math.round(s.plotPoints[i] * px * s.dpr) / s.dpr + side / 2;
        const y = pt + Math.round(s.plotPoints[i + 1] * px * s.dpr) / s.dpr + side / 2;
        if (x < pl + 2.5 || y < pt + 2.5 || x > pl + pw - 2.5 || y > pt + ph - 2.5) continue;
        points++;
        const c = pixel(x, y);
        if (c && Math.max(...c.slice(0, 3)) > 100) wrong.push(`plot point ${i / 2} at (${s.plotPoints[i]}, ${s.plotPoints[i + 1]}): rgb(${c.slice(0, 3)})`);
      }
      assert.ok(points >= 10, `${name}: ${points} plot points in sight`);

      const line = Math.max(1, Math.round(px * TWIPS_PER_PX * s.dpr)) / s.dpr;
      for (const [what, places] of STILL) {
        for (const [x, y] of places) {
          const at = (v) => Math.round(Math.abs(v) * px * s.dpr) / s.dpr + (v < 0 ? -line / 2 : line / 2);
          const c = pixel(s.form[0] + at(x), s.form[1] + at(y));
          if (!c || !isDark(...c.slice(0, 3))) wrong.push(`${what} at (${x}, ${y}): rgb(${c?.slice(0, 3)})`);
        }
      }
      assert.deepEqual(wrong, [], name);
      assert.deepEqual(errors, [], name);
    } finally {
      await close();
    }
  }
});

// The copy of the picture: name, device pixel ratio, zoom keys, the
// window's size, and whether the browser refuses the clipboard (then the
// picture is downloaded).
const COPIES = [
  ['the whole form at 1x', 1, [], [700, 660], false],
  ['the whole form at 2x', 2, [], [700, 660], false],
  ['200 % in a small window, the clipboard refused', 1, Array(4).fill(['Control', '=']), [560, 420], true],
];

/** The PNG the page handed to the clipboard, as base64. */
async function clipboardPng() {
  const bytes = new Uint8Array(await globalThis.copied.arrayBuffer());
  let text = '';
  for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(text);
}

test('Ctrl+Shift+C copies the part of the form in sight, on white, without the buttons', async () => {
  for (const [name, dpr, zoomKeys, [width, height], refuse] of COPIES) {
    const browser = await browserFor('en-US');
    const downloads = mkdtempSync(join(tmpdir(), 'transistor-copy-'));
    /** @type {Promise<string>} where the browser put the download */
    let downloaded = Promise.resolve('');
    /** @type {import('puppeteer-core').CDPSession | undefined} */
    let session;
    const { page, errors, close } = await open({
      dpr, width, height,
      before: async (p) => {
        const cdp = await browser.target().createCDPSession();
        session = cdp;
        downloaded = new Promise((resolve) => cdp.on('Browser.downloadProgress', (e) => {
          if (e.state === 'completed') resolve(e.filePath ?? '');
        }));
        await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads,
          browserContextId: p.browserContext().id, eventsEnabled: true });
        // What the page hands to the clipboard, kept for the test; or the
        // browser's refusal.
        await p.evaluateOnNewDocument((refused) => {
          const write = navigator.clipboard.write.bind(navigator.clipboard);
          navigator.clipboard.write = async (items) => {
            if (refused) throw new DOMException('refused', 'NotAllowedError');
            await write(items);
            globalThis.copied = await items[0].getType('image/png');
          };
        }, refuse);
      },
    });
    try {
      for (const key of zoomKeys) await press(page, key);
      await page.click('#Command1');
      await advance(page, 1000);
      // A window scrolled into the form copies what it shows of it.
      if (zoomKeys.length) await page.evaluate(() => document.getElementById('Command1').scrollIntoView({ block: 'end', inline: 'end' }));
      // The clipboard is only for the page that has the focus.
      await page.bringToFront();
      await press(page, ['Control', 'Shift', 'C']);
      let png;
      if (refuse) {
        const file = await downloaded;
        assert.match(file, /transistor-sim\.png$/, name);
        png = readFileSync(file);
        rmSync(file, { force: true });
      } else {
        await page.waitForFunction(() => globalThis.copied, { timeout: 5000 });
        png = Buffer.from(await page.evaluate(clipboardPng), 'base64');
      }
      const picture = decodePng(png);
      const s = await page.evaluate(() => {
        const form = document.getElementById('form').getBoundingClientRect();
        const start = document.getElementById('Command1').getBoundingClientRect();
        const view = document.documentElement;
        const { positions } = transistorApp.core.carriers(false);
        return {
          form: [form.left, form.top, form.right, form.bottom], view: [view.clientWidth, view.clientHeight],
          start: [start.left + start.width / 2, start.top + start.height / 2],
          electron: [positions[2], positions[3]], zoom: transistorApp.zoom,
        };
      });
      // What is in sight of the form, in device pixels.
      const left = Math.max(0, s.form[0]), top = Math.max(0, s.form[1]);
      const right = Math.min(s.form[2], s.view[0]), bottom = Math.min(s.form[3], s.view[1]);
      assert.deepEqual([picture.width, picture.height],
        [Math.round((right - left) * dpr), Math.round((bottom - top) * dpr)], `${name}: its size`);
      const at = (cssX, cssY) => picture.at(Math.floor((cssX - left) * dpr), Math.floor((cssY - top) * dpr)).slice(0, 3);
      const px = s.zoom / TWIPS_PER_PX;
      const inSight = (x, y) => x >= left && y >= top && x < right && y < bottom;
      const checks = [
        ['the Start button is left out', s.start, isLight],
        ['an electron', [s.form[0] + (s.electron[0] + CARRIER / 2) * px, s.form[1] + (s.electron[1] + CARRIER / 2) * px], isDark],
        ['a place with nothing on it is white', [s.form[0] + 600 * px, s.form[1] + 600 * px], (...c) => Math.min(...c) === 255],
        ['the right wire', [s.form[0] + 3960 * px + 0.5, s.form[1] + 6200 * px], isDark],
      ];
      let seen = 0;
      for (const [what, [x, y], want] of checks) {
        if (!inSight(x, y)) continue;
        seen++;
        assert.ok(want(...at(x, y)), `${name}: ${what}: rgb(${at(x, y)})`);
      }
      assert.ok(seen >= 2, `${name}: ${seen} places to look at`);
      assert.deepEqual(errors, [], name);
    } finally {
      await close();
      await session?.detach();
      rmSync(downloads, { recursive: true, force: true });
    }
  }
});

// Every box, button and the plot, with the name and description the window
// gives it (as designed: the translations turn these into each language).
const NAMED = [
  ['Command1', 'button', 'Start', 'Lays out the band diagram from the inputs, scatters the carriers and starts the animation.'],
  ['Command2', 'button', 'Close', 'Ends the program.'],
  ['Command3', 'button', 'Restart', 'Lays out the band diagram again from the inputs while the animation goes on.'],
  ['Text1', 'textbox', 'Temperature (K)', 'Read at each Start and Restart. A typical value is 300.'],
  ['Text2', 'textbox', 'Emitter Fermi level (eV)', "Above the emitter's valence-band edge, read at each Start and Restart. A typical value is 0.9."],
  ['Text3', 'textbox', 'Base Fermi level (eV)', "Above the base's valence-band edge, read at each Start and Restart. A typical value is 0.2."],
  ['Text9', 'textbox', 'Collector Fermi level (eV)', "Above the collector's valence-band edge, read at each Start and Restart. A typical value is 0.7."],
  ['Text4', 'textbox', 'Emitter–base voltage VEB (V)', 'Forward bias, read at each Start and Restart and kept between 0 and 0.6 V. A typical value is 0.5.'],
  ['Text8', 'textbox', 'Collector–base voltage VCB (V)', 'Reverse bias, read at each Start and Restart and kept between 0 and 2 V. A typical value is 1.5.'],
  ['Text10', 'textbox', 'Base current (mA)', 'Written by the program every 10 seconds: holes fed into the base minus holes drained from it since the last readout.'],
  ['Text7', 'textbox', 'Collector current (mA)', 'Written by the program every 10 seconds: electrons added at the contacts minus electrons taken away since the last readout.'],
  ['Text5', 'textbox', 'Number of electrons', 'Written by the program whenever an electron-hole pair is generated.'],
  ['Text6', 'textbox', 'Number of holes', 'Written by the program whenever an electron-hole pair is generated.'],
  ['Text11', 'textbox', 'Electrons in the emitter and the emitter–base junction', 'Written by the program at every step of the animation.'],
  ['Text12', 'textbox', 'Electrons in the collector', 'Written by the program at every step of the animation.'],
  ['Text13', 'textbox', 'Collector electron target', 'Written by the program at each Start and Restart: how many electrons the collector is kept stocked with.'],
  ['Picture1', 'image', 'Electron count over time', 'One point at every step of the animation, higher for more electrons.'],
];

const LANGUAGES = [
  // language, the band diagram's description after Start
  ['en-US', /^Electrons in the emitter: \d+, in the base: \d+, in the collector: \d+/],
  ['ja', /^電子の数はエミッタ \d+、ベース \d+、コレクタ \d+/],
];

/** The accessibility node of the element a selector finds. */
async function axNode(page, selector) {
  const handle = await page.$(selector);
  assert.ok(handle, selector);
  const node = await page.accessibility.snapshot({ root: handle, interestingOnly: false });
  await handle.dispose();
  return node;
}

test('a screen reader meets every box, button and the plot by its name, in English and Japanese', async () => {
  for (const [language, diagram] of LANGUAGES) {
    const { page, errors, close } = await open({ language });
    try {
      await page.click('#Command1');
      const names = [];
      for (const [id, role, name, description] of NAMED) {
        const node = await axNode(page, `#${id}`);
        const want = {
          role, name: tr(language, 'Form1', name),
          description: tr(language, 'Form1', description),
        };
        const got = { role: node?.role, name: node?.name, description: node?.description };
        // The plot's description goes on with the number of electrons now.
        if (id === 'Picture1') got.description = got.description?.slice(0, want.description.length);
        assert.deepEqual(got, want, `${language} ${id}`);
        names.push(got.name);
      }
      assert.equal(new Set(names).size, names.length, `${language}: every name its own`);
      const band = await axNode(page, 'canvas[role=img]');
      assert.equal(band?.role, 'image', language);
      assert.equal(band?.name, tr(language, 'transistor::MainWindow', 'Band diagram'), language);
      assert.match(band?.description ?? '', diagram, language);
      assert.deepEqual(errors, [], language);
    } finally {
      await close();
    }
  }
});

// What the user gets wrong, how the set-up is asked for, and the start of
// the message in English (the box's name as the message names it).
const REFUSALS = [
  ['Text3', 'x', 'Enter', 'Base Fermi level (eV)'],
  ['Text1', '   ', 'Start', 'Temperature (K)'],
  ['Text4', '', 'Enter', 'Emitter–base voltage VEB (V)'],
];

test('a refused input: an alert dialog that names the box, then the box has the focus and its text selected', async () => {
  for (const [language] of LANGUAGES) {
    const { page, errors, close } = await open({ language });
    try {
      for (const [box, text, how, named] of REFUSALS) {
        await typeInto(page, box, text);
        if (how === 'Enter') await press(page, 'Enter');
        else await page.click('#Command1');
        const dialog = await axNode(page, '#message');
        const where = `${language} ${box} ${JSON.stringify(text)}`;
        assert.equal(dialog?.role, 'alertdialog', where);
        assert.equal(dialog?.name, tr(language, 'Form1', 'Transistor visual simulation'), where);
        assert.ok(dialog?.description?.startsWith(tr(language, 'Message', named)), `${where}: ${dialog?.description}`);
        assert.equal(await page.evaluate(() => document.activeElement?.closest('dialog')?.id), 'message', where);
        await press(page, 'Enter');
        // The dialog tells the page it has closed a moment after it has.
        await page.waitForFunction((id) => {
          const el = /** @type {HTMLInputElement} */ (document.activeElement);
          return el.id === id && el.selectionStart === 0;
        }, { timeout: 1000 }, box).catch(() => {});
        const focus = await page.evaluate(() => {
          const el = /** @type {HTMLInputElement} */ (document.activeElement);
          return { id: el.id, from: el.selectionStart, to: el.selectionEnd, length: el.value.length };
        });
        assert.deepEqual(focus, { id: box, from: 0, to: text.length, length: text.length }, where);
        // Put it right again, so that the next refusal is its own.
        await typeInto(page, box, { Text3: '0.2', Text1: '300', Text4: '0.5' }[box]);
      }
      assert.deepEqual(errors, [], language);
    } finally {
      await close();
    }
  }
});

test('the page\'s own texts speak the page\'s language: the message\'s button, the end', async () => {
  const { page, close } = await open({ language: 'ja' });
  try {
    await typeInto(page, 'Text3', 'x');
    await press(page, 'Enter');
    const button = await axNode(page, '#message button');
    assert.equal(button?.name, tr('ja', 'Page', 'OK'));
    await press(page, 'Enter');
    await page.click('#Command2');
    assert.equal(await page.evaluate(() => document.getElementById('ended').textContent),
      tr('ja', 'Page', 'The program has ended. You may close this page.'));
  } finally {
    await close();
  }
});

/** How many pixels near rgb look like the focus mark around the focused element. */
async function focusMarkPixels(page, dpr) {
  const r = await page.evaluate(() => {
    // In the page's own coordinates, as a screenshot takes them.
    const b = document.activeElement.getBoundingClientRect();
    return { x: scrollX + b.left - 4, y: scrollY + b.top - 4, width: b.width + 8, height: b.height + 8 };
  });
  const shot = decodePng(await page.screenshot({ clip: r }));
  let n = 0;
  for (let i = 0; i < shot.rgba.length; i += 4) {
    const [red, green, blue] = shot.rgba.subarray(i, i + 3);
    if (Math.abs(red - 0x1a) + Math.abs(green - 0x5f) + Math.abs(blue - 0xb4) < 90) n++;
  }
  return { n, perimeter: 2 * (r.width + r.height) * dpr };
}

// The window's tab order: the order of the tab indices in its description.
const TAB_PATH = ['Command1', 'Command2', 'Text1', 'Text2', 'Text3', 'Text4', 'Text6', 'Text7',
  'Picture1', 'Text5', 'Command3', 'Text8', 'Text9', 'Text10', 'Text11', 'Text12', 'Text13'];

test('Tab visits the controls in the window\'s tab order, each in sight with a focus mark', async () => {
  // A window too small for the lower strip: Tab must bring it into sight.
  const { page, errors, close } = await open({ width: 700, height: 480 });
  try {
    const path = [];
    for (let i = 0; i < TAB_PATH.length; i++) {
      if (i > 0) await press(page, 'Tab');
      const id = await activeId(page);
      path.push(id);
      const inSight = await page.evaluate(() => {
        const b = document.activeElement.getBoundingClientRect();
        return b.top >= 0 && b.left >= 0 && b.bottom <= innerHeight && b.right <= innerWidth;
      });
      assert.ok(inSight, `${id} is in sight`);
      const mark = await focusMarkPixels(page, 1);
      assert.ok(mark.n >= mark.perimeter / 3, `${id} shows a focus mark: ${mark.n} pixels of ${mark.perimeter}`);
    }
    assert.deepEqual(path, TAB_PATH);
    await press(page, ['Shift', 'Tab']);
    assert.equal(await activeId(page), 'Text12', 'Shift+Tab goes back');
    assert.deepEqual(errors, []);
  } finally {
    await close();
  }
});

// Keys in turn after Start, with what follows: paused or not, the ticks the
// key ran at once, and the ticks in the second after it.
const CLOCK_KEYS = [
  ['F5', true, 0, 0],
  ['F5', false, 0, 20],
  ['F6', true, 1, 0],
  ['F6', true, 1, 0],
  ['Pause', false, 0, 20],
  ['F6', true, 1, 0],
  ['Pause', false, 0, 20],
];

test('F5 and Pause stop and start the whole clock with the sign, F6 runs one tick', async () => {
  const { page, errors, close } = await open();
  try {
    await press(page, 'Enter');
    await advance(page, 1000);
    await page.click('#Text2'); // the keys work in a box too
    const ticks = async () => (await dump(page)).vars.PlotX / 2;
    for (const [key, paused, now, later] of CLOCK_KEYS) {
      const before = await ticks();
      await press(page, key);
      const at = await ticks();
      const sign = await page.evaluate(() => {
        const el = document.getElementById('paused-sign');
        return !el.hidden && el.getBoundingClientRect().width > 0 && el.textContent;
      });
      const { electrons, holes, plot, texts } = await dump(page);
      await advance(page, 1000);
      assert.deepEqual({ paused: sign !== false, now: at - before, later: (await ticks()) - at },
        { paused, now, later }, `${key}`);
      if (paused) {
        assert.equal(sign, 'Paused');
        const still = await dump(page);
        assert.deepEqual({ electrons: still.electrons, holes: still.holes, plot: still.plot, texts: still.texts },
          { electrons, holes, plot, texts }, `${key}: nothing moves while paused`);
      }
    }
    assert.deepEqual(errors, []);
  } finally {
    await close();
  }
});

// Zoom keys and the wheel in turn, with the zoom they leave.
const ZOOMS = [
  [['Control', '='], 1.25],
  [['Control', '='], 1.5],
  [['Control', 'Shift', '='], 1.75], // Ctrl++ on a US keyboard
  [['Control', '-'], 1.5],
  [['Control', '0'], 1],
  [['Control', '-'], 1],
  ...Array.from({ length: 9 }, (_, i) => [['Control', '='], Math.min(3, 1.25 + 0.25 * i)]),
  ['wheel down', 2.75],
  ['wheel up', 3],
  [['Control', '0'], 1],
];

test('the zoom keys and Ctrl with the wheel size the form in 25 % steps from 100 to 300 %', async () => {
  const { page, errors, close } = await open({ width: 700, height: 600 });
  try {
    const size = (zoom) => ({ width: Math.round(9915 * zoom / TWIPS_PER_PX), height: Math.round(9615 * zoom / TWIPS_PER_PX) });
    assert.deepEqual(await page.evaluate(() => {
      const r = document.getElementById('form').getBoundingClientRect();
      return { width: r.width, height: r.height };
    }), size(1));
    for (const [key, zoom] of ZOOMS) {
      if (typeof key === 'string') {
        await page.mouse.move(300, 200);
        await page.keyboard.down('Control');
        await page.mouse.wheel({ deltaY: key === 'wheel up' ? -100 : 100 });
        await page.keyboard.up('Control');
      } else await press(page, key);
      const got = await page.evaluate(() => {
        const r = document.getElementById('form').getBoundingClientRect();
        return { width: r.width, height: r.height };
      });
      assert.deepEqual(got, size(zoom), `${key} to ${zoom}`);
    }
    assert.deepEqual(errors, []);
  } finally {
    await close();
  }
});

// From 200 %, scrolled into the form: each zoom key in turn, with the zoom
// it leaves; the point of the form at the window's corner stays there.
const ZOOM_VIEW = [
  [['Control', '='], 2.25],
  [['Control', '='], 2.5],
  [['Control', '-'], 2.25],
  [['Control', '-'], 2],
  [['Control', '-'], 1.75],
];

test('zooming keeps the same part of the form in the window\'s corner', async () => {
  const { page, errors, close } = await open({ width: 500, height: 400 });
  try {
    for (let i = 0; i < 4; i++) await press(page, ['Control', '=']);
    // With nothing in the form focused: a focused control would be kept in sight.
    await page.evaluate(() => {
      scrollTo(400, 300);
      /** @type {HTMLElement} */ (document.activeElement).blur();
    });
    const corner = () => page.evaluate(() => {
      const r = document.getElementById('form').getBoundingClientRect();
      const px = transistorApp.zoom / 15;
      return { zoom: transistorApp.zoom, x: -r.left / px, y: -r.top / px };
    });
    const start = await corner();
    assert.equal(start.zoom, 2);
    for (const [key, zoom] of ZOOM_VIEW) {
      await press(page, key);
      const now = await corner();
      assert.equal(now.zoom, zoom, `${key}`);
      // Within a pixel, in twips at this zoom.
      const pixel = TWIPS_PER_PX / zoom;
      assert.ok(Math.abs(now.x - start.x) <= pixel && Math.abs(now.y - start.y) <= pixel,
        `${key} at ${zoom}: the corner shows (${now.x.toFixed(0)}, ${now.y.toFixed(0)}) twips, not (${start.x.toFixed(0)}, ${start.y.toFixed(0)})`);
    }
    assert.deepEqual(errors, []);
  } finally {
    await close();
  }
});

// What the user does in turn, and what follows: the menu open or not, the
// focus (an element, or the menu item of an action), paused or not, the
// zoom, and the first item's text (Pause or Resume).
const MENU_STEPS = [
  [['Shift', 'F10'], { open: true, focus: 'Pause', pauseItem: 'Pause' }],
  ['ArrowDown', { open: true, focus: 'Step' }],
  ['ArrowDown', { open: true, focus: 'ZoomIn' }],
  ['ArrowDown', { open: true, focus: 'CopyPicture' }], // Zoom out and Actual size are off at 100 %
  ['ArrowDown', { open: true, focus: 'Readouts' }],
  ['ArrowDown', { open: true, focus: 'CopyLink' }],
  ['ArrowDown', { open: true, focus: 'Fit' }],
  ['ArrowDown', { open: true, focus: 'HighContrast' }],
  ['ArrowDown', { open: true, focus: 'Keys' }],
  ['ArrowDown', { open: true, focus: 'Pause' }],
  ['ArrowUp', { open: true, focus: 'Keys' }],
  ['Home', { open: true, focus: 'Pause' }],
  ['End', { open: true, focus: 'Keys' }],
  ['Escape', { open: false, focus: 'Command1' }],
  ['ContextMenu', { open: true, focus: 'Pause' }],
  ['Enter', { open: false, focus: 'Command1', paused: true }],
  [['Shift', 'F10'], { open: true, focus: 'Pause', pauseItem: 'Resume' }],
  ['r', { open: false, focus: 'Command1', paused: false }],
  [['Shift', 'F10'], { open: true, focus: 'Pause', pauseItem: 'Pause' }],
  ['i', { open: false, focus: 'Command1', zoom: 1.25 }],
  [['Shift', 'F10'], { open: true, focus: 'Pause' }],
  ['End', { open: true, focus: 'Keys' }],
  ['ArrowUp', { open: true, focus: 'HighContrast' }],
  ['ArrowUp', { open: true, focus: 'Fit' }],
  ['ArrowUp', { open: true, focus: 'CopyLink' }],
  ['ArrowUp', { open: true, focus: 'Readouts' }],
  ['ArrowUp', { open: true, focus: 'CopyPicture' }],
  ['ArrowUp', { open: true, focus: 'ActualSize' }],
  ['Enter', { open: false, focus: 'Command1', zoom: 1 }],
  [['Shift', 'F10'], { open: true, focus: 'Pause' }],
  ['Tab', { open: false, focus: 'Command1' }],
  ['right click 300,100', { open: true, focus: 'Pause', at: [300, 100] }],
  ['left click 600,40', { open: false }],
  ['right click 300,100', { open: true, focus: 'Pause' }],
  ['s', { open: false, paused: true }], // one step pauses
];

test('the classroom menu: right click, the Menu key and Shift+F10, its keys and letters', async () => {
  const { page, errors, close } = await open();
  try {
    await press(page, 'Enter');
    await advance(page, 500);
    const state = () => page.evaluate(() => {
      const menu = document.getElementById('classroom-menu');
      const active = /** @type {HTMLElement} */ (document.activeElement);
      const r = menu.getBoundingClientRect();
      return {
        open: !menu.hidden, focus: active.dataset.action ?? active.id,
        paused: !document.getElementById('paused-sign').hidden, zoom: transistorApp.zoom,
        pauseItem: menu.querySelector('[data-action=Pause] .text')?.textContent,
        at: [Math.round(r.left), Math.round(r.top)],
      };
    });
    for (const [action, want] of MENU_STEPS) {
      const click = typeof action === 'string' && /^(left|right) click (\d+),(\d+)$/.exec(action);
      if (click) await page.mouse.click(Number(click[2]), Number(click[3]), { button: /** @type {'left' | 'right'} */ (click[1]) });
      else await press(page, action);
      const got = await state();
      const seen = Object.fromEntries(Object.keys(want).map((k) => [k, got[k]]));
      assert.deepEqual(seen, want, `${action}`);
    }
    assert.deepEqual(errors, []);
  } finally {
    await close();
  }
});

test('a text box keeps its own menu for the Menu key and Shift+F10', async () => {
  const { page, errors, close } = await open();
  try {
    await page.click('#Text2');
    await page.evaluate(() => {
      globalThis.boxMenus = 0;
      document.getElementById('Text2').addEventListener('contextmenu', (e) => {
        if (!e.defaultPrevented) globalThis.boxMenus++;
      });
    });
    for (const key of ['ContextMenu', ['Shift', 'F10']]) {
      const before = await page.evaluate(() => globalThis.boxMenus);
      await press(page, key);
      const got = await page.evaluate(() => [document.getElementById('classroom-menu').hidden, globalThis.boxMenus]);
      assert.deepEqual(got, [true, before + 1], `${key}: the page's menu stays shut, the box's own opens`);
    }
    assert.deepEqual(errors, []);
  } finally {
    await close();
  }
});

test('the classroom controls speak the page\'s language', async () => {
  const { page, close } = await open({ language: 'ja' });
  try {
    await press(page, 'Enter');
    await press(page, 'F5');
    assert.equal(await page.evaluate(() => document.getElementById('paused-sign').textContent),
      tr('ja', 'Classroom', 'Paused'));
  } finally {
    await close();
  }
});

/** A generator of numbers in [0, 1) from a seed, so that a failing run can be played again. */
function random(seed) {
  let s = seed >>> 0;
  return () => {
    s = (s + 0x6d2b79f5) >>> 0;
    let t = s;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// Keys as the browser's input takes them: key, code, key code, and the text typed.
const KEY_CODES = {
  Enter: ['Enter', 13, '\r'], Tab: ['Tab', 9], Escape: ['Escape', 27], F5: ['F5', 116],
  Pause: ['Pause', 19], F6: ['F6', 117], F10: ['F10', 121], ' ': ['Space', 32, ' '],
  Backspace: ['Backspace', 8], Delete: ['Delete', 46], ArrowDown: ['ArrowDown', 40],
  ArrowUp: ['ArrowUp', 38], ArrowLeft: ['ArrowLeft', 37], Home: ['Home', 36], End: ['End', 35],
  ContextMenu: ['ContextMenu', 93], '=': ['Equal', 187, '='], '+': ['Equal', 187, '+'],
  '-': ['Minus', 189, '-'], '0': ['Digit0', 48, '0'], a: ['KeyA', 65, 'a'], c: ['KeyC', 67, 'c'],
  C: ['KeyC', 67, 'C'], r: ['KeyR', 82, 'r'], z: ['KeyZ', 90, 'z'], '5': ['Digit5', 53, '5'],
};
const MODIFIER_BITS = { Alt: 1, Control: 2, Meta: 4, Shift: 8 };

/**
 * Input events straight to the browser, many in flight at once (the browser
 * delivers them in order): a few thousand in a few seconds.
 * @param {import('puppeteer-core').CDPSession} cdp
 */
function inputs(cdp) {
  /** @type {Promise<unknown>[]} */
  let pending = [];
  const send = (method, params) => pending.push(cdp.send(method, params));
  return {
    key(key, modifiers = []) {
      const [code, keyCode, text] = KEY_CODES[key] ?? ['', 0, key];
      const bits = modifiers.reduce((m, k) => m | MODIFIER_BITS[k], 0);
      const typed = bits & ~MODIFIER_BITS.Shift ? '' : text ?? '';
      for (const m of modifiers) send('Input.dispatchKeyEvent', { type: 'rawKeyDown', key: m, code: `${m}Left`, modifiers: bits });
      send('Input.dispatchKeyEvent', {
        type: typed ? 'keyDown' : 'rawKeyDown', key, code, windowsVirtualKeyCode: keyCode,
        text: typed, unmodifiedText: typed, modifiers: bits,
      });
      send('Input.dispatchKeyEvent', { type: 'keyUp', key, code, windowsVirtualKeyCode: keyCode, modifiers: bits });
      for (const m of modifiers) send('Input.dispatchKeyEvent', { type: 'keyUp', key: m, code: `${m}Left`, modifiers: 0 });
    },
    /** Each character as a key, or the whole text at once as a paste. */
    type(text) {
      for (const ch of text) {
        if (/^[\x20-\x7e]$/.test(ch)) {
          send('Input.dispatchKeyEvent', { type: 'keyDown', key: ch, text: ch, unmodifiedText: ch });
          send('Input.dispatchKeyEvent', { type: 'keyUp', key: ch });
        } else send('Input.insertText', { text: ch });
      }
    },
    paste(text) { send('Input.insertText', { text }); },
    click(x, y, button = 'left') {
      send('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y });
      send('Input.dispatchMouseEvent', { type: 'mousePressed', x, y, button, clickCount: 1 });
      send('Input.dispatchMouseEvent', { type: 'mouseReleased', x, y, button, clickCount: 1 });
    },
    wheel(x, y, deltaY, modifiers) {
      send('Input.dispatchMouseEvent', { type: 'mouseWheel', x, y, deltaX: 0, deltaY, modifiers });
    },
    advance(ms) {
      send('Runtime.evaluate', { expression: `transistorApp.clock.advance(${ms})` });
    },
    async flush() {
      const all = pending;
      pending = [];
      await Promise.all(all);
    },
  };
}

const BOXES = ['Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6', 'Text7', 'Text8', 'Text9',
  'Text10', 'Text11', 'Text12', 'Text13'];
const KEYS = ['Enter', 'Tab', 'Escape', 'F5', 'Pause', 'F6', ' ', 'Backspace', 'Delete',
  'ArrowDown', 'ArrowUp', 'ArrowLeft', 'Home', 'End', 'ContextMenu', 'a', 'r', 'z', '5'];
const MODIFIED = [['=', 'Control'], ['+', 'Control', 'Shift'], ['-', 'Control'], ['0', 'Control'],
  ['F10', 'Shift'], ['Tab', 'Shift'], ['a', 'Control'], ['C', 'Control', 'Shift'], ['r', 'Alt']];
const CHARACTERS = '0123456789..,,--+eE xé漢字１２🙂';

test('thousands of random keys, clicks and texts break nothing, and Start still starts', async () => {
  const seed = Number(process.env.TRANSISTOR_RANDOM_SEED ?? 20);
  const actions = Number(process.env.TRANSISTOR_RANDOM_ACTIONS ?? 3000);
  const next = random(seed);
  const pick = (list) => list[Math.floor(next() * list.length)];
  const { page, errors, cdp, close } = await open({ width: 760, height: 700 });
  try {
    // Copy picture falls back to a download, which a test has no use for.
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'deny' }).catch(() => {});
    // Close, by a click or by Tab and Enter, rightly ends everything.
    await page.evaluate(() => { /** @type {HTMLButtonElement} */ (document.getElementById('Command2')).disabled = true; });
    const input = inputs(cdp);
    const text = (n) => Array.from({ length: n }, () => pick([...CHARACTERS])).join('');
    /** Where the boxes and Close are now, as the zoom and the scrolling have them. */
    const places = () => page.evaluate((ids) => Object.fromEntries(ids.map((id) => {
      const r = document.getElementById(id).getBoundingClientRect();
      return [id, [r.left, r.top, r.right, r.bottom]];
    })), [...BOXES, 'form']);
    let at = await places();
    const log = [];
    for (let i = 0; i < actions; i++) {
      const r = next();
      const [fl, ft, fr, fb] = at.form;
      if (r < 0.25) {
        // Anywhere on the form in sight.
        const x = Math.max(0, fl) + next() * (Math.min(fr, 760) - Math.max(0, fl));
        const y = Math.max(0, ft) + next() * (Math.min(fb, 700) - Math.max(0, ft));
        const button = next() < 0.15 ? 'right' : 'left';
        log.push(`${button} click ${x.toFixed(0)},${y.toFixed(0)}`);
        input.click(x, y, button);
      } else if (r < 0.45) {
        const box = pick(BOXES);
        const [l, t, rt, b] = at[box];
        const typed = text(1 + Math.floor(next() * 8));
        log.push(`type ${box} ${JSON.stringify(typed)}`);
        input.click((l + rt) / 2, (t + b) / 2);
        input.type(typed);
      } else if (r < 0.46) {
        const n = 200 + Math.floor(next() * 5000);
        log.push(`paste ${n} characters`);
        input.paste(text(n));
      } else if (r < 0.80) {
        const key = pick(KEYS);
        log.push(`key ${key}`);
        input.key(key);
      } else if (r < 0.90) {
        const [key, ...modifiers] = pick(MODIFIED);
        log.push(`key ${[...modifiers, key].join('+')}`);
        input.key(key, modifiers);
      } else if (r < 0.93) {
        const up = next() < 0.5;
        log.push(`Ctrl+wheel ${up ? 'up' : 'down'}`);
        input.wheel(300, 200, up ? -100 : 100, MODIFIER_BITS.Control);
      } else {
        const ms = Math.floor(next() * 1000);
        log.push(`wait ${ms}`);
        input.advance(ms);
      }
      if (i % 25 === 24) {
        await input.flush();
        if (errors.length) break;
        if (i % 100 === 99) at = await places();
      }
    }
    await input.flush();
    assert.deepEqual(errors, [], `seed ${seed}, after: ${log.slice(-25).join(' | ')}`);

    // Whatever the boxes and the zoom now are, a user can start again.
    for (let k = 0; k < 100; k++) {
      const open = await page.evaluate(() => document.getElementById('message').open
        || !document.getElementById('classroom-menu').hidden);
      if (!open) break;
      await press(page, 'Escape');
    }
    await press(page, ['Control', '0']);
    const inputsAtStart = { Text1: '300', Text2: '0.9', Text3: '0.2', Text9: '0.7', Text4: '0.5', Text8: '1.5' };
    for (const [box, value] of Object.entries(inputsAtStart)) await typeInto(page, box, value);
    await page.click('#Command1');
    const started = await dump(page);
    await advance(page, 500);
    const later = await dump(page);
    assert.equal(await page.evaluate(() => document.getElementById('message').open), false,
      `seed ${seed}: no message: ${await page.evaluate(() => document.getElementById('message').textContent)}`);
    assert.equal(started.vars.ElectronCount, 81, `seed ${seed}: Start scattered the carriers`);
    assert.notDeepEqual(later.electrons, started.electrons, `seed ${seed}: the carriers move`);
    // The plot starts again from its left after 2660 twips.
    assert.equal((later.vars.PlotX - started.vars.PlotX + 2662) % 2662, 20, `seed ${seed}: 10 ticks in 500 ms`);
    assert.deepEqual(errors, [], `seed ${seed}`);
  } finally {
    await close();
  }
});

/** The build folder over http on 127.0.0.1; it counts what it is asked for. */
async function serve(folder) {
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.png': 'image/png',
    '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json' };
  /** @type {string[]} */
  const asked = [];
  const server = http.createServer((request, response) => {
    const path = new URL(request.url ?? '/', 'http://127.0.0.1').pathname;
    asked.push(path);
    let body;
    try {
      body = readFileSync(join(folder, path.replace(/^\/+/, '')));
    } catch {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'content-type': types[extname(path)] ?? 'application/octet-stream' }).end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(undefined)));
  const address = /** @type {import('node:net').AddressInfo} */ (server.address());
  return { url: `http://127.0.0.1:${address.port}/`, asked, close: () => new Promise((r) => server.close(r)) };
}

test('served over http it installs as an app, and opens again with the network off', async () => {
  const server = await serve(pageDir);
  const { page, errors, cdp, close } = await open({ manual: false, profile: true, url: `${server.url}transistor-sim.html` });
  try {
    const state = await page.evaluate(async () => {
      const registration = await navigator.serviceWorker.ready;
      const worker = registration.active;
      if (worker && worker.state !== 'activated')
        await new Promise((resolve) => worker.addEventListener('statechange', () => worker.state === 'activated' && resolve(0)));
      return worker?.state;
    });
    assert.equal(state, 'activated');
    const manifest = await cdp.send('Page.getAppManifest');
    assert.deepEqual(manifest.errors, []);
    assert.equal(JSON.parse(manifest.data).name, 'Transistor visual simulation');
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors.map((e) => e.errorId), [], 'a browser offers to install it');

    await page.setOfflineMode(true);
    const asked = server.asked.length;
    await page.reload();
    await page.waitForFunction(() => globalThis.transistorApp);
    assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null), 'the service worker answered');
    await page.click('#Command1');
    await page.waitForFunction(() => JSON.parse(transistorApp.core.dump()).vars.PlotX >= 8);
    assert.deepEqual(server.asked.slice(asked), [], 'nothing reached the server offline');
    assert.deepEqual(errors, []);
  } finally {
    await close();
    await server.close();
  }
});

// The Readouts view opened each way, after a lesson of two settings: its
// table sets the readouts that are not whole apart, the copy is the table as
// tab-separated text, and the download is the driver's `readouts`.
const READOUTS_OPENINGS = [
  ['F8', async (page) => press(page, 'F8')],
  ['the menu', async (page) => {
    await press(page, ['Shift', 'F10']);
    await page.click('#classroom-menu [data-action=Readouts]');
  }],
  ['the menu by touch', async (page) => {
    await press(page, ['Shift', 'F10']);
    const r = await page.$eval('#classroom-menu [data-action=Readouts]', (el) => {
      const b = el.getBoundingClientRect();
      return [b.left + b.width / 2, b.top + b.height / 2];
    });
    await page.touchscreen.tap(r[0], r[1]);
  }],
];

test('the Readouts view opens from the menu, by key and by touch; its copy and download are the log', async () => {
  const script = 'click Start\nwait 30000\nset Text4 0.3\nclick Restart\nwait 20000';
  const csv = execFileSync(driver, ['-'], { input: `${script}\nreadouts\n` });
  for (const [how, openView] of READOUTS_OPENINGS) {
    const { page, errors, close } = await open();
    try {
      await page.evaluate(() => {
        globalThis.kept = { copied: '', saved: null };
        navigator.clipboard.writeText = async (text) => { globalThis.kept.copied = text; };
        HTMLAnchorElement.prototype.click = function () {
          const a = this;
          globalThis.kept.saved = fetch(a.href).then((r) => r.arrayBuffer())
            .then((b) => ({ name: a.download, bytes: [...new Uint8Array(b)] }));
        };
      });
      await press(page, 'Enter');
      await advance(page, 30000);
      await typeInto(page, 'Text4', '0.3');
      await press(page, 'Enter');
      await advance(page, 20000);
      await page.focus('#Command1');
      await openView(page);
      const seen = await page.evaluate(() => {
        const rows = [...document.querySelectorAll('#readouts-table tbody tr')];
        return {
          open: document.getElementById('readouts').open,
          headers: document.querySelectorAll('#readouts-table thead th').length,
          notWhole: rows.map((r) => r.classList.contains('not-whole')),
          settings: document.querySelectorAll('#readouts-summary tbody tr').length,
          described: document.getElementById('readouts-chart-description').textContent,
        };
      });
      assert.deepEqual({ ...seen, described: undefined }, {
        open: true, headers: 14, notWhole: [true, false, false, true, false], settings: 2,
        described: undefined,
      }, how);
      assert.match(seen.described, /Setting 2 .*collector mean/, how);
      await page.click('#readouts-copy');
      await page.click('#readouts-save');
      const kept = await page.evaluate(async () => ({
        copied: globalThis.kept.copied, saved: await globalThis.kept.saved }));
      assert.equal(kept.saved.name, 'transistor-readouts.csv', how);
      assert.deepEqual(Buffer.from(kept.saved.bytes), csv, how);
      assert.equal(kept.copied, csv.toString().replace('\ufeff', '').replaceAll(',', '\t'), how);
      // Escape closes it, and the form goes on.
      await press(page, 'Escape');
      assert.equal(await page.evaluate(() => document.getElementById('readouts').open), false, how);
      assert.deepEqual(errors, [], how);
    } finally {
      await close();
    }
  }
});

// A setup in the page's address. Each link, with the driver's `set` lines
// it stands for, then what the user does: the boxes hold the link's texts,
// and the run is the driver's after the same lines. `link = click Start`:
// the link pressed Start.
const LINKS = [
  ['every input, then Start, VCB clamped', 'T=2000&EFE=0.8&efb=0.3&EFC=0.6&VEB=0.3&VCB=3',
    ['set Text1 2000', 'set Text2 0.8', 'set Text3 0.3', 'set Text9 0.6', 'set Text4 0.3', 'set Text8 3',
      'click Start', 'wait 10000', 'dump']],
  ['started by the link, a platform\'s own name left alone', 'VCB=1.2&id=12&start',
    ['set Text8 1.2', 'link = click Start', 'wait 3000', 'dump']],
  ['decoded texts, then Restart', 'VEB=0%2E25&T=+400', ['set Text4 0.25', 'set Text1  400',
    'click Start', 'wait 1000', 'click Restart', 'dump']],
];

test('a link opens with its inputs in the boxes, and Start runs as the driver after the same lines', async () => {
  for (const [name, query, steps] of LINKS) {
    const { page, errors, close } = await open({ url: `${pageUrl}?${query}` });
    try {
      for (const step of steps.filter((s) => s.startsWith('set '))) {
        const [, box, ...text] = step.split(' ');
        assert.equal(await page.$eval(`#${box}`, (el) => /** @type {HTMLInputElement} */ (el).value),
          text.join(' '), `${name}: ${box}`);
      }
      const { script, dumps } = await play(page, steps);
      assert.equal(dumps.join('\n') + '\n', runDriver(script.join('\n')), name);
      assert.deepEqual(errors, [], name);
    } finally {
      await close();
    }
  }
});

// A value the program refuses, in a link: shown in its box, and Start (the
// button, or the link's own start) says what typed text makes it say.
const REFUSED_LINKS = [
  ['EFB=x', 'Text3', 'x', 'Base Fermi level (eV)'],
  ['T=&start', 'Text1', '', 'Temperature (K)'],
  ['VEB=0,3&start', 'Text4', '0,3', 'Emitter–base voltage VEB (V)'],
];

test('a refused value in a link is in its box, and Start names the box as for typed text', async () => {
  for (const [query, box, text, named] of REFUSED_LINKS) {
    const { page, errors, close } = await open({ url: `${pageUrl}?${query}` });
    try {
      assert.equal(await page.$eval(`#${box}`, (el) => /** @type {HTMLInputElement} */ (el).value), text, query);
      if (!query.includes('start')) await page.click('#Command1');
      const language = query.includes('lang=ja') ? 'ja' : 'en';
      const dialog = await axNode(page, '#message');
      assert.ok(dialog?.description?.startsWith(tr(language, 'Message', named)), `${query}: ${dialog?.description}`);
      assert.equal(await rawDump(page) + '\n', runDriver(`set ${box} ${text}\nclick Start\ndump`), query);
      assert.deepEqual(errors, [], query);
    } finally {
      await close();
    }
  }
});

// The language and the zoom a link asks for.
const LOOKS = [
  ['lang=ja&zoom=150', 'en-US', 'ja', 1.5],
  ['lang=designed', 'en-US', '', 1],
  ['lang=en&zoom=170%25', 'ja', 'en', 1.75],
  ['zoom=900', 'ja', 'ja', 3],
];

test('a link sets the language and the zoom', async () => {
  for (const [query, language, shown, zoom] of LOOKS) {
    const { page, close } = await open({ language, url: `${pageUrl}?${query}` });
    try {
      const got = await page.evaluate(() => [document.documentElement.lang, transistorApp.zoom,
        document.getElementById('Command1')?.textContent]);
      // The designed texts are marked English, but for their Japanese captions.
      assert.deepEqual(got, [shown || 'en', zoom, tr(shown || 'designed', 'Form1', 'Start')], query);
    } finally {
      await close();
    }
  }
});

/** Picks Copy link from the menu, by a right click on the band diagram. */
async function copyLinkFromMenu(frame, mouse) {
  const at = await frame.evaluate(() => {
    const r = document.getElementById('form').getBoundingClientRect();
    return { x: r.left + 400, y: r.top + 30 };
  });
  const offset = frame.parentFrame() ? await (await frame.frameElement())?.boundingBox() : { x: 0, y: 0 };
  await mouse.click(at.x + (offset?.x ?? 0), at.y + (offset?.y ?? 0), { button: 'right' });
  await frame.click('[data-action=CopyLink]');
}

/** Records what the page puts on the clipboard, and passes it on (unless refused). */
function watchClipboard(refuse) {
  globalThis.copied = null;
  // A frame's policy may forbid the clipboard; merely looking is then an error.
  // @ts-ignore
  if (document.featurePolicy && !document.featurePolicy.allowsFeature('clipboard-write')) return;
  const write = navigator.clipboard?.writeText?.bind(navigator.clipboard);
  if (!write) return;
  navigator.clipboard.writeText = async (text) => {
    if (refuse) throw new DOMException('refused', 'NotAllowedError');
    await write(text);
    globalThis.copied = text;
  };
}

/** The link the user got: from the clipboard, or selected in the link dialog. */
const linkGiven = (frame) => frame.waitForFunction(() => {
  const input = /** @type {HTMLInputElement | null} */ (document.querySelector('#copy[open] input'));
  if (input && document.activeElement === input && input.selectionStart === 0
    && input.selectionEnd === input.value.length) return input.value;
  return globalThis.copied;
}, { timeout: 3000 }).then((h) => h.jsonValue());

test('Copy link gives a link that opens the same setup, from the clipboard or from its dialog', async () => {
  for (const refuse of [false, true]) {
    // Large enough that the menu, opened at 125 %, is on the screen whole.
    const { page, errors, close } = await open({ url: `${pageUrl}?VEB=0.4&lang=ja&zoom=125`, width: 1000, height: 900 });
    try {
      await typeInto(page, 'Text1', '3 00&x=1');
      await typeInto(page, 'Text3', '0,25');
      const boxes = () => page.$$eval('input', (els) => els.slice(0, 13).map((el) => el.value));
      const before = await boxes();
      await page.evaluate(watchClipboard, refuse);
      await copyLinkFromMenu(page.mainFrame(), page.mouse);
      const link = String(await linkGiven(page.mainFrame()));
      assert.ok(link.startsWith(`${pageUrl}?T=3%2000%26x%3D1&`), link);
      await page.goto(link + '#manual-clock');
      await page.waitForFunction(() => globalThis.transistorApp);
      assert.deepEqual(await boxes(), before, `refused: ${refuse}`);
      assert.deepEqual(errors, [], `refused: ${refuse}`);
    } finally {
      await close();
    }
  }
});

test('in a learning platform\'s sandboxed frame it animates, takes keys once clicked, and copying falls back', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'transistor-host-'));
  execFileSync('cp', ['-R', `${pageDir}/.`, join(root, 'web', 'test', 'host.html'), folder]);
  const server = await serve(folder);
  try {
    for (const sandbox of ['allow-scripts', 'allow-scripts allow-same-origin']) {
      const src = 'transistor-sim.html?VCB=1&start';
      const { page, errors, close } = await open({ manual: false, framed: true,
        url: `${server.url}host.html?${new URLSearchParams({ sandbox, src })}` });
      try {
        // The frame, once the page in it is ready (a sandboxed frame may
        // move to a process of its own as it loads).
        const frameOf = async () => {
          for (let tries = 0; tries < 200; tries++) {
            for (const f of page.frames()) {
              if (await f.evaluate(() => typeof globalThis.transistorApp === 'object').catch(() => false)) return f;
            }
            await new Promise((r) => setTimeout(r, 50));
          }
          throw new Error(`${sandbox}: the page in the frame never got ready`);
        };
        const frame = await frameOf();
        await frame.waitForFunction(() => JSON.parse(transistorApp.core.dump()).vars.PlotX >= 8, { timeout: 5000 });
        await frame.click('#Text2');
        await press(page, 'F5');
        assert.equal(await frame.evaluate(() => transistorApp.core.paused()), true, `${sandbox}: F5 in the frame`);
        await frame.evaluate(watchClipboard, false);
        await copyLinkFromMenu(frame, page.mouse);
        assert.match(String(await linkGiven(frame)), /transistor-sim\.html\?T=300&EFE=0\.9&EFB=0\.2&EFC=0\.7&VEB=0\.5&VCB=1$/, sandbox);
        await press(page, 'Escape');
        // The picture: on the clipboard, or shown where the frame refuses it.
        const refused = await frame.evaluate(() => !transistorApp.doc.featurePolicy?.allowsFeature('clipboard-write'));
        await press(page, ['Control', 'Shift', 'C']);
        if (refused) await frame.waitForSelector('#copy[open] img[src^="data:image/png"]', { timeout: 3000 });
        assert.deepEqual(errors, [], sandbox);
      } finally {
        await close();
      }
    }
  } finally {
    await server.close();
    rmSync(folder, { recursive: true, force: true });
  }
});
