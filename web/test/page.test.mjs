// The page in Debian's Chromium, headless, driven through real keys, clicks
// and links: the same state as the native driver, the drawing where the core
// has it, the copied picture, what a screen reader meets, random input, and
// the app a web server lets a browser install or a learning platform frames.
//
//   TRANSISTOR_PAGE_DIR=build-wasm/page TRANSISTOR_SCRIPT=build/bin/transistor-script \
//     node --test web/test/page.test.mjs
//
// TRANSISTOR_RANDOM_SEED and TRANSISTOR_RANDOM_ACTIONS play the random input again, or longer.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import http from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join } from 'node:path';
import { test } from 'node:test';

import { decodePng, pageDir, root } from '../chromium.mjs';
import { act, DEVICES, has, linkGiven, play, session, sleep, tr, withPage } from './user.mjs';

const READOUTS_OPENINGS = { 'F8': ['key F8'], 'the menu': ['key Shift+F10', 'menu Readouts'], 'the menu by touch': ['key Shift+F10', 'tap item:Readouts'] };
const refused = (box) => ({ message: has(box) });

// Sessions of keys, clicks and links; a link's `set` lines are the texts it put in the boxes.
const SESSIONS = [
  { name: 'Enter on Start as the page opens', steps: ['key Enter = click Start', 'wait 10000', 'dump', 'wait 2500', 'dump'] },
  { name: 'typed inputs, Enter in a box, F6 twice, F5', steps: ['type Text1 2000', 'type Text4 0.3',
    'key Enter = click Start', 'wait 3000', 'key F6 = step', 'key F6 = step', 'dump', 'key F5 = resume', 'wait 10000', 'dump'] },
  { name: 'a clamped Restart before Start, then a refused Start', steps: ['type Text8 9', 'click Restart', 'dump',
    'type Text3 x', 'click Start', refused('Base Fermi level (eV)'), 'key Enter =', 'dump'] },
  { name: 'Pause, a minute paused, Enter restarts paused, F5 resumes', steps: ['click Start', 'wait 1000',
    'key Pause = pause', 'wait 60000', 'type Text8 0', 'key Enter = click Restart', 'key F5 = resume', 'wait 20000', 'dump'] },
  { name: 'Space on Start, a step, then Close', steps: ['key Space = click Start', 'wait 500', 'key F6 = step',
    'wait 250', 'click Close', 'wait 1000', 'dump', { ended: 'The program has ended. You may close this page.' }] },
  { name: 'a comma refused, Enter in a readout, then a Start', steps: ['type Text2 0,5', 'click Start', 'key Escape =',
    'type Text7 abc', 'key Enter =', 'type Text5 12', 'type Text2 0.85', 'click Start', 'wait 10000', 'dump'] },
  { name: 'F5, Pause and F6 in a box stop the whole clock with the sign, F6 runs one tick', steps: [
    'key Enter = click Start', 'wait 1000', 'click #Text2', { ran: 20 }, 'key F5 = pause', { sign: 'Paused', ran: 0 }, 'wait 1000',
    'dump', { ran: 0 }, 'key F5 = resume', 'wait 1000', { sign: '', ran: 20 }, 'key F6 = step', { sign: 'Paused', ran: 1 },
    'wait 1000', 'key F6 = step', { ran: 1 }, 'key Pause = resume', 'wait 1000', { sign: '', ran: 20 }, 'key F6 = step',
    'key Pause = resume', 'wait 1000', 'dump'] },
  { name: 'the classroom menu: its keys, letters and mouse', steps: ['key Enter = click Start', 'wait 500',
    'key Shift+F10', { menu: true, focus: 'Pause', pauseItem: 'Pause' }, 'key ArrowDown', { focus: 'Step' },
    'key ArrowDown', 'key ArrowDown', { focus: 'CopyPicture' }, // Zoom out and Actual size are off at 100 %
    'key End', { focus: 'Keys' }, 'key ArrowDown', { focus: 'Pause' }, 'key ArrowUp', { focus: 'Keys' },
    'key Home', { focus: 'Pause' }, 'key Escape', { menu: false, focus: 'Command1' },
    'key ContextMenu', { menu: true, focus: 'Pause' }, 'key Enter = pause', { menu: false, focus: 'Command1', paused: true },
    'key Shift+F10', { pauseItem: 'Resume' }, 'key r = resume', { menu: false, paused: false },
    'key Shift+F10', 'key i', { menu: false, zoom: 1.25 }, 'key Shift+F10', 'key End', ...Array(6).fill('key ArrowUp'),
    { focus: 'ActualSize' }, 'key Enter', { menu: false, zoom: 1 }, 'key Shift+F10', 'key Tab', { menu: false, focus: 'Command1' },
    'right 300,100', { menu: true, focus: 'Pause', menuAt: [300, 100] }, 'left 600,40', { menu: false },
    'right 300,100', 'key s = step', { menu: false, paused: true, ran: 1 }, 'dump'] },
  { name: 'a text box keeps its own menu for the Menu key and Shift+F10', steps: ['click #Text2',
    'key ContextMenu', { menu: false, nativeMenus: 1 }, 'key Shift+F10', { menu: false, nativeMenus: 2 }] },
  { name: 'the page\'s own texts in Japanese', language: 'ja', steps: ['key Enter', 'key F5', { sign: tr('ja', 'Classroom', 'Paused') },
    'click Close', { ended: tr('ja', 'Page', 'The program has ended. You may close this page.') }] },
  ...['en-US', 'ja'].map((language) => ({ name: `a refused input in ${language}: a message names the box, then the box has the focus, its text selected`,
    language, steps: [['Text3', 'x', 'key Enter', 'Base Fermi level (eV)', '0.2'], ['Text1', '   ', 'click Start', 'Temperature (K)', '300'],
      ['Text4', '', 'key Enter', 'Emitter–base voltage VEB (V)', '0.5']].flatMap(([box, text, how, named, right]) => [`type ${box} ${text}`, how,
      { message: has(tr(language, 'Message', named)), inDialog: 'message' }, 'key Enter', { focus: box, selection: [0, text.length] }, `type ${box} ${right}`]) })),
  { name: 'zoom keys and Ctrl with the wheel: 25 % steps from 100 to 300 %', height: 600, steps: [
    'key Ctrl+=', { zoom: 1.25 }, 'key Ctrl+=', { zoom: 1.5 }, 'key Ctrl+Shift+=', { zoom: 1.75 }, 'key Ctrl+-', { zoom: 1.5 },
    'key Ctrl+0', { zoom: 1 }, 'key Ctrl+-', { zoom: 1 }, ...Array(9).fill('key Ctrl+='), { zoom: 3 },
    'wheel down', { zoom: 2.75 }, 'wheel up', { zoom: 3 }, 'wheel up', { zoom: 3 }, 'key Ctrl+0', { zoom: 1 }] },
  { name: 'zooming keeps the same part of the form in the window\'s corner', width: 500, height: 400,
    steps: [...Array(4).fill('key Ctrl+='), 'scroll 400,300', { zoom: 2, corner: [2950, 2200] },
      ...[2.25, 2.5, 2.25, 2, 1.75].flatMap((zoom, i) => [i < 2 ? 'key Ctrl+=' : 'key Ctrl+-', { zoom, corner: [2950, 2200] }])] },
  ...Object.entries(READOUTS_OPENINGS).map(([how, opening]) => ({ name: `the Readouts view by ${how}`, steps: [
    'key Enter = click Start', 'wait 30000', 'type Text4 0.3', 'key Enter = click Restart', 'wait 20000', 'focus #Command1',
    ...opening, { readouts: { open: true, headers: 14, notWhole: [true, false, false, true, false], settings: 2,
      described: /Setting 2 .*collector mean/ } }, 'readouts', 'key Escape', { readouts: { open: false } }] })),
  { name: 'a link with every input, then Start, VCB clamped', query: '?T=2000&EFE=0.8&efb=0.3&EFC=0.6&VEB=0.3&VCB=3',
    steps: ['set Text1 2000', 'set Text2 0.8', 'set Text3 0.3', 'set Text9 0.6', 'set Text4 0.3', 'set Text8 3',
      'click Start', 'wait 10000', 'dump'] },
  { name: 'a link that starts, a platform\'s own name left alone', query: '?VCB=1.2&id=12&start',
    steps: ['set Text8 1.2', '= click Start', 'wait 3000', 'dump'] },
  { name: 'a link\'s decoded texts, then Restart', query: '?VEB=0%2E25&T=+400',
    steps: ['set Text4 0.25', 'set Text1  400', 'click Start', 'wait 1000', 'click Restart', 'dump'] },
  { name: 'a refused value in a link', query: '?EFB=x', steps: ['set Text3 x', 'click Start', refused('Base Fermi level (eV)'), 'dump'] },
  { name: 'an empty value in a link that starts', query: '?T=&start', steps: ['set Text1 ', '= click Start', refused('Temperature (K)'), 'dump'] },
  { name: 'a comma in a link that starts', query: '?VEB=0,3&start', steps: ['set Text4 0,3', '= click Start',
    refused('Emitter–base voltage VEB (V)'), 'dump'] },
  { name: 'a link\'s language and zoom', query: '?lang=ja&zoom=150', steps: [{ lang: 'ja', zoom: 1.5, texts: { Start: tr('ja', 'Form1', 'Start') } }] },
  { name: 'a link\'s designed texts', query: '?lang=designed', steps: [{ lang: 'en', zoom: 1, texts: { Start: tr('', 'Form1', 'Start') } }] },
  { name: 'a link\'s English and zoom in steps', query: '?lang=en&zoom=170%25', language: 'ja', steps: [{ lang: 'en', zoom: 1.75 }] },
  { name: 'a link\'s zoom too large', query: '?zoom=900', language: 'ja', steps: [{ lang: 'ja', zoom: 3 }] },
  ...[false, true].map((refuse) => ({ name: `Copy link${refuse ? ', the clipboard refused' : ''} opens the same setup`,
    query: '?VEB=0.4&lang=ja&zoom=125', width: 1000, height: 900, steps: [refuse ? 'refuse' : '', 'type Text1 3 00&x=1',
      'type Text3 0,25', 'right 400,100', 'menu CopyLink', 'reopen', { values: { Text1: '3 00&x=1', Text3: '0,25', Text4: '0.4' } }] })),
];

