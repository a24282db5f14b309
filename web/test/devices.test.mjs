// The page on the devices a school has, in headless Chromium: the language
// a browser or a link asks for, the zoom it opens at, high contrast,
// every classroom key wherever the focus is, a reload during a run, and (by
// touch only, on an emulated iPad and a touch Chromebook) the menu, pause,
// step, zoom, fit, high contrast, copy and a pinch.
//
//   TRANSISTOR_PAGE_DIR=build-wasm/page node --test web/test/devices.test.mjs
import { test } from 'node:test';

import { DEVICES, has, session, tr } from './user.mjs';

const GREY = 'rgb(239, 239, 239)', WHITE = 'rgb(255, 255, 255)';
const big = (px) => px >= 44; // a finger's size
const plain = (t) => tr('ja', 'Classroom', t).replace(/\(&\w\)|&/g, '');

// Keys in turn, each with what it leaves; the focus is put before each key
// on the page's body, in a text box, or on the open classroom menu.
const KEYS = [['F5', { paused: true }], ['Pause', { paused: false }], ['Ctrl+.', { paused: true }],
  ['Ctrl+.', { paused: false }], ['F6', { paused: true, ran: 1 }],
  ['Ctrl+,', { paused: true, ran: 1 }], ['F5', { paused: false }], ['Ctrl+=', { zoom: 1.25 }],
  ['Ctrl+Shift+=', { zoom: 1.5 }], ['Ctrl+-', { zoom: 1.25 }], ['Ctrl+0', { zoom: 1 }],
  ['Ctrl+Shift+C', { copied: 1 }], ['Ctrl+Shift+=', { zoom: 1.25 }],
  ['Ctrl+Shift+F', { zoom: 1 }], // Fit to window, in a window as large as the form
  ['Shift+F10', { menu: true }], ['ContextMenu', { menu: true }]];
const FOCUS = { body: 'left 300,100', box: 'click #Text2', menu: 'right 300,100' };

// What a tap on each item of the menu leaves, opened in turn by a long
// press on the diagram, one on the plot, and the menu button.
const TOUCH_ITEMS = [['ActualSize', { zoom: 1 }], ['Pause', { paused: true }],
  ['Step', { paused: true, ran: 1 }], ['Pause', { paused: false }], ['ZoomIn', { zoom: 1.25 }],
  ['CopyPicture', { copied: 1 }], ['Fit', { fitted: true, zoom: (z) => z > 1 }],
  ['HighContrast', { background: WHITE }], ['HighContrast', { background: GREY }]];
const OPENERS = ['hold diagram', 'hold plot', 'tap #menu-button'];

/** Steps and what each leaves, all else as it was: nothing ran or was copied, the menu shut. */
function inTurn(pairs) {
  let now = { paused: false };
  return pairs.flatMap(([steps, want]) => {
    const look = { ...now, menu: false, ran: 0, copied: 0, ...want };
    if (!want.menu) now = look;
    return [...steps, look];
  });
}

const ROWS = [
  ...[['ja', '', 'ja', tr('ja', 'Form1', 'Collector currnet (mA)'), tr('ja', 'Form1', '温度(K)')],
    ['de-DE', '?lang=designed', 'en', 'Collector currnet (mA)', '温度(K)'],
    ['ja', '?lang=en', 'en', 'Collector current (mA)', 'Temperature (K)'],
  ].map(([language, query, lang, Label11, Label1]) => ({
    name: `a browser in ${language}${query} gets ${lang}`, language, query,
    steps: [{ lang, texts: { Label11, Label1 },
      labelLang: /[^\x00-\x7f]/.test(Label1) ? 'ja' : '' }] })),
  // The zoom the page opens at: the largest at which the whole form fits, when more than 100 %.
  ...[[700, 660, 1], [1024, 768, 1.17], [1920, 1080, 1.65], [3840, 2160, 3]].map(
    ([width, height, zoom]) => ({
      name: `${width} × ${height} opens at ${zoom}; at 300 % the focused box stays in sight, `
        + 'and Fit goes back',
      width, height, steps: [{ zoom, whole: true }, 'click #Text13', ...Array(8).fill('key Ctrl+='),
        { zoom: 3, focus: 'Text13', focusInSight: true },
        'key Ctrl+Shift+F', { zoom, whole: true }],
    })),
  { name: 'high contrast off: grey, lines one device pixel wide',
    steps: [{ background: GREY, checked: 'false', lineRows: 1 }] },
  { name: '?contrast=high: white, lines two device pixels wide', query: '?contrast=high',
    steps: [{ background: WHITE, checked: 'true', lineRows: 2 }] },
  { name: 'every classroom key works wherever the focus is, the menu open or not',
    steps: ['click Start', 'wait 500', { ran: 10 },
      ...inTurn(Object.entries(FOCUS).flatMap(([where, focus]) => KEYS
        // A text box answers the menu keys with its own menu.
        .filter(([, want]) => !(want.menu && where === 'box'))
        .map(([key, want]) => [['key Escape', focus, `key ${key}`], { zoom: 1, ...want }])))] },
  { name: 'the Keys item lists the menu\'s keys, the page\'s own texts in Japanese', language: 'ja',
    steps: ['key Shift+F10', 'menu Keys', { keys: has(`F5, Pause, Ctrl+. | ${plain('&Pause')}`,
      `Shift+F10, Menu | ${plain('Open this menu')}`, `Ctrl+Shift+C | ${plain('&Copy picture')}`) },
    'key Escape', 'click Start', 'key F5', { sign: tr('ja', 'Classroom', 'Paused') }, 'click Close',
    { ended: tr('ja', 'Page', 'The program has ended. You may close this page.') }] },
  { name: 'a reload during a run asks first; before Start and after Close it does not, '
      + 'and the keys go back to the browser',
    steps: ['click #Text2', 'reload', { asked: 0 },
      'click Start', 'leave', { asked: 1, running: true },
      'click Close', 'probe', { held: [] }, 'reload', { asked: 1 }] },
  ...Object.entries(DEVICES).map(([device, emulation]) => ({
    name: `${device}, by touch only: a long press and the menu button open the menu, `
      + 'its items work, a pinch zooms', device: emulation,
    steps: [{ fitted: true, zoom: (z) => z > 1, button: big, buttonName: 'Classroom menu',
      touchAction: 'manipulation' },
    // A finger that wanders, or lifts early, opens nothing.
    'hold diagram 700 30', 'hold diagram 250', { menu: false },
    'tap #Command1', 'wait 500', { ran: 10 },
    ...inTurn(TOUCH_ITEMS.flatMap(([action, want], i) =>
      [[[OPENERS[i % 3]], { menu: true, items: big }], [[`tap item:${action}`], want]])),
    'pinch out', { zoom: (z) => z >= 1.5 }, 'pinch in', { zoom: (z) => z < 1.5 }] })),
];

for (const row of ROWS) test(row.name, () => session(row));
