// What a user does to the page in headless Chromium, and what the page then
// shows. A session is a list of steps: an action (a string), or what the page
// shows at that moment (an object, compared key by key; a function there is a
// test of the value). An action may name the native driver's line for it after
// ' = '; a session's `dump` and `readouts` steps must then give the driver's
// output for those lines byte for byte.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { isDeepStrictEqual } from 'node:util';
import { after } from 'node:test';
import { pathToFileURL } from 'node:url';

import { KnownDevices } from 'puppeteer-core';

import { readTranslations } from '../build.mjs';
import { browserPool, pageFile, root, watchErrors } from '../chromium.mjs';

const pageUrl = pathToFileURL(pageFile).href;
const pageHtml = readFileSync(pageFile, 'latin1');
const driver = process.env.TRANSISTOR_SCRIPT ?? join(root, 'build', 'bin', 'transistor-script');
const runDriver = (script) =>
  execFileSync(driver, ['-'], { input: `${script}\n`, env: { LC_ALL: 'C' } }).toString();
const translations = readTranslations();
/** A text of the window in a language: its translation, or the text as designed. */
export const tr = (language, context, source) =>
  translations[language.split('-')[0]]?.[context]?.[source] ?? source;
/** A test of a value: it holds every part (a text, or the items of a list). */
export const has = (...parts) => (v) => parts.every((p) => v?.includes(p));
export const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

/** The devices the page promises: an iPad, and a touch Chromebook with a 1366 × 768 screen. */
const CROS = 'Mozilla/5.0 (X11; CrOS x86_64 15633.69.0) AppleWebKit/537.36';
export const DEVICES = { iPad: KnownDevices.iPad, chromebook: {
  userAgent: `${CROS} (KHTML, like Gecko) Chrome/119.0.0.0 Safari/537.36`,
  viewport: { width: 1366, height: 768, deviceScaleFactor: 1, isMobile: false, hasTouch: true } } };

const { browserFor, closeAll } = browserPool();
after(closeAll);

/** Every text or picture copied is kept, or refused when asked; every download is kept. */
function keepCopies() {
  globalThis.copies = 0;
  HTMLAnchorElement.prototype.click = function () {
    globalThis.saved = fetch(this.href).then((r) => r.arrayBuffer())
      .then((b) => ({ name: this.download, bytes: [...new Uint8Array(b)] }));
  };
  // A frame's policy may forbid the clipboard; merely looking is then an error.
  const policy = document.featurePolicy;
  if (policy?.allowsFeature('clipboard-write') === false || !navigator.clipboard) return;
  const keep = (png) => async (x) => {
    if (globalThis.refuse) throw new DOMException('refused', 'NotAllowedError');
    globalThis.copied = png ? await x[0].getType('image/png') : x;
    globalThis.copies++;
  };
  Object.assign(navigator.clipboard, { write: keep(true), writeText: keep(false) });
}

/**
 * Opens the page, on its manual clock unless told: time moves only when a
 * step says so, waking the program at each deadline as the driver's `wait`.
 * `profile`: in the browser's own profile, where an app installs.
 */
export async function open({ language = 'en-US', query = '', device, width = 700, height = 660,
  dpr = 1, url = pageUrl + query, manual = true, profile = false } = {}) {
  const browser = await browserFor(language);
  const context = profile ? browser.defaultBrowserContext() : await browser.createBrowserContext();
  const page = await context.newPage(), errors = watchErrors(page), asked = [];
  page.on('dialog', (d) => { asked.push(d.type()); d.dismiss(); });
  await (device ? page.emulate(device)
    : page.setViewport({ width, height, deviceScaleFactor: dpr }));
  const cdp = await page.createCDPSession();
  // Intl follows the language too; navigator.language comes from --accept-lang.
  await cdp.send('Emulation.setLocaleOverride', { locale: language });
  await page.evaluateOnNewDocument(keepCopies);
  if (url.startsWith('file:')) {
    // From file:// the page asks for nothing but itself (its module is written out in it).
    await page.setRequestInterception(true);
    page.on('request', (r) => {
      const ok = r.url().startsWith(pageUrl) || r.url().startsWith('blob:')
        || r.url().startsWith('data:') && pageHtml.includes(r.url());
      if (ok) return r.continue();
      return r.abort().then(() => errors.push(`asked for ${r.url().slice(0, 120)}`));
    });
  }
  await page.goto(url + (manual ? '#manual-clock' : ''));
  if (!url.includes('host.html')) await ready(page);
  return { page, errors, cdp, asked, close: () => (profile ? page.close() : context.close()) };
}