for (const row of SESSIONS) test(row.name, () => session(row));

test('from file:// it asks for nothing but itself, and animates on the browser\'s clock', () => withPage({ manual: false }, async (s) => {
  await act(s, 'key Enter'); // Start has the focus as the page opens
  const clip = await s.page.evaluate(() => {
    const r = document.getElementById('form').getBoundingClientRect();
    return { x: scrollX + r.left, y: scrollY + r.top, width: r.width, height: 3600 / 15 };
  });
  const first = decodePng(await s.page.screenshot({ clip }));
  const second = decodePng(await sleep(400).then(() => s.page.screenshot({ clip })));
  const moved = first.rgba.filter((v, i) => i % 4 === 0 && v !== second.rgba[i]).length;
  assert.ok(moved > 50, `the carriers moved: ${moved} pixels changed in 400 ms`);
}));

const isDark = (...c) => Math.max(...c.slice(0, 3)) <= 64;
const isLight = (...c) => Math.min(...c.slice(0, 3)) >= 192;

// Lines and shapes that never move, by their place in twips: the middle of
// a line, the middle of each side of a rectangle (a negative twip is the
// far edge of the box, whose outline lies inside it), the inside of a filled one.
const STILL = { 'Line1, the emitter conduction edge': [[2760, 2280]], 'Line2, the emitter valence edge': [[2760, 3480]],
  'Line15, the left wire': [[1320, 5500]], 'Line17, the wire between the batteries': [[2400, 6360]],
  'Shape3, the transistor body': [[2647, 5040], [1680, 5287], [-3615, 5287], [2647, -5535]],
  'Shape4, a battery plate, filled': [[1867, 6367]] };

