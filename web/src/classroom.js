// The classroom controls of the page, from the core's table: their keys
// anywhere in the page, the menu open or not, and a context menu on the band
// diagram and the plot (right click, the Menu key, Shift+F10). A text box
// keeps the browser's own menu.

/**
 * A key of the table ("Ctrl+Shift+C", "Ctrl++", "F5") as a test of a key event.
 * @param {string} keys
 */
export function keyMatcher(keys) {
  const parts = keys.split('+');
  // "Ctrl++": the key itself is the plus sign.
  let key = parts.pop() ?? '';
  if (key === '' && parts[parts.length - 1] === '') {
    parts.pop();
    key = '+';
  }
  const ctrl = parts.includes('Ctrl');
  const shift = parts.includes('Shift');
  const alt = parts.includes('Alt');
  // The Menu key, as a browser names it.
  if (key === 'Menu') key = 'ContextMenu';
  const symbol = key.length === 1 && !/[A-Za-z0-9]/.test(key);
  /** @param {KeyboardEvent} e */
  return (e) => {
    // Ctrl is Command on a Mac.
    if ((e.ctrlKey || e.metaKey) !== ctrl || e.altKey !== alt) return false;
    // A symbol may need Shift on one keyboard and not on another.
    if (!symbol && e.shiftKey !== shift) return false;
    return key.length === 1 ? e.key.toLowerCase() === key.toLowerCase() : e.key === key;
  };
}

/** A menu text with its '&' mark: the letter that picks the item, and the text without it. */
export function mnemonic(text) {
  let at = -1;
  for (let i = 0; i < text.length - 1 && at < 0; i++) {
    if (text[i] !== '&') continue;
    if (text[i + 1] === '&') i++;
    else at = i;
  }
  return {
    letter: at >= 0 ? text[at + 1].toLowerCase() : '',
    before: (at >= 0 ? text.slice(0, at) : text).replace(/&&/g, '&'),
    mark: at >= 0 ? text[at + 1] : '',
    after: at >= 0 ? text.slice(at + 2).replace(/&&/g, '&') : '',
  };
}

/** How a key reads in the menu: as the desktop shows it. */
function keyLabel(keys) {
  return keys;
}

export class Classroom {
  /**
   * @param {{actions: {name: string, text: string, keys: string[], group: number, help: string}[], context: string, resume: string, touchTarget: number}} table
   * @param {import('./i18n.js').Texts} texts
   * @param {Record<string, () => void>} handlers by action name
   * @param {HTMLElement} menu an empty element for the menu
   */
  constructor(table, texts, handlers, menu) {
    this.table = table;
    this.texts = texts;
    this.handlers = handlers;
    this.menu = menu;
    this.matchers = table.actions.map((a) => ({ name: a.name, tests: a.keys.map(keyMatcher) }));
    /** @type {Map<string, HTMLElement>} */
    this.items = new Map();
    /** @type {HTMLElement | null} */
    this.returnFocus = null;
    this.ended = false;
    this.buildMenu();
  }

  buildMenu() {
    const doc = this.menu.ownerDocument;
    this.menu.setAttribute('role', 'menu');
    this.menu.hidden = true;
    let group = null;
    for (const a of this.table.actions) {
      if (a.group < 0) continue;
      if (group !== null && a.group !== group) {
        const sep = doc.createElement('div');
        sep.setAttribute('role', 'separator');
        this.menu.append(sep);
      }
      group = a.group;
      const item = doc.createElement('div');
      item.setAttribute('role', 'menuitem');
      item.tabIndex = -1;
      item.dataset.action = a.name;
      item.addEventListener('click', () => this.pick(a.name));
      this.menu.append(item);
      this.items.set(a.name, item);
      this.setText(a.name, a.text);
    }
    this.menu.addEventListener('keydown', (e) => this.menuKey(e));
    this.menu.addEventListener('focusout', (e) => {
      if (!this.menu.contains(/** @type {Node} */ (e.relatedTarget))) this.close(false);
    });
  }

  /** Sets an item's text (with its '&' mark) in the user's language. */
  setText(name, source) {
    const item = this.items.get(name);
    const action = this.table.actions.find((a) => a.name === name);
    if (!item || !action) return;
    const m = mnemonic(this.texts.tr(this.table.context, source));
    item.dataset.letter = m.letter;
    item.replaceChildren();
    const label = item.ownerDocument.createElement('span');
    label.className = 'text';
    label.append(m.before);
    if (m.mark) {
      const u = item.ownerDocument.createElement('u');
      u.textContent = m.mark;
      label.append(u);
    }
    label.append(m.after);
    const keys = item.ownerDocument.createElement('span');
    keys.className = 'keys';
    keys.textContent = action.keys.length ? keyLabel(action.keys[0]) : '';
    item.append(label, keys);
    item.setAttribute('aria-keyshortcuts', action.keys.map((k) => k.replace('Ctrl', 'Control')).join(' '));
  }