async function ready(page) {
  await page.waitForFunction(() => globalThis.transistorApp);
  // The menus a text box opens of its own, which the page leaves to it.
  await page.evaluate(() => addEventListener('contextmenu', (e) => {
    globalThis.nativeMenus = (globalThis.nativeMenus ?? 0) + !e.defaultPrevented;
  }));
}

/** What the page shows, in one look. */
function pageState() {
  const app = globalThis.transistorApp, $ = (id) => document.getElementById(id);
  const rows = (s) => [...document.querySelectorAll(s)];
  const inSight = (r) =>
    r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
  const menu = $('classroom-menu'), form = $('form').getBoundingClientRect(), px = app.zoom / 15;
  const active = /** @type {any} */ (document.activeElement);
  const shown = (id) => ($(id).hidden ? '' : $(id).textContent);
  const still = app.form.still, k = still.width / 9915, label = app.form.element('Label1');
  // The emitter's conduction edge (Line1) across its middle: how many rows it covers.
  const column = still.getContext('2d')
    .getImageData(Math.round(2760 * k), Math.round(2280 * k) - 3, 1, 7).data;
  const button = $('menu-button').getBoundingClientRect();
  return {
    paused: app.core.paused(), running: app.core.runOn(), sign: shown('paused-sign'),
    ticks: JSON.parse(app.core.dump()).vars.PlotX / 2,
    zoom: app.zoom, fitted: app.zoom === app.fitZoom(), whole: inSight(form),
    drawn: form.width ? Math.round(form.width / 6.61) / 100 : app.zoom,
    corner: [-form.left / px, -form.top / px].map((v) => Math.round(v / 50) * 50),
    menu: !menu.hidden, pauseItem: menu.querySelector('[data-action=Pause] .text')?.textContent,
    items: Math.min(...rows('#classroom-menu [data-action]')
      .map((i) => i.getBoundingClientRect().height)),
    button: Math.min(button.width, button.height), buttonName: $('menu-button').ariaLabel,
    touchAction: [...new Set(rows('#form button, #form input')
      .map((el) => getComputedStyle(el).touchAction))].join(),
    focus: active.dataset.action ?? active.id,
    focusInSight: inSight(active.getBoundingClientRect()),
    inDialog: active.closest('dialog')?.id, selection: [active.selectionStart, active.selectionEnd],
    copies: globalThis.copies, nativeMenus: globalThis.nativeMenus ?? 0, held: globalThis.held,
    lineRows: column.filter((v, i) => i % 4 === 3 && v > 128).length,
    background: getComputedStyle($('form')).backgroundColor,
    checked: menu.querySelector('[data-action=HighContrast]')?.ariaChecked,
    lang: document.documentElement.lang, labelLang: label.lang,
    texts: { Start: $('Command1').textContent, Label1: label.textContent,
      Label11: app.form.element('Label11').textContent },
    values: Object.fromEntries(rows('#form input').map((el) => [el.id, el.value])),
    message: $('message').open ? $('message').textContent : '', ended: shown('ended'),
    tooltip: shown('tooltip'),
    keys: $('keys-help').open
      ? rows('#keys-help tr').map((r) => [...r.cells].map((c) => c.textContent.trim()).join(' | '))
      : [],
    readouts: { open: $('readouts').open, headers: rows('#readouts-table thead th').length,
      notWhole: rows('#readouts-table tbody tr').map((r) => r.classList.contains('not-whole')),
      settings: rows('#readouts-summary tbody tr').length,
      described: $('readouts-chart-description')?.textContent },
  };
}

/** The part of `got` that `want` names, with `want`'s own tests where they pass. */
const pick = (got, want) => Object.fromEntries(Object.entries(want).map(([k, w]) => [k,
  typeof w === 'function' ? (w(got[k]) ? w : got[k])
    : w?.constructor === Object ? pick(got[k] ?? {}, w) : got[k]]));

