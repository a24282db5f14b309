// The service worker of the page served from a web server: it keeps the
// page, its manifest and icons in a cache, so that the installed app opens
// without a network.
const FILES = ["transistor-sim.html","transistor-sim.webmanifest","icon-48.png","icon-128.png","icon.svg"];
const CACHE = `transistor-sim-${"04059089d7e47fe5"}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((keys) =>
    Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k)))));
});

self.addEventListener('fetch', (event) => {
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((hit) => hit ?? fetch(event.request)));
});
