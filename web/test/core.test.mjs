// The page's module under node: the calls the page makes give the same state
// as the native script driver for the same session, byte for byte; and the
// page's own small rules (keys, menu letters, languages, translations).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { readTs } from '../build.mjs';
import { keyMatcher, mnemonic } from '../src/classroom.js';
import { Core, TEXT_BOXES } from '../src/core.js';
import { decimalSeparator, wantedLanguages } from '../src/i18n.js';

const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const corePath = process.env.TRANSISTOR_CORE ?? join(root, 'build-wasm', 'bin', 'transistor-core.js');
const driver = process.env.TRANSISTOR_SCRIPT ?? join(root, 'build', 'bin', 'transistor-script');
const createTransistorCore = createRequire(import.meta.url)(corePath);

/** A fresh program in the module, at time 0, as the page makes it. */
async function fresh(catalog = {}) {
  const core = new Core(await createTransistorCore());
  core.create('.', catalog, 0);
  return core;
}

/**
 * Plays a driver script through the page's calls: `wait` as a view woken
 * on time at every deadline.
 */
function play(core, script) {
  let now = 0;
  const dumps = [];
  for (const line of script.trim().split('\n')) {
    const [command, ...rest] = line.split(' ');
    if (command === 'set') core.setText(TEXT_BOXES.indexOf(rest[0]), rest.slice(1).join(' '));
    else if (command === 'click') core.press(rest[0], now);
    else if (command === 'enter') core.enter(rest[0], now);
    else if (command === 'pause' || command === 'resume') core.togglePause(now);
    else if (command === 'step') core.step(now);
    else if (command === 'dump') dumps.push(core.dump());
    else if (command === 'wait') {
      const end = now + Number(rest[0]);
      for (let due = core.nextDeadline(); due >= 0 && due <= end; due = core.nextDeadline()) {
        now = due;
        core.advance(now);
      }
      now = end;
      core.advance(now);
    } else throw new Error(`no such command in the test: ${line}`);
  }
  return dumps.join('\n') + '\n';
}

test('the page\'s calls give the native driver\'s state byte for byte', async () => {
  const sessions = [
    'click Start\nwait 10000\ndump\nwait 2500\ndump',
    'set Text1 2000\nset Text4 0.3\nclick Start\nwait 3000\nstep\nstep\ndump\nresume\nwait 10000\ndump',
    'set Text8 9\nclick Restart\ndump\nset Text3 x\nclick Start\ndump',
    'click Start\nwait 1000\npause\nwait 60000\nclick Restart\nresume\nwait 20000\ndump',
    'set Text2 0,5\nclick Start\nwait 500\nclick Close\nwait 1000\ndump',
  ];
  for (const session of sessions) {
    const native = execFileSync(driver, ['-'], {
      input: session.replace(/^enter \w+$/gm, 'click Start') + '\n', env: { LC_ALL: 'C' },
    }).toString();
    assert.equal(play(await fresh(), session), native, session);
  }
});

test('Enter applies the inputs, and a message names its box in the user\'s language', async () => {
  const core = await fresh({ Message: { 'Base Fermi level (eV)': 'ベースのフェルミ準位 (eV)' } });
  core.setText(TEXT_BOXES.indexOf('Text3'), 'x');
  assert.equal(core.enter('Text3', 0), true);
  const notice = core.takeNotice();
  assert.equal(notice?.focus, 'Text3');
  assert.match(notice?.text ?? '', /^ベースのフェルミ準位 \(eV\): "x" is not a number/);
  assert.equal(core.takeNotice(), null);
  assert.equal(core.enter('Text7', 0), false, 'a readout takes no Enter');
});

test('the drawing is read from the module\'s memory', async () => {
  const core = await fresh();
  const before = core.changes();
  core.press('Start', 0);
  assert.notEqual(core.changes(), before);
  const dump = JSON.parse(core.dump());
  const electrons = core.carriers(false);
  assert.equal(electrons.count, dump.vars.ElectronCount);
  // The dump prints each single as the shortest decimal that reads back to it.
  const singles = (a) => a.flat().map(Math.fround);
  assert.deepEqual([...electrons.positions], singles(dump.electrons));
  assert.deepEqual([...core.carriers(true).positions], singles(dump.holes));
  const lines = core.lines();
  assert.deepEqual(Object.keys(lines), Object.keys(dump.lines));
  for (const [name, l] of Object.entries(lines))
    assert.deepEqual([l.x1, l.y1, l.x2, l.y2, l.visible], [...singles(dump.lines[name].slice(0, 4)), dump.lines[name][4]], name);
  core.advance(50);
  core.advance(100);
  assert.deepEqual([...core.plot()], singles(JSON.parse(core.dump()).plot));
  assert.equal(core.plot().length, 4);
});