/** Fingers on the touch screen, through the browser's own input: [x, y] each. */
const touch = (cdp, type, points) => cdp.send('Input.dispatchTouchEvent', {
  type, touchPoints: points.map(([x, y], id) => ({ x, y, id, radiusX: 2, radiusY: 2, force: 1 })),
});

/** Where a place is in the window: the diagram, the plot, an item of the menu, an element. */
const place = (page, what) => page.evaluate((what) => {
  const f = document.getElementById('form').getBoundingClientRect(), px = transistorApp.zoom / 15;
  const twips = { diagram: [3000, 1000], plot: [3000, 8400] }[what];
  if (twips) return [f.left + twips[0] * px, f.top + twips[1] * px];
  const r = document.querySelector(what.replace(/^item:(\w+)/, '#classroom-menu [data-action=$1]'))
    .getBoundingClientRect();
  return [r.left + r.width / 2, r.top + r.height / 2];
}, what);

const BUTTONS = { Start: 'Command1', Restart: 'Command3', Close: 'Command2' };

/** The link the user got from Copy link: from the clipboard, or selected in the link dialog. */
const linkGiven = (frame) => frame.waitForFunction(() => {
  const input = document.querySelector('#copy[open] input');
  return input && document.activeElement === input && input.selectionStart === 0
    && input.selectionEnd === input.value.length ? input.value : globalThis.copied;
}, { timeout: 3000 }).then((link) => link.jsonValue());

/** Does one action; what it adds to the session's output, for `dump` and `readouts`. */
export async function act({ page, cdp }, action) {
  const [command, target = '', ...rest] = action.split(' ');
  const [x, y] = target.split(',').map(Number);
  if (command === 'key') {
    const keys = target.split(/\+(?=.)/).map((k) => ({ Ctrl: 'Control' })[k] ?? k);
    for (const k of keys.slice(0, -1)) await page.keyboard.down(k);
    await page.keyboard.press(keys[keys.length - 1]);
    for (const k of keys.slice(0, -1).reverse()) await page.keyboard.up(k);
  } else if (command === 'click') {
    await page.click(BUTTONS[target] ? `#${BUTTONS[target]}` : target);
  }
  else if (command === 'type') {
    // As a user does: click in the box, select all, type.
    await page.click(`#${target}`);
    await act({ page, cdp }, 'key Ctrl+a');
    const text = rest.join(' ');
    await (text ? page.keyboard.type(text) : page.keyboard.press('Backspace'));
  } else if (command === 'set') {
    assert.equal(await page.$eval(`#${target}`, (el) => el.value), rest.join(' '), action);
  } else if (command === 'left' || command === 'right') {
    await page.mouse.click(x, y, { button: command });
    if (command === 'right') {
      await page.waitForFunction(() => document.activeElement?.dataset.action, { timeout: 1000 })
        .catch(() => {});
    }
  } else if (command === 'wheel') {
    await page.mouse.move(300, 200).then(() => page.keyboard.down('Control'));
    await page.mouse.wheel({ deltaY: target === 'up' ? -100 : 100 });
    await page.keyboard.up('Control');
  } else if (command === 'scroll') {
    // With nothing in the form focused: a focused control would be kept in sight.
    await page.evaluate((x, y) => { scrollTo(x, y); document.activeElement.blur(); }, x, y);
  } else if (command === 'wait') {
    await page.evaluate((t) => transistorApp.clock.advance(t), Number(target));
  } else if (command === 'menu') await page.click(`#classroom-menu [data-action=${target}]`);
  else if (command === 'tap' || command === 'hold') {
    // A finger held for ms, wandering by `wander` px.
    const [[px, py], [ms = 700, wander = 0]] = [await place(page, target), rest.map(Number)];
    await touch(cdp, 'touchStart', [[px, py]]);
    if (command === 'hold') {
      await sleep(100);
      if (wander) await touch(cdp, 'touchMove', [[px + wander, py]]);
      await sleep(ms - 100);
    }
    await touch(cdp, 'touchEnd', []).then(() => sleep(50));
  } else if (command === 'pinch') {
    // Two fingers about the middle of the window, moving apart (out) or together (in).
    const [cx, cy] = await page.evaluate(() => [innerWidth / 2, innerHeight / 2]);
    const [from, to] = target === 'out' ? [60, 200] : [200, 60];
    for (let i = 0, d = from; i <= 10; i++, d = from + ((to - from) * i) / 10) {
      await touch(cdp, i ? 'touchMove' : 'touchStart', [[cx - d / 2, cy], [cx + d / 2, cy]]);
    }
    await touch(cdp, 'touchEnd', []).then(() => sleep(50));
  } else if (command === 'refuse') await page.evaluate(() => { globalThis.refuse = true; });
  else if (command === 'reload') await page.reload().then(() => ready(page));
  else if (command === 'leave') {
    // A reload the page may ask about: a question dismissed leaves it as it was.
    await page.evaluate(() => setTimeout(() => location.reload(), 0));
    await sleep(1000);
  } else if (command === 'probe') {
    // Which of the classroom keys the page takes from the browser now.
    await page.evaluate(() => {
      const taken = ([key, ctrlKey]) => !document.body.dispatchEvent(
        new KeyboardEvent('keydown', { key, ctrlKey, bubbles: true, cancelable: true }));
      globalThis.held = [['F5', false], ['.', true]].filter(taken).map(([key]) => key);
    });
  } else if (command === 'reopen') {
    // The link the user got, opened.
    await page.goto(`${await linkGiven(page)}#manual-clock`).then(() => ready(page));
  } else if (command === 'dump') return `${await page.evaluate(() => transistorApp.core.dump())}\n`;
  else if (command === 'readouts') {
    // The copy is the table as tab-separated text; the download is the driver's `readouts`.
    await page.click('#readouts-copy').then(() => page.click('#readouts-save'));
    const { copied, saved } = await page.evaluate(async () =>
      ({ copied: globalThis.copied, saved: await globalThis.saved }));
    const csv = Buffer.from(saved.bytes).toString();
    assert.deepEqual([saved.name, copied],
      ['transistor-readouts.csv', csv.replace('\ufeff', '').replaceAll(',', '\t')]);
    return csv;
  } else if (command) throw new Error(`no such action: ${action}`);
  return '';
}

