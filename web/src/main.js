// The page: Form1 over the program of the core. The page decides nothing
// that the program decides: it hands every event to it with the time of its
// clock, wakes it when its next deadline falls due, and paints what changed.

import { Classroom } from './classroom.js';
import { Core, TEXT_BOXES } from './core.js';
import { CopyDialog, MessageDialog } from './dialog.js';
import { Drawing, TWIPS_PER_PX, setLook } from './drawing.js';
import { Form, controlId, pixelRect } from './form.js';
import { PAGE, Texts, decimalSeparator, wantedLanguages } from './i18n.js';
import { clipboardWritable, copyPicture } from './picture.js';
import { JAPANESE, PageMeasure } from './measure.js';
import { Plot } from './plot.js';
import { ReadoutsView } from './readouts.js';
import { LongPress, Pinch, isTouch } from './touch.js';

/** One notch of a mouse wheel, in pixels (deltaMode 0) and in lines (1). */
const NOTCH = [100, 3, 1];

export class App {
  /**
   * @param {Document} doc
   * @param {any} module the instance of createTransistorCore()
   * @param {Record<string, any>} translations
   * @param {readonly string[]} languages
   * @param {import('./clock.js').PageClock | import('./clock.js').ManualClock} clock
   * @param {string} query the address's query string: a setup (app/setup_link.h)
   */
  constructor(doc, module, translations, languages, clock, query = '') {
    this.doc = doc;
    this.clock = clock;
    this.core = new Core(module);
    const link = this.core.readLink(query);
    // The link's language shows instead of the browser's; the numbers keep
    // the browser's decimal separator, as in every language.
    const language = this.core.pickLanguage(Object.keys(translations), wantedLanguages(link.language, languages));
    const catalog = translations[language] ?? {};
    this.language = language;
    this.texts = new Texts(catalog);
    // The designed texts are English but for a few Japanese captions, which
    // the form marks as Japanese one by one.
    doc.documentElement.lang = language || 'en';
    this.core.create(decimalSeparator(languages[0] ?? 'en'), catalog, this.clock.now());

    const description = this.core.description();
    this.pageTexts = this.core.pageTexts();
    this.description = description;
    doc.title = this.texts.tr('Form1', description.caption);
    this.root = /** @type {HTMLElement} */ (doc.getElementById('form'));
    this.form = new Form(this.root, description, this.texts, this.pageTexts);
    this.drawing = new Drawing(description, this.form.still, this.form.moving);
    const picture = description.controls.find((c) => c.kind === 'PictureBox');
    this.plot = new Plot(/** @type {HTMLCanvasElement} */ (this.form.plotCanvas), picture,
      description.controls.filter((c) => c.container === picture.name));
    this.dialog = new MessageDialog(/** @type {HTMLDialogElement} */ (doc.getElementById('message')),
      doc.title, this.texts.tr(PAGE, this.pageTexts.ok));
    this.copyDialog = new CopyDialog(doc, doc.title, {
      link: this.texts.tr(PAGE, this.pageTexts.copyLink),
      picture: this.texts.tr(PAGE, this.pageTexts.copyPicture),
    }, this.texts.tr(PAGE, this.pageTexts.ok));

    this.table = this.core.classroom();
    this.sign = /** @type {HTMLElement} */ (doc.getElementById('paused-sign'));
    this.sign.textContent = this.texts.tr(this.table.context, this.table.paused);
    this.classroom = new Classroom(this.table, this.texts, {
      Pause: () => this.call(() => this.core.togglePause(this.clock.now())),
      Step: () => this.call(() => this.core.step(this.clock.now())),
      ZoomIn: () => this.setZoom(this.core.steppedZoom(this.zoom, 1)),
      ZoomOut: () => this.setZoom(this.core.steppedZoom(this.zoom, -1)),
      ActualSize: () => this.setZoom(1),
      CopyPicture: () => copyPicture(this),
      Readouts: () => this.showReadouts(),
      CopyLink: () => this.copyLink(),
      Fit: () => this.setZoom(this.fitZoom()),
      HighContrast: () => this.setContrast(!this.highContrast),
      Keys: () => this.showKeys(),
    }, /** @type {HTMLElement} */ (doc.getElementById('classroom-menu')));

    // The menu for a finger, or anyone: a button in a corner of the form.
    this.menuButton = doc.createElement('button');
    this.menuButton.id = 'menu-button';
    this.menuButton.type = 'button';
    this.menuButton.textContent = '☰';
    this.menuButton.setAttribute('aria-label', this.texts.tr(this.table.context, this.table.menuButtonName));
    this.menuButton.setAttribute('aria-haspopup', 'menu');
    // Off the Tab order, as the window's: the Menu key and Shift+F10 open the menu.
    this.menuButton.tabIndex = -1;
    this.root.append(this.menuButton);
    /** Whether the last pointer to touch the page was a finger or a pen. */
    this.touching = false;

    this.zoom = 1;
    this.enableZoomItems();
    this.dpr = 0;
    /** @type {PageMeasure | null} the browser's measure of text, made at the first layout */
    this.measure = null;
    this.painted = -1;
    /** @type {ReadoutsView | null} */
    this.readouts = null;
    this.shownPaused = false;
    this.wheel = 0;
    this.descriptions = { diagram: '', plot: '', window: '' };
    this.connect();
    // The link's texts go into their boxes as if typed; Start reads them.
    for (const [box, text] of link.texts) this.core.setText(TEXT_BOXES.indexOf(box), text);
    this.highContrast = false;
    this.setContrast(link.highContrast);
    this.sync();
    // The link's zoom, or on a large screen as large as the form fits.
    this.setZoom(link.zoom || Math.max(1, this.fitZoom()));
    /** @type {HTMLElement} */ (this.form.element('Command1')).focus();
    if (link.start) this.call(() => this.core.press('Command1', this.clock.now()));
  }