  /** Shows an item that is on or off (High contrast) as checked or not. */
  check(name, on) {
    const item = this.items.get(name);
    if (!item) return;
    item.setAttribute('role', 'menuitemcheckbox');
    item.setAttribute('aria-checked', String(on));
  }

  enable(name, on) {
    const item = this.items.get(name);
    if (item) item.setAttribute('aria-disabled', String(!on));
  }

  /** The action whose key this is, if any. */
  actionOf(e) {
    for (const m of this.matchers) if (m.tests.some((t) => t(e))) return m.name;
    return '';
  }

  /**
   * Every classroom key, the menu open or not; after Close, none: the page
   * gives the browser its keys back.
   * @param {KeyboardEvent} e @returns {boolean} whether the key was a classroom control's
   */
  key(e) {
    if (this.ended) return false;
    const name = this.actionOf(e);
    if (!name) return false;
    // Left alone, the key opens the box's own menu.
    if (name === 'Menu' && this.ownMenu(e.target)) return false;
    e.preventDefault();
    this.pick(name);
    return true;
  }

  /**
   * Fills element with every key of the table and what it does, in the
   * user's language, as the menu says it.
   * @param {HTMLElement} element
   */
  describeKeys(element) {
    const doc = element.ownerDocument;
    const table = doc.createElement('table');
    for (const a of this.table.actions) {
      if (!a.help) continue;
      const row = table.insertRow();
      const keys = row.insertCell();
      keys.className = 'keys';
      a.keys.forEach((k, i) => {
        const kbd = doc.createElement('kbd');
        kbd.textContent = keyLabel(k);
        keys.append(...(i ? [', ', kbd] : [kbd]));
      });
      row.insertCell().textContent = this.texts.plain(this.table.context, a.help);
    }
    element.replaceChildren(table);
  }

  /** A text box answers the menu keys with its own menu. */
  ownMenu(target) {
    return target instanceof HTMLInputElement;
  }

  pick(name) {
    const item = this.items.get(name);
    if (item?.getAttribute('aria-disabled') === 'true') return;
    if (!this.menu.hidden) this.close(true);
    if (name === 'Menu') {
      this.openAtFocus();
      return;
    }
    this.handlers[name]?.();
  }

  /**
   * Opens the menu at x, y (page pixels); opened by a finger, its items are
   * a finger's target tall.
   */
  open(x, y, touch = false) {
    const active = this.menu.ownerDocument.activeElement;
    if (this.menu.hidden) this.returnFocus = active instanceof HTMLElement ? active : null;
    this.menu.classList.toggle('touch', touch);
    this.menu.style.setProperty('--touch-target', `${this.table.touchTarget}px`);
    this.menu.hidden = false;
    const r = this.menu.getBoundingClientRect();
    const view = this.menu.ownerDocument.documentElement;
    this.menu.style.left = `${Math.max(0, Math.min(x, view.clientWidth - r.width)) + window.scrollX}px`;
    this.menu.style.top = `${Math.max(0, Math.min(y, view.clientHeight - r.height)) + window.scrollY}px`;
    this.focusItem(0, 1);
  }

  openAtFocus() {
    const active = this.menu.ownerDocument.activeElement;
    const r = active && active !== this.menu.ownerDocument.body
      ? active.getBoundingClientRect() : { left: 0, top: 0, width: 0, height: 0 };
    this.open(r.left + r.width / 2, r.top + r.height / 2);
  }

  close(restore) {
    if (this.menu.hidden) return;
    this.menu.hidden = true;
    if (restore && this.returnFocus?.isConnected) this.returnFocus.focus();
    this.returnFocus = null;
  }

  enabledItems() {
    return [...this.items.values()].filter((i) => i.getAttribute('aria-disabled') !== 'true');
  }

  /** Focuses the enabled item `from` steps along `direction`. */
  focusItem(from, direction) {
    const items = this.enabledItems();
    if (!items.length) return;
    const at = items.indexOf(/** @type {HTMLElement} */ (this.menu.ownerDocument.activeElement));
    const next = at < 0 ? (direction > 0 ? from : items.length - 1)
      : (at + direction + items.length) % items.length;
    items[next].focus();
  }

  /** @param {KeyboardEvent} e */
  menuKey(e) {
    const target = /** @type {HTMLElement} */ (e.target);
    if (e.key === 'ArrowDown') this.focusItem(0, 1);
    else if (e.key === 'ArrowUp') this.focusItem(0, -1);
    else if (e.key === 'Home') this.enabledItems()[0]?.focus();
    else if (e.key === 'End') this.enabledItems().at(-1)?.focus();
    else if (e.key === 'Escape' || e.key === 'Tab') this.close(true);
    else if (e.key === 'Enter' || e.key === ' ') {
      if (target.dataset.action) this.pick(target.dataset.action);
    } else if (e.key.length === 1 && !e.ctrlKey && !e.metaKey && !e.altKey) {
      const item = this.enabledItems().find((i) => i.dataset.letter === e.key.toLowerCase());
      if (item?.dataset.action) this.pick(item.dataset.action);
    } else {
      return;
    }
    e.preventDefault();
    e.stopPropagation();
  }
}
