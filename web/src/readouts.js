// The Readouts view: every readout of the session in a table, the summary
// per setting, the chart and its description, Copy and Save CSV. It is a
// non-modal dialog, so the form goes on beside it. Everything in it comes
// from the core (Core.readouts()); the view only lays it out and paints the
// chart in the core's units. Closed, it asks the core for nothing.

/** @param {number} rgb 0xRRGGBB */
function css(rgb) {
  return `#${rgb.toString(16).padStart(6, '0')}`;
}

export class ReadoutsView {
  /**
   * @param {HTMLDialogElement} dialog an empty dialog
   * @param {import('./core.js').Core} core
   */
  constructor(dialog, core) {
    this.dialog = dialog;
    this.core = core;
    this.shown = -1;
    /** @type {any} the core's last view of the log */
    this.data = null;
    /** @type {HTMLElement | null} */
    this.returnTo = null;
    const doc = dialog.ownerDocument;
    const el = (tag, props = {}) => Object.assign(doc.createElement(tag), props);
    dialog.setAttribute('aria-labelledby', 'readouts-title');
    this.title = el('h2', { id: 'readouts-title' });
    this.copyButton = el('button', { id: 'readouts-copy', type: 'button' });
    this.saveButton = el('button', { id: 'readouts-save', type: 'button' });
    this.closeButton = el('button', { id: 'readouts-close', type: 'button' });
    const bar = el('div', { className: 'readouts-bar' });
    bar.append(this.copyButton, this.saveButton, this.closeButton);
    this.note = el('p', { id: 'readouts-note' });
    this.summary = el('table', { id: 'readouts-summary' });
    this.chartTitle = el('h3');
    this.canvas = el('canvas', { id: 'readouts-chart' });
    this.canvas.setAttribute('role', 'img');
    this.canvas.setAttribute('aria-describedby', 'readouts-chart-description');
    this.chartText = el('p', { id: 'readouts-chart-description' });
    this.table = el('table', { id: 'readouts-table' });
    // The long table scrolls on its own; a keyboard user reaches it by Tab.
    const scroller = el('div', { className: 'readouts-scroll', tabIndex: 0 });
    scroller.append(this.table);
    this.scroller = scroller;
    dialog.append(this.title, bar, this.note, this.summary, this.chartTitle, this.canvas,
      this.chartText, scroller);
    this.copyButton.addEventListener('click', () => this.copy());
    this.saveButton.addEventListener('click', () => this.save());
    this.closeButton.addEventListener('click', () => this.close());
    dialog.addEventListener('keydown', (e) => {
      if (e.key !== 'Escape') return;
      e.preventDefault();
      e.stopPropagation();
      this.close();
    });
  }

  get open() {
    return this.dialog.open;
  }

  show() {
    if (!this.dialog.open) {
      const active = this.dialog.ownerDocument.activeElement;
      this.returnTo = active instanceof HTMLElement ? active : null;
      this.shown = -1;
      this.dialog.show();
      this.refresh();
    }
    this.closeButton.focus();
  }

  close() {
    if (!this.dialog.open) return;
    this.dialog.close();
    if (this.returnTo?.isConnected) this.returnTo.focus();
    this.returnTo = null;
  }

  /** Brings the view up to date after a new readout; nothing while closed. */
  refresh() {
    if (!this.dialog.open) return;
    const serial = this.core.readoutsSerial();
    if (serial === this.shown) return;
    this.shown = serial;
    const d = this.core.readouts();
    this.data = d;
    const [title, tableTitle, summaryTitle, chartTitle, copy, save, close] = d.texts;
    this.title.textContent = title;
    this.copyButton.textContent = copy.replace(/&(&?)/g, '$1').replace(/\(\w\)$/, '');
    this.saveButton.textContent = save.replace(/&(&?)/g, '$1').replace(/\(\w\)/, '');
    this.closeButton.textContent = close;
    this.note.textContent = d.note;
    this.fillTable(this.summary, summaryTitle, d.summaryHeaders, d.summary.map((cells) => ({ cells, whole: true })));
    this.fillTable(this.table, tableTitle, d.headers, d.rows);
    this.chartTitle.textContent = chartTitle;
    this.chartText.textContent = d.description;
    this.canvas.setAttribute('aria-label', chartTitle);
    this.paintChart(d.chart);
    // Newest last, and in sight.
    this.scroller.scrollTop = this.scroller.scrollHeight;
  }

  /**
   * @param {HTMLTableElement} table
   * @param {string} caption
   * @param {string[]} headers
   * @param {{cells: string[], whole: boolean}[]} rows
   */
  fillTable(table, caption, headers, rows) {
    const doc = table.ownerDocument;
    table.replaceChildren();
    table.createCaption().textContent = caption;
    const head = table.createTHead().insertRow();
    for (const h of headers) {
      const th = doc.createElement('th');
      th.scope = 'col';
      th.textContent = h;
      head.append(th);
    }
    const body = table.createTBody();
    for (const r of rows) {
      const tr = body.insertRow();
      if (!r.whole) tr.className = 'not-whole';
      for (const c of r.cells) tr.insertCell().textContent = c;
    }
  }

  paintChart(chart) {
    const dpr = this.dialog.ownerDocument.defaultView?.devicePixelRatio || 1;
    const c = this.canvas;
    c.style.width = `${chart.width}px`;
    c.style.height = `${chart.height}px`;
    c.width = Math.round(chart.width * dpr);
    c.height = Math.round(chart.height * dpr);
    const g = /** @type {CanvasRenderingContext2D} */ (c.getContext('2d'));
    g.setTransform(dpr, 0, 0, dpr, 0, 0);
    g.fillStyle = '#ffffff';
    g.fillRect(0, 0, chart.width, chart.height);
    g.lineWidth = 1;
    for (const l of chart.lines) {
      g.strokeStyle = css(l.color);
      g.setLineDash(l.dashed ? [5, 4] : []);
      g.lineWidth = l.dashed ? 1.5 : 1;
      g.beginPath();
      for (let i = 0; i < l.points.length; i += 2) {
        if (i === 0) g.moveTo(l.points[i], l.points[i + 1]);
        else g.lineTo(l.points[i], l.points[i + 1]);
      }
      g.stroke();
    }
    g.setLineDash([]);
    g.font = '12px sans-serif';
    g.textBaseline = 'middle';
    for (const t of chart.texts) {
      g.fillStyle = css(t.color);
      g.textAlign = t.align < 0 ? 'left' : t.align > 0 ? 'right' : 'center';
      g.fillText(t.text, t.x, t.y);
    }
  }

  /** The table as tab-separated text, for a spreadsheet. */
  async copy() {
    this.refresh();
    try {
      await navigator.clipboard.writeText(this.data.tsv);
    } catch {
      // A page without the focus or the permission may not write the clipboard.
    }
  }

  /** The table as a CSV file, downloaded. */
  save() {
    this.refresh();
    const doc = this.dialog.ownerDocument;
    const url = URL.createObjectURL(new Blob([this.data.csv], { type: 'text/csv;charset=utf-8' }));
    const a = doc.createElement('a');
    a.href = url;
    a.download = this.data.texts[7];
    doc.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  }
}
