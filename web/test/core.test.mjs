// The page's own small rules under node: keys, menu letters, languages,
// translations. (What the page draws from the module's memory is checked on
// the screen against the dump.)
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { readTs } from '../build.mjs';
import { keyMatcher, mnemonic } from '../src/classroom.js';
import { Core } from '../src/core.js';
import { decimalSeparator, wantedLanguages } from '../src/i18n.js';

const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const corePath = process.env.TRANSISTOR_CORE
  ?? join(root, 'build-wasm', 'bin', 'transistor-core.js');
const createTransistorCore = createRequire(import.meta.url)(corePath);

test('keys of the table match the keys a keyboard sends', () => {
  // The table's keys, the modifiers and key a keyboard sends, and whether they match.
  // (The page's own keys test the rest.)
  const rows = [['F5', 'shift F5', false], ['Ctrl++', 'ctrl +', true], ['Ctrl+=', 'meta =', true],
    ['Ctrl+-', '-', false], ['Ctrl+Shift+C', 'ctrl c', false], ['Shift+F10', 'F10', false],
    ['Ctrl+.', 'ctrl shift .', true], // a full stop needs Shift on AZERTY
    ['Ctrl+,', ',', false]];
  for (const [keys, sent, want] of rows) {
    const has = (m) => sent.split(' ').includes(m);
    const event = { key: sent.split(' ').pop(), ctrlKey: has('ctrl'), metaKey: has('meta'),
      shiftKey: has('shift'), altKey: false };
    assert.equal(keyMatcher(keys)(event), want, `${keys}: ${sent}`);
  }
});

test('a menu text\'s & marks its letter', () => {
  const rows = [['&Pause', 'p', '', 'P', 'ause'], ['Zoom &in', 'i', 'Zoom ', 'i', 'n'],
    ['一時停止(&P)', 'p', '一時停止(', 'P', ')'],
    ['Copy && paste', '', 'Copy & paste', '', '']];
  for (const [text, letter, before, mark, after] of rows) {
    assert.deepEqual(mnemonic(text), { letter, before, mark, after }, text);
  }
});

test('the first language with a translation is used, else English; designed texts if asked',
  async () => {
    const core = new Core(await createTransistorCore());
    const rows = [['', ['ja-JP', 'en'], 'ja'], ['', ['fr-FR', 'en-GB'], 'en'], ['', ['JA'], 'ja'],
      ['?lang=designed', ['ja'], ''], ['?lang=ja', ['de'], 'ja'], ['?contrast=high', ['de'], 'en']];
    for (const [search, languages, want] of rows) {
      const wanted = wantedLanguages(core.readLink(search).language, languages);
      assert.equal(core.pickLanguage(['en', 'ja'], wanted), want, search + languages.join());
    }
    const separators = ['de-DE', 'ja-JP', 'no such language'].map(decimalSeparator);
    assert.deepEqual(separators, [',', '.', '.']);
  });

test('translations are read from the window\'s .ts files, finished ones only', () => {
  const xml = `<TS><context><name>Form1</name>
    <message><source>A &amp; B</source><translation>A &amp; B&apos;</translation></message>
    <message><source>Left</source><translation type="unfinished">x</translation></message>
    <message><source>Gone</source><translation type="vanished">y</translation></message>
    </context><context><name>Page</name>
    <message><source>OK</source><translation>了解</translation></message></context></TS>`;
  assert.deepEqual(readTs(xml), { Form1: { 'A & B': "A & B'" }, Page: { OK: '了解' } });
});
