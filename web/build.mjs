// Builds the page: one self-contained HTML file that opens offline, with the
// program's module, the page's scripts, its styles and the translations
// inside it, and beside it what a web server needs to let a browser install
// it as an app: a manifest, a service worker and the icons.
//
//   node web/build.mjs CORE.js OUTDIR
//
// CORE.js is the emscripten build of the core (web/CMakeLists.txt).

import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(here, '..');

/** The entities of a Qt Linguist file's text. */
function unescapeXml(s) {
  return s.replace(/&(lt|gt|amp|quot|apos|#(\d+)|#x([0-9a-fA-F]+));/g, (_, name, dec, hex) => {
    if (dec) return String.fromCodePoint(Number(dec));
    if (hex) return String.fromCodePoint(parseInt(hex, 16));
    return { lt: '<', gt: '>', amp: '&', quot: '"', apos: "'" }[name];
  });
}

/**
 * The finished translations of a .ts file: context → source → translation.
 * @param {string} xml
 */
export function readTs(xml) {
  /** @type {Record<string, Record<string, string>>} */
  const catalog = {};
  for (const [, body] of xml.matchAll(/<context>([\s\S]*?)<\/context>/g)) {
    const name = unescapeXml(/<name>([\s\S]*?)<\/name>/.exec(body)?.[1] ?? '');
    for (const [, message] of body.matchAll(/<message>([\s\S]*?)<\/message>/g)) {
      const source = /<source>([\s\S]*?)<\/source>/.exec(message);
      const translation = /<translation(?:\s+type="([^"]*)")?>([\s\S]*?)<\/translation>/.exec(message);
      if (!source || !translation || translation[1]) continue; // unfinished, vanished, obsolete
      (catalog[name] ??= {})[unescapeXml(source[1])] = unescapeXml(translation[2]);
    }
  }
  return catalog;
}

/** Every translation of translations/, by language: transistor_ja.ts is "ja". */
export function readTranslations(folder = join(root, 'translations')) {
  /** @type {Record<string, any>} */
  const out = {};
  for (const file of readdirSync(folder).sort()) {
    const m = /^transistor_(\w+)\.ts$/.exec(file);
    if (m) out[m[1]] = readTs(readFileSync(join(folder, file), 'utf8'));
  }
  return out;
}

/**
 * The page's modules as one script: each module a function that runs once,
 * when it is first imported. The modules are the page's own, written with
 * `import { a, b as c } from './x.js'` and `export` before a declaration.
 * @param {string} entry
 */
export function bundle(entry) {
  /** @type {Map<string, string>} */
  const modules = new Map();
  // A module's name in the bundle: its path in the repository.
  const short = (f) => JSON.stringify(f.slice(root.length + 1));
  const visit = (file) => {
    if (modules.has(file)) return;
    modules.set(file, '');
    let code = readFileSync(file, 'utf8');
    const exported = [];
    code = code.replace(/^import\s*\{([^}]*)\}\s*from\s*'(\.[^']+)';$/gm, (_, names, path) => {
      const target = resolve(dirname(file), path);
      visit(target);
      const fields = names.split(',').map((n) => n.trim()).filter(Boolean)
        .map((n) => n.replace(/\s+as\s+/, ': '));
      return `const { ${fields.join(', ')} } = __import(${short(target)});`;
    });
    code = code.replace(/^import\s*'(\.[^']+)';$/gm, (_, path) => {
      const target = resolve(dirname(file), path);
      visit(target);
      return `__import(${short(target)});`;
    });
    code = code.replace(/^export\s+((?:async\s+)?function\*?|class|const|let)\s+([A-Za-z_$][\w$]*)/gm,
      (_, kind, name) => {
        exported.push(name);
        return `${kind} ${name}`;
      });
    if (/^export\s/m.test(code)) throw new Error(`${file}: an export the page's bundle cannot read`);
    if (/^import\s/m.test(code)) throw new Error(`${file}: an import the page's bundle cannot read`);
    modules.set(file, `${code}\nreturn { ${exported.join(', ')} };`);
  };
  visit(resolve(entry));
  const names = [...modules.keys()];
  let out = '(() => {\n"use strict";\nconst __defs = {}, __done = {};\n'
    + 'const __import = (name) => __done[name] ??= __defs[name]();\n';
  for (const name of names) {
    out += `__defs[${short(name)}] = () => {\n${modules.get(name)}\n};\n`;
  }
  out += `__import(${short(resolve(entry))});\n})();\n`;
  return out;
}

