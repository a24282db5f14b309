// Draws the pictures of the page in docs/: the form in English and in
// Japanese at actual size, twelve seconds after Start on the page's manual
// clock (as docs/window-*.png show the window), so that the same page gives
// the same pictures.
//
//   node web/pictures.mjs [OUTDIR]     (default docs/; the page: TRANSISTOR_PAGE_DIR)
import { mkdirSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

import { launch, pageFile, root } from './chromium.mjs';

const out = resolve(process.argv[2] ?? join(root, 'docs'));
mkdirSync(out, { recursive: true });

// picture, the browser's language
const PICTURES = [
  ['page-en.png', 'en-US'],
  ['page-ja.png', 'ja'],
];

for (const [name, language] of PICTURES) {
  const browser = await launch({ language });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 700, height: 660, deviceScaleFactor: 1 });
    const cdp = await page.createCDPSession();
    await cdp.send('Emulation.setLocaleOverride', { locale: language });
    await page.goto(`${pathToFileURL(pageFile).href}#manual-clock`);
    await page.waitForFunction(() => globalThis.transistorApp);
    await page.click('#Command1');
    await page.mouse.move(0, 0); // no button under the pointer
    await page.evaluate(() => transistorApp.clock.advance(12000));
    const form = await page.$('#form');
    if (!form) throw new Error('the page has no form');
    await form.screenshot({ path: join(out, name) });
    console.log(join(out, name));
  } finally {
    await browser.close();
  }
}