  /** The address of this page with the present inputs. */
  link() {
    const here = this.doc.defaultView?.location.href ?? '';
    return `${here.split('#')[0].split('?')[0]}?${this.core.linkQuery()}`;
  }

  /** Puts the link on the clipboard, or shows it where the browser refuses. */
  async copyLink() {
    const link = this.link();
    try {
      if (!clipboardWritable(this.doc)) throw new Error('no clipboard');
      await navigator.clipboard.writeText(link);
    } catch {
      this.copyDialog.showLink(link);
    }
  }

  connect() {
    for (const { el, box } of this.form.boxes) {
      // What the user types is the box's Text at once; handlers read it.
      el.addEventListener('input', () => this.core.setText(box, el.value));
      el.addEventListener('keydown', (e) => {
        if (e.key !== 'Enter' || e.isComposing) return;
        this.call(() => {
          if (this.core.enter(TEXT_BOXES[box], this.clock.now())) e.preventDefault();
        });
      });
    }
    for (const c of this.description.controls) {
      if (c.kind !== 'Button') continue;
      this.form.element(controlId(c))?.addEventListener('click',
        () => this.call(() => this.core.press(c.name, this.clock.now())));
    }
    this.doc.addEventListener('keydown', (e) => this.classroom.key(e));
    // Leaving or reloading the page (a Chromebook's Refresh key) while a run
    // is on asks first. A page in a sandboxed frame may not ask; it must not
    // fail for that.
    this.leaving = (/** @type {BeforeUnloadEvent} */ e) => {
      if (this.core.closed() || !this.core.runOn()) return;
      try {
        e.preventDefault();
        e.returnValue = '';
      } catch {
        // refused: the page goes without asking
      }
    };
    this.doc.defaultView?.addEventListener('beforeunload', this.leaving);
    // A right click on the band diagram or the plot; a text box keeps its own menu.
    this.root.addEventListener('contextmenu', (e) => {
      if (e.target instanceof HTMLInputElement) return;
      e.preventDefault();
      this.classroom.open(e.clientX, e.clientY, this.touching);
    });
    this.doc.addEventListener('pointerdown', (e) => {
      this.touching = isTouch(e);
      const target = /** @type {Node} */ (e.target);
      if (!this.classroom.menu.contains(target) && target !== this.menuButton) this.classroom.close(false);
    }, true);
    this.menuButton.addEventListener('click', () => {
      if (!this.classroom.menu.hidden) {
        this.classroom.close(true);
        return;
      }
      const r = this.menuButton.getBoundingClientRect();
      this.classroom.open(r.right, r.bottom, this.touching);
    });
    // A finger held on the band diagram or the plot opens the menu; a pinch zooms.
    const t = this.table;
    // Held on a box, a button or a shape with words, it shows what they say.
    new LongPress(this.root, { ms: t.longPressMs, slop: t.longPressSlop }, (target, x, y) => {
      const worded = target.closest('input, button, .legend');
      if (worded instanceof HTMLElement) this.showTip(worded);
      else this.classroom.open(x, y, true);
    });
    this.doc.addEventListener('pointerdown', () => this.hideTip(), true);
    new Pinch(this.root, t.pinchStep,
      (direction) => this.setZoom(this.core.steppedZoom(this.zoom, direction)));
    // Ctrl with the wheel zooms, a step a notch; a fine wheel sends parts of one.
    this.doc.defaultView?.addEventListener('wheel', (e) => {
      if (!e.ctrlKey) return;
      e.preventDefault();
      this.wheel -= e.deltaY / NOTCH[e.deltaMode];
      while (Math.abs(this.wheel) >= 1) {
        const direction = Math.sign(this.wheel);
        this.setZoom(this.core.steppedZoom(this.zoom, direction));
        this.wheel -= direction;
      }
    }, { passive: false });
    // The browser's own zoom and a move to another screen change the pixel ratio.
    this.doc.defaultView?.addEventListener('resize', () => this.layout());
  }

