// The copy of the picture (Ctrl+Shift+C): the part of the form on show, at
// the present zoom and pixel ratio, as the screen shows it (each text where
// and in the font the browser drew it), on white — the band diagram with its
// carriers and markers, the circuit, the labels, the boxes and the plot,
// without the buttons and the "Paused" sign — as a PNG on the clipboard, or
// as a download where the browser refuses the clipboard.

/**
 * The text of a label as the browser laid it out: one run a line, with the
 * place of its first character, in CSS pixels of the window. Reading the
 * browser's own line boxes keeps every break, alignment and padding of the
 * screen.
 * @param {HTMLElement} el
 */
function lineRuns(el) {
  /** @type {{text: string, left: number, top: number}[]} */
  const runs = [];
  const range = el.ownerDocument.createRange();
  for (const node of el.childNodes) {
    if (node.nodeType !== Node.TEXT_NODE) continue;
    const text = node.textContent ?? '';
    /** @type {{text: string, left: number, top: number, height: number} | null} */
    let run = null;
    for (let i = 0; i < text.length; i++) {
      range.setStart(node, i);
      range.setEnd(node, i + 1);
      const r = range.getClientRects()[0];
      // A space at a line break has no box of its own.
      if (!r || r.width === 0) continue;
      if (!run || Math.abs(r.top - run.top) > run.height / 2) {
        run = { text: '', left: r.left, top: r.top, height: r.height };
        runs.push(run);
      }
      run.text += text[i];
    }
  }
  return runs;
}

/** The canvas font of an element's computed style, at dpr. */
function canvasFont(style, dpr) {
  return `${style.fontStyle} ${style.fontWeight} ${parseFloat(style.fontSize) * dpr}px ${style.fontFamily}`;
}

/**
 * Draws a label's text into ctx where the page shows it; form: the form's
 * place in the window.
 */
function drawLabel(ctx, el, form, dpr) {
  const style = getComputedStyle(el);
  ctx.font = canvasFont(style, dpr);
  ctx.fillStyle = style.color;
  ctx.textAlign = 'left';
  ctx.textBaseline = 'alphabetic';
  for (const run of lineRuns(el)) {
    // The top of an inline box is the font's ascent above its baseline.
    const ascent = ctx.measureText(run.text).fontBoundingBoxAscent;
    ctx.fillText(run.text, (run.left - form.left) * dpr, (run.top - form.top) * dpr + ascent);
  }
}

/** Draws a text box, its border and its text, as the page shows it. */
function drawBox(ctx, el, box, dpr) {
  const style = getComputedStyle(el);
  const border = parseFloat(style.borderLeftWidth) || 0;
  ctx.fillStyle = style.backgroundColor;
  ctx.fillRect(box.left * dpr, box.top * dpr, box.width * dpr, box.height * dpr);
  if (border > 0) {
    ctx.strokeStyle = style.borderLeftColor;
    ctx.lineWidth = border * dpr;
    ctx.strokeRect((box.left + border / 2) * dpr, (box.top + border / 2) * dpr,
      (box.width - border) * dpr, (box.height - border) * dpr);
  }
  ctx.font = canvasFont(style, dpr);
  ctx.fillStyle = style.color;
  ctx.textAlign = 'left';
  ctx.textBaseline = 'alphabetic';
  // A single-line box centres its line in the room inside its border.
  const m = ctx.measureText(el.value);
  const line = m.fontBoundingBoxAscent + m.fontBoundingBoxDescent;
  const x = (box.left + border + parseFloat(style.paddingLeft)) * dpr;
  const y = box.top * dpr + (box.height * dpr - line) / 2 + m.fontBoundingBoxAscent;
  ctx.save();
  ctx.beginPath();
  ctx.rect((box.left + border) * dpr, (box.top + border) * dpr, (box.width - 2 * border) * dpr,
    (box.height - 2 * border) * dpr);
  ctx.clip();
  ctx.fillText(el.value, x, y);
  ctx.restore();
}

/** @param {import('./main.js').App} app @returns {HTMLCanvasElement} */
export function formPicture(app) {
  const dpr = app.dpr;
  const root = app.root;
  const form = root.getBoundingClientRect();
  const view = app.doc.documentElement;
  // The part of the form in the window.
  const left = Math.max(0, -form.left);
  const top = Math.max(0, -form.top);
  const right = Math.min(form.width, view.clientWidth - form.left);
  const bottom = Math.min(form.height, view.clientHeight - form.top);
  const canvas = app.doc.createElement('canvas');
  canvas.width = Math.max(1, Math.round((right - left) * dpr));
  canvas.height = Math.max(1, Math.round((bottom - top) * dpr));
  const ctx = /** @type {CanvasRenderingContext2D} */ (canvas.getContext('2d'));
  ctx.fillStyle = '#ffffff';
  ctx.fillRect(0, 0, canvas.width, canvas.height);
  ctx.translate(-left * dpr, -top * dpr);
  ctx.drawImage(app.form.still, 0, 0);
  for (const el of root.children) {
    if (!(el instanceof HTMLElement) || el.hidden || el.tagName === 'CANVAS'
      || el.tagName === 'BUTTON' || el.id === 'paused-sign'
      || el.classList.contains('for-screen-readers')) continue;
    const r = el.getBoundingClientRect();
    const box = { left: r.left - form.left, top: r.top - form.top, width: r.width, height: r.height };
    if (el.classList.contains('plot')) {
      ctx.fillStyle = '#ffffff';
      ctx.fillRect(box.left * dpr, box.top * dpr, box.width * dpr, box.height * dpr);
      ctx.drawImage(app.plot.canvas, box.left * dpr, box.top * dpr);
      ctx.strokeStyle = '#808080';
      ctx.lineWidth = dpr;
      ctx.strokeRect((box.left + 0.5) * dpr, (box.top + 0.5) * dpr, (box.width - 1) * dpr, (box.height - 1) * dpr);
    } else if (el instanceof HTMLInputElement) {
      drawBox(ctx, el, box, dpr);
    } else {
      drawLabel(ctx, el, form, dpr);
    }
  }
  app.drawing.drawMovingOnto(ctx);
  return canvas;
}

/**
 * Whether the page may ask for the clipboard: a frame's permissions policy
 * may forbid it (a learning platform's sandbox), and asking anyway is
 * reported as an error.
 * @param {Document} doc
 */
export function clipboardWritable(doc) {
  const policy = /** @type {any} */ (doc).featurePolicy ?? /** @type {any} */ (doc).permissionsPolicy;
  return !policy || policy.allowsFeature('clipboard-write');
}

/** @param {import('./main.js').App} app */
export async function copyPicture(app) {
  const canvas = formPicture(app);
  const blob = await new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
  if (!blob) return;
  try {
    if (!clipboardWritable(app.doc)) throw new Error('no clipboard');
    await navigator.clipboard.write([new ClipboardItem({ 'image/png': blob })]);
  } catch {
    // The browser refuses the clipboard (a page from file://, an older
    // browser): the picture is downloaded instead. A frame may refuse the
    // download too, without a word (a learning platform's sandbox), so
    // there the picture is shown, to be copied by a right click.
    const view = app.doc.defaultView;
    if (view && view !== view.top) {
      app.copyDialog.showPicture(canvas.toDataURL('image/png'));
      return canvas;
    }
    const a = app.doc.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = 'transistor-sim.png';
    a.click();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  }
  return canvas;
}

