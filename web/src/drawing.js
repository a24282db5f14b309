// The drawing of the form: the band lines, the circuit and the lower strip's
// shapes, the marker lines and the carriers. Everything is given in twips and
// scaled once, by k device pixels per twip (the zoom, the CSS pixel and the
// device pixel ratio together); edges are rounded to whole device pixels, so
// the drawing stays crisp at every zoom and on every screen.
//
// The still layer holds every line and shape that moves only at Start and
// Restart; it is drawn again only then, or when the scale changes. The
// moving layer holds the markers and the carriers, drawn from one sprite per
// kind of carrier. It covers only the part of the form, from its top left
// corner, where they have moved, grown when they go further: the browser copies and composites the
// whole of a canvas that changed at every frame, and at a large zoom that
// copy of the whole form was most of a frame's cost. A carrier that has not
// moved since the scale was set (the spares in the lower strip) is drawn on
// the still layer instead, until it moves.

/** Twips in a CSS pixel at actual size: 1440 an inch at 96 dpi. */
export const TWIPS_PER_PX = 15;

const MARKERS = new Set(['Line18', 'Line19']);

/**
 * The look the form is painted in (Core.look): the colours of the lines and
 * shapes, and their least width in device pixels.
 * @type {{lineDevicePixels: number, colors: Record<string, number>}}
 */
let look = { lineDevicePixels: 1, colors: {} };

/** Paints from now on in the look l. */
export function setLook(l) {
  look = l;
}

/** The colour of a line or shape of the description in the look. */
function colorOf(c) {
  return cssColor(look.colors[c.name] ?? c.color);
}

/** The side of a tile of the moving layer that is drawn again, in device pixels. */
const TILE = 32;

/** The room the moving layer keeps around what it shows when it grows, in tiles. */
const ROOM = 2;

/** '#rrggbb' of a colour of the description. */
export function cssColor(rgb) {
  return `#${rgb.toString(16).padStart(6, '0')}`;
}

/** Sizes a canvas for width × height twips at k device pixels per twip. */
export function sizeCanvas(canvas, width, height, k, dpr) {
  canvas.width = Math.round(width * k);
  canvas.height = Math.round(height * k);
  canvas.style.width = `${canvas.width / dpr}px`;
  canvas.style.height = `${canvas.height / dpr}px`;
}

/** The width of a line in device pixels: one CSS pixel at actual size, or the look's least. */
export function lineWidth(k) {
  return Math.max(look.lineDevicePixels, Math.round(k * TWIPS_PER_PX));
}

/** A straight line of one (scaled) pixel, on whole device pixels. */
export function drawLine(ctx, c, x1, y1, x2, y2, k) {
  const w = lineWidth(k);
  ctx.strokeStyle = colorOf(c);
  ctx.lineWidth = w;
  ctx.lineCap = 'butt';
  // Dash 9, gap 6, dot 3, gap 6 pixels: the usual dash-dot of a thin line.
  ctx.setLineDash(c.dashDot ? [9 * w, 6 * w, 3 * w, 6 * w] : []);
  ctx.beginPath();
  const at = (v) => Math.round(v * k) + w / 2;
  ctx.moveTo(at(x1), at(y1));
  ctx.lineTo(at(x2), at(y2));
  ctx.stroke();
}

/** The box of a control in whole device pixels: edges rounded, not sizes. */
function pixelBox(left, top, width, height, k) {
  const x = Math.round(left * k);
  const y = Math.round(top * k);
  return { x, y, w: Math.round((left + width) * k) - x, h: Math.round((top + height) * k) - y };
}

/** A rectangle with a one-pixel outline inside its box, optionally filled. */
function drawRectangle(ctx, c, k) {
  const b = pixelBox(c.left, c.top, c.width, c.height, k);
  const w = lineWidth(k);
  ctx.fillStyle = '#000000';
  if (c.filled) {
    ctx.fillRect(b.x, b.y, b.w, b.h);
    ctx.fillStyle = colorOf(c);
    ctx.fillRect(b.x + w, b.y + w, b.w - 2 * w, b.h - 2 * w);
    return;
  }
  ctx.fillRect(b.x, b.y, b.w, w);
  ctx.fillRect(b.x, b.y + b.h - w, b.w, w);
  ctx.fillRect(b.x, b.y + w, w, b.h - 2 * w);
  ctx.fillRect(b.x + b.w - w, b.y + w, w, b.h - 2 * w);
}

