// Form1 in the page: one element for every label, box, button and the plot,
// built from the window description at its twip place, over the two canvases
// of the drawing. The tab order is the description's: the focusable controls
// stand in the document in that order.

import { TEXT_BOXES } from './core.js';
import { cssFont, JAPANESE, LATIN } from './measure.js';
import { PAGE } from './i18n.js';

/** The id of a control's element: "Text1", or "Label2-3" for a member of an array. */
export function controlId(c) {
  return c.index >= 0 ? `${c.name}-${c.index}` : c.name;
}

/** A box of the description in whole CSS pixels at px pixels per twip: edges rounded. */
export function pixelRect(c, px) {
  const left = Math.round(c.left * px);
  const top = Math.round(c.top * px);
  return {
    left, top, width: Math.round((c.left + c.width) * px) - left,
    height: Math.round((c.top + c.height) * px) - top,
  };
}

function place(el, r) {
  el.style.left = `${r.left}px`;
  el.style.top = `${r.top}px`;
  el.style.width = `${r.width}px`;
  el.style.height = `${r.height}px`;
}

export class Form {
  /**
   * @param {HTMLElement} root the form's element
   * @param {any} description
   * @param {import('./i18n.js').Texts} texts
   * @param {{chart: string}} pageTexts the page's own texts as designed
   */
  constructor(root, description, texts, pageTexts) {
    this.root = root;
    this.description = description;
    this.texts = texts;
    this.pageTexts = pageTexts;
    /** @type {Map<string, HTMLElement>} */
    this.elements = new Map();
    /** @type {{el: HTMLInputElement, box: number}[]} */
    this.boxes = [];

    const doc = root.ownerDocument;
    this.still = doc.createElement('canvas');
    this.moving = doc.createElement('canvas');
    this.still.className = this.moving.className = 'layer';
    // The band diagram as a screen reader meets it: a picture with a name
    // and a description that the program keeps up to date.
    this.moving.setAttribute('role', 'img');
    this.moving.setAttribute('aria-label', texts.tr('transistor::MainWindow', 'Band diagram'));
    this.diagramText = doc.createElement('p');
    this.diagramText.id = 'diagram-description';
    this.diagramText.className = 'for-screen-readers';
    this.diagramText.setAttribute('aria-live', 'polite');
    this.moving.setAttribute('aria-describedby', this.diagramText.id);
    root.append(this.still, this.moving, this.diagramText);

    const controls = description.controls.filter((c) => !c.container);
    // Labels first, under every box, button and the plot.
    for (const c of controls.filter((c) => c.kind === 'Label')) this.addLabel(c);
    const focusable = controls
      .filter((c) => c.kind === 'TextBox' || c.kind === 'Button' || c.kind === 'PictureBox')
      .sort((a, b) => a.tabIndex - b.tabIndex);
    for (const c of focusable) this.addControl(c);
    // The drawn shapes that have words (the lower-left corner's): a place
    // that shows them when the pointer rests on it or a finger holds it.
    for (const c of controls.filter((c) => (c.kind === 'Circle' || c.kind === 'Rectangle') && c.toolTip)) {
      const el = doc.createElement('div');
      el.className = 'legend';
      el.title = c.toolTip;
      el.setAttribute('role', 'img');
      el.setAttribute('aria-label', this.texts.tr('Form1', c.accessibleName));
      this.elements.set(controlId(c), el);
      root.append(el);
    }
    // A caption of exactly one box labels a box that has no name of its
    // own; a box with one keeps it, as in the window ("VEB(V)" is the
    // caption of "Emitter–base voltage VEB (V)", the name its messages use).
    for (const c of controls.filter((c) => c.buddy)) {
      const label = this.elements.get(controlId(c));
      const box = this.elements.get(c.buddy);
      if (label && box && !box.hasAttribute('aria-label')) {
        label.id = `${controlId(c)}-label`;
        box.setAttribute('aria-labelledby', `${box.getAttribute('aria-labelledby') ?? ''} ${label.id}`.trim());
      }
    }
  }

  addLabel(c) {
    const el = this.root.ownerDocument.createElement('div');
    el.className = 'label';
    if (c.bandLetter) el.classList.add('band-letter');
    if (c.transparent) el.classList.add('transparent');
    el.textContent = this.texts.tr('Form1', c.caption);
    if (c.accessibleName) el.setAttribute('aria-label', this.texts.tr('Form1', c.accessibleName));
    this.elements.set(controlId(c), el);
    this.root.append(el);
  }

