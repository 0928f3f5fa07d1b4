// Opens the modern site (html/live/) of each program in headless Chromium, served from its own
// origin on 127.0.0.1, and checks one page of each kind — home, a leaderboard, a player reached
// from it, a match, the maps index and a map — on a 1366 px desktop and on a 390 px phone: no
// console or page error, every request answered and none to another server, no serious or
// critical axe-core finding, nothing but the table boxes wider than the phone, readable text,
// the head's meta tags; then search (also from file://), column sorting, the home and a
// leaderboard without JavaScript, and axe's contrast rule in the dark theme. Full-page
// screenshots of every page at both widths go to the shots folder.
//
// Usage: node modern.test.mjs [--shots DIR] BRK=path/to/html/live ZLN=path/to/html/live
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';
import { check, failures, runSites, visit } from './harness.mjs';
import { serveSite } from './serve.mjs';

const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// The desktop, and a phone as Playwright's device descriptors make one.
const widths = {
  1366: { viewport: { width: 1366, height: 900 } },
  390: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
};


// Runs one interaction; a Playwright error (a missing element, a timeout) becomes a failure.
async function attempt(label, fn) {
  try {
    await fn();
  } catch (e) {
    failures.push(`${label}: ${e.message.split('\n')[0]}`);
  }
}

// A context whose pages may load files below base only: a request anywhere else is aborted and
// recorded, and so are failed requests, error statuses, console errors and uncaught exceptions.
// report(label) moves what was recorded since the last call into the failures.
async function siteContext(browser, base, options) {
  const context = await browser.newContext(options);
  context.setDefaultTimeout(10000);
  const problems = [];
  await context.route(
    (url) => !url.href.startsWith(base) && url.protocol !== 'data:',
    (route) => {
      problems.push(`request to another server: ${route.request().url()}`);
      return route.abort('blockedbyclient');
    },
  );
  context.on('requestfailed', (r) => {
    if (r.url().startsWith(base)) problems.push(`request failed: ${r.url()} (${r.failure()?.errorText})`);
  });
  context.on('response', (r) => {
    if (r.status() >= 400) problems.push(`HTTP ${r.status()}: ${r.url()}`);
  });
  context.on('console', (m) => {
    if (m.type() === 'error') problems.push(`console error: ${m.text()}`);
  });
  context.on('weberror', (e) => problems.push(`page error: ${e.error().message}`));
  context.report = (label) => {
    for (const p of problems) failures.push(`${label}: ${p}`);
    problems.length = 0;
  };
  return context;
}

const links = (page) => page.$$eval('a[href]', (as) => as.map((a) => ({ href: a.href, text: a.textContent.trim() })));

// What every page must have in its head and body, as one list of problems.
function pageProblems() {
  const describe = (el) =>
    `<${el.tagName.toLowerCase()}${el.id ? `#${el.id}` : ''}${el.className && typeof el.className === 'string' ? `.${el.className.trim().replace(/\s+/g, '.')}` : ''}> "${el.textContent.replace(/\s+/g, ' ').trim().slice(0, 30)}"`;
  const found = [];
  const meta = (sel) => document.querySelector(sel)?.getAttribute('content')?.trim();
  if (document.characterSet !== 'UTF-8' || document.querySelector('meta[charset]')?.getAttribute('charset').toLowerCase() !== 'utf-8')
    found.push(`not declared UTF-8 (read as ${document.characterSet})`);
  if (!/width=device-width/.test(meta('meta[name="viewport"]') || '')) found.push('no viewport meta tag');
  if (!meta('meta[property="og:title"]')) found.push('no og:title');
  if (!meta('meta[name="description"]')) found.push('no description');
  const h1 = document.querySelectorAll('h1').length;
  if (h1 !== 1) found.push(`${h1} h1 headings`);

  for (const el of [document.body, ...document.querySelectorAll('p, td, th')]) {
    const size = parseFloat(getComputedStyle(el).fontSize);
    if (size < 14) found.push(`text of ${size}px: ${describe(el)}`);
  }
  // Chart labels as drawn: the font size times the scale the SVG is drawn at.
  for (const t of document.querySelectorAll('svg text')) {
    const m = t.getScreenCTM();
    const size = parseFloat(getComputedStyle(t).fontSize) * (m ? Math.hypot(m.a, m.b) : 1);
    if (size < 11.95) found.push(`chart label drawn at ${size.toFixed(1)}px: ${describe(t)}`);
  }
  for (const t of document.querySelectorAll('table')) {
    const box = t.closest('.table-scroll');
    if (!t.caption || !box || box.getAttribute('role') !== 'region' || !box.getAttribute('aria-label'))
      found.push(`table without a caption or a labelled .table-scroll region: ${describe(t)}`);
  }

  return found;
}