/** A circle inside its box at (x, y) device pixels, the outline half a pen in. */
function drawCircle(ctx, c, x, y, k) {
  const w = lineWidth(k);
  const rx = (c.width * k) / 2;
  const ry = (c.height * k) / 2;
  ctx.beginPath();
  ctx.ellipse(x + rx, y + ry, rx - w / 2, ry - w / 2, 0, 0, 2 * Math.PI);
  if (c.filled) {
    ctx.fillStyle = colorOf(c);
    ctx.fill();
  }
  ctx.strokeStyle = '#000000';
  ctx.lineWidth = w;
  ctx.setLineDash([]);
  ctx.stroke();
}

export class Drawing {
  /**
   * @param {any} description the window description
   * @param {HTMLCanvasElement} still
   * @param {HTMLCanvasElement} moving
   */
  constructor(description, still, moving) {
    this.description = description;
    this.stillCanvas = still;
    this.movingCanvas = moving;
    const onForm = description.controls.filter((c) => !c.container);
    this.lines = onForm.filter((c) => c.kind === 'Line');
    this.shapes = onForm.filter((c) => (c.kind === 'Rectangle' || c.kind === 'Circle')
      && c.name !== 'Shape1' && c.name !== 'Shape2');
    this.markers = this.lines.filter((c) => MARKERS.has(c.name));
    /** @type {(number[] | null)[]} what the moving layer shows, item by item */
    this.drawnRects = [];
    this.electron = description.controls.find((c) => c.name === 'Shape1');
    this.hole = description.controls.find((c) => c.name === 'Shape2');
    this.k = 0;
    this.dpr = 1;
    this.sprites = new Map();
    this.stillKey = '';
    /** @type {Record<string, any>} the moving lines the still layer was last given */
    this.stillLines = {};
    /** @type {Map<number, {rect: number[], sprite: HTMLCanvasElement}>} carriers drawn on the still layer, by item */
    this.settled = new Map();
    /** @type {any[]} what draws each item the moving layer shows, and the lines it was given */
    this.drawnItems = [];
    this.drawnLines = {};
    /** the form in device pixels, and the part of it the moving layer covers */
    this.extent = { w: 0, h: 0 };
    this.box = { x: 0, y: 0, w: 0, h: 0 };
  }

  /** @param {number} k device pixels per twip @param {number} dpr */
  setScale(k, dpr) {
    if (k === this.k) return false;
    this.k = k;
    this.dpr = dpr;
    this.sprites.clear();
    this.stillKey = '';
    this.drawnRects = [];
    this.settled.clear();
    const d = this.description;
    sizeCanvas(this.stillCanvas, d.extentWidth, d.extentHeight, k, dpr);
    this.extent = { w: this.stillCanvas.width, h: this.stillCanvas.height };
    this.placeMoving({ x: 0, y: 0, w: 0, h: 0 });
    return true;
  }

  /** Sizes and places the moving layer over box (device pixels of the form), cleared. */
  placeMoving(box) {
    this.box = box;
    const c = this.movingCanvas;
    c.width = box.w;
    c.height = box.h;
    Object.assign(c.style, {
      left: `${box.x / this.dpr}px`, top: `${box.y / this.dpr}px`,
      width: `${box.w / this.dpr}px`, height: `${box.h / this.dpr}px`,
    });
  }

  /** Draws the markers and carriers the moving layer shows onto ctx (in the form's device pixels), for a picture. */
  drawMovingOnto(ctx) {
    this.drawnRects.forEach((r, i) => {
      if (!r) return;
      const d = this.drawnItems[i];
      if (d instanceof HTMLCanvasElement) {
        ctx.drawImage(d, r[0], r[1]);
      } else {
        const l = this.drawnLines[d.name];
        drawLine(ctx, d, l.x1, l.y1, l.x2, l.y2, this.k);
      }
    });
  }