test('after Start and a few steps everything is drawn where it is: carriers, plot points, lines', async () => {
  // Device pixels, and the keys that zoom the page: 1x, 2x, the page at 150 %, the browser at 150 % and the page at 125 %.
  for (const [dpr, zooms] of [[1, 0], [2, 0], [1, 2], [1.5, 1]]) {
    const name = `${dpr}x, ${zooms} zoom steps`;
    await withPage({ dpr, width: 1100, height: 1000, name }, async (s) => {
      for (const step of [...Array(zooms).fill('key Ctrl+='), 'click Start', 'wait 2000', 'key F6', 'key F6', 'key F6']) await act(s, step);
      const d = await s.page.evaluate(() => {
        const app = transistorApp, r = (id) => document.getElementById(id).getBoundingClientRect();
        const take = (holes) => { const { count, positions } = app.core.carriers(holes);
          return Array.from({ length: count }, (_, i) => [positions[2 * i + 2], positions[2 * i + 3]]); };
        // What covers a part of the form: every element on it but the canvases.
        const covers = [...document.getElementById('form').children].filter((el) => el instanceof HTMLElement
          && el.tagName !== 'CANVAS' && !el.hidden && !el.classList.contains('for-screen-readers'))
          .map((el) => el.getBoundingClientRect()).map((b) => [b.left, b.top, b.right, b.bottom]);
        return { electrons: take(false), holes: take(true), points: [...app.core.plot()], form: [r('form').left, r('form').top],
          plot: [r('Picture1').left, r('Picture1').top, r('Picture1').width, r('Picture1').height], covers, px: app.zoom / 15 };
      });
      const shot = decodePng(await s.page.screenshot());
      const snap = (v) => Math.round(v * d.px * dpr) / dpr; // a place in twips, on the device's pixels
      const pixel = (x, y, covers = []) => (x < 0 || y < 0 || x >= 1100 || y >= 1000 || covers.some(([l, t, r, b]) => x >= l - 1 && x <= r + 1 && y >= t - 1 && y <= b + 1)
        ? null : shot.at(Math.floor(x * dpr), Math.floor(y * dpr)));
      const wrong = [], seen = { electrons: 0, holes: 0, points: 0 };
      const look = (kind, x, y, want, covers) => {
        const c = pixel(x, y, covers);
        if (c && (seen[kind] = (seen[kind] ?? 0) + 1) && !want(...c)) wrong.push(`${kind} at ${x}, ${y}: rgb(${c.slice(0, 3)})`);
      };
      // A hole is drawn over everything: an electron under one is not seen, nor a hole under a later hole's ring.
      const near = (a, b, r) => Math.hypot(a[0] - b[0], a[1] - b[1]) < r;
      const at = (p) => [d.form[0] + (p[0] + 52.5) * d.px, d.form[1] + (p[1] + 52.5) * d.px];
      for (const p of d.electrons) if (!d.holes.some((h) => near(p, h, 67.5))) look('electrons', ...at(p), isDark, d.covers);
      d.holes.forEach((p, i) => d.holes.slice(i + 1).some((h) => near(p, h, 67.5) && !near(p, h, 26)) || look('holes', ...at(p), isLight, d.covers));
      // A point of the plot is a square of one (scaled) pixel; the plot's border covers its edges.
      const [pl, pt, pw, ph] = d.plot, side = Math.max(1, Math.round(d.px * 15 * dpr)) / dpr;
      for (let i = 0; i < d.points.length; i += 2) {
        const x = pl + snap(d.points[i]) + side / 2, y = pt + snap(d.points[i + 1]) + side / 2;
        if (x > pl + 2.5 && y > pt + 2.5 && x < pl + pw - 2.5 && y < pt + ph - 2.5) look('points', x, y, (...c) => Math.max(...c.slice(0, 3)) <= 100);
      }
      for (const [what, places] of Object.entries(STILL)) for (const [x, y] of places) {
        const edge = (v) => snap(Math.abs(v)) + (v < 0 ? -side / 2 : side / 2);
        look(`${what} at (${x}, ${y}) twips`, d.form[0] + edge(x), d.form[1] + edge(y), isDark);
      }
      assert.ok(seen.electrons >= 40 && seen.holes >= 5 && (seen.points >= 10 || pt + ph > 1000), `${name}: in sight: ${JSON.stringify(seen)}`);
      assert.deepEqual(wrong, [], name);
    });
  }
});