/** The driver's line for an action: its own after ' = ', else the action if the driver has it. */
function driverLine(step) {
  const [action, native] = step.split(/(?:^| )=(?: |$)/);
  if (native !== undefined) return native;
  const [command, ...rest] = action.split(' ');
  if (command === 'type') return `set ${rest.join(' ')}`;
  return /^(set|wait|dump|readouts)$/.test(command) || /^click [A-Z]/.test(action) ? action : '';
}

/** Plays a session in an open page; checks every look, and the output against the driver's. */
export async function play(s, steps, name) {
  let output = '', last = await s.page.evaluate(pageState), action = 'opening';
  const script = [];
  for (const step of steps) {
    if (typeof step === 'string') {
      output += await act(s, (action = step).split(/(?:^| )=(?: |$)/)[0]);
      script.push(driverLine(step));
      continue;
    }
    // A look waits a moment for what the page does in its own time (a copy, a dialog closing).
    let got, want, tries = 0;
    do {
      got = await sleep(tries && 50).then(() => s.page.evaluate(pageState));
      // Since the last look: ticks run, pictures copied; and the questions asked.
      Object.assign(got, { ran: got.ticks - last.ticks, copied: got.copies - last.copies,
        asked: s.asked.length });
      want = { drawn: got.zoom, ...step };
    } while (++tries < 20 && !isDeepStrictEqual(pick(got, want), want));
    assert.deepEqual(pick(got, want), want, `${name}: after ${action}`);
    last = got;
  }
  if (output) assert.equal(output, runDriver(script.filter(Boolean).join('\n')), name);
}

/** Runs `use` on a page opened with these options, and checks that nothing went wrong on it. */
export async function withPage(options, use) {
  const s = await open(options);
  await use(s).finally(s.close);
  assert.deepEqual(s.errors, [], options.name);
}

/** Opens the page as a row of a table says, and plays its steps. */
export const session = (row) => withPage(row, (s) => play(s, row.steps, row.name));