  /**
   * The still layer: drawn again when a band line moved or the scale changed.
   * @param {Record<string, {x1: number, y1: number, x2: number, y2: number, visible: boolean}>} moving
   */
  paintStill(moving) {
    let key = '';
    for (const name in moving) {
      if (MARKERS.has(name)) continue;
      const l = moving[name];
      key += `${l.x1},${l.y1},${l.x2},${l.y2},${l.visible};`;
    }
    this.stillLines = moving;
    if (key === this.stillKey) return;
    this.stillKey = key;
    this.drawStill();
  }

  drawStill() {
    const moving = this.stillLines;
    const ctx = /** @type {CanvasRenderingContext2D} */ (this.stillCanvas.getContext('2d'));
    ctx.clearRect(0, 0, this.stillCanvas.width, this.stillCanvas.height);
    const k = this.k;
    for (const c of this.lines) {
      if (MARKERS.has(c.name)) continue;
      const l = c.index < 0 ? moving[c.name] : undefined;
      if (l && !l.visible) continue;
      if (l) drawLine(ctx, c, l.x1, l.y1, l.x2, l.y2, k);
      else drawLine(ctx, c, c.x1, c.y1, c.x2, c.y2, k);
    }
    for (const c of this.shapes) {
      if (c.kind === 'Rectangle') drawRectangle(ctx, c, k);
      else drawCircle(ctx, c, Math.round(c.left * k), Math.round(c.top * k), k);
    }
    for (const { rect, sprite } of this.settled.values()) ctx.drawImage(sprite, rect[0], rect[1]);
  }

  sprite(design) {
    let s = this.sprites.get(design.name);
    if (s) return s;
    s = document.createElement('canvas');
    s.width = Math.ceil(design.width * this.k) + 1;
    s.height = Math.ceil(design.height * this.k) + 1;
    drawCircle(s.getContext('2d'), design, 0, 0, this.k);
    this.sprites.set(design.name, s);
    return s;
  }

