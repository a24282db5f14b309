// How much room a text takes in the page: the core's caption rules ask, the
// browser answers in the fonts that draw the captions, laid out as a label
// lays them out (one line, or wrapped at a width).

/** The faces of the window's texts, as the core numbers them. */
export const LATIN = 0;
export const JAPANESE = 1;

/** The font families of each face: the platform's own, no embedded font. */
export const FAMILIES = [
  '"DejaVu Sans", "Segoe UI", "Helvetica Neue", Arial, "Liberation Sans", sans-serif',
  '"IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "Hiragino Kaku Gothic ProN", "Hiragino Sans", '
    + '"Yu Gothic UI", "Yu Gothic", "Meiryo", "MS PGothic", sans-serif',
];

/** CSS pixels of a point size, at 96 dpi. */
export function pointsToPx(points) {
  return (points * 96) / 72;
}

/** The CSS font of a face at a point size. */
export function cssFont(face, points) {
  return `${pointsToPx(points).toFixed(3)}px ${FAMILIES[face]}`;
}

export class PageMeasure {
  /** @param {Document} doc */
  constructor(doc) {
    const box = doc.createElement('div');
    box.setAttribute('aria-hidden', 'true');
    Object.assign(box.style, {
      position: 'absolute', left: '-10000px', top: '0', visibility: 'hidden',
      lineHeight: 'normal', padding: '0', margin: '0', border: '0',
    });
    this.text = doc.createTextNode('');
    box.append(this.text);
    doc.body.append(box);
    this.box = box;
    this.range = doc.createRange();
    /** @type {Map<string, number>} */
    this.cache = new Map();
  }

  /** Lays text out in face at points, wrapped at wrapWidth pixels (0: one line). */
  setText(text, face, points, wrapWidth) {
    const s = this.box.style;
    s.font = cssFont(face, points);
    s.lineHeight = 'normal';
    s.whiteSpace = wrapWidth > 0 ? 'normal' : 'nowrap';
    s.lineBreak = 'strict';
    s.width = wrapWidth > 0 ? `${wrapWidth}px` : 'auto';
    this.text.data = text;
  }

  /** The height of one line of face at points, in whole pixels. */
  lineHeight(face, points) {
    const key = `h|${face}|${points}`;
    let h = this.cache.get(key);
    if (h === undefined) {
      this.setText(face === JAPANESE ? '日本語Ag' : 'Ag', face, points, 0);
      h = Math.ceil(this.box.getBoundingClientRect().height);
      this.cache.set(key, h);
    }
    return h;
  }

  /**
   * What text needs in face at points, from its top-left corner, packed as
   * width << 16 | height: on one line, or wrapped at wrapWidth.
   */
  extent(text, face, points, wrapWidth) {
    const key = `${face}|${points}|${wrapWidth}|${text}`;
    let packed = this.cache.get(key);
    if (packed === undefined) {
      this.setText(text, face, points, wrapWidth);
      this.range.selectNodeContents(this.text);
      let width = 0;
      // Each line of the text is a rectangle of its own.
      for (const r of this.range.getClientRects()) width = Math.max(width, r.width);
      const height = text ? this.box.getBoundingClientRect().height : 0;
      packed = (Math.min(Math.ceil(width - 0.01), 0x7fff) << 16) | Math.min(Math.ceil(height - 0.01), 0xffff);
      this.cache.set(key, packed);
    }
    return packed;
  }
}
