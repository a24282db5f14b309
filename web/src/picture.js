// The copy of the picture (Ctrl+Shift+C): the part of the form on show, at
// the present zoom and pixel ratio, on white — the band diagram with its
// carriers and markers, the circuit, the labels, the boxes and the plot,
// without the buttons and the "Paused" sign — as a PNG on the clipboard, or
// as a download where the browser refuses the clipboard.

/** Draws a label's or a box's text into ctx as the page shows it. */
function drawText(ctx, el, box, dpr) {
  const style = getComputedStyle(el);
  ctx.font = `${style.fontStyle} ${style.fontWeight} ${parseFloat(style.fontSize) * dpr}px ${style.fontFamily}`;
  ctx.fillStyle = style.color;
  ctx.textBaseline = 'top';
  const text = el instanceof HTMLInputElement ? el.value : el.textContent ?? '';
  const width = box.width * dpr;
  const lineHeight = parseFloat(style.lineHeight) * dpr || parseFloat(style.fontSize) * dpr * 1.2;
  // Lines break where the page breaks them: at spaces, or anywhere in a
  // text without spaces that is too wide.
  const lines = [];
  let line = '';
  const wraps = !(el instanceof HTMLInputElement) && style.whiteSpace !== 'nowrap';
  for (const word of wraps ? text.split(/(?<=\s)/) : [text]) {
    if (line && ctx.measureText(line + word).width > width) {
      lines.push(line.trimEnd());
      line = '';
    }
    line += word;
  }
  lines.push(line);
  const pad = el instanceof HTMLInputElement ? parseFloat(style.paddingLeft) * dpr : 0;
  const top = el instanceof HTMLInputElement
    ? box.top * dpr + (box.height * dpr - lineHeight) / 2 : box.top * dpr;
  lines.forEach((l, i) => ctx.fillText(l, box.left * dpr + pad + 1, top + i * lineHeight));
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
      ctx.fillStyle = '#ffffff';
      ctx.fillRect(box.left * dpr, box.top * dpr, box.width * dpr, box.height * dpr);
      ctx.strokeStyle = '#000000';
      ctx.lineWidth = dpr;
      ctx.strokeRect((box.left + 0.5) * dpr, (box.top + 0.5) * dpr, (box.width - 1) * dpr, (box.height - 1) * dpr);
      drawText(ctx, el, box, dpr);
    } else {
      drawText(ctx, el, box, dpr);
    }
  }
  app.drawing.drawMovingOnto(ctx);
  return canvas;
}

/** @param {import('./main.js').App} app */
export async function copyPicture(app) {
  const canvas = formPicture(app);
  const blob = await new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
  if (!blob) return;
  try {
    await navigator.clipboard.write([new ClipboardItem({ 'image/png': blob })]);
  } catch {
    // The browser refuses the clipboard (a page from file://, an older
    // browser): the picture is downloaded instead.
    const a = app.doc.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = 'transistor-sim.png';
    a.click();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  }
  return canvas;
}