// Texts of the form whose copy must match the screen: captions aligned right
// and left, a Japanese one, wrapped ones, and boxes with their text.
const COPIED_TEXTS = ['Label1', 'Label11', 'Label18', 'Label13', 'Label3', 'Label15', 'Label10', 'Text1', 'Text7', 'Text13'];

test('Ctrl+Shift+C copies the part of the form in sight, on white, without the buttons, each text where the screen has it', async () => {
  const rows = [['en-US', '', 1, 0, 700, 660], ['ja', '', 1, 0, 700, 660], ['en-US', '?lang=designed', 1, 0, 700, 660], ['en-US', '', 2, 0, 700, 660],
    ['en-US', '', 1, 4, 560, 420, 'refuse']]; // 200 % in a small window, scrolled; the picture is then downloaded
  for (const [language, query, dpr, zooms, width, height, refuse = ''] of rows) {
    const name = `${language}${query} ${dpr}x ${zooms} zoom steps ${refuse}`;
    await withPage({ language, query, dpr, width, height, name }, async (s) => {
      for (const step of [refuse, ...Array(zooms).fill('key Ctrl+='), 'click Start', 'wait 1000', 'key F5']) await act(s, step);
      // A window scrolled into the form copies what it shows of it.
      if (zooms) await s.page.evaluate(() => document.getElementById('Command1').scrollIntoView({ block: 'end', inline: 'end' }));
      await s.page.mouse.move(0, 0).then(() => act(s, 'key Ctrl+Shift+C'));
      await s.page.waitForFunction(() => globalThis.copied || globalThis.saved, { timeout: 5000 });
      const png = await s.page.evaluate(async () => {
        const saved = await globalThis.saved;
        return saved ? [saved.name, saved.bytes] : ['', [...new Uint8Array(await globalThis.copied.arrayBuffer())]];
      });
      assert.equal(png[0], refuse && 'transistor-sim.png', name);
      const copied = decodePng(Buffer.from(png[1]));
      const d = await s.page.evaluate((ids) => {
        const f = document.getElementById('form').getBoundingClientRect(), v = document.documentElement;
        const start = document.getElementById('Command1').getBoundingClientRect();
        const { positions } = transistorApp.core.carriers(false);
        return { form: [f.left, f.top, f.right, f.bottom], view: [v.clientWidth, v.clientHeight], px: transistorApp.zoom / 15,
          start: [start.left + start.width / 2, start.top + start.height / 2], electron: [positions[2], positions[3]],
          texts: ids.map((id) => {
            // A caption's text where it stands (its box may reach under a neighbour); inside a box's border, its text.
            const el = document.getElementById(id) ?? transistorApp.form.element(id), range = document.createRange();
            range.selectNodeContents(el);
            const inset = el instanceof HTMLInputElement ? 2 : 0, r = (inset ? el : range).getBoundingClientRect();
            return [id, r.left - f.left + inset, r.top - f.top + inset, r.width - 2 * inset, r.height - 2 * inset];
          }) };
      }, COPIED_TEXTS);
      const [left, top, right, bottom] = [Math.max(0, d.form[0]), Math.max(0, d.form[1]), Math.min(d.form[2], d.view[0]), Math.min(d.form[3], d.view[1])];
      assert.deepEqual([copied.width, copied.height], [Math.round((right - left) * dpr), Math.round((bottom - top) * dpr)], `${name}: its size`);
      const at = (x, y) => copied.at(Math.floor((x - left) * dpr), Math.floor((y - top) * dpr));
      const places = [['the Start button is left out', d.start, isLight],
        ['an electron', [d.form[0] + (d.electron[0] + 52.5) * d.px, d.form[1] + (d.electron[1] + 52.5) * d.px], isDark],
        ['a place with nothing on it is white', [d.form[0] + 600 * d.px, d.form[1] + 600 * d.px], (...c) => Math.min(...c) === 255],
        ['the right wire', [d.form[0] + 3960 * d.px + 0.5, d.form[1] + 6200 * d.px], isDark]]
        .filter(([, [x, y]]) => x >= left && y >= top && x < right && y < bottom);
      assert.ok(places.length >= 2, `${name}: ${places.length} places to look at`);
      for (const [what, [x, y], want] of places) assert.ok(want(...at(x, y)), `${name}: ${what}: rgb(${at(x, y)})`);
      if (zooms || dpr > 1) return;
      // The glyphs stand where the screen has them, in the same font (antialiasing may differ at an edge).
      const shown = decodePng(await (await s.page.$('#form')).screenshot());
      const dark = (png, x, y) => { const [r, g, b] = png.at(x, y); return 0.3 * r + 0.59 * g + 0.11 * b < 110; };
      for (const [id, l, t, w, h] of d.texts) {
        let both = 0, either = 0;
        for (let y = Math.round(t); y < Math.round(t + h); y++) for (let x = Math.round(l); x < Math.round(l + w); x++) {
          const a = dark(copied, x, y), b = dark(shown, x, y);
          both += a && b ? 1 : 0;
          either += a || b ? 1 : 0;
        }
        assert.ok(either > 0 && both / either > 0.75, `${name} ${id}: ${both} of ${either} dark pixels shared`);
      }
    });
  }
});

