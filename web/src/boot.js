// Starts the page once the module is ready: the translations and the
// program's module are inlined in the page by the build.
import { ManualClock, PageClock } from './clock.js';
import { App } from './main.js';

const translations = JSON.parse(document.getElementById('translations')?.textContent ?? '{}');
// createTransistorCore is the module's factory, defined by the script before this one.
// @ts-ignore
globalThis.createTransistorCore().then((module) => {
  // @ts-ignore
  const clock = location.hash === '#manual-clock' ? new ManualClock() : new PageClock(window);
  globalThis.transistorApp = new App(document, module, translations, navigator.languages, clock,
    location.search);
  // Installed from a web server, it works offline too.
  if (location.protocol.startsWith('http') && 'serviceWorker' in navigator) {
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'transistor-sim.webmanifest';
    document.head.append(manifest);
    // A sandboxed frame without its origin refuses the worker at once, and
    // a frame may refuse its registration later: the page runs without it.
    try {
      navigator.serviceWorker.register('sw.js').catch(() => {});
    } catch {
      // the page works as it is
    }
  }
});
