// Where the page's time comes from. The page's own clock is performance.now()
// and wakes the program in the first animation frame after a deadline (the
// program catches up whatever fell due, however late the frame comes); a
// manual clock (transistor-sim.html#manual-clock) moves only when told to,
// and wakes the program at each deadline on time, as the script driver's
// `wait` does, so that a test can compare the two byte for byte.

export class PageClock {
  /** @param {Window} view */
  constructor(view) {
    this.view = view;
    this.timer = 0;
    this.frame = 0;
  }

  now() {
    return this.view.performance.now();
  }

  /**
   * Calls wake in the first animation frame after due; a later call
   * replaces it. The timer runs out at the deadline and the frame follows,
   * so each wake costs the browser one frame.
   */
  wakeAt(due, wake) {
    this.cancel();
    this.timer = this.view.setTimeout(() => {
      this.timer = 0;
      this.frame = this.view.requestAnimationFrame(() => {
        this.frame = 0;
        wake();
      });
    }, Math.max(0, Math.ceil(due - this.now())));
  }

  cancel() {
    this.view.clearTimeout(this.timer);
    if (this.frame) this.view.cancelAnimationFrame(this.frame);
    this.frame = 0;
  }
}

export class ManualClock {
  constructor() {
    this.time = 0;
    /** @type {{due: number, wake: () => void} | null} */
    this.pending = null;
  }

  now() {
    return this.time;
  }

  wakeAt(due, wake) {
    this.pending = { due, wake };
  }

  cancel() {
    this.pending = null;
  }

  /** ms pass: each wake-up that falls due in them runs at its own time. */
  advance(ms) {
    const end = this.time + ms;
    while (this.pending && this.pending.due <= end) {
      const { due, wake } = this.pending;
      this.pending = null;
      this.time = Math.max(this.time, due);
      wake();
    }
    this.time = end;
  }
}