/** Text for inside a <script> element. */
function scriptText(s) {
  return s.replace(/<\/(script)/gi, '<\\/$1').replace(/<!--/g, '<\\!--');
}

/** The program's scalable icon. */
const iconSvg = () => readFileSync(join(root, 'data', 'org.transistorbands.simulation.svg'), 'utf8');

// What turns the sources into the page's bytes: the compiler and its
// optimizers, and node, which runs emscripten's JavaScript optimizer and this
// script. The page is committed and rebuilt by CI, byte for byte, so the
// page says which packages made it.
const TOOLS = ['emscripten', 'clang-14', 'lld-14', 'binaryen', 'nodejs'];

/** The Debian packages of TOOLS as "name version", or node's own version off Debian. */
export function toolVersions() {
  try {
    return execFileSync('dpkg-query', ['-W', '-f=${Package} ${Version}\\n', ...TOOLS],
      { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] }).trim().split('\n').join(', ');
  } catch {
    return `node ${process.version}, not from Debian packages`;
  }
}

export function buildPage(corePath) {
  const template = readFileSync(join(here, 'page.html'), 'utf8');
  const parts = {
    TOOLS: toolVersions().replace(/--/g, '- -'),
    // The tab's icon, inside the page: from file:// it asks for no file.
    ICON: `data:image/svg+xml,${encodeURIComponent(iconSvg().replace(/<!--[\s\S]*?-->\s*/g, ''))}`,
    STYLE: readFileSync(join(here, 'page.css'), 'utf8'),
    TRANSLATIONS: scriptText(JSON.stringify(readTranslations())),
    CORE: scriptText(readFileSync(corePath, 'utf8')),
    PAGE: scriptText(bundle(join(here, 'src', 'boot.js'))),
  };
  return template.replace(/\/\*(TOOLS|ICON|STYLE|TRANSLATIONS|CORE|PAGE)\*\//g, (_, key) => parts[key]);
}

/** The web server's files beside the page: the manifest, the service worker, the icons. */
function writeAppFiles(out, caption, page) {
  const icons = [48, 128].map((size) => {
    copyFileSync(join(root, 'data', 'icons', `icon-${size}.png`), join(out, `icon-${size}.png`));
    return { src: `icon-${size}.png`, sizes: `${size}x${size}`, type: 'image/png' };
  });
  // A browser installs an app only with an icon of 144 pixels or more.
  writeFileSync(join(out, 'icon.svg'), iconSvg());
  icons.push({ src: 'icon.svg', sizes: 'any', type: 'image/svg+xml' });
  writeFileSync(join(out, 'transistor-sim.webmanifest'), JSON.stringify({
    name: caption,
    short_name: 'Transistor',
    start_url: 'transistor-sim.html',
    scope: './',
    display: 'standalone',
    background_color: '#d8d8d8',
    theme_color: '#efefef',
    icons,
  }, null, 2));
  const files = ['transistor-sim.html', 'transistor-sim.webmanifest', ...icons.map((i) => i.src)];
  writeFileSync(join(out, 'sw.js'), readFileSync(join(here, 'sw.js'), 'utf8')
    .replace('/*FILES*/', JSON.stringify(files))
    // A new page is a new cache, so that an installed app takes it up.
    .replace('/*VERSION*/', JSON.stringify(createHash('sha256').update(page).digest('hex').slice(0, 16))));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [corePath, out] = process.argv.slice(2);
  if (!corePath || !out) {
    console.error('usage: node web/build.mjs CORE.js OUTDIR');
    process.exit(2);
  }
  mkdirSync(out, { recursive: true });
  const page = buildPage(corePath);
  writeFileSync(join(out, 'transistor-sim.html'), page);
  writeAppFiles(out, 'Transistor visual simulation', page);
  console.log(join(resolve(out), 'transistor-sim.html'));
}
