// Draws the pictures of the page in docs/: the form in English and in
// Japanese at actual size, twelve seconds after Start on the page's manual
// clock (as docs/window-*.png show the window), so that the same page gives
// the same pictures; the form in high contrast; the whole page as it opens
// in a 1920 × 1080 window, fitted; the list of keys; and the Readouts view
// after a minute each of three settings (as docs/readouts-*.png show the
// window's).
//
//   node web/pictures.mjs [OUTDIR]     (default docs/; the page: TRANSISTOR_PAGE_DIR)
import { mkdirSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

import { launch, pageFile, root } from './chromium.mjs';

const out = resolve(process.argv[2] ?? join(root, 'docs'));
mkdirSync(out, { recursive: true });

// picture, the browser's language, the address's query, the window's size,
// and what is drawn: the form, the whole window, or the list of keys over it.
const PICTURES = [
  ['page-en.png', 'en-US', '', [700, 660], 'form'],
  ['page-ja.png', 'ja', '', [700, 660], 'form'],
  ['page-contrast.png', 'en-US', '?contrast=high', [700, 660], 'form'],
  ['page-fitted.png', 'en-US', '', [1920, 1080], 'window'],
  ['page-keys.png', 'en-US', '', [700, 660], 'keys'],
];

for (const [name, language, query, [width, height], what] of PICTURES) {
  const browser = await launch({ language });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width, height, deviceScaleFactor: 1 });
    const cdp = await page.createCDPSession();
    await cdp.send('Emulation.setLocaleOverride', { locale: language });
    await page.goto(`${pathToFileURL(pageFile).href}${query}#manual-clock`);
    await page.waitForFunction(() => globalThis.transistorApp);
    await page.click('#Command1');
    await page.mouse.move(0, 0); // no button under the pointer
    await page.evaluate(() => transistorApp.clock.advance(12000));
    const path = join(out, name);
    if (what === 'form') {
      const form = await page.$('#form');
      if (!form) throw new Error('the page has no form');
      await form.screenshot({ path });
    } else {
      if (what === 'keys') await page.evaluate(() => transistorApp.showKeys());
      await page.screenshot({ path });
    }
    console.log(path);
  } finally {
    await browser.close();
  }
}

// The Readouts view after the lesson of docs/pictures/readouts.script.
const READOUTS = [
  ['page-readouts-en.png', 'en-US'],
  ['page-readouts-ja.png', 'ja'],
];

for (const [name, language] of READOUTS) {
  const browser = await launch({ language });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 720, height: 1100, deviceScaleFactor: 1 });
    const cdp = await page.createCDPSession();
    await cdp.send('Emulation.setLocaleOverride', { locale: language });
    await page.goto(`${pathToFileURL(pageFile).href}#manual-clock`);
    await page.waitForFunction(() => globalThis.transistorApp);
    const minute = () => page.evaluate(() => transistorApp.clock.advance(60000));
    /** @param {string} box @param {string} text */
    const type = async (box, text) => {
      await page.click(`#${box}`, { count: 3 });
      await page.keyboard.type(text);
    };
    await page.click('#Command1');
    await minute();
    await type('Text4', '0.3');
    await page.keyboard.press('Enter');
    await minute();
    await type('Text4', '0.5');
    await type('Text8', '0');
    await page.keyboard.press('Enter');
    await minute();
    await page.keyboard.press('F8');
    await page.mouse.move(0, 0);
    const view = await page.$('#readouts');
    if (!view) throw new Error('the page has no Readouts view');
    await view.screenshot({ path: join(out, name) });
    console.log(join(out, name));
  } finally {
    await browser.close();
  }
}