test('the classroom table and the zoom come from the core', async () => {
  const core = await fresh();
  const table = core.classroom();
  assert.deepEqual(table.actions.map((a) => a.name),
    ['Pause', 'Step', 'ZoomIn', 'ZoomOut', 'ActualSize', 'CopyPicture', 'Readouts', 'CopyLink',
      'Fit', 'HighContrast', 'Keys', 'Menu']);
  const steps = [[1, 1, 1.25], [1, -1, 1], [2.9, 1, 3], [3, 1, 3], [1.5, -2, 1]];
  for (const [zoom, n, want] of steps) assert.equal(core.steppedZoom(zoom, n), want, `${zoom} ${n}`);
});

test('keys of the table match the keys a keyboard sends', () => {
  const key = (k, mods = {}) => ({ key: k, ctrlKey: false, metaKey: false, shiftKey: false, altKey: false, ...mods });
  const rows = [
    ['F5', key('F5'), true],
    ['F5', key('F5', { shiftKey: true }), false],
    ['Ctrl++', key('+', { ctrlKey: true, shiftKey: true }), true],
    ['Ctrl++', key('+', { ctrlKey: true }), true],
    ['Ctrl+=', key('=', { metaKey: true }), true],
    ['Ctrl+-', key('-'), false],
    ['Ctrl+0', key('0', { ctrlKey: true }), true],
    ['Ctrl+Shift+C', key('C', { ctrlKey: true, shiftKey: true }), true],
    ['Ctrl+Shift+C', key('c', { ctrlKey: true }), false],
    ['Shift+F10', key('F10', { shiftKey: true }), true],
    ['Shift+F10', key('F10'), false],
    ['Ctrl+.', key('.', { ctrlKey: true }), true],
    ['Ctrl+.', key('.', { ctrlKey: true, shiftKey: true }), true], // a full stop needs Shift on AZERTY
    ['Ctrl+,', key(',', { ctrlKey: true }), true],
    ['Ctrl+,', key(','), false],
    ['Menu', key('ContextMenu'), true],
  ];
  for (const [keys, event, want] of rows) assert.equal(keyMatcher(keys)(event), want, `${keys} ${JSON.stringify(event)}`);
});

test('a menu text\'s & marks its letter', () => {
  const rows = [
    ['&Pause', 'p', '', 'P', 'ause'],
    ['Zoom &in', 'i', 'Zoom ', 'i', 'n'],
    ['一時停止(&P)', 'p', '一時停止(', 'P', ')'],
    ['Copy && paste', '', 'Copy & paste', '', ''],
  ];
  for (const [text, letter, before, mark, after] of rows)
    assert.deepEqual(mnemonic(text), { letter, before, mark, after }, text);
});

test('the first language that has a translation is used, else English; the designed texts when asked', async () => {
  const core = new Core(await createTransistorCore());
  const rows = [
    ['', ['ja-JP', 'en'], 'ja'], ['', ['fr-FR', 'en-GB'], 'en'], ['', ['de-DE', 'de'], 'en'],
    ['', ['JA'], 'ja'], ['?lang=designed', ['ja'], ''], ['?lang=ja', ['de'], 'ja'],
    ['?contrast=high', ['de'], 'en'],
  ];
  for (const [search, languages, want] of rows)
    assert.equal(core.pickLanguage(['en', 'ja'], wantedLanguages(core.readLink(search).language, languages)), want, search + languages.join());
  assert.equal(decimalSeparator('de-DE'), ',');
  assert.equal(decimalSeparator('ja-JP'), '.');
  assert.equal(decimalSeparator('no such language'), '.');
});

test('translations are read from the window\'s .ts files, finished ones only', () => {
  const xml = `<TS><context><name>Form1</name>
    <message><source>A &amp; B</source><translation>A &amp; B&apos;</translation></message>
    <message><source>Left</source><translation type="unfinished">x</translation></message>
    <message><source>Gone</source><translation type="vanished">y</translation></message>
    </context><context><name>Page</name><message><source>OK</source><translation>了解</translation></message></context></TS>`;
  assert.deepEqual(readTs(xml), { Form1: { 'A & B': "A & B'" }, Page: { OK: '了解' } });
});
