// The page in the user's language. The translations are the window's own
// (translations/*.ts), turned into one object at build time: language →
// context → source text → translation. The first language of the browser's
// list that has one is used; otherwise the page shows its texts as designed.

/** @typedef {Record<string, Record<string, string>>} Catalog */

/**
 * @param {Record<string, Catalog>} translations
 * @param {readonly string[]} languages the browser's, most wanted first
 * @returns {{language: string, catalog: Catalog}}
 */
export function pickLanguage(translations, languages) {
  for (const tag of languages) {
    const primary = tag.toLowerCase().split('-')[0];
    if (translations[primary]) return { language: primary, catalog: translations[primary] };
  }
  return { language: '', catalog: {} };
}

/**
 * Marks a text for the translations (lupdate reads these calls) and gives
 * it as designed; tr() gives it in the user's language.
 * @param {string} _context @param {string} text
 */
export function QT_TRANSLATE_NOOP(_context, text) {
  return text;
}

/** The page's own texts, which the desktop window has no need of. */
export const PAGE = 'Page';
export const PAGE_TEXTS = {
  ok: QT_TRANSLATE_NOOP('Page', 'OK'),
  ended: QT_TRANSLATE_NOOP('Page', 'The program has ended. You may close this page.'),
  chart: QT_TRANSLATE_NOOP('Page', 'chart'),
};

export class Texts {
  /** @param {Catalog} catalog */
  constructor(catalog) {
    this.catalog = catalog;
  }

  /** source in the user's language, in the given context */
  tr(context, source) {
    return this.catalog[context]?.[source] ?? source;
  }

  /** A menu text without its '&' mnemonic marks ('&&' is one '&'). */
  plain(context, source) {
    return this.tr(context, source).replace(/&(&?)/g, '$1').replace(/\(&?\w\)$/, '').trim();
  }
}

/**
 * The decimal separator of a language, as the browser formats numbers.
 * @param {string} locale
 */
export function decimalSeparator(locale) {
  try {
    const part = new Intl.NumberFormat(locale).formatToParts(1.5).find((p) => p.type === 'decimal');
    return part ? part.value : '.';
  } catch {
    return '.';
  }
}