test('a screen reader and a hover or a held finger meet every box, button, the plot and the shapes by their words', async () => {
  const english = {};
  for (const language of ['en-US', 'ja']) {
    await withPage({ language, device: DEVICES.chromebook, name: language }, async (s) => {
      const node = async (selector) => s.page.accessibility.snapshot({ root: await s.page.$(selector), interestingOnly: false });
      for (const held of ['#Text12', '.legend']) {
        const title = await s.page.$eval(held, (el) => el.title);
        await play(s, [`hold ${held}`, { tooltip: title, menu: false }, 'tap diagram', { tooltip: '' }], `${language} ${held}`);
      }
      await act(s, 'click Start');
      const worded = await s.page.$$eval('#form input, #form button[id^=Command], #Picture1, #form .legend',
        (els) => els.map((el) => [el.id || 'legend', el.title]));
      assert.equal(worded.filter(([, title]) => title).length, worded.length, `${language}: ${worded}`);
      for (const [id, title] of worded.filter(([id]) => id !== 'legend')) {
        const heard = await node(`#${id}`);
        // The name over the description (the plot's goes on with the count now).
        const [name, description] = title.split('\n');
        english[id] ??= [name, description];
        assert.deepEqual([heard.role, heard.name, heard.description.slice(0, description.length)],
          [{ Command: 'button', Text: 'textbox', Picture: 'image' }[id.replace(/\d+/, '')], name, description], `${language} ${id}`);
        // The window's own texts, in the language: what its translators know.
        assert.deepEqual([name, description], english[id].map((t) => tr(language, 'Form1', t)), `${language} ${id}: the window's texts`);
        assert.ok(english[id].every((t) => tr('ja', 'Form1', t) !== t), `${id}: ${english[id]} are texts of the window`);
      }
      const names = worded.filter(([id]) => id !== 'legend').map(([, t]) => t.split('\n')[0]);
      assert.deepEqual([new Set(names).size, worded.length - names.length], [names.length, 2], `${language}: every name its own, and the two shapes`);
      const band = await node('canvas[role=img]');
      assert.equal(band.name, tr(language, 'transistor::MainWindow', 'Band diagram'), language);
      assert.match(band.description, [/^Electrons in the emitter: \d+, in the base: \d+, in the collector: \d+/,
        /^電子の数はエミッタ \d+、ベース \d+、コレクタ \d+/][language === 'ja' ? 1 : 0], language);
      // A refused input: an alert dialog titled as the window, with its button in the language.
      await play(s, ['type Text3 x', 'key Enter'], language);
      const [dialog, button] = [await node('#message'), await node('#message button')];
      assert.deepEqual([dialog.role, dialog.name, dialog.description.startsWith(tr(language, 'Message', 'Base Fermi level (eV)')), button.name],
        ['alertdialog', tr(language, 'Form1', 'Transistor visual simulation'), true, tr(language, 'Page', 'OK')], language);
    });
  }
});