// On the phone: the page does not scroll sideways, and every shown element that reaches past the
// right edge of the screen sits in a .table-scroll box.
function overflowProblems(width) {
  const found = [];
  if (document.documentElement.scrollWidth > width) found.push(`scrolls sideways: ${document.documentElement.scrollWidth}px wide`);
  const wide = [...document.body.querySelectorAll('*')].filter((el) => {
    const r = el.getBoundingClientRect();
    return r.width > 0 && r.right > width + 0.5 && el.checkVisibility() && !el.parentElement.closest('.table-scroll');
  });
  for (const el of wide.slice(0, 5)) found.push(`wider than the screen outside a .table-scroll: <${el.tagName.toLowerCase()}> "${el.textContent.replace(/\s+/g, ' ').trim().slice(0, 30)}"`);
  return found;
}

// axe-core's serious and critical findings on the page (all rules, or those named).
async function axeFindings(page, rules) {
  if (!(await page.evaluate(() => 'axe' in window))) await page.evaluate(axeSource);
  return page.evaluate(async (rules) => {
    const options = rules ? { runOnly: { type: 'rule', values: rules } } : {};
    const { violations } = await window.axe.run(document, { ...options, resultTypes: ['violations'] });
    return violations
      .filter((v) => v.impact === 'serious' || v.impact === 'critical')
      .map((v) => `axe ${v.id} (${v.impact}): ${v.nodes.slice(0, 3).map((n) => n.target.join(' ')).join(', ')}`);
  }, rules);
}

// Three letters from the middle of a name in mixed case: the search must ignore case.
function queryFor(name) {
  const chars = [...name];
  const start = Math.max(0, Math.floor((chars.length - 3) / 2));
  return chars
    .slice(start, start + 3)
    .map((c, i) => (i % 2 ? c.toLowerCase() : c.toUpperCase()))
    .join('');
}

// Types part of the player's name into the search box, follows the result named after him and
// expects his page.
async function checkSearch(page, player, playerUrl, label, touch) {
  const input = page.locator('#search');
  await (touch ? input.tap() : input.click());
  const query = queryFor(player.name);
  await input.pressSequentially(query);
  const result = page.locator('#search-results').getByRole('link', { name: player.name, exact: true }).first();
  await result.waitFor({ state: 'visible', timeout: 5000 }).catch(() => {
    throw new Error(`no result "${player.name}" shown for "${query}"`);
  });
  await (touch ? result.tap() : result.click());
  await page.waitForURL(playerUrl);
  const h1 = await page.locator('h1').first().innerText();
  check(h1.includes(player.name), `${label}: search for "${query}" led to a page headed "${h1}"`);
}

// Sorts the first sortable table by a numeric column, twice: descending, then ascending, rows
// kept whole.
async function checkSorting(page, label) {
  const table = page.locator('table.sortable').first();
  const state = () =>
    table.evaluate((t) => {
      const heads = [...t.tHead.rows[0].cells];
      const rows = [...t.tBodies[0].rows];
      return {
        sort: heads.map((h) => h.getAttribute('aria-sort')),
        types: heads.map((h) => h.querySelector('button')?.dataset.type ?? null),
        values: heads.map((_, i) => rows.map((r) => r.cells[i]?.dataset.value ?? null)),
        rows: rows.map((r) => r.innerText).sort(),
      };
    });
  const before = await state();
  const numeric = before.types.flatMap((t, i) => (t === 'num' ? [i] : []));
  if (!check(numeric.length > 0 && before.rows.length > 1, `${label}: no numeric column to sort or fewer than 2 rows`)) return;
  const ordered = (sign) => (v) => v.every((x, i) => x !== null && !Number.isNaN(Number(x)) && (i === 0 || sign * (Number(x) - Number(v[i - 1])) >= 0));
  // A column not in descending order yet, so that the first click has to move rows.
  const col = numeric.find((i) => !ordered(-1)(before.values[i])) ?? numeric[0];
  for (const [direction, inOrder] of [['descending', ordered(-1)], ['ascending', ordered(1)]]) {
    await table.locator('thead th').nth(col).locator('button').click();
    const after = await state();
    const what = `${label}: column ${col + 1} sorted ${direction}`;
    check(inOrder(after.values[col]), `${what}: values ${after.values[col].join(' ')}`);
    check(after.sort[col] === direction, `${what}: aria-sort "${after.sort[col]}"`);
    check(after.sort.every((s, i) => i === col || !after.types[i] || s === 'none'), `${what}: other columns' aria-sort ${after.sort.join(' ')}`);
    check(JSON.stringify(after.rows) === JSON.stringify(before.rows), `${what}: rows changed, not just moved`);
  }
}

