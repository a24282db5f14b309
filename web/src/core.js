// The program of the core, compiled to WebAssembly, as the page calls it.
// Texts cross as UTF-8 in the module's memory; the carriers, the lines and
// the plot are read straight from the Form's own memory.

const encoder = new TextEncoder();
const decoder = new TextDecoder();

/** The names of the text boxes, in the core's order. */
export const TEXT_BOXES = [
  'Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6', 'Text7',
  'Text8', 'Text9', 'Text10', 'Text11', 'Text12', 'Text13',
];

/** The moving lines of the Form, in the core's order. */
const MOVING_LINES = 13;

export class Core {
  /** @param {any} module the instance that createTransistorCore() made */
  constructor(module) {
    this.m = module;
  }

  /** A NUL-terminated UTF-8 text at ptr. */
  string(ptr) {
    const bytes = this.m.HEAPU8;
    let end = ptr;
    while (bytes[end] !== 0) end++;
    return decoder.decode(bytes.subarray(ptr, end));
  }

  /** Copies text into the module's buffer and returns its address. */
  pass(text) {
    const bytes = encoder.encode(text);
    const ptr = this.m._tp_buffer(bytes.length);
    this.m.HEAPU8.set(bytes, ptr);
    return ptr;
  }

  /**
   * The language of the texts: the first wanted one with a translation, else
   * English; '' keeps the texts as designed (asked for as "designed").
   * @param {string[]} translated @param {readonly string[]} wanted
   */
  pickLanguage(translated, wanted) {
    this.pass(`${translated.join(',')}\0${wanted.join(',')}`);
    return this.string(this.m._tp_pick_language());
  }

  /**
   * @param {string} separator the user's decimal separator
   * @param {Record<string, Record<string, string>>} catalog context → source → text
   * @param {number} now
   */
  create(separator, catalog, now) {
    for (const [context, texts] of Object.entries(catalog)) {
      for (const [source, text] of Object.entries(texts)) {
        this.pass(`${context}\0${source}\0${text}`);
        this.m._tp_translation();
      }
    }
    this.m._tp_create(this.pass(separator), now);
  }

  /** The window description: every control with its design-time properties. */
  description() {
    return JSON.parse(this.string(this.m._tp_description_json()));
  }

  /** The classroom controls: actions with their texts, keys and what each key does, the sign. */
  classroom() {
    return JSON.parse(this.string(this.m._tp_classroom_json()));
  }

  /**
   * How the form is painted: the designed look, or the high contrast.
   * @returns {{name: string, formBackground: string, text: string, boxBackground: string,
   *   boxBorder: string, boxBorderWidth: number, lineDevicePixels: number, colors: Record<string, number>}}
   */
  look(highContrast) {
    return JSON.parse(this.string(this.m._tp_look_json(highContrast ? 1 : 0)));
  }

  /** The page's own texts as designed: {ok, ended, chart}. */
  pageTexts() {
    return JSON.parse(this.string(this.m._tp_page_texts_json()));
  }

  /**
   * Where the captions stand at zoom, measured by measure (Module.textMeasure).
   * @returns {{size: number, labels: Record<string, number[]>}}
   */
  layout(zoom, japaneseWindow, measure) {
    this.m.textMeasure = measure;
    return JSON.parse(this.string(this.m._tp_layout(zoom, japaneseWindow ? 1 : 0)));
  }

  /** The face of a text: 0 Latin, 1 Japanese. */
  face(text) {
    this.pass(text);
    return this.m._tp_face();
  }

  /** The zoom steps steps of 25 % away from zoom, within 100 % .. 300 %. */
  steppedZoom(zoom, steps) { return this.m._tp_stepped_zoom(zoom, steps); }
  /** The largest zoom (100 % .. 300 %) at which the whole form fits width × height. */
  fitZoom(width, height) { return this.m._tp_fit_zoom(width, height); }

  advance(now) { this.m._tp_advance(now); }
  /** @returns {number} the next deadline, or -1 */
  nextDeadline() { return this.m._tp_next_deadline(); }
  /** @returns {number} a count that changes whenever the Form may have */
  changes() { return this.m._tp_changes() >>> 0; }

  press(button, now) { return this.m._tp_press(this.pass(button), now) !== 0; }
  enter(box, now) { return this.m._tp_enter(this.pass(box), now) !== 0; }
  togglePause(now) { this.m._tp_toggle_pause(now); }
  step(now) { this.m._tp_step(now); }
  paused() { return this.m._tp_paused() !== 0; }
  closed() { return this.m._tp_closed() !== 0; }
  /** Whether leaving now would lose a run. */
  runOn() { return this.m._tp_run_on() !== 0; }

