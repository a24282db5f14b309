// Fingers on the form: a long press, and a pinch. An iPad never sends a
// context menu event, so the long press is timed here, from pointerdown, and
// a pinch is two pointers whose distance changes; both read pointer events,
// which a touch screen, a pen and a mouse all send.

/** Whether a pointer is a finger or a pen, which have no right button. */
export function isTouch(e) {
  return e.pointerType === 'touch' || e.pointerType === 'pen';
}

export class LongPress {
  /**
   * @param {HTMLElement} element where a press counts
   * @param {{ms: number, slop: number}} rule how long, and how far a finger may wander
   * @param {(target: Element, x: number, y: number) => void} onPress
   */
  constructor(element, rule, onPress) {
    this.rule = rule;
    this.onPress = onPress;
    /** @type {{id: number, x: number, y: number, timer: number} | null} */
    this.down = null;
    this.fingers = 0;
    /** Set when a press fired: the click and the menu event that follow it are its own. */
    this.fired = false;
    const view = /** @type {Window} */ (element.ownerDocument.defaultView);
    element.addEventListener('pointerdown', (e) => {
      if (!isTouch(e)) return;
      // The first finger down: none is left from before (a lift may have
      // gone to an element that took the pointer).
      if (e.isPrimary) this.fingers = 0;
      this.fingers++;
      this.cancel();
      // A second finger is a pinch, not a press.
      if (this.fingers > 1) return;
      const target = /** @type {Element} */ (e.target);
      const { clientX: x, clientY: y } = e;
      this.down = {
        id: e.pointerId, x, y,
        timer: view.setTimeout(() => {
          this.down = null;
          this.fired = true;
          this.onPress(target, x, y);
        }, rule.ms),
      };
    });
    element.addEventListener('pointermove', (e) => {
      if (this.down?.id !== e.pointerId) return;
      if (Math.hypot(e.clientX - this.down.x, e.clientY - this.down.y) > rule.slop) this.cancel();
    });
    const up = (/** @type {PointerEvent} */ e) => {
      if (!isTouch(e)) return;
      this.fingers = Math.max(0, this.fingers - 1);
      if (this.down?.id === e.pointerId) this.cancel();
    };
    element.addEventListener('pointerup', up);
    element.addEventListener('pointercancel', up);
    // The mouse events a browser makes of the lifted finger, its click and
    // its own menu are not a tap: they would take the focus from the menu.
    const doc = element.ownerDocument;
    doc.addEventListener('pointerdown', () => {
      this.fired = false;
    }, true);
    doc.addEventListener('touchend', (e) => {
      if (this.fired) e.preventDefault();
    }, { passive: false, capture: true });
    for (const type of ['mousedown', 'mouseup', 'click', 'contextmenu']) {
      doc.addEventListener(type, (e) => {
        if (!this.fired) return;
        e.preventDefault();
        e.stopPropagation();
        if (type === 'click') this.fired = false;
      }, true);
    }
    this.view = view;
  }

  cancel() {
    if (this.down) this.view.clearTimeout(this.down.timer);
    this.down = null;
  }
}

export class Pinch {
  /**
   * @param {HTMLElement} element
   * @param {number} step the factor of distance that is one step of zoom
   * @param {(direction: number) => void} onStep +1 apart, -1 together
   */
  constructor(element, step, onStep) {
    /** @type {Map<number, {x: number, y: number}>} */
    this.pointers = new Map();
    this.base = 0;
    const distance = () => {
      const [a, b] = [...this.pointers.values()];
      return Math.hypot(a.x - b.x, a.y - b.y);
    };
    element.addEventListener('pointerdown', (e) => {
      if (!isTouch(e)) return;
      if (e.isPrimary) this.pointers.clear();
      this.pointers.set(e.pointerId, { x: e.clientX, y: e.clientY });
      if (this.pointers.size === 2) this.base = distance();
    });
    element.addEventListener('pointermove', (e) => {
      const p = this.pointers.get(e.pointerId);
      if (!p) return;
      p.x = e.clientX;
      p.y = e.clientY;
      if (this.pointers.size !== 2 || this.base <= 0) return;
      const d = distance();
      while (d >= this.base * step) {
        this.base *= step;
        onStep(1);
      }
      while (d <= this.base / step) {
        this.base /= step;
        onStep(-1);
      }
    });
    const up = (/** @type {PointerEvent} */ e) => {
      this.pointers.delete(e.pointerId);
      this.base = 0;
    };
    element.addEventListener('pointerup', up);
    element.addEventListener('pointercancel', up);
  }
}