async function checkSite(browser, site, shots) {
  const server = await serveSite(site.root);
  const base = `http://127.0.0.1:${server.address().port}/`;
  const rel = (href) => (href.startsWith(base) ? href.slice(base.length) : null);
  const firstLink = async (page, pattern, preferred) => {
    const found = (await links(page)).map((a) => rel(a.href)).filter((h) => h && pattern.test(h));
    return found.includes(preferred) ? preferred : found[0];
  };

  // One page of each kind, found by following the site's links.
  const pages = { home: 'index.html', maps: 'maps/index.html' };
  let player = null;
  {
    const context = await siteContext(browser, base, widths[1366]);
    const page = await context.newPage();
    await visit(page, base + pages.home);
    pages.match = await firstLink(page, /^matches\/[^/]+\.html$/);
    await visit(page, `${base}leaderboards/index.html`);
    pages.leaderboard = await firstLink(page, /^leaderboards\/(?!index\.html)[^/]+\.html$/, 'leaderboards/overall.html');
    if (pages.leaderboard) {
      await visit(page, base + pages.leaderboard);
      const a = await page.$$eval('table.sortable tbody a[href]', (as) => as.map((a) => ({ href: a.href, name: a.textContent.trim() })));
      player = a.map((p) => ({ ...p, href: rel(p.href) })).find((p) => p.href && /^players\/[^/]+\.html$/.test(p.href));
      pages.player = player?.href;
    }
    await visit(page, base + pages.maps);
    pages.map = await firstLink(page, /^maps\/(?!index\.html)[^/]+\.html$/);
    context.report(`${site.name} finding pages`);
    await context.close();
  }
  for (const [key, url] of Object.entries(pages)) check(url, `${site.name}: found no ${key} page by following links`);
  const found = Object.entries(pages).filter(([, url]) => url);

  for (const width of [1366, 390]) {
    const context = await siteContext(browser, base, widths[width]);
    const page = await context.newPage();
    const touch = width < 1000;
    for (const [key, url] of found) {
      const label = `${site.name} ${width}px ${url}`;
      const response = await visit(page, base + url);
      check(response?.status() === 200, `${label}: not served`);
      for (const p of await page.evaluate(pageProblems)) failures.push(`${label}: ${p}`);
      if (touch) for (const p of await page.evaluate(overflowProblems, width)) failures.push(`${label}: ${p}`);
      for (const p of await axeFindings(page)) failures.push(`${label}: ${p}`);
      if (shots) await page.screenshot({ path: path.join(shots, `modern-${site.name}-${key}-${width}.png`), fullPage: true });
      context.report(label);
    }

    // The menu: open on the desktop; on the phone folded behind "Menu" and within the screen once
    // tapped open.
    await attempt(`${site.name} ${width}px menu`, async () => {
      await visit(page, base + pages.home);
      const nav = page.locator('.site-nav');
      if (touch) await nav.locator('summary').tap();
      for (const name of ['Home', 'Leaderboards', 'Maps']) await nav.getByRole('link', { name, exact: true }).waitFor({ state: 'visible' });
      if (touch) for (const p of await page.evaluate(overflowProblems, width)) failures.push(`${site.name} ${width}px menu open: ${p}`);
    });
    // Search from the home page on the desktop and from a page one directory down on the phone.
    if (player) {
      const from = touch ? pages.match || pages.home : pages.home;
      const label = `${site.name} ${width}px search from ${from}`;
      await attempt(label, async () => {
        await visit(page, base + from);
        await checkSearch(page, player, base + player.href, label, touch);
      });
      context.report(label);
    }
    if (pages.leaderboard && !touch) {
      const label = `${site.name} ${width}px sorting ${pages.leaderboard}`;
      await attempt(label, async () => {
        await visit(page, base + pages.leaderboard);
        await checkSorting(page, label);
      });
      context.report(label);
    }
    await context.close();
  }

  // Search from a page opened as a file: the index is a script, no fetch() needed.
  if (player) {
    const fileBase = `${pathToFileURL(site.root).href}/`;
    const context = await siteContext(browser, fileBase, widths[1366]);
    const page = await context.newPage();
    const label = `${site.name} file:// search`;
    await attempt(label, async () => {
      await visit(page, `${fileBase}index.html`);
      await checkSearch(page, player, fileBase + player.href, label, false);
    });
    context.report(label);
    await context.close();
  }

  // Without JavaScript the home page and a leaderboard still show their tables and links.
  {
    const context = await siteContext(browser, base, { ...widths[1366], javaScriptEnabled: false });
    const page = await context.newPage();
    for (const url of [pages.home, pages.leaderboard].filter(Boolean)) {
      const label = `${site.name} without JavaScript ${url}`;
      await visit(page, base + url);
      const tables = await page.$$eval('table', (ts) =>
        ts.map((t) => ({ rows: t.tBodies[0]?.rows.length ?? 0, links: t.querySelectorAll('a[href]').length, shown: t.getBoundingClientRect().height > 0 })),
      );
      check(tables.length > 0 && tables.every((t) => t.shown && t.rows > 0), `${label}: tables missing, empty or hidden`);
      check(tables.some((t) => t.links > 0), `${label}: no table links anywhere`);
      context.report(label);
    }
    await context.close();
  }

  // The dark theme's colours against axe's contrast rule.
  {
    const context = await siteContext(browser, base, { ...widths[1366], colorScheme: 'dark' });
    const page = await context.newPage();
    for (const [, url] of found) {
      const label = `${site.name} dark ${url}`;
      await visit(page, base + url);
      for (const p of await axeFindings(page, ['color-contrast'])) failures.push(`${label}: ${p}`);
      context.report(label);
    }
    await context.close();
  }
  server.close();
}

await runSites('Modern site test', ['BRK', 'ZLN'], 'modern.test.mjs [--shots DIR] BRK=html/live ZLN=html/live', checkSite);