// A window too small for the lower strip: Tab must bring it into sight.
test('Tab visits the controls in the window\'s tab order, each in sight with a focus mark', () => withPage({ height: 480 }, async (s) => {
  const path = ['Command1', 'Command2', 'Text1', 'Text2', 'Text3', 'Text4', 'Text6', 'Text7', 'Picture1', 'Text5',
    'Command3', 'Text8', 'Text9', 'Text10', 'Text11', 'Text12', 'Text13'];
  for (const [i, id] of path.entries()) {
    await play(s, [i ? 'key Tab' : '', { focus: id, focusInSight: true }], 'Tab');
    const r = await s.page.evaluate(() => {
      const b = document.activeElement.getBoundingClientRect();
      return { x: scrollX + b.left - 4, y: scrollY + b.top - 4, width: b.width + 8, height: b.height + 8 };
    });
    const shot = decodePng(await s.page.screenshot({ clip: r }));
    const rgba = shot.rgba, mark = rgba.filter((_, i) => i % 4 === 0 && Math.abs(rgba[i] - 0x1a) + Math.abs(rgba[i + 1] - 0x5f) + Math.abs(rgba[i + 2] - 0xb4) < 90).length;
    assert.ok(mark >= 2 * (r.width + r.height) / 3, `${id} shows a focus mark: ${mark} pixels`);
  }
  await play(s, ['key Shift+Tab', { focus: 'Text12' }], 'Shift+Tab goes back');
}));