  /** @param {number} box index in TEXT_BOXES */
  text(box) { return this.string(this.m._tp_text(box)); }
  setText(box, text) {
    this.pass(text);
    this.m._tp_set_text(box);
  }

  /**
   * The carriers in use: count, and their Left, Top as [2 i], [2 i + 1]
   * of positions (member 0 is the spare).
   * @param {boolean} holes
   */
  carriers(holes) {
    const which = holes ? 1 : 0;
    const ptr = this.m._tp_carriers(which) >> 2;
    return {
      count: this.m._tp_count(which),
      positions: this.m.HEAPF32.subarray(ptr, ptr + 2 * 101),
    };
  }

  /**
   * The moving lines by name, read from the Form's memory: the objects stay
   * the same from call to call, their values are brought up to date.
   * @returns {Record<string, {x1: number, y1: number, x2: number, y2: number, visible: boolean}>}
   */
  lines() {
    if (!this.lineViews) {
      /** @type {{ptr: number, line: {x1: number, y1: number, x2: number, y2: number, visible: boolean}}[]} */
      this.lineViews = [];
      /** @type {Record<string, {x1: number, y1: number, x2: number, y2: number, visible: boolean}>} */
      this.lineObjects = {};
      for (let i = 0; i < MOVING_LINES; i++) {
        const line = { x1: 0, y1: 0, x2: 0, y2: 0, visible: false };
        this.lineViews.push({ ptr: this.m._tp_line(i), line });
        this.lineObjects[this.string(this.m._tp_line_name(i))] = line;
      }
    }
    const f = this.m.HEAPF32, b = this.m.HEAPU8;
    for (const { ptr, line } of this.lineViews) {
      line.x1 = f[ptr >> 2];
      line.y1 = f[(ptr >> 2) + 1];
      line.x2 = f[(ptr >> 2) + 2];
      line.y2 = f[(ptr >> 2) + 3];
      line.visible = b[ptr + 16] !== 0;
    }
    return /** @type {Record<string, {x1: number, y1: number, x2: number, y2: number, visible: boolean}>} */ (this.lineObjects);
  }

  /** The plot's points, x and y in turn. */
  plot() {
    const ptr = this.m._tp_plot() >> 2;
    return this.m.HEAPF32.subarray(ptr, ptr + 2 * this.m._tp_plot_size());
  }

  /** @returns {{text: string, focus: string} | null} the next thing to tell the user */
  takeNotice() {
    if (!this.m._tp_take_notice()) return null;
    return { text: this.string(this.m._tp_notice_text()), focus: this.string(this.m._tp_notice_focus()) };
  }

  /** What a screen reader hears of the band diagram, the plot and the window. */
  descriptions() {
    return {
      diagram: this.string(this.m._tp_description(0)),
      plot: this.string(this.m._tp_description(1)),
      window: this.string(this.m._tp_description(2)),
    };
  }

  /** A count that changes whenever a readout is logged. */
  readoutsSerial() { return this.m._tp_readouts_serial(); }
  /** Everything the Readouts view shows (web/api.cpp ReadoutsJson). */
  readouts() { return JSON.parse(this.string(this.m._tp_readouts_json())); }

  /**
   * The setup a link's query string carries (app/setup_link.h).
   * @param {string} query
   * @returns {{texts: [string, string][], language: string, zoom: number, start: boolean, highContrast: boolean}}
   */
  readLink(query) {
    this.pass(query);
    const { zoomPercent, ...link } = JSON.parse(this.string(this.m._tp_read_link()));
    return { ...link, zoom: zoomPercent / 100 };
  }

  /** The query of a link to the present inputs. */
  linkQuery() { return this.string(this.m._tp_link_query()); }

  /**
   * The ticks counted in each readout so far and the time the clock skipped
   * since Start: what the page's figures check on a slow device.
   * @returns {{ticks: number[], skipped: number}}
   */
  readoutTicks() {
    const [ticks, skipped] = this.string(this.m._tp_readout_ticks()).split(' ');
    return { ticks: JSON.parse(ticks), skipped: Number(skipped) };
  }

  /** The state, as the script driver dumps it. */
  dump() { return this.string(this.m._tp_dump()); }
}