  /** Runs a call into the program, then brings the page up to date. */
  call(f) {
    if (this.core.closed()) return;
    f();
    this.sync();
  }

  setZoom(zoom) {
    if (zoom === this.zoom) return;
    // The page keeps showing the same part of the form.
    const view = this.doc.defaultView;
    const r = this.root.getBoundingClientRect();
    const px = this.zoom / TWIPS_PER_PX;
    const at = { x: (-r.left) / px, y: (-r.top) / px };
    this.zoom = zoom;
    this.layout();
    const npx = zoom / TWIPS_PER_PX;
    const r2 = this.root.getBoundingClientRect();
    if (view) view.scrollBy(at.x * npx + r2.left, at.y * npx + r2.top);
    // The control the user is at stays in sight.
    const focus = this.doc.activeElement;
    if (focus instanceof HTMLElement && this.root.contains(focus)) {
      focus.scrollIntoView({ block: 'nearest', inline: 'nearest' });
    }
    this.enableZoomItems();
  }

  /** Shows an element's words (its title) beside it, as a finger cannot hover. */
  showTip(el) {
    if (!el.title) return;
    const tip = /** @type {HTMLElement} */ (this.doc.getElementById('tooltip'));
    tip.textContent = el.title;
    tip.hidden = false;
    const r = el.getBoundingClientRect();
    const view = this.doc.documentElement;
    const t = tip.getBoundingClientRect();
    const below = r.bottom + 4 + t.height <= view.clientHeight;
    tip.style.left = `${Math.max(0, Math.min(r.left, view.clientWidth - t.width)) + (this.doc.defaultView?.scrollX ?? 0)}px`;
    tip.style.top = `${(below ? r.bottom + 4 : Math.max(0, r.top - 4 - t.height)) + (this.doc.defaultView?.scrollY ?? 0)}px`;
  }

  hideTip() {
    const tip = this.doc.getElementById('tooltip');
    if (tip) tip.hidden = true;
  }

  /** The high contrast for a projector, or the designed look: the core's colours and widths. */
  setContrast(high) {
    this.highContrast = high;
    const look = this.core.look(high);
    setLook(look);
    const style = this.doc.documentElement.style;
    style.setProperty('--window', look.formBackground);
    style.setProperty('--text', look.text);
    style.setProperty('--box', look.boxBackground);
    style.setProperty('--box-border', look.boxBorder);
    style.setProperty('--box-border-width', `${look.boxBorderWidth}px`);
    this.doc.body.classList.toggle('high-contrast', high);
    this.classroom.check('HighContrast', high);
    // Everything drawn again in the look.
    this.drawing.k = 0;
    this.plot.k = 0;
    this.painted = -1;
    this.layout();
  }

  /** The zoom at which the whole form fits the browser's window, its margins kept. */
  fitZoom() {
    const view = this.doc.defaultView;
    const style = view ? view.getComputedStyle(/** @type {Element} */ (this.doc.getElementById('window'))) : null;
    const px = (/** @type {string} */ v) => (style ? parseFloat(style.getPropertyValue(v)) : 0);
    return this.core.fitZoom((view?.innerWidth ?? 0) - px('margin-left') - px('margin-right'),
      (view?.innerHeight ?? 0) - px('margin-top') - px('margin-bottom'));
  }

  /** The zoom items of the menu that would change the zoom are on. */
  enableZoomItems() {
    this.classroom.enable('ZoomIn', this.zoom < this.core.steppedZoom(1, 100));
    this.classroom.enable('ZoomOut', this.zoom > 1);
    this.classroom.enable('ActualSize', this.zoom !== 1);
  }

