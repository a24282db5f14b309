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
 * What the browser keeps off the clipboard (a sandboxed frame, an older
 * browser), shown for the user to copy: a link in a box, selected, or the
 * picture, which a right click copies; and OK.
 */
export class CopyDialog {
  /**
   * @param {Document} doc
   * @param {string} title the window's caption
   * @param {{link: string, picture: string}} texts what to do with each
   * @param {string} ok the button's text
   */
  constructor(doc, title, texts, ok) {
    this.texts = texts;
    this.dialog = doc.createElement('dialog');
    this.dialog.id = 'copy';
    const heading = doc.createElement('h2');
    heading.id = 'copy-title';
    heading.textContent = title;
    this.label = doc.createElement('label');
    this.input = doc.createElement('input');
    this.input.readOnly = true;
    this.image = doc.createElement('img');
    const form = doc.createElement('form');
    form.method = 'dialog';
    const button = doc.createElement('button');
    button.textContent = ok;
    form.append(button);
    this.dialog.append(heading, this.label, form);
    this.dialog.setAttribute('aria-labelledby', heading.id);
    doc.body.append(this.dialog);
    /** @type {HTMLElement | null} */
    this.returnTo = null;
    this.dialog.addEventListener('close', () => {
      if (this.returnTo?.isConnected) this.returnTo.focus();
      this.returnTo = null;
    });
  }

  /** @param {string} text @param {HTMLElement} content */
  open(text, content) {
    const active = this.dialog.ownerDocument.activeElement;
    if (!this.dialog.open) this.returnTo = active instanceof HTMLElement ? active : null;
    this.label.replaceChildren(text, content);
    if (!this.dialog.open) this.dialog.showModal();
  }

  /** @param {string} link */
  showLink(link) {
    this.input.value = link;
    this.open(this.texts.link, this.input);
    this.input.focus();
    this.input.select();
  }

  /** @param {string} url the picture, as a data: or blob: address */
  showPicture(url) {
    this.image.src = url;
    this.open(this.texts.picture, this.image);
  }
}