/** A generator of numbers in [0, 1) from a seed, so that a failing run can be played again. */
function random(seed) {
  let s = seed >>> 0;
  return () => {
    s = (s + 0x6d2b79f5) >>> 0;
    let t = Math.imul(s ^ (s >>> 15), s | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// Keys as the browser's input takes them: key, code, key code, and the text typed.
const KEY_CODES = { Enter: ['Enter', 13, '\r'], Tab: ['Tab', 9], Escape: ['Escape', 27], F5: ['F5', 116], Pause: ['Pause', 19],
  F6: ['F6', 117], F10: ['F10', 121], ' ': ['Space', 32, ' '], Backspace: ['Backspace', 8], Delete: ['Delete', 46],
  ArrowDown: ['ArrowDown', 40], ArrowUp: ['ArrowUp', 38], ArrowLeft: ['ArrowLeft', 37], Home: ['Home', 36], End: ['End', 35],
  ContextMenu: ['ContextMenu', 93], '=': ['Equal', 187, '='], '+': ['Equal', 187, '+'], '-': ['Minus', 189, '-'],
  '0': ['Digit0', 48, '0'], a: ['KeyA', 65, 'a'], C: ['KeyC', 67, 'C'], r: ['KeyR', 82, 'r'], z: ['KeyZ', 90, 'z'], '5': ['Digit5', 53, '5'] };
const MODIFIER_BITS = { Alt: 1, Control: 2, Meta: 4, Shift: 8 };
const BOXES = Array.from({ length: 13 }, (_, i) => `Text${i + 1}`);
const PLAIN_KEYS = ['Enter', 'Tab', 'Escape', 'F5', 'Pause', 'F6', ' ', 'Backspace', 'Delete', 'ArrowDown', 'ArrowUp',
  'ArrowLeft', 'Home', 'End', 'ContextMenu', 'a', 'r', 'z', '5'];
const MODIFIED = [['=', 'Control'], ['+', 'Control', 'Shift'], ['-', 'Control'], ['0', 'Control'], ['F10', 'Shift'],
  ['Tab', 'Shift'], ['a', 'Control'], ['C', 'Control', 'Shift'], ['r', 'Alt']];
const CHARACTERS = [...'0123456789..,,--+eE xé漢字１２🙂'];

test('thousands of random keys, clicks and texts break nothing, and Start still starts', async () => {
  const seed = Number(process.env.TRANSISTOR_RANDOM_SEED ?? 20), count = Number(process.env.TRANSISTOR_RANDOM_ACTIONS ?? 3000);
  const next = random(seed), pick = (list) => list[Math.floor(next() * list.length)];
  const text = (n) => Array.from({ length: n }, () => pick(CHARACTERS)).join('');
  await withPage({ width: 760, height: 700, name: `seed ${seed}` }, async (s) => {
    // Close, by a click or by Tab and Enter, rightly ends everything.
    await s.page.evaluate(() => { document.getElementById('Command2').disabled = true; });
    // Input events straight to the browser, many in flight at once (it delivers them in order).
    let pending = [];
    const send = (method, params) => pending.push(s.cdp.send(method, params));
    const key = (k, ...modifiers) => {
      const [code, windowsVirtualKeyCode, typed = ''] = KEY_CODES[k] ?? ['', 0, k];
      const bits = modifiers.reduce((m, x) => m | MODIFIER_BITS[x], 0), text = bits & ~MODIFIER_BITS.Shift ? '' : typed;
      for (const m of modifiers) send('Input.dispatchKeyEvent', { type: 'rawKeyDown', key: m, code: `${m}Left`, modifiers: bits });
      send('Input.dispatchKeyEvent', { type: text ? 'keyDown' : 'rawKeyDown', key: k, code, windowsVirtualKeyCode, text, unmodifiedText: text, modifiers: bits });
      send('Input.dispatchKeyEvent', { type: 'keyUp', key: k, code, windowsVirtualKeyCode, modifiers: bits });
      for (const m of modifiers) send('Input.dispatchKeyEvent', { type: 'keyUp', key: m, code: `${m}Left`, modifiers: 0 });
    };
    const click = (x, y, button) => ['mouseMoved', 'mousePressed', 'mouseReleased']
      .forEach((type) => send('Input.dispatchMouseEvent', { type, x, y, button, clickCount: 1 }));
    /** Where the boxes and the form are now, as the zoom and the scrolling have them. */
    const places = () => s.page.evaluate((ids) => Object.fromEntries(ids.map((id) => {
      const r = document.getElementById(id).getBoundingClientRect();
      return [id, [r.left, r.top, r.right, r.bottom]];
    })), [...BOXES, 'form']);
    let at = await places();
    for (let i = 0; i < count && !s.errors.length; i++) {
      const r = next(), [fl, ft, fr, fb] = at.form;
      // Anywhere on the form in sight, a right click now and then; or a box clicked and typed into.
      if (r < 0.25) click(Math.max(0, fl) + next() * (Math.min(fr, 760) - Math.max(0, fl)),
        Math.max(0, ft) + next() * (Math.min(fb, 700) - Math.max(0, ft)), next() < 0.15 ? 'right' : 'left');
      else if (r < 0.45) {
        const [l, t, rt, b] = at[pick(BOXES)];
        click((l + rt) / 2, (t + b) / 2, 'left');
        for (const ch of text(1 + Math.floor(next() * 8))) if (/^[\x20-\x7e]$/.test(ch)) key(ch); else send('Input.insertText', { text: ch });
      } else if (r < 0.46) send('Input.insertText', { text: text(200 + Math.floor(next() * 5000)) });
      else if (r < 0.90) key(...(r < 0.8 ? [pick(PLAIN_KEYS)] : pick(MODIFIED)));
      else if (r < 0.93) send('Input.dispatchMouseEvent', { type: 'mouseWheel', x: 300, y: 200, deltaX: 0, deltaY: next() < 0.5 ? -100 : 100, modifiers: 2 });
      else send('Runtime.evaluate', { expression: `transistorApp.clock.advance(${Math.floor(next() * 1000)})` });
      if (i % 25 === 24) await Promise.all(pending.splice(0));
      if (i % 100 === 99) at = await places();
    }
    await Promise.all(pending);
    assert.deepEqual(s.errors, [], `seed ${seed}`);
    // Whatever the boxes and the zoom now are, a user can start again.
    const inTheWay = () => s.page.evaluate(() => document.getElementById('message').open || !document.getElementById('classroom-menu').hidden);
    for (let k = 0; k < 100 && await inTheWay(); k++) await act(s, 'key Escape');
    await play(s, ['key Ctrl+0', ...['300', '0.9', '0.2', '0.5', '0.7', '1.5'].map((v, i) => `type Text${[1, 2, 3, 4, 9, 8][i]} ${v}`),
      // The plot starts again from its left after 1331 ticks.
      'click Start', { message: '', running: true }, 'wait 500', { ran: (n) => (n + 1331) % 1331 === 10 }], `seed ${seed}`);
  });
});

/** A folder over http on 127.0.0.1; it counts what it is asked for. */
async function serve(folder) {
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.png': 'image/png', '.svg': 'image/svg+xml',
    '.webmanifest': 'application/manifest+json' };
  const asked = [];
  const server = http.createServer((request, response) => {
    const path = new URL(request.url, 'http://127.0.0.1').pathname;
    asked.push(path);
    const body = (() => { try { return readFileSync(join(folder, path)); } catch { return null; } })();
    response.writeHead(body ? 200 : 404, { 'content-type': types[extname(path)] ?? 'application/octet-stream' }).end(body ?? undefined);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(undefined)));
  return { url: `http://127.0.0.1:${server.address().port}/`, asked, close: () => new Promise((r) => server.close(r)) };
}

test('served over http it installs as an app, and opens again with the network off', async () => {
  const server = await serve(pageDir);
  await withPage({ manual: false, profile: true, url: `${server.url}transistor-sim.html` }, async (s) => {
    await s.page.waitForFunction(async () => (await navigator.serviceWorker.ready).active?.state === 'activated', { timeout: 10000 });
    const manifest = await s.cdp.send('Page.getAppManifest');
    assert.deepEqual([manifest.errors, JSON.parse(manifest.data).name], [[], 'Transistor visual simulation']);
    const { installabilityErrors } = await s.cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors.map((e) => e.errorId), [], 'a browser offers to install it');
    await s.page.setOfflineMode(true);
    const asked = server.asked.length;
    await act(s, 'reload');
    assert.ok(await s.page.evaluate(() => navigator.serviceWorker.controller !== null), 'the service worker answered');
    await act(s, 'click Start');
    await s.page.waitForFunction(() => JSON.parse(transistorApp.core.dump()).vars.PlotX >= 8);
    assert.deepEqual(server.asked.slice(asked), [], 'nothing reached the server offline');
  }).finally(server.close);
});

test('in a learning platform\'s sandboxed frame it animates, takes keys once clicked, and copying falls back', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'transistor-host-'));
  execFileSync('cp', ['-R', `${pageDir}/.`, join(root, 'web', 'test', 'host.html'), folder]);
  const server = await serve(folder);
  try {
    for (const sandbox of ['allow-scripts', 'allow-scripts allow-same-origin']) {
      const src = 'transistor-sim.html?VCB=1&start';
      await withPage({ manual: false, framed: true, url: `${server.url}host.html?${new URLSearchParams({ sandbox, src })}`, name: sandbox }, async (s) => {
        // The frame, once the page in it is ready (a sandboxed frame may move to a process of its own as it loads).
        let frame;
        for (let tries = 0; !frame && tries < 200; tries++, await sleep(50)) {
          for (const f of s.page.frames()) if (await f.evaluate(() => typeof transistorApp === 'object').catch(() => false)) frame = f;
        }
        await frame.waitForFunction(() => JSON.parse(transistorApp.core.dump()).vars.PlotX >= 8, { timeout: 5000 });
        await frame.click('#Text2');
        await act(s, 'key F5');
        assert.equal(await frame.evaluate(() => transistorApp.core.paused()), true, `${sandbox}: F5 in the frame`);
        // Copy link from the menu, by a right click on the band diagram.
        const box = await (await frame.frameElement()).boundingBox();
        await act(s, `right ${box.x + 400},${box.y + 30}`);
        await frame.click('[data-action=CopyLink]');
        assert.match(await linkGiven(frame), /transistor-sim\.html\?T=300&EFE=0\.9&EFB=0\.2&EFC=0\.7&VEB=0\.5&VCB=1$/, sandbox);
        await act(s, 'key Escape');
        // The picture: on the clipboard, or shown where the frame refuses it.
        const refused = await frame.evaluate(() => !transistorApp.doc.featurePolicy?.allowsFeature('clipboard-write'));
        await act(s, 'key Ctrl+Shift+C');
        if (refused) await frame.waitForSelector('#copy[open] img[src^="data:image/png"]', { timeout: 3000 });
      });
    }
  } finally {
    await server.close();
    rmSync(folder, { recursive: true, force: true });
  }
});
