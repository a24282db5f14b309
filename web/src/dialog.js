// The page's message box: a modal dialog that a screen reader announces as
// an alert, with one OK button. The animation goes on behind it. When it is
// closed the focus goes back to the box the message names, with its text
// selected, or to where it was.

export class MessageDialog {
  /**
   * @param {HTMLDialogElement} dialog
   * @param {string} title the window's caption
   * @param {string} ok the button's text
   */
  constructor(dialog, title, ok) {
    this.dialog = dialog;
    dialog.setAttribute('role', 'alertdialog');
    const heading = dialog.ownerDocument.createElement('h2');
    heading.id = 'message-title';
    heading.textContent = title;
    this.text = dialog.ownerDocument.createElement('p');
    this.text.id = 'message-text';
    const form = dialog.ownerDocument.createElement('form');
    form.method = 'dialog';
    const button = dialog.ownerDocument.createElement('button');
    button.textContent = ok;
    button.value = 'ok';
    form.append(button);
    dialog.append(heading, this.text, form);
    dialog.setAttribute('aria-labelledby', heading.id);
    dialog.setAttribute('aria-describedby', this.text.id);
    this.button = button;
    /** @type {{text: string, focus: HTMLInputElement | null}[]} */
    this.queue = [];
    /** @type {HTMLElement | null} */
    this.returnTo = null;
    dialog.addEventListener('close', () => this.closed());
  }

  get open() {
    return this.dialog.open;
  }

  /** @param {string} text @param {HTMLInputElement | null} focus */
  show(text, focus) {
    this.queue.push({ text, focus });
    if (!this.dialog.open) this.next();
  }

  next() {
    const m = this.queue[0];
    if (!m) return;
    if (!this.returnTo) {
      const active = this.dialog.ownerDocument.activeElement;
      this.returnTo = active instanceof HTMLElement ? active : null;
    }
    this.text.textContent = m.text;
    this.dialog.showModal();
    this.button.focus();
  }

  closed() {
    const m = this.queue.shift();
    if (this.queue.length) {
      this.next();
      return;
    }
    const target = m?.focus ?? this.returnTo;
    this.returnTo = null;
    if (target && target.isConnected) {
      target.focus();
      if (target instanceof HTMLInputElement) target.select();
    }
  }
}

/**
 * A link shown where the browser keeps the clipboard from the page (a
 * sandboxed frame, an older browser): the link in a box, selected, for the
 * user to copy, and OK.
 */
export class LinkDialog {
  /**
   * @param {Document} doc
   * @param {string} title the window's caption
   * @param {string} text what to do with the link
   * @param {string} ok the button's text
   */
  constructor(doc, title, text, ok) {
    this.dialog = doc.createElement('dialog');
    this.dialog.id = 'link';
    const heading = doc.createElement('h2');
    heading.id = 'link-title';
    heading.textContent = title;
    const label = doc.createElement('label');
    label.textContent = text;
    this.input = doc.createElement('input');
    this.input.readOnly = true;
    label.append(this.input);
    const form = doc.createElement('form');
    form.method = 'dialog';
    const button = doc.createElement('button');
    button.textContent = ok;
    form.append(button);
    this.dialog.append(heading, label, form);
    this.dialog.setAttribute('aria-labelledby', heading.id);
    doc.body.append(this.dialog);
    /** @type {HTMLElement | null} */
    this.returnTo = null;
    this.dialog.addEventListener('close', () => {
      if (this.returnTo?.isConnected) this.returnTo.focus();
      this.returnTo = null;
    });
  }

  /** @param {string} link */
  show(link) {
    const active = this.dialog.ownerDocument.activeElement;
    if (!this.dialog.open) this.returnTo = active instanceof HTMLElement ? active : null;
    this.input.value = link;
    if (!this.dialog.open) this.dialog.showModal();
    this.input.focus();
    this.input.select();
  }
}
