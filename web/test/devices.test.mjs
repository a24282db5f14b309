// The page on the devices a school has, in headless Chromium: the language
// of a browser without a translation, every classroom key wherever the focus
// is, a reload during a run, and (by touch only, on an emulated iPad and a
// touch Chromebook) the menu, pause, step, zoom, fit, high contrast and copy.
//
//   TRANSISTOR_PAGE_DIR=build-wasm/page node --test web/test/devices.test.mjs
import assert from 'node:assert/strict';
import { after, test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { readTranslations } from '../build.mjs';
import { KnownDevices } from 'puppeteer-core';

import { browserPool, decodePng, pageFile, watchErrors } from '../chromium.mjs';

const pageUrl = pathToFileURL(pageFile).href;
const translations = readTranslations();

const { browserFor, closeAll } = browserPool();
after(closeAll);

/** The devices the page promises, as Chromium emulates them. */
export const DEVICES = {
  iPad: KnownDevices['iPad'],
  // A touch Chromebook: a 1366 × 768 screen, a mouse pad and a touch screen.
  chromebook: {
    userAgent: 'Mozilla/5.0 (X11; CrOS x86_64 15633.69.0) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/119.0.0.0 Safari/537.36',
    viewport: { width: 1366, height: 768, deviceScaleFactor: 1, isMobile: false, hasTouch: true, isLandscape: true },
  },
};

/**
 * Opens the page on its manual clock in a fresh browser context.
 * @param {{language?: string, query?: string, device?: any, width?: number, height?: number}} options
 */
async function open({ language = 'en-US', query = '', device, width = 700, height = 660 } = {}) {
  const browser = await browserFor(language);
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const errors = watchErrors(page);
  if (device) await page.emulate(device);
  else await page.setViewport({ width, height });
  const cdp = await page.createCDPSession();
  await cdp.send('Emulation.setLocaleOverride', { locale: language });
  // Every picture handed to the clipboard is counted.
  await page.evaluateOnNewDocument(() => {
    globalThis.copies = 0;
    navigator.clipboard.write = async (items) => {
      globalThis.copied = await items[0].getType('image/png');
      globalThis.copies++;
    };
  });
  await page.goto(`${pageUrl}${query}#manual-clock`);
  await page.waitForFunction(() => globalThis.transistorApp);
  return { page, errors, cdp, close: () => context.close() };
}

/** A key with its modifiers: ['Control', '='], or 'F5'. */
async function press(page, key) {
  const keys = Array.isArray(key) ? key : [key];
  for (const k of keys.slice(0, -1)) await page.keyboard.down(k);
  await page.keyboard.press(keys[keys.length - 1]);
  for (const k of keys.slice(0, -1).reverse()) await page.keyboard.up(k);
}

const advance = (page, ms) => page.evaluate((t) => transistorApp.clock.advance(t), ms);

/** What the classroom controls have done so far. */
const classroomState = (page) => page.evaluate(() => ({
  paused: transistorApp.core.paused(),
  ticks: JSON.parse(transistorApp.core.dump()).vars.PlotX / 2,
  zoom: transistorApp.zoom,
  menu: !document.getElementById('classroom-menu').hidden,
  copies: globalThis.copies,
  background: getComputedStyle(document.getElementById('form')).backgroundColor,
}));

const WHITE = 'rgb(255, 255, 255)';

test('a browser in a language without a translation gets English; the designed texts when asked', async () => {
  const rows = [
    ['de-DE', '', 'en', 'Collector current (mA)', 'Temperature (K)'],
    ['fr', '', 'en', 'Collector current (mA)', 'Temperature (K)'],
    ['ja', '', 'ja', translations.ja.Form1['Collector currnet (mA)'], translations.ja.Form1['温度(K)']],
    ['de-DE', '?lang=designed', 'en', 'Collector currnet (mA)', '温度(K)'],
    ['ja', '?lang=en', 'en', 'Collector current (mA)', 'Temperature (K)'],
  ];
  for (const [language, query, lang, collector, temperature] of rows) {
    const { page, errors, close } = await open({ language, query });
    try {
      const got = await page.evaluate(() => ({
        lang: document.documentElement.lang,
        collector: transistorApp.form.element('Label11')?.textContent,
        temperature: transistorApp.form.element('Label1')?.textContent,
        temperatureLang: transistorApp.form.element('Label1')?.lang,
      }));
      const where = `${language}${query}`;
      assert.deepEqual(got, { lang, collector, temperature,
        temperatureLang: /[^\x00-\x7f]/.test(temperature) ? 'ja' : '' }, where);
      assert.deepEqual(errors, [], where);
    } finally {
      await close();
    }
  }
});

// The browser's window, and the zoom the page opens at: the largest at
// which the whole form fits, when it is more than 100 %.
const FITS = [
  [700, 660, 1],
  [1024, 768, 1.17],
  [1366, 768, 1.17],
  [1920, 1080, 1.65],
  [3840, 2160, 3],
];

test('the page opens as large as the whole form fits, and Fit to window goes back to that', async () => {
  for (const [width, height, zoom] of FITS) {
    const { page, errors, close } = await open({ width, height });
    try {
      const where = `${width} × ${height}`;
      const shown = () => page.evaluate(() => {
        const r = document.getElementById('form').getBoundingClientRect();
        return { zoom: transistorApp.zoom, whole: r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight };
      });
      assert.deepEqual(await shown(), { zoom, whole: true }, where);
      // At 300 % the box that has the focus stays in sight.
      await page.click('#Text13');
      for (let i = 0; i < 8; i++) await press(page, ['Control', '=']);
      const box = await page.evaluate(() => {
        const r = document.getElementById('Text13').getBoundingClientRect();
        return r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
      });
      assert.ok(box, `${where}: the focused box in sight`);
      await press(page, ['Control', 'Shift', 'F']);
      assert.deepEqual(await shown(), { zoom, whole: true }, `${where}, fitted again`);
      assert.deepEqual(errors, [], where);
    } finally {
      await close();
    }
  }
});

test('?contrast=high opens the page in high contrast: white, lines two device pixels wide', async () => {
  for (const [query, background, rows] of [['', 'rgb(239, 239, 239)', 1], ['?contrast=high', WHITE, 2]]) {
    const { page, errors, close } = await open({ query });
    try {
      const got = await page.evaluate(() => {
        // The emitter's conduction edge (Line1), across its middle: the rows the line covers.
        const still = transistorApp.form.still;
        const k = still.width / 9915;
        const ctx = still.getContext('2d');
        const column = ctx.getImageData(Math.round(2760 * k), 0, 1, still.height).data;
        let rows = 0;
        for (let y = Math.round(2280 * k) - 3; y <= Math.round(2280 * k) + 3; y++) if (column[4 * y + 3] > 128) rows++;
        return {
          background: getComputedStyle(document.getElementById('form')).backgroundColor,
          checked: document.querySelector('[data-action=HighContrast]')?.getAttribute('aria-checked'),
          rows,
        };
      });
      assert.deepEqual(got, { background, checked: String(rows === 2), rows }, query);
      assert.deepEqual(errors, [], query);
    } finally {
      await close();
    }
  }
});

// Keys in turn, each with what it leaves: a pause, ticks run since the
// start of the row, the zoom, the menu open, pictures copied.
const KEYS = [
  ['F5', { paused: true }],
  ['Pause', { paused: false }],
  [['Control', '.'], { paused: true }],
  [['Control', '.'], { paused: false }],
  ['F6', { paused: true, ticks: 1 }],
  [['Control', ','], { paused: true, ticks: 1 }],
  ['F5', { paused: false }],
  [['Control', '='], { zoom: 1.25 }],
  [['Control', 'Shift', '='], { zoom: 1.5 }],
  [['Control', '-'], { zoom: 1.25 }],
  [['Control', '0'], { zoom: 1 }],
  [['Control', 'Shift', 'C'], { copies: 1 }],
  [['Control', 'Shift', '='], { zoom: 1.25 }],
  [['Control', 'Shift', 'F'], { zoom: 1 }], // Fit to window, in a window as large as the form
  [['Shift', 'F10'], { menu: true }, 'menu key'],
  ['ContextMenu', { menu: true }, 'menu key'],
];

// Where the focus is when the key comes: on the page's body after a click
// on the band diagram, in a text box, on the open classroom menu.
const FOCUS = {
  body: async (page) => page.mouse.click(300, 100),
  box: async (page) => page.click('#Text2'),
  menu: async (page) => {
    await page.mouse.click(300, 100, { button: 'right' });
    await page.waitForFunction(() => document.activeElement?.dataset.action === 'Pause');
  },
};

test('every classroom key works wherever the focus is, the menu open or not', async () => {
  const { page, errors, close } = await open();
  try {
    await page.click('#Command1');
    await advance(page, 500);
    for (const [where, focus] of Object.entries(FOCUS)) {
      for (const [key, want, kind] of KEYS) {
        // A text box answers the menu keys with its own menu.
        if (kind === 'menu key' && where === 'box') continue;
        await page.evaluate(() => { globalThis.copies = 0; });
        await focus(page);
        const before = await classroomState(page);
        await press(page, key);
        await page.waitForFunction((n) => globalThis.copies >= n, { timeout: 2000 }, want.copies ?? 0);
        const after = await classroomState(page);
        const got = { ...after, ticks: after.ticks - before.ticks };
        const expected = { ...before, ticks: 0, menu: false, copies: 0, ...want };
        assert.deepEqual(got, expected, `${where} ${key}`);
        await press(page, 'Escape');
      }
    }
    assert.deepEqual(errors, []);
  } finally {
    await close();
  }
});

test('the Keys item lists every key of the menu and what it does, in the page\'s language', async () => {
  for (const language of ['en-US', 'ja']) {
    const { page, errors, close } = await open({ language });
    try {
      await press(page, ['Shift', 'F10']);
      await page.click('[data-action=Keys]');
      const rows = await page.evaluate(() => {
        const dialog = /** @type {HTMLDialogElement} */ (document.getElementById('keys-help'));
        return {
          open: dialog.open,
          rows: [...dialog.querySelectorAll('tr')].map((r) => [...r.cells].map((c) => c.textContent?.trim())),
        };
      });
      const lang = language.slice(0, 2);
      const plain = (t) => (translations[lang]?.Classroom?.[t] ?? t).replace(/\(&\w\)|&/g, '');
      assert.equal(rows.open, true, language);
      assert.deepEqual(rows.rows.find((r) => r[0] === 'F5, Pause, Ctrl+.'), ['F5, Pause, Ctrl+.', plain('&Pause')], language);
      assert.deepEqual(rows.rows.find((r) => r[0] === 'Shift+F10, Menu'), ['Shift+F10, Menu', plain('Open this menu')], language);
      assert.ok(rows.rows.some((r) => r[0] === 'Ctrl+Shift+C' && r[1] === plain('&Copy picture')), language);
      assert.deepEqual(errors, [], language);
    } finally {
      await close();
    }
  }
});

test('a reload during a run asks first; before Start and after Close it does not, and the keys go back to the browser', async () => {
  const { page, errors, close } = await open();
  try {
    /** @type {string[]} */
    const asked = [];
    page.on('dialog', async (d) => {
      asked.push(d.type());
      await d.dismiss();
    });
    // Before Start: the reload goes ahead.
    await page.click('#Text2');
    await page.reload();
    await page.waitForFunction(() => globalThis.transistorApp);
    assert.deepEqual(asked, []);
    await page.click('#Command1');
    await page.evaluate(() => setTimeout(() => location.reload(), 0));
    await page.waitForFunction(() => true, { timeout: 500 }).catch(() => {});
    await new Promise((r) => setTimeout(r, 500));
    assert.deepEqual(asked, ['beforeunload']);
    assert.ok(await page.evaluate(() => transistorApp.core.runOn()), 'the run is still on');
    // After Close: no question, and no key held by the page.
    await page.click('#Command2');
    const held = await page.evaluate(() => {
      const held = [];
      for (const [key, ctrl] of [['F5', false], ['.', true], ['0', true]]) {
        const e = new KeyboardEvent('keydown', { key, ctrlKey: ctrl, bubbles: true, cancelable: true });
        document.body.dispatchEvent(e);
        if (e.defaultPrevented) held.push(key);
      }
      return held;
    });
    assert.deepEqual(held, []);
    await page.reload();
    assert.deepEqual(asked, ['beforeunload']);
    assert.deepEqual(errors, []);
  } finally {
    await close();
  }
});

/** Fingers on the touch screen, through the browser's own input: [x, y] each. */
const touch = (cdp, type, points) => cdp.send('Input.dispatchTouchEvent', {
  type, touchPoints: points.map(([x, y], id) => ({ x, y, id, radiusX: 2, radiusY: 2, force: 1 })),
});
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

async function tap(cdp, [x, y]) {
  await touch(cdp, 'touchStart', [[x, y]]);
  await touch(cdp, 'touchEnd', []);
  await sleep(50);
}

/** A finger held still at [x, y] for ms, wandering by `wander` px. */
async function longPress(cdp, [x, y], ms = 700, wander = 0) {
  await touch(cdp, 'touchStart', [[x, y]]);
  await sleep(100);
  if (wander) await touch(cdp, 'touchMove', [[x + wander, y]]);
  await sleep(ms - 100);
  await touch(cdp, 'touchEnd', []);
  await sleep(50);
}

/** Two fingers about [x, y], from `from` px apart to `to`. */
async function pinch(cdp, [x, y], from, to) {
  const at = (d) => [[x - d / 2, y], [x + d / 2, y]];
  await touch(cdp, 'touchStart', at(from));
  for (let i = 1; i <= 10; i++) await touch(cdp, 'touchMove', at(from + ((to - from) * i) / 10));
  await touch(cdp, 'touchEnd', []);
  await sleep(50);
}

/** Where a point of the form in twips is in the window, and the menu button's middle. */
const places = (page) => page.evaluate(() => {
  const form = document.getElementById('form').getBoundingClientRect();
  const button = document.getElementById('menu-button').getBoundingClientRect();
  const px = transistorApp.zoom / 15;
  return {
    diagram: [form.left + 3000 * px, form.top + 1000 * px],
    plot: [form.left + 3000 * px, form.top + 8400 * px],
    box: [form.left + 1900 * px, form.top + 4800 * px],
    button: [button.left + button.width / 2, button.top + button.height / 2],
    buttonSize: [button.width, button.height],
    buttonName: document.getElementById('menu-button').getAttribute('aria-label'),
  };
});

/** The open menu's items by action, each with its height. */
const menuItems = (page) => page.evaluate(() => {
  const menu = document.getElementById('classroom-menu');
  if (menu.hidden) return null;
  return Object.fromEntries([...menu.querySelectorAll('[data-action]')].map((i) => {
    const r = i.getBoundingClientRect();
    return [i.dataset.action, { x: r.left + r.width / 2, y: r.top + r.height / 2, height: r.height }];
  }));
});

// What a tap on each item of the menu leaves, opened each time by a long
// press on the diagram, a long press on the plot, or the menu button.
const TOUCH_ITEMS = [
  ['ActualSize', { zoom: 1 }], // both open fitted, above 100 %
  ['Pause', { paused: true }],
  ['Pause', { paused: false }],
  ['Step', { paused: true, ticks: 1 }],
  ['Pause', { paused: false }],
  ['ZoomIn', { zoom: 1.25 }],
  ['ActualSize', { zoom: 1 }],
  ['CopyPicture', { copies: 1 }],
  ['Fit', { zoom: 'fit' }],
  ['HighContrast', { background: WHITE }],
  ['HighContrast', { background: 'rgb(239, 239, 239)' }],
];

for (const [device, emulation] of Object.entries(DEVICES)) {
  test(`${device}, by touch only: a long press and the menu button open the menu, and its items work`, async () => {
    const { page, errors, cdp, close } = await open({ device: emulation });
    try {
      let p = await places(page);
      assert.ok(p.buttonSize[0] >= 44 && p.buttonSize[1] >= 44, `the menu button is ${p.buttonSize}`);
      assert.equal(p.buttonName, 'Classroom menu');
      // A finger that wanders, or lifts early, opens nothing.
      await longPress(cdp, p.diagram, 700, 30);
      await longPress(cdp, p.diagram, 250);
      assert.equal(await menuItems(page), null, 'a wandering or short press');
      await tap(cdp, (await page.evaluate(() => {
        const r = document.getElementById('Command1').getBoundingClientRect();
        return [r.left + r.width / 2, r.top + r.height / 2];
      })));
      await advance(page, 500);
      const openers = ['diagram', 'plot', 'button'];
      let n = 0;
      for (const [action, want] of TOUCH_ITEMS) {
        p = await places(page);
        const opener = openers[n++ % openers.length];
        if (opener === 'button') await tap(cdp, p.button);
        else await longPress(cdp, p[opener]);
        const items = await menuItems(page);
        assert.ok(items, `${opener} opens the menu`);
        for (const [name, item] of Object.entries(items))
          assert.ok(item.height >= 44, `${opener}: ${name} is ${item.height} px tall`);
        const before = await classroomState(page);
        await tap(cdp, [items[action].x, items[action].y]);
        await page.waitForFunction((c) => globalThis.copies >= c, { timeout: 2000 }, want.copies ?? 0);
        const after = await classroomState(page);
        const zoom = want.zoom === 'fit' ? await page.evaluate(() => transistorApp.fitZoom()) : want.zoom;
        assert.deepEqual({ ...after, ticks: after.ticks - before.ticks },
          { ...before, ticks: 0, menu: false, ...want, zoom: zoom ?? before.zoom },
          `${device} ${opener} ${action}`);
      }
      // A pinch steps the zoom: fingers apart zoom in, together zoom out.
      const middle = await page.evaluate(() => [innerWidth / 2, innerHeight / 2]);
      await pinch(cdp, middle, 60, 200);
      const zoomed = await page.evaluate(() => transistorApp.zoom);
      assert.ok(zoomed >= 1.5, `apart: ${zoomed}`);
      await pinch(cdp, middle, 200, 60);
      assert.ok(await page.evaluate(() => transistorApp.zoom) < zoomed, 'together');
      // A double tap on a button presses it and never zooms the page.
      const touchAction = await page.evaluate(() => [...document.querySelectorAll('#form button, #form input')]
        .map((el) => getComputedStyle(el).touchAction));
      assert.deepEqual([...new Set(touchAction)], ['manipulation']);
      assert.deepEqual(errors, []);
    } finally {
      await close();
    }
  });
}

test('every box, button, the plot and the lower-left shapes show what a screen reader hears: on hover, or held by a finger', async () => {
  for (const language of ['en-US', 'ja']) {
    const { page, errors, cdp, close } = await open({ language, device: DEVICES.chromebook });
    try {
      const worded = await page.$$eval('#form [title]', (els) => els.map((el) => el.id || el.getAttribute('aria-label')));
      assert.ok(['Text11', 'Text12', 'Text13', 'Picture1', 'Command1', 'Text1'].every((id) => worded.includes(id)), `${language}: ${worded}`);
      assert.equal((await page.$$('#form .legend[title]')).length, 2, `${language}: the two shapes`);
      for (const id of ['Text11', 'Text13', 'Picture1', 'Command3', 'Text4']) {
        const handle = await page.$(`#${id}`);
        const node = await page.accessibility.snapshot({ root: handle ?? undefined, interestingOnly: false });
        const title = await page.$eval(`#${id}`, (el) => el.title);
        // The name over the description (the plot's goes on with the count now).
        const [name, description] = title.split('\n');
        assert.ok(name === node?.name && description && node?.description?.startsWith(description),
          `${language} ${id}: ${JSON.stringify(title)} for ${node?.name}: ${node?.description}`);
      }
      // A finger held on a counter, and on a shape, shows its words.
      for (const selector of ['#Text12', '#form .legend']) {
        const at = await page.$eval(selector, (el) => {
          const r = el.getBoundingClientRect();
          return [r.left + r.width / 2, r.top + r.height / 2];
        });
        await longPress(cdp, at);
        const shown = await page.evaluate((s) => {
          const tip = document.getElementById('tooltip');
          return { open: !tip.hidden, text: tip.textContent, menu: !document.getElementById('classroom-menu').hidden,
            want: document.querySelector(s)?.getAttribute('title') };
        }, selector);
        assert.deepEqual(shown, { open: true, text: shown.want, menu: false, want: shown.want }, `${language} ${selector}`);
        await tap(cdp, [5, 5]);
      }
      assert.deepEqual(errors, [], language);
    } finally {
      await close();
    }
  }
});

// Texts of the form whose copy must match the screen: captions aligned right
// and left, a Japanese one, wrapped ones, and boxes with their text.
const COPIED_TEXTS = ['Label1', 'Label11', 'Label18', 'Label13', 'Label3', 'Label15', 'Label10', 'Text1', 'Text7', 'Text13'];

test('the copied picture shows each text where the screen shows it, in the same font', async () => {
  for (const [language, query] of [['en-US', ''], ['ja', ''], ['en-US', '?lang=designed']]) {
    const { page, errors, close } = await open({ language, query });
    try {
      await page.click('#Command1');
      await advance(page, 1000);
      await press(page, 'F5');
      await page.mouse.move(0, 0);
      await press(page, ['Control', 'Shift', 'C']);
      await page.waitForFunction(() => globalThis.copies === 1);
      const copied = decodePng(Buffer.from(await page.evaluate(async () => {
        const bytes = new Uint8Array(await globalThis.copied.arrayBuffer());
        let s = '';
        for (const b of bytes) s += String.fromCharCode(b);
        return btoa(s);
      }), 'base64'));
      const form = await page.$('#form');
      const shown = decodePng(await /** @type {any} */ (form).screenshot());
      const rects = await page.evaluate((ids) => {
        const f = document.getElementById('form').getBoundingClientRect();
        return ids.map((id) => {
          const el = document.getElementById(id) ?? transistorApp.form.element(id);
          // A caption's text where it stands (its box may reach under a neighbour).
          const range = document.createRange();
          range.selectNodeContents(el);
          const r = el instanceof HTMLInputElement ? el.getBoundingClientRect() : range.getBoundingClientRect();
          // Inside a box's border: its text only.
          const inset = el instanceof HTMLInputElement ? 2 : 0;
          return [id, Math.round(r.left - f.left) + inset, Math.round(r.top - f.top) + inset,
            Math.round(r.width) - 2 * inset, Math.round(r.height) - 2 * inset];
        });
      }, COPIED_TEXTS);
      const dark = (png, x, y) => {
        const [r, g, b] = png.at(x, y);
        return 0.3 * r + 0.59 * g + 0.11 * b < 110;
      };
      for (const [id, left, top, width, height] of rects) {
        let both = 0, either = 0;
        for (let y = top; y < top + height; y++) {
          for (let x = left; x < left + width; x++) {
            const a = dark(copied, x, y), b = dark(shown, x, y);
            if (a && b) both++;
            if (a || b) either++;
          }
        }
        // Antialiasing may differ at an edge; the glyphs stand where they do.
        assert.ok(either > 0 && both / either > 0.75, `${language}${query} ${id}: ${both} of ${either} dark pixels shared`);
      }
      assert.deepEqual(errors, [], language);
    } finally {
      await close();
    }
  }
});