  /** Places everything at the zoom and the screen's pixel ratio. */
  layout() {
    const dpr = this.doc.defaultView?.devicePixelRatio || 1;
    const px = this.zoom / TWIPS_PER_PX;
    this.measure ??= new PageMeasure(this.doc);
    // The window's language is the face of its caption.
    const japanese = this.core.face(this.doc.title) === JAPANESE;
    this.form.layout(px, this.zoom, this.core.layout(this.zoom, japanese, this.measure),
      (text) => this.core.face(text), this.description.bandLetterPoints);
    for (const [el, [l, t, w, h]] of [[this.sign, this.table.sign], [this.menuButton, this.table.menuButton]]) {
      const r = pixelRect({ left: l, top: t, width: w, height: h }, px);
      Object.assign(el.style, {
        left: `${r.left}px`, top: `${r.top}px`, width: `${r.width}px`, height: `${r.height}px`,
      });
    }
    this.menuButton.style.fontSize = `${Math.round(24 * this.zoom)}px`;
    const k = px * dpr;
    this.dpr = dpr;
    const scaled = this.drawing.setScale(k, dpr);
    this.plot.setScale(k, dpr);
    if (scaled) this.painted = -1;
    this.paint();
  }

  /** Opens the Readouts view, made the first time it is asked for. */
  showReadouts() {
    this.readouts ??= new ReadoutsView(
      /** @type {HTMLDialogElement} */ (this.doc.getElementById('readouts')), this.core);
    this.readouts.show();
  }

  /** Brings every element up to date with the program, and sets the next wake-up. */
  sync() {
    if (this.core.closed()) {
      this.end();
      return;
    }
    if ((this.doc.defaultView?.devicePixelRatio || 1) !== this.dpr) this.layout();
    this.paint();
    // Closed or never opened, the view costs the frame nothing.
    if (this.readouts?.open) this.readouts.refresh();
    for (let n = this.core.takeNotice(); n; n = this.core.takeNotice()) {
      const box = n.focus ? /** @type {HTMLInputElement} */ (this.form.element(n.focus)) : null;
      this.dialog.show(n.text, box ?? null);
    }
    this.schedule();
  }

  paint() {
    const changes = this.core.changes();
    if (changes === this.painted) return;
    this.painted = changes;
    for (const { el, box } of this.form.boxes) {
      const text = this.core.text(box);
      // Rewriting an unchanged text would move the user's cursor.
      if (el.value !== text) el.value = text;
    }
    const lines = this.core.lines();
    this.drawing.paintStill(lines);
    this.drawing.paintMoving(lines, this.core.carriers(false), this.core.carriers(true));
    this.plot.paint(this.core.plot());
    const paused = this.core.paused();
    if (paused !== this.shownPaused) {
      this.shownPaused = paused;
      this.sign.hidden = !paused;
      this.classroom.setText('Pause', paused ? this.table.resume
        : this.table.actions.find((a) => a.name === 'Pause')?.text ?? '');
    }
    this.describe();
  }

  /** Tells a screen reader what the program says, when it changed. */
  describe() {
    const d = this.core.descriptions();
    if (d.diagram !== this.descriptions.diagram) this.form.diagramText.textContent = d.diagram;
    const plot = this.form.element('Picture1');
    if (d.plot !== this.descriptions.plot && plot) {
      const text = this.doc.getElementById('Picture1-description');
      if (text) text.textContent = d.plot;
    }
    if (d.window !== this.descriptions.window) {
      const text = this.doc.getElementById('window-description');
      if (text) text.textContent = d.window;
    }
    this.descriptions = d;
  }

  /** Wakes the program at its next deadline. */
  schedule() {
    const due = this.core.nextDeadline();
    if (due < 0) this.clock.cancel();
    else this.clock.wakeAt(due, () => this.call(() => this.core.advance(this.clock.now())));
  }

  /** The list of every classroom key, in the user's language. */
  showKeys() {
    const dialog = /** @type {HTMLDialogElement} */ (this.doc.getElementById('keys-help'));
    const keys = this.table.actions.find((a) => a.name === 'Keys');
    /** @type {HTMLElement} */ (dialog.querySelector('h2')).textContent =
      this.texts.plain(this.table.context, keys?.text ?? '');
    /** @type {HTMLElement} */ (dialog.querySelector('button')).textContent =
      this.texts.tr(PAGE, this.pageTexts.ok);
    this.classroom.describeKeys(/** @type {HTMLElement} */ (dialog.querySelector('#keys-help-table')));
    if (!dialog.open) dialog.showModal();
  }

  /** After Close: a page cannot always close its tab, so it says the program has ended. */
  end() {
    const view = this.doc.defaultView;
    this.clock.cancel();
    // The browser has its keys back, and the page may go without a question.
    this.classroom.ended = true;
    this.classroom.close(false);
    view?.removeEventListener('beforeunload', this.leaving);
    if (this.doc.body.classList.contains('ended')) return;
    this.doc.body.classList.add('ended');
    const note = /** @type {HTMLElement} */ (this.doc.getElementById('ended'));
    note.textContent = this.texts.tr(PAGE, this.pageTexts.ended);
    note.hidden = false;
    this.root.inert = true;
    note.focus();
    view?.close();
  }
}
