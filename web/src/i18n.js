// The page in the user's language. The translations are the window's own
// (translations/*.ts), turned into one object at build time: language →
// context → source text → translation. The program picks the language
// (Core.pickLanguage): the first of the browser's list that has one, else
// English; the designed texts when the address asks for them (lang=designed,
// read with the rest of a link by app/setup_link.h).

/** @typedef {Record<string, Record<string, string>>} Catalog */

/**
 * The languages the page is asked for: a link's `lang` first ("designed" for
 * the texts as designed), then the browser's.
 * @param {string} asked the link's language, or ''
 * @param {readonly string[]} languages the browser's, most wanted first
 */
export function wantedLanguages(asked, languages) {
  return asked ? [asked, ...languages] : [...languages];
}

/** The context of the page's own texts, which the module gives (Core.pageTexts). */
export const PAGE = 'Page';

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