  addControl(c) {
    const doc = this.root.ownerDocument;
    let el;
    if (c.kind === 'TextBox') {
      const input = doc.createElement('input');
      input.type = 'text';
      input.spellcheck = false;
      input.autocomplete = 'off';
      input.value = c.caption;
      if (c.flat) input.classList.add('flat');
      if (c.readOnly) input.readOnly = true;
      // A number may be negative and may use the locale's separator. iOS's
      // decimal pad has no minus, and a numeric pad no separator, so an
      // input box keeps the full keyboard (its numbers and signs a tap
      // away), with nothing capitalised or corrected, and Enter says it applies.
      else {
        input.inputMode = 'text';
        input.enterKeyHint = 'go';
        input.autocapitalize = 'off';
        input.setAttribute('autocorrect', 'off');
      }
      this.boxes.push({ el: input, box: TEXT_BOXES.indexOf(c.name) });
      el = input;
    } else if (c.kind === 'Button') {
      el = doc.createElement('button');
      el.type = 'button';
      el.textContent = this.texts.tr('Form1', c.caption);
    } else {
      // The plot: a chart to a screen reader, and a tab stop as on the desktop.
      el = doc.createElement('div');
      el.className = 'plot';
      el.tabIndex = 0;
      el.setAttribute('role', 'img');
      el.setAttribute('aria-roledescription', this.texts.tr(PAGE, this.pageTexts.chart));
      const canvas = doc.createElement('canvas');
      el.append(canvas);
      this.plotCanvas = canvas;
    }
    el.id = controlId(c);
    // What a screen reader hears, for the eye: on hover, or a finger held on it.
    if (c.toolTip) el.title = c.toolTip;
    if (c.accessibleName) el.setAttribute('aria-label', this.texts.tr('Form1', c.accessibleName));
    if (c.accessibleDescription) {
      const d = doc.createElement('span');
      d.id = `${el.id}-description`;
      d.className = 'for-screen-readers';
      d.textContent = this.texts.tr('Form1', c.accessibleDescription);
      this.root.append(d);
      el.setAttribute('aria-describedby', d.id);
    }
    this.elements.set(el.id, el);
    this.root.append(el);
  }

  /**
   * Places every control at the zoom; px: CSS pixels per twip. The
   * captions stand where the program's caption rules put them (layout, from
   * Core.layout): in their rooms, in the face that draws each, at the
   * window's caption size or smaller, clear of the drawing's lines.
   * @param {number} px @param {number} zoom
   * @param {{size: number, labels: Record<string, number[]>}} layout
   * @param {(text: string) => number} faceOf the face of a text
   * @param {number} bandLetterPoints
   */
  layout(px, zoom, layout, faceOf, bandLetterPoints) {
    const d = this.description;
    this.root.style.width = `${Math.round(d.extentWidth * px)}px`;
    this.root.style.height = `${Math.round(d.extentHeight * px)}px`;
    // Numbers in the boxes are Latin; the buttons speak the window's language.
    this.root.style.font = cssFont(LATIN, layout.size * zoom);
    for (const c of d.controls) {
      if (c.container) continue;
      const el = this.elements.get(controlId(c));
      if (!el) continue;
      const room = layout.labels[controlId(c)];
      if (room) {
        const [l, t, w, h, tl, tt, tw, th, points, face, grown, wraps] = room;
        place(el, { left: l, top: t, width: w, height: h });
        el.style.padding = `${tt - t}px ${l + w - tl - tw}px ${t + h - tt - th}px ${tl - l}px`;
        el.style.font = cssFont(face, points * zoom);
        el.style.textAlign = grown ? 'right' : 'left';
        el.style.whiteSpace = wraps ? 'normal' : 'nowrap';
        // A Japanese caption among English ones is read as Japanese.
        el.lang = face === JAPANESE ? 'ja' : '';
        continue;
      }
      place(el, pixelRect(c, px));
      if (c.bandLetter) {
        // The described face, or the Latin face in its place.
        el.style.font = cssFont(LATIN, bandLetterPoints * zoom)
          .replace(/px /, `px "${d.bandLetterFamily}", `);
      } else if (c.kind === 'Button') {
        el.style.font = cssFont(faceOf(el.textContent ?? ''), layout.size * zoom);
      }
    }
  }

  element(name) {
    return this.elements.get(name);
  }
}