  /**
   * The moving layer: the markers, then the carriers over everything. Only
   * the tiles where something moved are cleared and drawn again, as the
   * desktop window repaints: a carrier that stands still costs nothing.
   * @param {Record<string, {x1: number, y1: number, x2: number, y2: number, visible: boolean}>} moving
   * @param {{positions: Float32Array}} electrons
   * @param {{positions: Float32Array}} holes
   */
  paintMoving(moving, electrons, holes) {
    const k = this.k;
    const extent = this.extent;
    const w = lineWidth(k);
    // Every item as the rectangle of device pixels it covers ([x, y, w, h],
    // or null when it is not shown): the markers, then every member of the
    // two carrier arrays, those in use, the spares and the parked ones.
    /** @type {(number[] | null)[]} */
    const rects = [];
    // What draws each item: a marker line's design, or a carrier's sprite.
    /** @type {any[]} */
    const draws = [];
    for (const c of this.markers) {
      const l = moving[c.name];
      const x1 = Math.round(Math.min(l.x1, l.x2) * k), x2 = Math.round(Math.max(l.x1, l.x2) * k);
      const y1 = Math.round(Math.min(l.y1, l.y2) * k), y2 = Math.round(Math.max(l.y1, l.y2) * k);
      rects.push(l.visible ? [x1 - 1, y1 - 1, x2 - x1 + w + 2, y2 - y1 + w + 2] : null);
      draws.push(c);
    }
    for (const [design, set] of [[this.electron, electrons], [this.hole, holes]]) {
      const sprite = this.sprite(design);
      const p = set.positions;
      for (let i = 0; i < 101; i++) {
        const x = Math.round(p[2 * i] * k);
        const y = Math.round(p[2 * i + 1] * k);
        const shown = y < extent.h && x < extent.w && x > -sprite.width && y > -sprite.height;
        rects.push(shown ? [x, y, sprite.width, sprite.height] : null);
        draws.push(sprite);
      }
    }
    let full = this.drawnRects.length !== rects.length;
    // Carriers shown as the scale is set settle on the still layer; each
    // leaves it when it first moves.
    const wasSettled = this.settled.size;
    if (full) {
      this.settled.clear();
      rects.forEach((r, i) => {
        if (r && draws[i] instanceof HTMLCanvasElement) this.settled.set(i, { rect: r, sprite: draws[i] });
      });
    }
    for (const [i, { rect }] of this.settled) {
      const now = rects[i];
      if (now && now[0] === rect[0] && now[1] === rect[1]) rects[i] = null; // not on the moving layer
      else this.settled.delete(i);
    }
    if (full || this.settled.size !== wasSettled) this.drawStill();
    // The layer grows, with room to spare, to take in
    // everything shown; it shrinks only with a new scale.
    const box = this.box;
    let right = 0, bottom = 0;
    for (const r of rects) {
      if (!r) continue;
      right = Math.max(right, r[0] + r[2]);
      bottom = Math.max(bottom, r[1] + r[3]);
    }
    right = Math.min(extent.w, right);
    bottom = Math.min(extent.h, bottom);
    if (right > box.w || bottom > box.h) {
      // From the form's corner, as the still layer: a layer at a fraction of
      // a CSS pixel would be drawn blurred on a screen with a fractional
      // pixel ratio, and what lies above and left of the carriers is little.
      const room = ROOM * TILE;
      this.placeMoving({
        x: 0, y: 0, w: Math.min(extent.w, Math.max(box.w, right + room)), h: Math.min(extent.h, Math.max(box.h, bottom + room)),
      });
      full = true;
    }
    const canvas = this.movingCanvas;
    const ctx = /** @type {CanvasRenderingContext2D} */ (canvas.getContext('2d'));
    const ox = this.box.x, oy = this.box.y;
    const tile = TILE;
    const cols = Math.ceil(canvas.width / tile), rows = Math.ceil(canvas.height / tile);
    const dirty = new Uint8Array(cols * rows);
    const mark = (r) => {
      if (!r) return;
      const c0 = Math.max(0, Math.floor((r[0] - ox) / tile)), c1 = Math.min(cols - 1, Math.floor((r[0] + r[2] - ox) / tile));
      const r0 = Math.max(0, Math.floor((r[1] - oy) / tile)), r1 = Math.min(rows - 1, Math.floor((r[1] + r[3] - oy) / tile));
      for (let row = r0; row <= r1; row++) dirty.fill(1, row * cols + c0, row * cols + c1 + 1);
    };
    if (full) {
      dirty.fill(1);
    } else {
      for (let i = 0; i < rects.length; i++) {
        const was = this.drawnRects[i], now = rects[i];
        if (was === now || (was && now && was[0] === now[0] && was[1] === now[1] && was[2] === now[2] && was[3] === now[3])) continue;
        mark(was);
        mark(now);
      }
    }
    this.drawnRects = rects;
    this.drawnItems = draws;
    this.drawnLines = moving;
    // The items by the rows of tiles they reach into.
    /** @type {number[][]} */
    const inRow = Array.from({ length: rows }, () => []);
    for (let i = 0; i < rects.length; i++) {
      const r = rects[i];
      if (!r) continue;
      const r0 = Math.max(0, Math.floor((r[1] - oy) / tile)), r1 = Math.min(rows - 1, Math.floor((r[1] + r[3] - oy) / tile));
      for (let row = r0; row <= r1; row++) inRow[row].push(i);
    }
    // Each row of tiles: its spans of dirty tiles are cleared, then every
    // item that reaches into the row is drawn, clipped to them.
    ctx.setTransform(1, 0, 0, 1, -ox, -oy);
    for (let row = 0; row < rows; row++) {
      const y = oy + row * tile;
      let spans = 0;
      for (let col = 0; col < cols;) {
        if (!dirty[row * cols + col]) {
          col++;
          continue;
        }
        const first = col;
        while (col < cols && dirty[row * cols + col]) col++;
        const x = ox + first * tile, sw = (col - first) * tile;
        if (!spans++) {
          ctx.save();
          ctx.beginPath();
        }
        ctx.rect(x, y, sw, tile);
        ctx.clearRect(x, y, sw, tile);
      }
      if (!spans) continue;
      ctx.clip();
      for (const i of inRow[row]) {
        const d = draws[i], r = /** @type {number[]} */ (rects[i]);
        if (d instanceof HTMLCanvasElement) {
          ctx.drawImage(d, r[0], r[1]);
        } else {
          const l = moving[d.name];
          drawLine(ctx, d, l.x1, l.y1, l.x2, l.y2, k);
        }
      }
      ctx.restore();
    }
  }
}
