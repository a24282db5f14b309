// The time plot: the axis and one point of one (scaled) pixel per tick, in
// the plot's own twips. Points are added as they come; a cleared plot is
// drawn again from its axis.

import { drawLine, lineWidth, sizeCanvas } from './drawing.js';

export class Plot {
  /**
   * @param {HTMLCanvasElement} canvas
   * @param {any} box the picture box of the description
   * @param {any[]} inside the lines inside it (the axis)
   */
  constructor(canvas, box, inside) {
    this.canvas = canvas;
    this.box = box;
    this.inside = inside;
    this.k = 0;
    this.drawn = 0;
    this.last = [NaN, NaN];
  }

  setScale(k, dpr) {
    if (k === this.k) return;
    this.k = k;
    sizeCanvas(this.canvas, this.box.width, this.box.height, k, dpr);
    this.drawn = -1;
  }

  /** @param {Float32Array} points x and y in turn */
  paint(points) {
    const n = points.length / 2;
    const ctx = /** @type {CanvasRenderingContext2D} */ (this.canvas.getContext('2d'));
    const appended = this.drawn >= 0 && n >= this.drawn
      && (this.drawn === 0 || (points[2 * this.drawn - 2] === this.last[0]
        && points[2 * this.drawn - 1] === this.last[1]));
    if (!appended) {
      ctx.clearRect(0, 0, this.canvas.width, this.canvas.height);
      for (const c of this.inside) drawLine(ctx, c, c.x1, c.y1, c.x2, c.y2, this.k);
      this.drawn = 0;
    }
    const w = lineWidth(this.k);
    ctx.fillStyle = '#000000';
    for (let i = this.drawn; i < n; i++)
      ctx.fillRect(Math.round(points[2 * i] * this.k), Math.round(points[2 * i + 1] * this.k), w, w);
    this.drawn = n;
    if (n > 0) this.last = [points[2 * n - 2], points[2 * n - 1]];
  }
}
