// Checks that a generated site is link-clean: every href and src of every page leads to a file
// of the site, and nothing is loaded from, or linked to, another server. Given the page
// directory, it covers the modern site in live/ too, whose match pages link to the classic ones.
//
// Usage: node linkcheck.mjs SITE_ROOT...   (exit status 1 and one line per broken link)
import fs from 'node:fs';
import path from 'node:path';

function* pages(dir) {
  for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
    const full = path.join(dir, entry.name);
    if (entry.isDirectory()) yield* pages(full);
    else if (entry.name.endsWith('.html')) yield full;
  }
}

// The targets of a page's href and src attributes, quoted or not.
function targets(html) {
  const found = [];
  const attribute = /\b(?:href|src|background)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+))/gi;
  for (const m of html.matchAll(attribute)) found.push(m[1] ?? m[2] ?? m[3]);
  return found;
}

// A page's text in the charset its head declares, as a browser reads it: the modern site's pages
// are UTF-8, the classic site's ISO-8859-1.
function readPage(file) {
  const bytes = fs.readFileSync(file);
  const declared = /<meta[^>]+charset\s*=\s*["']?([\w-]+)/i.exec(bytes.subarray(0, 1024).toString('latin1'));
  return bytes.toString(declared && /^utf-?8$/i.test(declared[1]) ? 'utf8' : 'latin1');
}

export function checkSite(root) {
  const problems = [];
  let files = 0;
  let links = 0;
  for (const file of pages(root)) {
    ++files;
    const html = readPage(file);
    for (const target of targets(html)) {
      ++links;
      const where = `${path.relative(root, file)}: ${target}`;
      if (/^(?:[a-z][a-z0-9+.-]*:|\/\/)/i.test(target)) {
        problems.push(`${where} leaves the site`);
        continue;
      }
      const rel = target.split('#')[0].split('?')[0];
      if (rel === '') continue;  // an anchor on the same page
      const resolved = path.resolve(path.dirname(file), decodeURIComponent(rel));
      if (!resolved.startsWith(root + path.sep)) problems.push(`${where} points outside the site`);
      else if (!fs.statSync(resolved, { throwIfNoEntry: false })?.isFile()) problems.push(`${where} is missing`);
    }
  }
  if (files === 0) problems.push(`${root}: no page`);
  return { problems, files, links };
}

if (import.meta.url === `file://${process.argv[1]}`) {
  let failed = false;
  for (const arg of process.argv.slice(2)) {
    const root = path.resolve(arg);
    const { problems, files, links } = checkSite(root);
    for (const p of problems) console.log(`  ${p}`);
    console.log(`Link check of ${arg}: ${files} pages, ${links} links, ${problems.length} broken`);
    failed ||= problems.length > 0;
  }
  process.exit(failed ? 1 : 0);
}
