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
