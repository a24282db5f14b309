// Debian's Chromium, headless, for the page's tests and figures: a fresh
// profile for every browser, nothing of the browser's own on the network,
// and the PNG of a screenshot read back into pixels.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { inflateSync } from 'node:zlib';

import puppeteer from 'puppeteer-core';

export { puppeteer };

export const root = resolve(dirname(fileURLToPath(import.meta.url)), '..');

/** The built page: TRANSISTOR_PAGE_DIR, or where `npm run build` writes it. */
export const pageDir = resolve(process.env.TRANSISTOR_PAGE_DIR ?? join(root, 'build-wasm', 'page'));
export const pageFile = join(pageDir, 'transistor-sim.html');

export const chromium = process.env.TRANSISTOR_CHROMIUM ?? '/usr/bin/chromium';

/**
 * Starts a headless Chromium with a profile of its own, which close() removes.
 * @param {{language?: string, args?: string[]}} options language: what
 *   navigator.language(s) says ("ja"); new headless ignores --lang.
 */
export async function launch({ language = 'en-US', args = [] } = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'transistor-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`, `--accept-lang=${language}`, ...args,
    ],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

/**
 * Collects what must never happen on the page: uncaught exceptions and
 * console errors (a failed load among them).
 * @param {import('puppeteer-core').Page} page
 */
export function watchErrors(page) {
  /** @type {string[]} */
  const errors = [];
  page.on('pageerror', (e) => errors.push(`uncaught: ${e instanceof Error ? e.stack ?? e.message : e}`));
  page.on('console', (m) => {
    if (m.type() === 'error') errors.push(`console: ${m.text()} ${m.location()?.url ?? ''}`);
  });
  return errors;
}

/** The byte a PNG filter predicts from left a, above b and upper left c. */
function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

/**
 * The pixels of an 8-bit RGB or RGBA PNG (what Chromium's screenshots are).
 * @param {Uint8Array} png
 * @returns {{width: number, height: number, rgba: Uint8Array, at: (x: number, y: number) => number[]}}
 */
export function decodePng(png) {
  const bytes = Buffer.from(png);
  let at = 8;
  let width = 0, height = 0, type = 0;
  const data = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const kind = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (kind === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      type = body[9];
      if (body[8] !== 8 || (type !== 2 && type !== 6) || body[12] !== 0)
        throw new Error(`a PNG this reader does not read: depth ${body[8]}, type ${type}`);
    } else if (kind === 'IDAT') data.push(body);
    at += 12 + length;
  }
  const channels = type === 6 ? 4 : 3;
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const out = new Uint8Array(width * height * 4);
  let previous = new Uint8Array(stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const row = new Uint8Array(stride);
    for (let i = 0; i < stride; i++) {
      const a = i >= channels ? row[i - channels] : 0;
      const b = previous[i];
      const c = i >= channels ? previous[i - channels] : 0;
      const predicted = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
      row[i] = (line[i] + predicted) & 0xff;
    }
    for (let x = 0; x < width; x++) {
      for (let k = 0; k < channels; k++) out[(y * width + x) * 4 + k] = row[x * channels + k];
      if (channels === 3) out[(y * width + x) * 4 + 3] = 255;
    }
    previous = row;
  }
  return {
    width, height, rgba: out,
    at: (x, y) => [...out.subarray((y * width + x) * 4, (y * width + x) * 4 + 4)],
  };
}

/**
 * One browser a language, each started when first needed, and a way to
 * close them all (after a file of tests).
 */
export function browserPool() {
  /** @type {Map<string, Promise<import('puppeteer-core').Browser>>} */
  const browsers = new Map();
  return {
    /** @param {string} language */
    browserFor(language) {
      if (!browsers.has(language)) browsers.set(language, launch({ language }));
      return /** @type {Promise<import('puppeteer-core').Browser>} */ (browsers.get(language));
    },
    async closeAll() {
      for (const b of browsers.values()) await (await b).close();
    },
  };
}
